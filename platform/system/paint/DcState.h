// Device contexts: what a DC draws into, the objects selected into it, its
// colours and modes, and the saved states of SaveDC.
#pragma once

#include "platform/gfx/Painter.h"
#include "platform/system/gdi/GdiObjects.h"

#include <optional>
#include <vector>

namespace sys {

// Everything SaveDC keeps and RestoreDC brings back.
struct DcSelection {
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    HBITMAP bitmap = nullptr; // memory DCs only
    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF dcBrushColor = RGB(255, 255, 255);
    COLORREF dcPenColor = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT position{0, 0};
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    std::optional<gfx::Region> clip; // the DC's own clip region, device coordinates
};

using DirtyNotify = void (*)(gfx::Surface* surface, const RECT& rect);

struct DcObject : GdiPayload {
    static constexpr GdiKind kKind = GdiKind::Dc;
    bool memory = true;
    HWND hwnd = nullptr;
    gfx::Surface* windowSurface = nullptr; // window DCs: the top-level window's pixels
    POINT origin{0, 0};                    // surface position of device (0, 0)
    gfx::Region visible;                   // window DCs: pixels it may touch, surface coordinates
    DirtyNotify dirty = nullptr;
    DcSelection cur;
    std::vector<DcSelection> saved;
};

// A DC's pixels for one drawing call: logical + offset = surface position, and
// nothing outside clip (surface coordinates) may change.
struct DcCanvas {
    DcObject* dc = nullptr;
    gfx::Surface* surface = nullptr;
    POINT offset{0, 0};
    gfx::Region clip;
};

// Creates a DC object with the default selection. Null when the table is full.
HDC NewDc(bool memory);
DcObject* LookupDc(HDC hdc);
bool IsMemoryDc(HDC hdc);
// True when a pen, brush, font or bitmap is the current selection of some DC.
bool IsSelectedInDc(const void* handle);
// The DC a bitmap is selected into, if any.
HDC DcHoldingBitmap(HBITMAP bitmap);
// Frees a DC: its objects are deselected (not deleted).
void FreeDc(HDC hdc);

// False for a bad DC or one with nothing to draw on.
bool BeginCanvas(HDC hdc, DcCanvas& out);
// A painter on the canvas: logical coordinates in, clipped to the DC.
gfx::Painter MakePainter(const DcCanvas& canvas);
// Reports pixels a call may have changed (logical coordinates, grown by margin
// on every side) to the window manager.
void EndCanvas(const DcCanvas& canvas, const RECT& changed, int margin = 0);

// Effective colours of a selected pen and brush (the DC pen and brush follow the DC).
COLORREF PenColor(const DcObject& dc, const PenObject& pen);
COLORREF BrushColor(const DcObject& dc, const BrushObject& brush);
// The rasterizer's view of the selected pen and brush.
gfx::Pen CurrentPen(const DcObject& dc);
gfx::Brush CurrentBrush(const DcObject& dc);
// A brush handle, or a system colour index + 1 as FillRect accepts, for the
// rasterizer. False for anything else.
bool BrushForFill(const DcObject& dc, HBRUSH brush, gfx::Brush* out);

} // namespace sys
