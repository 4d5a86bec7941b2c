// Lines and outlined shapes with the selected pen and brush.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"

#include <algorithm>

using sys::DcCanvas;

namespace {

int PenMargin(const gfx::Pen& pen) { return pen.EffectiveWidth() / 2 + 1; }

RECT BoxOf(const POINT* points, int count)
{
    CRect box(points[0].x, points[0].y, points[0].x, points[0].y);
    for (int i = 1; i < count; ++i) {
        box.left = std::min(box.left, points[i].x);
        box.top = std::min(box.top, points[i].y);
        box.right = std::max(box.right, points[i].x);
        box.bottom = std::max(box.bottom, points[i].y);
    }
    box.right = std::min<long long>(static_cast<long long>(box.right) + 1, gfx::Region::kCoordLimit);
    box.bottom = std::min<long long>(static_cast<long long>(box.bottom) + 1, gfx::Region::kCoordLimit);
    return box;
}

template <class Draw>
BOOL Shape(HDC hdc, const RECT& box, Draw draw)
{
    DcCanvas canvas;
    if (!sys::BeginCanvas(hdc, canvas)) return FALSE;
    gfx::Pen pen = sys::CurrentPen(*canvas.dc);
    gfx::Painter painter = sys::MakePainter(canvas);
    draw(painter, pen, sys::CurrentBrush(*canvas.dc));
    sys::EndCanvas(canvas, box, PenMargin(pen));
    return TRUE;
}

} // namespace

BOOL LineTo(HDC hdc, int x, int y)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    if (!dc) return FALSE;
    POINT from = dc->cur.position;
    POINT to{x, y};
    POINT ends[2] = {from, to};
    BOOL ok = Shape(hdc, BoxOf(ends, 2), [&](gfx::Painter& p, const gfx::Pen& pen, const gfx::Brush&) {
        if (!pen.IsNull()) p.Line(from, to, pen);
    });
    if (ok) dc->cur.position = to;
    return ok;
}

BOOL Polyline(HDC hdc, const POINT* points, int count)
{
    if (!points || count < 2) return FALSE;
    return Shape(hdc, BoxOf(points, count), [&](gfx::Painter& p, const gfx::Pen& pen, const gfx::Brush&) {
        if (!pen.IsNull()) p.Polyline(points, count, pen);
    });
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom)
{
    RECT r{left, top, right, bottom};
    return Shape(hdc, r, [&](gfx::Painter& p, const gfx::Pen& pen, const gfx::Brush& brush) {
        p.Rectangle(r, pen, brush);
    });
}

BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    RECT r{left, top, right, bottom};
    return Shape(hdc, r, [&](gfx::Painter& p, const gfx::Pen& pen, const gfx::Brush& brush) {
        p.RoundRect(r, ellipseWidth, ellipseHeight, pen, brush);
    });
}

BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom)
{
    RECT r{left, top, right, bottom};
    return Shape(hdc, r, [&](gfx::Painter& p, const gfx::Pen& pen, const gfx::Brush& brush) {
        p.Ellipse(r, pen, brush);
    });
}
