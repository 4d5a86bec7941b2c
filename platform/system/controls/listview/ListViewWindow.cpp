// The list view's procedure: creation with its header child, the messages of
// the window's life, and dispatch of the LVM_ messages.
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/controls/listview/ListViewInternal.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"

namespace sys {
bool RegisterHeaderClass();
}

namespace sys::lv {

namespace {

LRESULT OnCreate(ListView& lv, const CREATESTRUCT* cs)
{
    HWND self = lv.hwnd;
    lv.notify = cs ? cs->hwndParent : GetParent(self);
    lv.id = GetDlgCtrlID(self);
    lv.bkColor = GetSysColor(COLOR_WINDOW);
    lv.textColor = GetSysColor(COLOR_WINDOWTEXT);
    DWORD style = Style(lv);
    DWORD headerStyle = WS_CHILD | HDS_HORZ | HDS_FULLDRAG | HDS_HOTTRACK;
    if (!(style & LVS_NOSORTHEADER)) headerStyle |= HDS_BUTTONS;
    if ((style & LVS_TYPEMASK) == LVS_REPORT && !(style & LVS_NOCOLUMNHEADER)) headerStyle |= WS_VISIBLE;
    HWND header = CreateWindowEx(0, kHeaderClass, "", headerStyle, 0, 0, 0, 0, self, nullptr, nullptr, nullptr);
    ListView* cur = From(self);
    if (!cur) return -1;
    cur->header = header;
    MeasureFont(*cur);
    Measure(*cur);
    if ((cur = From(self))) Layout(*cur);
    return 0;
}

LRESULT SetExtendedStyle(ListView& lv, WPARAM mask, LPARAM value)
{
    DWORD old = lv.exStyle;
    DWORD m = mask ? static_cast<DWORD>(mask) : 0xFFFFFFFF;
    lv.exStyle = (old & ~m) | (static_cast<DWORD>(value) & m);
    if (lv.exStyle != old) {
        // The owner sets the extended style once its columns and header are in
        // place: the header's answer to HDM_LAYOUT may have changed since creation.
        Refresh(lv);
    }
    return static_cast<LRESULT>(old);
}

LRESULT SetColor(ListView& lv, COLORREF* slot, LPARAM value)
{
    *slot = static_cast<COLORREF>(value);
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    lv.invalidFrom = 0;
    return TRUE;
}

LRESULT PaintMessage(ListView& lv, WPARAM wParam)
{
    HWND self = lv.hwnd;
    lv.invalidFrom = -1;
    if (wParam) {
        RECT client{};
        GetClientRect(self, &client);
        Paint(lv, reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(self, &ps);
    if (!hdc) return 0;
    if (ListView* cur = From(self)) Paint(*cur, hdc, ps.rcPaint);
    EndPaint(self, &ps);
    return 0;
}

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListView* lv = ControlState<ListView>::ForMessage(hwnd, message);
    if (!lv) return DefWindowProc(hwnd, message, wParam, lParam);
    bool handled = false;
    if (message >= LVM_FIRST && message < LVM_FIRST + 0x100) {
        LRESULT r = ItemMessage(*lv, message, wParam, lParam, &handled);
        if (handled) return r;
        r = ColumnMessage(*lv, message, wParam, lParam, &handled);
        if (handled) return r;
    }
    switch (message) {
    case WM_CREATE: return OnCreate(*lv, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_NCDESTROY:
        ControlState<ListView>::Destroy(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_SIZE: Layout(*lv); return 0;
    case WM_WINDOWPOSCHANGED: {
        // The owner measures its rows again whenever the list is sized or
        // told so; showing or moving alone does not ask.
        auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (!lv->inLayout && wp && !(wp->flags & SWP_NOSIZE)) Measure(*lv);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(static_cast<LONG>(GWL_STYLE)) && lParam) {
            auto* ss = reinterpret_cast<const STYLESTRUCT*>(lParam);
            DWORD changed = ss->styleOld ^ ss->styleNew;
            if (changed & (LVS_TYPEMASK | LVS_NOCOLUMNHEADER | LVS_NOSCROLL | LVS_OWNERDRAWFIXED)) Refresh(*lv);
        }
        return 0;
    case WM_SETFONT: {
        lv->font = reinterpret_cast<HFONT>(wParam);
        if (lv->header) SendMessage(lv->header, WM_SETFONT, wParam, lParam);
        if (!(lv = From(hwnd))) return 0;
        MeasureFont(*lv);
        Measure(*lv);
        if ((lv = From(hwnd))) {
            Layout(*lv);
            if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    }
    case WM_GETFONT: return reinterpret_cast<LRESULT>(lv->font);
    case WM_ERASEBKGND:
        if (wParam) EraseBackground(*lv, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: return PaintMessage(*lv, wParam);
    case WM_NCPAINT: {
        DefWindowProc(hwnd, message, wParam, lParam);
        if ((lv = From(hwnd))) {
            lv->barsDirty = false;
            lv->bars.Paint(hwnd);
        }
        return 0;
    }
    case WM_NCLBUTTONDOWN:
        if (lv->bars.OnNcLButtonDown(hwnd, wParam, lParam)) return 0;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (lv->bars.OnNcLButtonDown(hwnd, wParam, lParam)) return 0;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_MOUSEMOVE:
        if (lv->bars.OnMouseMove(hwnd, lParam)) return 0;
        return 0;
    case WM_LBUTTONUP:
        if (lv->bars.OnLButtonUp(hwnd, lParam)) return 0;
        return OnMouse(*lv, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
        if (lv->bars.Tracking()) return 0;
        return OnMouse(*lv, message, wParam, lParam);
    case WM_TIMER:
        if (lv->bars.OnTimer(hwnd, wParam)) return 0;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CAPTURECHANGED: lv->bars.OnCaptureChanged(hwnd); return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
        // Scroll bar controls of other windows would name themselves in lParam.
        if (lParam) return 0;
        OnScroll(*lv, message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL: OnWheel(*lv, static_cast<short>(HIWORD(wParam))); return 0;
    case WM_KEYDOWN: return OnKeyDown(*lv, wParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        lv->hasFocus = message == WM_SETFOCUS;
        InvalidateRect(hwnd, nullptr, TRUE);
        lv->invalidFrom = 0;
        NMHDR hdr{};
        Notify(*lv, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS, &hdr);
        return 0;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr && hdr->hwndFrom == lv->header && lv->header) return OnHeaderNotify(*lv, hdr, lParam);
        return 0;
    }
    case LVM_GETBKCOLOR: return static_cast<LRESULT>(lv->bkColor);
    case LVM_SETBKCOLOR: return SetColor(*lv, &lv->bkColor, lParam);
    case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(lv->textColor);
    case LVM_SETTEXTCOLOR: return SetColor(*lv, &lv->textColor, lParam);
    case LVM_GETTEXTBKCOLOR: return static_cast<LRESULT>(lv->textBkColor);
    case LVM_SETTEXTBKCOLOR: return SetColor(*lv, &lv->textBkColor, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(lv->exStyle);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return SetExtendedStyle(*lv, wParam, lParam);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

} // namespace sys::lv

namespace sys {

bool RegisterListViewClasses()
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = &lv::Proc;
    wc.cbWndExtra = ControlState<lv::ListView>::kExtraBytes;
    wc.lpszClassName = kListViewClass;
    bool list = RegisterSystemClass(wc);
    return RegisterHeaderClass() && list;
}

} // namespace sys

void InitCommonControls() { sys::RegisterListViewClasses(); }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc)
{
    if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    if (icc->dwICC & ICC_LISTVIEW_CLASSES) return sys::RegisterListViewClasses() ? TRUE : FALSE;
    return TRUE;
}
