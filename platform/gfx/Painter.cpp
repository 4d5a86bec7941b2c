#include "platform/gfx/Painter.h"

#include <cstdint>

namespace gfx {

namespace {

int ClampCoord(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, -Region::kCoordLimit, Region::kCoordLimit));
}

CRect Normalized(const RECT& r)
{
    CRect c(r);
    c.NormalizeRect();
    return c;
}

constexpr std::uint8_t kIndexPatCopy = 0xF0;
constexpr std::uint8_t kIndexSrcCopy = 0xCC;

Pixel KeepAlpha(Pixel color, Pixel dst)
{
    return (color & 0x00FFFFFF) | (dst & 0xFF000000);
}

} // namespace

Painter::Painter(Surface& target) : m_target(target)
{
    ResetClip();
}

void Painter::Save()
{
    m_saved.push_back(m_state);
}

void Painter::Restore()
{
    if (m_saved.empty()) return;
    m_state = std::move(m_saved.back());
    m_saved.pop_back();
}

void Painter::SetOrigin(int x, int y)
{
    m_state.origin = CPoint(ClampCoord(x), ClampCoord(y));
}

void Painter::Translate(int dx, int dy)
{
    m_state.origin =
        CPoint(ClampCoord(std::int64_t(m_state.origin.x) + dx), ClampCoord(std::int64_t(m_state.origin.y) + dy));
}

void Painter::SetClip(const Region& surfaceRegion)
{
    m_state.clip = surfaceRegion.Intersect(Region(m_target.Bounds()));
}

void Painter::ResetClip()
{
    m_state.clip = Region(m_target.Bounds());
}

void Painter::IntersectClip(const RECT& logical)
{
    m_state.clip = m_state.clip.Intersect(Region(ToSurface(logical)));
}

void Painter::IntersectClip(const Region& logical)
{
    m_state.clip = m_state.clip.Intersect(ToSurface(logical));
}

void Painter::ExcludeClip(const RECT& logical)
{
    m_state.clip = m_state.clip.Subtract(Region(ToSurface(logical)));
}

CRect Painter::ToSurface(const RECT& r) const
{
    return CRect(
        ClampCoord(std::int64_t(r.left) + m_state.origin.x), ClampCoord(std::int64_t(r.top) + m_state.origin.y),
        ClampCoord(std::int64_t(r.right) + m_state.origin.x), ClampCoord(std::int64_t(r.bottom) + m_state.origin.y));
}

CPoint Painter::ToSurface(POINT p) const
{
    return CPoint(ClampCoord(std::int64_t(p.x) + m_state.origin.x), ClampCoord(std::int64_t(p.y) + m_state.origin.y));
}

Region Painter::ToSurface(const Region& logical) const
{
    Region r = logical;
    r.Offset(m_state.origin.x, m_state.origin.y);
    return r;
}

void Painter::FillSpan(int y, int x0, int x1, const Brush& brush, std::uint8_t rop)
{
    Pixel* row = m_target.Row(y);
    int bx = m_state.brushOrigin.x, by = m_state.brushOrigin.y;
    bool pattern = brush.style == BrushStyle::Pattern;
    if (rop == kIndexPatCopy && !pattern) {
        for (int x = x0; x < x1; ++x)
            row[x] = KeepAlpha(brush.color, row[x]);
        return;
    }
    for (int x = x0; x < x1; ++x) {
        Pixel p = pattern ? brush.At(x - bx, y - by) : brush.color;
        row[x] = ApplyRop(rop, p, 0, row[x]);
    }
}

void Painter::FillSurfaceRect(const CRect& surfaceRect, const Brush& brush, std::uint8_t rop)
{
    ForEachClipped(surfaceRect, [&](const CRect& piece) {
        for (int y = piece.top; y < piece.bottom; ++y)
            FillSpan(y, piece.left, piece.right, brush, rop);
    });
}

void Painter::FillRect(const RECT& r, Pixel color)
{
    FillSurfaceRect(ToSurface(r), Brush::Solid(color), kIndexPatCopy);
}

void Painter::FillRect(const RECT& r, const Brush& brush)
{
    if (brush.IsNull()) return;
    FillSurfaceRect(ToSurface(r), brush, kIndexPatCopy);
}

