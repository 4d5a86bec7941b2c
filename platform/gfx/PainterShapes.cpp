// Lines, rectangles, rounded rectangles, ellipses and the focus frame.
#include "platform/gfx/Painter.h"
#include "platform/gfx/RoundCorner.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace gfx {

namespace {

// Dash patterns of one-pixel styled pens, alternating on and off lengths.
struct DashPattern {
    int lengths[6];
    int count;
    int period;
};

const DashPattern* PatternFor(PenStyle style)
{
    static const DashPattern dash{{18, 6}, 2, 24};
    static const DashPattern dot{{3, 3}, 2, 6};
    static const DashPattern dashDot{{9, 6, 3, 6}, 4, 24};
    static const DashPattern dashDotDot{{9, 3, 3, 3, 3, 3}, 6, 24};
    switch (style) {
    case PenStyle::Dash: return &dash;
    case PenStyle::Dot: return &dot;
    case PenStyle::DashDot: return &dashDot;
    case PenStyle::DashDotDot: return &dashDotDot;
    default: return nullptr;
    }
}

bool DashOn(const DashPattern& p, std::int64_t position)
{
    int at = static_cast<int>(position % p.period);
    for (int k = 0; k < p.count; ++k) {
        if (at < p.lengths[k]) return k % 2 == 0;
        at -= p.lengths[k];
    }
    return false;
}

// A rounded box's row span [left, right) at row y, false when the row is outside.
bool RowSpan(const CRect& box, const RoundCorner& corner, int y, int& left, int& right)
{
    if (y < box.top || y >= box.bottom) return false;
    int inset = corner.Inset(std::min(y - box.top, box.bottom - 1 - y));
    left = box.left + inset;
    right = box.right - inset;
    return left < right;
}

} // namespace

int Painter::Line(POINT from, POINT to, const Pen& pen, int stylePhase)
{
    CPoint a = ToSurface(from), b = ToSurface(to);
    if (pen.IsNull()) return stylePhase;
    int phase = stylePhase;
    if (pen.EffectiveWidth() == 1)
        ThinLine(a, b, pen, phase);
    else
        WideLine(a, b, pen.EffectiveWidth(), pen.color);
    // Only dashes have a phase to carry on.
    return pen.IsStyled() ? phase : stylePhase;
}

void Painter::Polyline(const POINT* points, int count, const Pen& pen)
{
    if (!points || count < 2) return;
    int phase = 0;
    for (int i = 0; i + 1 < count; ++i)
        phase = Line(points[i], points[i + 1], pen, phase);
}

void Painter::ThinLine(CPoint a, CPoint b, const Pen& pen, int& phase)
{
    std::int64_t dx = std::int64_t(b.x) - a.x, dy = std::int64_t(b.y) - a.y;
    std::int64_t adx = std::abs(dx), ady = std::abs(dy);
    std::int64_t n = std::max(adx, ady);
    const DashPattern* dashes = pen.IsStyled() ? PatternFor(pen.style) : nullptr;
    int period = dashes ? dashes->period : 1;
    std::int64_t start = ((phase % period) + period) % period;
    phase = static_cast<int>((start + n) % period);
    if (n == 0) return;
    CRect bounds = m_state.clip.Bounds();
    CRect surface = m_target.Bounds();
    if (!bounds.IntersectRect(&bounds, &surface)) return;

    // A one-rectangle clip is its bounds: no per-pixel region test.
    bool simpleClip = m_state.clip.IsRect();
    bool xMajor = adx >= ady;
    std::int64_t major0 = xMajor ? a.x : a.y, minor0 = xMajor ? a.y : a.x;
    int majorSign = (xMajor ? dx : dy) < 0 ? -1 : 1;
    int minorSign = (xMajor ? dy : dx) < 0 ? -1 : 1;
    std::int64_t majorLen = xMajor ? adx : ady, minorLen = xMajor ? ady : adx;
    std::int64_t lo = xMajor ? bounds.left : bounds.top, hi = xMajor ? bounds.right : bounds.bottom;
    // Steps i whose major coordinate falls inside the clip bounds; the last point is excluded.
    std::int64_t first, last;
    if (majorSign > 0) {
        first = lo - major0;
        last = hi - major0;
    } else {
        first = major0 - hi + 1;
        last = major0 - lo + 1;
    }
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, n);
    for (std::int64_t i = first; i < last; ++i) {
        if (dashes && !DashOn(*dashes, start + i)) continue;
        // Bresenham in closed form: the minor coordinate rounds to nearest.
        std::int64_t minor = minor0 + minorSign * ((2 * i * minorLen + majorLen) / (2 * majorLen));
        std::int64_t major = major0 + majorSign * i;
        std::int64_t x = xMajor ? major : minor, y = xMajor ? minor : major;
        if (y < bounds.top || y >= bounds.bottom || x < bounds.left || x >= bounds.right) continue;
        if (!simpleClip && !m_state.clip.Contains(static_cast<int>(x), static_cast<int>(y))) continue;
        Pixel& d = m_target.Row(static_cast<int>(y))[x];
        d = (pen.color & 0x00FFFFFF) | (d & 0xFF000000);
    }
}

