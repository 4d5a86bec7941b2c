// A 32-bit pixel buffer. Pixels are 0x00RRGGBB in memory order of a uint32_t
// (blue in the low byte), the layout SDL and PNG conversion expect; COLORREF
// values (0x00BBGGRR) are converted at the drawing calls. Images that carry
// transparency keep straight (not premultiplied) alpha in the high byte.
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
constexpr Pixel AlphaOf(Pixel p)
{
    return p >> 24;
}

class Surface {
public:
    // Larger sizes are clamped: no window or image of this program comes close,
    // and a corrupt size must not allocate gigabytes.
    static constexpr int kMaxDimension = 16384;

    Surface() = default;
    Surface(int width, int height, Pixel fill = 0);
    // A view of pixels owned by someone else (for example a native window
    // buffer), rows `stride` pixels apart. Copies of a view share its pixels.
    static Surface Wrap(Pixel* pixels, int width, int height, int stride);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Pixels between the starts of two rows.
    int Stride() const { return m_stride; }
    bool IsEmpty() const { return m_width <= 0 || m_height <= 0; }
    CRect Bounds() const { return CRect(0, 0, m_width, m_height); }

    Pixel* Row(int y) { return Data() + static_cast<std::size_t>(y) * m_stride; }
    const Pixel* Row(int y) const { return Data() + static_cast<std::size_t>(y) * m_stride; }
    Pixel* Data() { return m_external ? m_external : m_pixels.data(); }
    const Pixel* Data() const { return m_external ? m_external : m_pixels.data(); }

    // Out-of-range reads give 0 and writes are dropped.
    Pixel At(int x, int y) const;
    void Set(int x, int y, Pixel p);
    // Gives the surface its own pixels of the new size (a view stops being one).
    void Resize(int width, int height, Pixel fill = 0);
    void Fill(Pixel p);

    // Same size and same pixels (compared row by row, so strides may differ).
    bool SamePixels(const Surface& other) const;

private:
    int m_width = 0;
    int m_height = 0;
    int m_stride = 0;
    Pixel* m_external = nullptr;
    std::vector<Pixel> m_pixels;
};

} // namespace gfx
