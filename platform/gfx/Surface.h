// A 32-bit pixel buffer. Pixels are 0x00RRGGBB in memory order of a uint32_t
// (blue in the low byte), the layout SDL and PNG conversion expect; COLORREF
// values (0x00BBGGRR) are converted at the drawing calls.
#pragma once

#include "platform/base/Color.h"
#include "platform/base/Geometry.h"

#include <cstdint>
#include <vector>

namespace gfx {

using Pixel = std::uint32_t;

constexpr Pixel PixelFromColor(COLORREF c)
{
    return (static_cast<Pixel>(GetRValue(c)) << 16) | (static_cast<Pixel>(GetGValue(c)) << 8) | GetBValue(c);
}
constexpr COLORREF ColorFromPixel(Pixel p)
{
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Pixel fill = 0);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels between the starts of two rows.
    int Stride() const { return m_width; }
    bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }
    CRect Bounds() const { return CRect(0, 0, m_width, m_height); }

    Pixel* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    const Pixel* Row(int y) const { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    Pixel* Data() { return m_pixels.data(); }
    const Pixel* Data() const { return m_pixels.data(); }

    // Out-of-range reads give 0 and writes are dropped.
    Pixel At(int x, int y) const;
    void Set(int x, int y, Pixel p);
    void Resize(int width, int height, Pixel fill = 0);

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Pixel> m_pixels;
};

} // namespace gfx
