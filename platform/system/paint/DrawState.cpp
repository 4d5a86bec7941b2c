// DrawState: text, icons and bitmaps in the normal or the disabled (embossed) look.
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/DcState.h"
#include "platform/system/paint/DrawTextLayout.h"
#include "platform/system/window/SysMetrics.h"

#include <cstring>

namespace {

// Text in one colour, transparent, clipped to its box.
void StateText(HDC hdc, LPCSTR text, int length, const RECT& box, UINT format, COLORREF color)
{
    COLORREF oldColor = SetTextColor(hdc, color);
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    RECT r = box;
    DrawTextA(hdc, text, length, &r, format);
    SetBkMode(hdc, oldMode);
    SetTextColor(hdc, oldColor);
}

} // namespace

BOOL DrawStateA(HDC hdc, HBRUSH /*brush*/, DRAWSTATEPROC proc, LPARAM data, WPARAM wData, int x, int y, int cx, int cy,
                UINT flags)
{
    sys::DcObject* dc = sys::LookupDc(hdc);
    if (!dc) return FALSE;
    const UINT type = flags & 0x000F;
    const bool disabled = (flags & DSS_DISABLED) != 0;

    if (type == DST_TEXT || type == DST_PREFIXTEXT) {
        auto text = reinterpret_cast<LPCSTR>(data);
        if (!text) return FALSE;
        int length = wData == 0 ? lstrlenA(text) : static_cast<int>(std::min<WPARAM>(wData, 1u << 30));
        UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE;
        if (type == DST_TEXT) format |= DT_NOPREFIX;
        if (flags & DSS_HIDEPREFIX) format |= DT_HIDEPREFIX;
        if (flags & DSS_PREFIXONLY) format |= DT_PREFIXONLY;
        if (cx == 0 || cy == 0) {
            RECT measured{0, 0, 0, 0};
            DrawTextA(hdc, text, length, &measured, format | DT_CALCRECT);
            if (cx == 0) cx = measured.right;
            if (cy == 0) cy = measured.bottom;
        }
        RECT box{x, y, x + cx, y + cy};
        if (disabled) {
            // Embossed: a highlight copy one pixel down and right, the shadow copy on top.
            RECT shifted{box.left + 1, box.top + 1, box.right + 1, box.bottom + 1};
            StateText(hdc, text, length, shifted, format, GetSysColor(COLOR_3DHIGHLIGHT));
            StateText(hdc, text, length, box, format, GetSysColor(COLOR_3DSHADOW));
        } else {
            StateText(hdc, text, length, box, format, dc->cur.textColor);
        }
        return TRUE;
    }
    if (type == DST_ICON) {
        auto icon = reinterpret_cast<HICON>(data);
        return DrawIconEx(hdc, x, y, icon, cx, cy, 0, nullptr, DI_NORMAL);
    }
    if (type == DST_BITMAP) {
        auto bitmap = reinterpret_cast<HBITMAP>(data);
        BITMAP bm;
        if (!GetObjectA(bitmap, sizeof(bm), &bm)) return FALSE;
        HDC memory = CreateCompatibleDC(hdc);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BOOL ok = old ? BitBlt(hdc, x, y, cx ? cx : bm.bmWidth, cy ? cy : bm.bmHeight, memory, 0, 0, SRCCOPY) : FALSE;
        if (old) SelectObject(memory, old);
        DeleteDC(memory);
        return ok;
    }
    if (type == DST_COMPLEX) {
        if (!proc) return FALSE;
        // The callback draws at its own (0, 0), which sits at (x, y), clipped to cx x cy.
        int saved = SaveDC(hdc);
        OffsetViewportOrgEx(hdc, x, y, nullptr);
        if (cx > 0 && cy > 0) IntersectClipRect(hdc, 0, 0, cx, cy);
        BOOL ok = proc(hdc, data, wData, cx, cy);
        RestoreDC(hdc, saved);
        return ok;
    }
    return FALSE;
}