void Painter::FillRegion(const Region& logical, const Brush& brush)
{
    if (brush.IsNull()) return;
    Region target = ToSurface(logical).Intersect(m_state.clip);
    for (const CRect& r : target.Rects())
        FillSurfaceRect(r, brush, kIndexPatCopy);
}

void Painter::InvertRect(const RECT& r)
{
    FillSurfaceRect(ToSurface(r), Brush::Solid(0), RopIndex(kDstInvert));
}

void Painter::InvertRegion(const Region& logical)
{
    Region target = ToSurface(logical).Intersect(m_state.clip);
    for (const CRect& r : target.Rects())
        FillSurfaceRect(r, Brush::Solid(0), RopIndex(kDstInvert));
}

void Painter::FrameRect(const RECT& r, const Brush& brush)
{
    CRect c = Normalized(r);
    if (brush.IsNull() || c.IsRectEmpty()) return;
    Region frame = Region(c).Subtract(Region(c.left + 1, c.top + 1, c.right - 1, c.bottom - 1));
    FillRegion(frame, brush);
}

void Painter::PatBlt(int x, int y, int width, int height, const Brush& brush, RopCode rop)
{
    std::int64_t l = x, t = y, r = std::int64_t(x) + width, b = std::int64_t(y) + height;
    if (l > r) std::swap(l, r);
    if (t > b) std::swap(t, b);
    CRect logical(ClampCoord(l), ClampCoord(t), ClampCoord(r), ClampCoord(b));
    if (RopUsesPattern(rop) && brush.IsNull()) return;
    FillSurfaceRect(ToSurface(logical), brush, RopIndex(rop));
}

void Painter::BitBlt(int x, int y, int width, int height, const Surface& src, int srcX, int srcY, RopCode rop,
                     const Brush* brush)
{
    if (width <= 0 || height <= 0) return;
    Brush solidBlack = Brush::Solid(0);
    const Brush& pat = brush ? *brush : solidBlack;
    std::uint8_t index = RopIndex(rop);
    CRect dst = ToSurface(CRect(x, y, ClampCoord(std::int64_t(x) + width), ClampCoord(std::int64_t(y) + height)));
    if (!RopUsesSource(rop)) {
        FillSurfaceRect(dst, pat, index);
        return;
    }
    // Surface position of the source pixel for destination pixel (0, 0).
    std::int64_t shiftX = std::int64_t(srcX) - (std::int64_t(x) + m_state.origin.x);
    std::int64_t shiftY = std::int64_t(srcY) - (std::int64_t(y) + m_state.origin.y);
    // Only destination pixels with a source pixel take part.
    CRect reach(ClampCoord(-shiftX), ClampCoord(-shiftY), ClampCoord(src.Width() - shiftX),
                ClampCoord(src.Height() - shiftY));
    CRect area;
    if (!area.IntersectRect(&dst, &reach)) return;

    // A blit within one buffer reads from a copy, so overlapping moves are exact.
    const Surface* from = &src;
    Surface copy;
    const Pixel* srcBegin = src.Data();
    const Pixel* srcEnd = srcBegin + static_cast<std::size_t>(src.Stride()) * src.Height();
    const Pixel* dstBegin = m_target.Data();
    const Pixel* dstEnd = dstBegin + static_cast<std::size_t>(m_target.Stride()) * m_target.Height();
    if (srcBegin && dstBegin && srcBegin < dstEnd && dstBegin < srcEnd) {
        copy.Resize(src.Width(), src.Height());
        for (int row = 0; row < src.Height(); ++row)
            std::copy(src.Row(row), src.Row(row) + src.Width(), copy.Row(row));
        from = &copy;
    }
    int bx = m_state.brushOrigin.x, by = m_state.brushOrigin.y;
    ForEachClipped(area, [&](const CRect& piece) {
        for (int py = piece.top; py < piece.bottom; ++py) {
            const Pixel* s = from->Row(static_cast<int>(py + shiftY));
            Pixel* d = m_target.Row(py);
            for (int px = piece.left; px < piece.right; ++px) {
                Pixel sp = s[px + shiftX];
                if (index == kIndexSrcCopy)
                    d[px] = KeepAlpha(sp, d[px]);
                else
                    d[px] = ApplyRop(index, pat.At(px - bx, py - by), sp, d[px]);
            }
        }
    });
}

