// The system's three-dimensional edges and the dotted focus rectangle.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"
#include "platform/system/window/SysMetrics.h"

namespace {

struct Layer {
    int topLeft;     // COLOR_* of the top and left lines
    int bottomRight; // COLOR_* of the bottom and right lines
};

// One layer of lines just inside r on the chosen sides. The bottom and right
// lines run the full length, so they own the bottom-left and top-right corners.
void DrawLayer(gfx::Painter& painter, const CRect& r, UINT sides, const Layer& layer)
{
    gfx::Pixel tl = gfx::PixelFromColor(GetSysColor(layer.topLeft));
    gfx::Pixel br = gfx::PixelFromColor(GetSysColor(layer.bottomRight));
    if (sides & BF_TOP) painter.FillRect(CRect(r.left, r.top, r.right - 1, r.top + 1), tl);
    if (sides & BF_LEFT) painter.FillRect(CRect(r.left, r.top, r.left + 1, r.bottom - 1), tl);
    if (sides & BF_BOTTOM) painter.FillRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), br);
    if (sides & BF_RIGHT) painter.FillRect(CRect(r.right - 1, r.top, r.right, r.bottom), br);
}

void Shrink(CRect& r, UINT sides)
{
    if (sides & BF_LEFT) ++r.left;
    if (sides & BF_TOP) ++r.top;
    if (sides & BF_RIGHT) --r.right;
    if (sides & BF_BOTTOM) --r.bottom;
}

bool OuterLayer(UINT edge, UINT flags, Layer* out)
{
    UINT outer = edge & BDR_OUTER;
    if (!outer) return false;
    if (flags & BF_MONO) *out = {COLOR_WINDOWFRAME, COLOR_WINDOWFRAME};
    else if (flags & BF_FLAT) *out = {COLOR_3DSHADOW, COLOR_3DSHADOW};
    else if (outer == BDR_RAISEDOUTER) *out = {(flags & BF_SOFT) ? COLOR_3DHIGHLIGHT : COLOR_3DLIGHT, COLOR_3DDKSHADOW};
    else if (outer == BDR_SUNKENOUTER) *out = {(flags & BF_SOFT) ? COLOR_3DDKSHADOW : COLOR_3DSHADOW, COLOR_3DHIGHLIGHT};
    else return false; // raised and sunken at once: no outer layer
    return true;
}

bool InnerLayer(UINT edge, UINT flags, Layer* out)
{
    UINT inner = edge & BDR_INNER;
    if (!inner) return false;
    if (flags & BF_MONO) *out = {COLOR_WINDOW, COLOR_WINDOW};
    else if (flags & BF_FLAT) *out = {COLOR_3DFACE, COLOR_3DFACE};
    else if (inner == BDR_RAISEDINNER) *out = {(flags & BF_SOFT) ? COLOR_3DLIGHT : COLOR_3DHIGHLIGHT, COLOR_3DSHADOW};
    else if (inner == BDR_SUNKENINNER) *out = {(flags & BF_SOFT) ? COLOR_3DSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT};
    else return false;
    return true;
}

} // namespace

BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags)
{
    sys::DcCanvas canvas;
    if (!rect || !sys::BeginCanvas(hdc, canvas)) return FALSE;
    if (flags & BF_DIAGONAL) return FALSE; // diagonal edges are not drawn by this system
    CRect r(rect);
    UINT sides = flags & BF_RECT;
    gfx::Painter painter = sys::MakePainter(canvas);
    Layer layer;
    if (OuterLayer(edge, flags, &layer)) {
        if (!r.IsRectEmpty()) DrawLayer(painter, r, sides, layer);
        Shrink(r, sides);
    }
    if (InnerLayer(edge, flags, &layer)) {
        if (!r.IsRectEmpty()) DrawLayer(painter, r, sides, layer);
        Shrink(r, sides);
    }
    if ((flags & BF_MIDDLE) && !r.IsRectEmpty())
        painter.FillRect(r, gfx::PixelFromColor(GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE)));
    sys::EndCanvas(canvas, *rect);
    if (flags & BF_ADJUST) *rect = r;
    return TRUE;
}

BOOL DrawFocusRect(HDC hdc, const RECT* rect)
{
    sys::DcCanvas canvas;
    if (!rect || !sys::BeginCanvas(hdc, canvas)) return FALSE;
    if (IsRectEmpty(rect)) return TRUE;
    gfx::Painter painter = sys::MakePainter(canvas);
    // Dots line up with the DC's origin, so two overlapping frames stay in step.
    painter.SetBrushOrigin(canvas.offset.x, canvas.offset.y);
    painter.FocusRect(*rect);
    sys::EndCanvas(canvas, *rect);
    return TRUE;
}
