// Colours, modes, the current position and the coordinate origins of a DC.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"

using sys::DcObject;
using sys::LookupDc;

namespace {

// Colours with a set high byte are palette references or invalid; the low bytes are kept.
COLORREF Exchange(HDC hdc, COLORREF sys::DcSelection::*field, COLORREF value)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return CLR_INVALID;
    COLORREF previous = dc->cur.*field;
    dc->cur.*field = value & 0x00FFFFFF;
    return previous;
}

COLORREF Read(HDC hdc, COLORREF sys::DcSelection::*field)
{
    DcObject* dc = LookupDc(hdc);
    return dc ? dc->cur.*field : CLR_INVALID;
}

BOOL SetPoint(HDC hdc, POINT sys::DcSelection::*field, int x, int y, LPPOINT previous)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return FALSE;
    if (previous) *previous = dc->cur.*field;
    dc->cur.*field = POINT{x, y};
    return TRUE;
}

BOOL GetPoint(HDC hdc, POINT sys::DcSelection::*field, LPPOINT out)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || !out) return FALSE;
    *out = dc->cur.*field;
    return TRUE;
}

} // namespace

COLORREF SetBkColor(HDC hdc, COLORREF color) { return Exchange(hdc, &sys::DcSelection::bkColor, color); }
COLORREF GetBkColor(HDC hdc) { return Read(hdc, &sys::DcSelection::bkColor); }
COLORREF SetTextColor(HDC hdc, COLORREF color) { return Exchange(hdc, &sys::DcSelection::textColor, color); }
COLORREF GetTextColor(HDC hdc) { return Read(hdc, &sys::DcSelection::textColor); }
COLORREF SetDCBrushColor(HDC hdc, COLORREF color) { return Exchange(hdc, &sys::DcSelection::dcBrushColor, color); }
COLORREF SetDCPenColor(HDC hdc, COLORREF color) { return Exchange(hdc, &sys::DcSelection::dcPenColor, color); }

int SetBkMode(HDC hdc, int mode)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || (mode != TRANSPARENT && mode != OPAQUE)) return 0;
    int previous = dc->cur.bkMode;
    dc->cur.bkMode = mode;
    return previous;
}

int GetBkMode(HDC hdc)
{
    DcObject* dc = LookupDc(hdc);
    return dc ? dc->cur.bkMode : 0;
}

int SetROP2(HDC hdc, int mode)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || mode < R2_BLACK || mode > R2_WHITE) return 0;
    int previous = dc->cur.rop2;
    dc->cur.rop2 = mode;
    return previous;
}

int GetROP2(HDC hdc)
{
    DcObject* dc = LookupDc(hdc);
    return dc ? dc->cur.rop2 : 0;
}

UINT SetTextAlign(HDC hdc, UINT align)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return GDI_ERROR;
    UINT previous = dc->cur.textAlign;
    dc->cur.textAlign = align;
    return previous;
}

UINT GetTextAlign(HDC hdc)
{
    DcObject* dc = LookupDc(hdc);
    return dc ? dc->cur.textAlign : GDI_ERROR;
}

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous)
{
    return SetPoint(hdc, &sys::DcSelection::position, x, y, previous);
}
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position)
{
    return GetPoint(hdc, &sys::DcSelection::position, position);
}
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous)
{
    return SetPoint(hdc, &sys::DcSelection::viewportOrg, x, y, previous);
}
BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin) { return GetPoint(hdc, &sys::DcSelection::viewportOrg, origin); }
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous)
{
    return SetPoint(hdc, &sys::DcSelection::windowOrg, x, y, previous);
}
BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin) { return GetPoint(hdc, &sys::DcSelection::windowOrg, origin); }

BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc) return FALSE;
    if (previous) *previous = dc->cur.viewportOrg;
    dc->cur.viewportOrg.x += dx;
    dc->cur.viewportOrg.y += dy;
    return TRUE;
}

BOOL LPtoDP(HDC hdc, LPPOINT points, int count)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || (!points && count > 0) || count < 0) return FALSE;
    for (int i = 0; i < count; ++i) {
        points[i].x += dc->cur.viewportOrg.x - dc->cur.windowOrg.x;
        points[i].y += dc->cur.viewportOrg.y - dc->cur.windowOrg.y;
    }
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count)
{
    DcObject* dc = LookupDc(hdc);
    if (!dc || (!points && count > 0) || count < 0) return FALSE;
    for (int i = 0; i < count; ++i) {
        points[i].x -= dc->cur.viewportOrg.x - dc->cur.windowOrg.x;
        points[i].y -= dc->cur.viewportOrg.y - dc->cur.windowOrg.y;
    }
    return TRUE;
}