namespace {

// Maps destination pixels [0, dstLen) onto source pixels [0, srcLen) by their
// centres; a negative srcLen maps mirrored.
struct AxisMap {
    std::int64_t dstLen;
    std::int64_t srcLen;
    bool mirror;
    std::int64_t SourceIndex(std::int64_t i) const
    {
        std::int64_t j = ((2 * i + 1) * srcLen) / (2 * dstLen);
        return mirror ? srcLen - 1 - j : j;
    }
    // The source pixels [first, last) covered by destination pixel i.
    void Footprint(std::int64_t i, std::int64_t& first, std::int64_t& last) const
    {
        first = (i * srcLen) / dstLen;
        last = std::max(first + 1, ((i + 1) * srcLen + dstLen - 1) / dstLen);
    }
};

// A destination extent and a source extent of one axis, put in order.
bool MakeAxis(std::int64_t d0, std::int64_t d1, std::int64_t s0, std::int64_t s1, std::int64_t& dstStart,
              std::int64_t& srcStart, AxisMap& map)
{
    bool mirror = (d1 < d0) != (s1 < s0);
    if (d1 < d0) std::swap(d0, d1);
    if (s1 < s0) std::swap(s0, s1);
    if (d0 == d1 || s0 == s1) return false;
    dstStart = d0;
    srcStart = s0;
    map = AxisMap{d1 - d0, s1 - s0, mirror};
    return true;
}

} // namespace

void Painter::StretchBlt(const RECT& dstRect, const Surface& src, const RECT& srcRect, RopCode rop)
{
    std::int64_t dx0 = 0, dy0 = 0, sx0 = 0, sy0 = 0;
    AxisMap mx{}, my{};
    if (!MakeAxis(dstRect.left, dstRect.right, srcRect.left, srcRect.right, dx0, sx0, mx) ||
        !MakeAxis(dstRect.top, dstRect.bottom, srcRect.top, srcRect.bottom, dy0, sy0, my))
        return;
    if (mx.dstLen == mx.srcLen && my.dstLen == my.srcLen && !mx.mirror && !my.mirror) {
        BitBlt(static_cast<int>(dx0), static_cast<int>(dy0), static_cast<int>(mx.dstLen), static_cast<int>(my.dstLen),
               src, static_cast<int>(sx0), static_cast<int>(sy0), rop);
        return;
    }
    std::uint8_t index = RopIndex(rop);
    std::int64_t ox = dx0 + m_state.origin.x, oy = dy0 + m_state.origin.y;
    CRect dst(ClampCoord(ox), ClampCoord(oy), ClampCoord(ox + mx.dstLen), ClampCoord(oy + my.dstLen));
    ForEachClipped(dst, [&](const CRect& piece) {
        for (int py = piece.top; py < piece.bottom; ++py) {
            std::int64_t sy = sy0 + my.SourceIndex(py - oy);
            if (sy < 0 || sy >= src.Height()) continue;
            Pixel* d = m_target.Row(py);
            const Pixel* s = src.Row(static_cast<int>(sy));
            for (int px = piece.left; px < piece.right; ++px) {
                std::int64_t sx = sx0 + mx.SourceIndex(px - ox);
                if (sx < 0 || sx >= src.Width()) continue;
                d[px] = ApplyRop(index, 0, s[sx], d[px]);
            }
        }
    });
}