void Painter::WideLine(CPoint a, CPoint b, int width, Pixel color)
{
    // Pixels whose centres lie within width / 2 of the segment. An even width
    // has no centre pixel, so its stroke is shifted half a pixel up and left.
    double shift = width % 2 == 0 ? -0.5 : 0.0;
    double ax = a.x + shift, ay = a.y + shift, bx = b.x + shift, by = b.y + shift;
    double radius = width / 2.0;
    constexpr double kEps = 1e-7;
    double ddx = bx - ax, ddy = by - ay;
    double len2 = ddx * ddx + ddy * ddy, len = std::sqrt(len2);

    CRect bounds = m_state.clip.Bounds();
    CRect surface = m_target.Bounds();
    if (!bounds.IntersectRect(&bounds, &surface)) return;
    int yTop = static_cast<int>(std::max<std::int64_t>(bounds.top, std::min(a.y, b.y) - std::int64_t(width)));
    int yBottom = static_cast<int>(std::min<std::int64_t>(bounds.bottom, std::max(a.y, b.y) + std::int64_t(width) + 1));
    Brush brush = Brush::Solid(color);
    for (int y = yTop; y < yBottom; ++y) {
        double lo = INFINITY, hi = -INFINITY;
        auto add = [&](double l, double h) {
            if (l > h) return;
            lo = std::min(lo, l);
            hi = std::max(hi, h);
        };
        for (auto [cx, cy] : {std::pair{ax, ay}, std::pair{bx, by}}) {
            double v = y - cy, h2 = radius * radius - v * v;
            if (h2 >= -kEps) {
                double h = std::sqrt(std::max(0.0, h2));
                add(cx - h, cx + h);
            }
        }
        if (len2 > 0) {
            double v = y - ay;
            // The band of perpendicular distance <= radius ...
            double bandLo = -INFINITY, bandHi = INFINITY;
            if (ddy != 0) {
                double c1 = ax + (ddx * v - radius * len) / ddy, c2 = ax + (ddx * v + radius * len) / ddy;
                bandLo = std::min(c1, c2);
                bandHi = std::max(c1, c2);
            } else if (std::abs(v) > radius + kEps) {
                bandLo = INFINITY;
            }
            // ... between the perpendiculars through the two end points.
            double spanLo = -INFINITY, spanHi = INFINITY;
            if (ddx != 0) {
                double c1 = ax + (-v * ddy) / ddx, c2 = ax + (len2 - v * ddy) / ddx;
                spanLo = std::min(c1, c2);
                spanHi = std::max(c1, c2);
            } else if (v * ddy < 0 || v * ddy > len2) {
                spanLo = INFINITY;
            }
            add(std::max(bandLo, spanLo), std::min(bandHi, spanHi));
        }
        if (lo > hi) continue;
        double left = std::ceil(lo - kEps), right = std::floor(hi + kEps) + 1;
        left = std::max<double>(left, bounds.left);
        right = std::min<double>(right, bounds.right);
        if (left >= right) continue;
        ForEachClippedSpan(y, static_cast<int>(left), static_cast<int>(right),
                           [&](int x0, int x1) { FillSpan(y, x0, x1, brush, 0xF0); });
    }
}

void Painter::Rectangle(const RECT& r, const Pen& pen, const Brush& brush)
{
    CRect box = ToSurface(r);
    box.NormalizeRect();
    RoundShape(box, 0, 0, pen, brush);
}

