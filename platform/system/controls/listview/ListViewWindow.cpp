// The list view's procedure: creation with its header child, the messages of
// the window's life, and dispatch of the LVM_ messages.
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/controls/listview/ListViewInternal.h"
#include "platform/system/controls/scrollbar/ScrollBarRoute.h"
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

// The LVM_ messages: items, then columns, then the list's colours and extended style.
LRESULT ListViewMessage(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool handled = false;
    LRESULT r = ItemMessage(lv, message, wParam, lParam, &handled);
    if (handled) return r;
    r = ColumnMessage(lv, message, wParam, lParam, &handled);
    if (handled) return r;
    switch (message) {
    case LVM_GETBKCOLOR: return static_cast<LRESULT>(lv.bkColor);
    case LVM_SETBKCOLOR: return SetColor(lv, &lv.bkColor, lParam);
    case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(lv.textColor);
    case LVM_SETTEXTCOLOR: return SetColor(lv, &lv.textColor, lParam);
    case LVM_GETTEXTBKCOLOR: return static_cast<LRESULT>(lv.textBkColor);
    case LVM_SETTEXTBKCOLOR: return SetColor(lv, &lv.textBkColor, lParam);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return static_cast<LRESULT>(lv.exStyle);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return SetExtendedStyle(lv, wParam, lParam);
    default: return DefWindowProc(lv.hwnd, message, wParam, lParam);
    }
}

bool IsListViewMessage(UINT message)
{
    return message >= LVM_FIRST && message < LVM_FIRST + 0x100;
}

LRESULT OnWindowPosChanged(ListView& lv, WPARAM wParam, LPARAM lParam)
{
    // The owner measures its rows again whenever the list is sized or
    // told so; showing or moving alone does not ask.
    auto* wp = reinterpret_cast<const WINDOWPOS*>(lParam);
    if (!lv.inLayout && wp && !(wp->flags & SWP_NOSIZE)) Measure(lv);
    return DefWindowProc(lv.hwnd, WM_WINDOWPOSCHANGED, wParam, lParam);
}

LRESULT OnStyleChanged(ListView& lv, WPARAM which, const STYLESTRUCT* ss)
{
    if (which != static_cast<WPARAM>(static_cast<LONG>(GWL_STYLE)) || !ss) return 0;
    DWORD changed = ss->styleOld ^ ss->styleNew;
    if (!(changed & (LVS_TYPEMASK | LVS_NOCOLUMNHEADER | LVS_NOSCROLL | LVS_OWNERDRAWFIXED))) return 0;
    Refresh(lv);
    return 0;
}

LRESULT SetFont(ListView& lv, WPARAM wParam, LPARAM lParam)
{
    HWND self = lv.hwnd;
    lv.font = reinterpret_cast<HFONT>(wParam);
    if (lv.header) SendMessage(lv.header, WM_SETFONT, wParam, lParam);
    ListView* cur = From(self);
    if (!cur) return 0;
    MeasureFont(*cur);
    Measure(*cur);
    if (!(cur = From(self))) return 0;
    Layout(*cur);
    if (RedrawAsked(lParam)) InvalidateRect(self, nullptr, TRUE);
    return 0;
}

LRESULT EraseMessage(const ListView& lv, WPARAM wParam)
{
    if (wParam) EraseBackground(lv, reinterpret_cast<HDC>(wParam));
    return 1;
}

// The bars are painted whole with the frame; later row changes may mark them again.
WindowScrollBars* BarsToPaint(HWND hwnd)
{
    ListView* lv = From(hwnd);
    if (!lv) return nullptr;
    lv->barsDirty = false;
    return &lv->bars;
}

// The right button waits, like the left, while a bar is tracked.
LRESULT OnRightButton(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (lv.bars.Tracking()) return 0;
    return OnMouse(lv, message, wParam, lParam);
}

LRESULT OnScrollMessage(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Scroll bar controls of other windows would name themselves in lParam.
    if (lParam) return 0;
    OnScroll(lv, message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wParam));
    return 0;
}

LRESULT OnFocus(ListView& lv, bool gained)
{
    lv.hasFocus = gained;
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    lv.invalidFrom = 0;
    NMHDR hdr{};
    Notify(lv, gained ? NM_SETFOCUS : NM_KILLFOCUS, &hdr);
    return 0;
}

LRESULT OnNotify(ListView& lv, LPARAM lParam)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr && hdr->hwndFrom == lv.header && lv.header) return OnHeaderNotify(lv, hdr, lParam);
    return 0;
}

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListView* lv = ControlState<ListView>::ForMessage(hwnd, message);
    if (!lv) return DefWindowProc(hwnd, message, wParam, lParam);
    if (IsListViewMessage(message)) return ListViewMessage(*lv, message, wParam, lParam);
    LRESULT routed = 0;
    if (RouteScrollBarMessage(lv->bars, &BarsToPaint, hwnd, message, wParam, lParam, &routed)) return routed;
    switch (message) {
    case WM_CREATE: return OnCreate(*lv, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_NCDESTROY: ControlState<ListView>::Destroy(hwnd); return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_SIZE: Layout(*lv); return 0;
    case WM_WINDOWPOSCHANGED: return OnWindowPosChanged(*lv, wParam, lParam);
    case WM_STYLECHANGED: return OnStyleChanged(*lv, wParam, reinterpret_cast<const STYLESTRUCT*>(lParam));
    case WM_SETFONT: return SetFont(*lv, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(lv->font);
    case WM_ERASEBKGND: return EraseMessage(*lv, wParam);
    case WM_PAINT: return PaintMessage(*lv, wParam);
    case WM_LBUTTONUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnMouse(*lv, message, wParam, lParam);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: return OnRightButton(*lv, message, wParam, lParam);
    case WM_VSCROLL:
    case WM_HSCROLL: return OnScrollMessage(*lv, message, wParam, lParam);
    case WM_MOUSEWHEEL: OnWheel(*lv, static_cast<short>(HIWORD(wParam))); return 0;
    case WM_KEYDOWN: return OnKeyDown(*lv, wParam);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(*lv, message == WM_SETFOCUS);
    case WM_NOTIFY: return OnNotify(*lv, lParam);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

} // namespace sys::lv

namespace sys {

bool RegisterListViewClasses()
{
    bool list = RegisterControlClass<lv::ListView>(kListViewClass, &lv::Proc);
    return RegisterHeaderClass() && list;
}

} // namespace sys

void InitCommonControls()
{
    sys::RegisterListViewClasses();
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* icc)
{
    if (!icc || icc->dwSize != sizeof(INITCOMMONCONTROLSEX)) return FALSE;
    if (icc->dwICC & ICC_LISTVIEW_CLASSES) return sys::RegisterListViewClasses() ? TRUE : FALSE;
    return TRUE;
}