void Painter::AlphaBlend(const RECT& dstRect, const Surface& src, const RECT& srcRect, int constantAlpha,
                         bool premultiplied, bool smooth)
{
    // Like the system's blend, mirrored or empty rectangles draw nothing.
    if (dstRect.right <= dstRect.left || dstRect.bottom <= dstRect.top || srcRect.right <= srcRect.left ||
        srcRect.bottom <= srcRect.top)
        return;
    int ca = std::clamp(constantAlpha, 0, 255);
    if (ca == 0) return;
    std::int64_t dx0 = 0, dy0 = 0, sx0 = 0, sy0 = 0;
    AxisMap mx{}, my{};
    MakeAxis(dstRect.left, dstRect.right, srcRect.left, srcRect.right, dx0, sx0, mx);
    MakeAxis(dstRect.top, dstRect.bottom, srcRect.top, srcRect.bottom, dy0, sy0, my);
    std::int64_t ox = dx0 + m_state.origin.x, oy = dy0 + m_state.origin.y;
    CRect dst(ClampCoord(ox), ClampCoord(oy), ClampCoord(ox + mx.dstLen), ClampCoord(oy + my.dstLen));
    CRect srcBounds = src.Bounds();

    // One source sample as premultiplied a, r, g, b (0..255 each, r g b <= a).
    auto premul = [premultiplied](Pixel p, std::uint32_t out[4]) {
        std::uint32_t a = p >> 24;
        std::uint32_t c[3] = {(p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF};
        out[0] = a;
        for (int k = 0; k < 3; ++k)
            out[k + 1] = premultiplied ? std::min(c[k], a) : (c[k] * a + 127) / 255;
    };
    ForEachClipped(dst, [&](const CRect& piece) {
        for (int py = piece.top; py < piece.bottom; ++py) {
            Pixel* d = m_target.Row(py);
            std::int64_t fy0, fy1;
            if (smooth) {
                my.Footprint(py - oy, fy0, fy1);
            } else {
                fy0 = my.SourceIndex(py - oy);
                fy1 = fy0 + 1;
            }
            for (int px = piece.left; px < piece.right; ++px) {
                std::int64_t fx0, fx1;
                if (smooth) {
                    mx.Footprint(px - ox, fx0, fx1);
                } else {
                    fx0 = mx.SourceIndex(px - ox);
                    fx1 = fx0 + 1;
                }
                // Average the footprint, at most 16 samples per axis.
                std::int64_t stepX = std::max<std::int64_t>(1, (fx1 - fx0) / 16);
                std::int64_t stepY = std::max<std::int64_t>(1, (fy1 - fy0) / 16);
                std::uint32_t sum[4] = {0, 0, 0, 0}, n = 0;
                for (std::int64_t sy = fy0; sy < fy1; sy += stepY) {
                    std::int64_t yy = sy0 + sy;
                    if (yy < srcBounds.top || yy >= srcBounds.bottom) continue;
                    for (std::int64_t sx = fx0; sx < fx1; sx += stepX) {
                        std::int64_t xx = sx0 + sx;
                        if (xx < srcBounds.left || xx >= srcBounds.right) continue;
                        std::uint32_t v[4];
                        premul(src.Row(static_cast<int>(yy))[xx], v);
                        for (int k = 0; k < 4; ++k)
                            sum[k] += v[k];
                        ++n;
                    }
                }
                if (n == 0) continue;
                // Premultiplied sample times the constant alpha, then "over".
                std::uint32_t a = (sum[0] + n / 2) / n * ca / 255;
                if (a == 0) continue;
                Pixel out = 0;
                for (int k = 1; k < 4; ++k) {
                    std::uint32_t s = (sum[k] + n / 2) / n * ca / 255;
                    int shift = 8 * (3 - k);
                    std::uint32_t dc = (d[px] >> shift) & 0xFF;
                    std::uint32_t v = std::min<std::uint32_t>(255, s + (dc * (255 - a) + 127) / 255);
                    out |= v << shift;
                }
                d[px] = KeepAlpha(out, d[px]);
            }
        }
    });
}

void Painter::SetPixel(int x, int y, Pixel color)
{
    CPoint p = ToSurface(CPoint(x, y));
    PlotClipped(p.x, p.y, color);
}

void Painter::PlotClipped(int x, int y, Pixel color)
{
    if (x < 0 || y < 0 || x >= m_target.Width() || y >= m_target.Height()) return;
    if (!m_state.clip.Contains(x, y)) return;
    Pixel& d = m_target.Row(y)[x];
    d = KeepAlpha(color, d);
}

bool Painter::GetPixel(int x, int y, Pixel* out) const
{
    CPoint p = ToSurface(CPoint(x, y));
    if (!m_state.clip.Contains(p) || p.x >= m_target.Width() || p.y >= m_target.Height()) return false;
    if (out) *out = m_target.Row(p.y)[p.x] & 0x00FFFFFF;
    return true;
}

} // namespace gfx
