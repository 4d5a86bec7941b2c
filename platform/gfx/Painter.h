// The rasterizer: draws into a Surface through a translation and a clip.
// Every primitive takes logical coordinates, adds the origin, then clips to
// the clip region (always inside the surface), so nothing is ever written
// outside it whatever the coordinates. Rectangles exclude their right and
// bottom edges; raster operations keep the destination's alpha byte.
#pragma once

#include "platform/gfx/Brush.h"
#include "platform/gfx/Pen.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Rop.h"
#include "platform/gfx/Surface.h"

#include <algorithm>
#include <vector>

namespace gfx {

class Painter {
public:
    explicit Painter(Surface& target);

    Surface& Target() { return m_target; }

    // --- State: origin, clip and brush origin, saved and restored as one.
    void Save();
    // Restoring with nothing saved does nothing.
    void Restore();
    int SaveDepth() const { return static_cast<int>(m_saved.size()); }

    // Surface position of logical (0, 0).
    CPoint Origin() const { return m_state.origin; }
    void SetOrigin(int x, int y);
    void Translate(int dx, int dy);
    // Surface position that patterns and focus-rectangle dots are aligned to.
    CPoint BrushOrigin() const { return m_state.brushOrigin; }
    void SetBrushOrigin(int x, int y) { m_state.brushOrigin = CPoint(x, y); }

    // The clip in surface coordinates.
    const Region& Clip() const { return m_state.clip; }
    // Replaces the clip (surface coordinates); it is kept inside the surface.
    void SetClip(const Region& surfaceRegion);
    void ResetClip();
    // Narrow the clip by logical shapes.
    void IntersectClip(const RECT& logical);
    void IntersectClip(const Region& logical);
    void ExcludeClip(const RECT& logical);

    // --- Fills and raster operations. Inverted or empty rectangles fill nothing.
    void FillRect(const RECT& r, Pixel color);
    void FillRect(const RECT& r, const Brush& brush);
    void FillRegion(const Region& logical, const Brush& brush);
    // Inverts the colours (XOR with white); twice restores.
    void InvertRect(const RECT& r);
    void InvertRegion(const Region& logical);
    // A one-pixel frame painted with the brush, inside r.
    void FrameRect(const RECT& r, const Brush& brush);
    // Pattern blit: rop combines the brush (P) and the destination (D).
    // Negative extents count leftward or upward from (x, y).
    void PatBlt(int x, int y, int width, int height, const Brush& brush, RopCode rop);
    // Source pixels that lie outside the source leave the destination unchanged.
    // Blits within one surface work on a copy, so overlapping areas move correctly.
    void BitBlt(int x, int y, int width, int height, const Surface& src, int srcX, int srcY, RopCode rop = kSrcCopy,
                const Brush* brush = nullptr);
    // Nearest-pixel scaling; a negative extent on one side (not both) mirrors.
    void StretchBlt(const RECT& dst, const Surface& src, const RECT& srcRect, RopCode rop = kSrcCopy);
    // Blends src over the destination by its per-pixel alpha (high byte) times
    // constantAlpha / 255. Straight alpha unless premultiplied. Scales when the
    // rectangles differ: smooth averages the covered source pixels, otherwise nearest.
    void AlphaBlend(const RECT& dst, const Surface& src, const RECT& srcRect, int constantAlpha = 255,
                    bool premultiplied = false, bool smooth = true);
    void SetPixel(int x, int y, Pixel color);
    // False outside the clip (the system answers CLR_INVALID there).
    bool GetPixel(int x, int y, Pixel* out) const;

    // --- Lines and shapes.
    // A line from `from` up to but not including `to`. One-pixel pens step as
    // Bresenham does; styled pens continue their dash pattern from stylePhase
    // and the phase after the line is returned. Wider pens draw the round-capped
    // stroke of their width centred on the line (so the end cap covers `to`).
    int Line(POINT from, POINT to, const Pen& pen, int stylePhase = 0);
    // Connected lines; the pattern of a styled pen runs on across corners.
    void Polyline(const POINT* points, int count, const Pen& pen);
    // Outline with the pen, interior with the brush. A one-pixel pen outlines
    // l..r-1 and t..b-1; a wider pen is centred on that outline, or drawn fully
    // inside r with the inside-frame style; without a pen the interior alone
    // covers l..r-2 and t..b-2. Corners swapped by the caller are put in order.
    void Rectangle(const RECT& r, const Pen& pen, const Brush& brush);
    // Rounded corners with an ellipseWidth x ellipseHeight ellipse, the same
    // staircase as Region::RoundRect; without a pen the interior is exactly
    // Region::RoundRect(r, ellipseWidth, ellipseHeight).
    void RoundRect(const RECT& r, int ellipseWidth, int ellipseHeight, const Pen& pen, const Brush& brush);
    void Ellipse(const RECT& r, const Pen& pen, const Brush& brush);
    // The dotted focus frame, one pixel wide just inside r: every other pixel
    // (those whose x + y from the brush origin is even) is inverted, so drawing
    // it twice restores the pixels.
    void FocusRect(const RECT& r);

private:
    struct State {
        CPoint origin;
        CPoint brushOrigin;
        Region clip;
    };

    CRect ToSurface(const RECT& logical) const;
    CPoint ToSurface(POINT logical) const;
    Region ToSurface(const Region& logical) const;
    // Calls fn(piece) for every part of a surface rectangle inside the clip.
    template <class Fn> void ForEachClipped(const CRect& surfaceRect, Fn fn) const;
    // Calls fn(x0, x1) for every part of the row span [x0, x1) at y inside the clip.
    template <class Fn> void ForEachClippedSpan(int y, int x0, int x1, Fn fn) const;
    void FillSurfaceRect(const CRect& surfaceRect, const Brush& brush, std::uint8_t rop);
    void FillSpan(int y, int x0, int x1, const Brush& brush, std::uint8_t rop);
    void PlotClipped(int x, int y, Pixel color);
    void ThinLine(CPoint a, CPoint b, const Pen& pen, int& phase);
    void WideLine(CPoint a, CPoint b, int width, Pixel color);
    void RoundShape(const CRect& box, int ellipseWidth, int ellipseHeight, const Pen& pen, const Brush& brush);

    Surface& m_target;
    State m_state;
    std::vector<State> m_saved;
};

template <class Fn> void Painter::ForEachClipped(const CRect& surfaceRect, Fn fn) const
{
    CRect bounds = m_target.Bounds(), r;
    if (!r.IntersectRect(&surfaceRect, &bounds)) return;
    const std::vector<CRect>& rects = m_state.clip.Rects();
    auto it = std::partition_point(rects.begin(), rects.end(), [&](const CRect& c) { return c.bottom <= r.top; });
    for (; it != rects.end() && it->top < r.bottom; ++it) {
        CRect piece;
        if (piece.IntersectRect(&*it, &r)) fn(piece);
    }
}

template <class Fn> void Painter::ForEachClippedSpan(int y, int x0, int x1, Fn fn) const
{
    if (y < 0 || y >= m_target.Height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_target.Width());
    if (x0 >= x1) return;
    const std::vector<CRect>& rects = m_state.clip.Rects();
    auto it = std::partition_point(rects.begin(), rects.end(), [&](const CRect& c) { return c.bottom <= y; });
    for (; it != rects.end() && it->top <= y; ++it) {
        int a = std::max<int>(x0, it->left), b = std::min<int>(x1, it->right);
        if (a < b) fn(a, b);
    }
}

} // namespace gfx