void Painter::RoundRect(const RECT& r, int ellipseWidth, int ellipseHeight, const Pen& pen, const Brush& brush)
{
    CRect box = ToSurface(r);
    box.NormalizeRect();
    RoundShape(box, ellipseWidth, ellipseHeight, pen, brush);
}

void Painter::Ellipse(const RECT& r, const Pen& pen, const Brush& brush)
{
    CRect box = ToSurface(r);
    box.NormalizeRect();
    RoundShape(box, box.Width(), box.Height(), pen, brush);
}

void Painter::RoundShape(const CRect& box, int ellipseWidth, int ellipseHeight, const Pen& pen, const Brush& brush)
{
    CRect bounds = m_state.clip.Bounds();
    CRect surface = m_target.Bounds();
    if (!bounds.IntersectRect(&bounds, &surface)) return;
    ellipseWidth = std::max(ellipseWidth, 0);
    ellipseHeight = std::max(ellipseHeight, 0);

    if (pen.IsNull()) {
        // Without an outline the figure loses its right column and bottom row.
        CRect inner(box.left, box.top, box.right - 1, box.bottom - 1);
        if (brush.IsNull() || inner.IsRectEmpty()) return;
        RoundCorner corner(ellipseWidth, ellipseHeight, inner.Width(), inner.Height());
        for (int y = std::max<int>(inner.top, bounds.top); y < std::min<int>(inner.bottom, bounds.bottom); ++y) {
            int l, r;
            if (RowSpan(inner, corner, y, l, r))
                ForEachClippedSpan(y, l, r, [&](int x0, int x1) { FillSpan(y, x0, x1, brush, 0xF0); });
        }
        return;
    }

    int w = pen.EffectiveWidth();
    CRect outer = box;
    int ew = ellipseWidth, eh = ellipseHeight;
    if (w > 1 && pen.style != PenStyle::InsideFrame) {
        // Centred on the one-pixel outline l..r-1.
        outer = CRect(box.left - w / 2, box.top - w / 2, box.right - 1 - w / 2 + w, box.bottom - 1 - w / 2 + w);
        if (ew > 1) ew += w - 1;
        if (eh > 1) eh += w - 1;
    }
    if (outer.IsRectEmpty()) return;
    CRect inner(outer.left + w, outer.top + w, outer.right - w, outer.bottom - w);
    RoundCorner outerCorner(ew, eh, outer.Width(), outer.Height());
    RoundCorner innerCorner(ew - 2 * w, eh - 2 * w, std::max(0, inner.Width()), std::max(0, inner.Height()));
    Brush penBrush = Brush::Solid(pen.color);
    for (int y = std::max<int>(outer.top, bounds.top); y < std::min<int>(outer.bottom, bounds.bottom); ++y) {
        int ol, orr, il, ir;
        if (!RowSpan(outer, outerCorner, y, ol, orr)) continue;
        auto paint = [&](int x0, int x1, const Brush& with) {
            if (x0 < x1) ForEachClippedSpan(y, x0, x1, [&](int a, int b) { FillSpan(y, a, b, with, 0xF0); });
        };
        if (!inner.IsRectEmpty() && RowSpan(inner, innerCorner, y, il, ir)) {
            il = std::max(il, ol);
            ir = std::min(ir, orr);
            paint(ol, il, penBrush);
            paint(ir, orr, penBrush);
            if (!brush.IsNull()) paint(il, ir, brush);
        } else {
            paint(ol, orr, penBrush);
        }
    }
}

void Painter::FocusRect(const RECT& r)
{
    CRect box = ToSurface(r);
    box.NormalizeRect();
    if (box.IsRectEmpty()) return;
    Region frame = Region(box).Subtract(Region(box.left + 1, box.top + 1, box.right - 1, box.bottom - 1));
    frame = frame.Intersect(m_state.clip);
    int bx = m_state.brushOrigin.x, by = m_state.brushOrigin.y;
    CRect surface = m_target.Bounds();
    for (const CRect& piece : frame.Rects()) {
        CRect c;
        if (!c.IntersectRect(&piece, &surface)) continue;
        for (int y = c.top; y < c.bottom; ++y) {
            Pixel* row = m_target.Row(y);
            for (int x = c.left; x < c.right; ++x)
                if (((x - bx + y - by) & 1) == 0) row[x] ^= 0x00FFFFFF;
        }
    }
}

} // namespace gfx
