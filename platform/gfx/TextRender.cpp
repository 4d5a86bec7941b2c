#include "platform/gfx/TextRender.h"

#include "platform/base/Cp936Decode.h"

#include <algorithm>
#include <cstdint>

namespace gfx {

namespace {

// Coverage a in 0..256; two channels at a time.
inline Pixel Blend(Pixel dst, Pixel src, std::uint32_t a)
{
    std::uint32_t rb = ((src & 0xFF00FFu) * a + (dst & 0xFF00FFu) * (256 - a)) >> 8;
    std::uint32_t g = ((src & 0x00FF00u) * a + (dst & 0x00FF00u) * (256 - a)) >> 8;
    return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

struct ClipBox {
    std::int64_t left, top, right, bottom;
};

void BlendGlyph(Surface& surface, const ClipBox& clip, std::int64_t gx, std::int64_t gy, const Glyph& g, Pixel color)
{
    std::int64_t x0 = std::max(gx, clip.left), x1 = std::min(gx + g.width, clip.right);
    std::int64_t y0 = std::max(gy, clip.top), y1 = std::min(gy + g.height, clip.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    for (std::int64_t y = y0; y < y1; ++y) {
        const std::uint8_t* cov = g.coverage + (y - gy) * g.width + (x0 - gx);
        Pixel* dst = surface.Row(static_cast<int>(y)) + x0;
        for (std::int64_t x = x0; x < x1; ++x, ++cov, ++dst) {
            std::uint32_t c = *cov;
            if (c == 0) continue;
            *dst = c == 255 ? color : Blend(*dst, color, c + (c >> 7));
        }
    }
}

void FillBand(Surface& surface, const ClipBox& clip, std::int64_t left, std::int64_t right, std::int64_t top, int rows,
              Pixel color)
{
    std::int64_t x0 = std::max(left, clip.left), x1 = std::min(right, clip.right);
    std::int64_t y0 = std::max(top, clip.top), y1 = std::min(top + rows, clip.bottom);
    for (std::int64_t y = y0; y < y1; ++y)
        std::fill(surface.Row(static_cast<int>(y)) + x0, surface.Row(static_cast<int>(y)) + x1, color);
}

} // namespace

void DrawString(Surface& surface, const RECT& clipRect, int x, int y, Font& font, const char* s, std::size_t n,
                COLORREF color)
{
    if (s == nullptr || n == 0 || surface.IsEmpty()) return;
    ClipBox clip{std::max<std::int64_t>(clipRect.left, 0), std::max<std::int64_t>(clipRect.top, 0),
                 std::min<std::int64_t>(clipRect.right, surface.Width()),
                 std::min<std::int64_t>(clipRect.bottom, surface.Height())};
    if (clip.left >= clip.right || clip.top >= clip.bottom) return;

    const TextMetrics& tm = font.Metrics();
    const Pixel pixel = PixelFromColor(color);
    const std::int64_t baseline = static_cast<std::int64_t>(y) + tm.tmAscent;
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    std::int64_t pen = x;
    // Wide glyphs (italics, smears) can reach past their advance, so stop a little late.
    const std::int64_t stopAt = clip.right + tm.tmMaxCharWidth;
    for (std::size_t i = 0; i < n && pen < stopAt;) {
        char32_t c;
        i += static_cast<std::size_t>(corvane::DecodeCp936(p + i, n - i, &c));
        const Glyph& g = font.GlyphFor(c);
        if (g.coverage != nullptr) BlendGlyph(surface, clip, pen + g.left, baseline - g.top, g, pixel);
        pen += g.advance;
    }
    if (tm.tmUnderlined)
        FillBand(surface, clip, x, pen, static_cast<std::int64_t>(y) + font.UnderlineTop(), font.UnderlineThickness(),
                 pixel);
    if (tm.tmStruckOut)
        FillBand(surface, clip, x, pen, static_cast<std::int64_t>(y) + font.StrikeOutTop(), font.StrikeOutThickness(),
                 pixel);
}

void DrawString(Surface& surface, const Region& clip, int x, int y, Font& font, const char* s, std::size_t n,
                COLORREF color)
{
    for (const CRect& r : clip.Rects())
        DrawString(surface, static_cast<const RECT&>(r), x, y, font, s, n, color);
}

} // namespace gfx
