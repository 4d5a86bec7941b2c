// The tab control's mouse and keyboard: a click or an arrow key selects a tab,
// the mouse hovering a tab makes it hot.
#include "platform/system/controls/tab/TabInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/input/VirtualKeys.h"

namespace sys::tab {

namespace {

void InvalidateItem(const Tab& t, HWND hwnd, int index)
{
    if (index < 0 || index >= static_cast<int>(t.items.size())) return;
    RECT r = DrawnRect(t, hwnd, index);
    InvalidateRect(hwnd, &r, TRUE);
}

void SetHot(Tab& t, HWND hwnd, int hot)
{
    if (hot == t.hot) return;
    bool track = (GetWindowLong(hwnd, GWL_STYLE) & TCS_HOTTRACK) != 0;
    int old = t.hot;
    t.hot = hot;
    if (!track) return;
    InvalidateItem(t, hwnd, old);
    InvalidateItem(t, hwnd, hot);
}

} // namespace

LRESULT OnMouse(Tab& t, HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_MOUSEMOVE: {
        SetHot(t, hwnd, HitTest(t, hwnd, p, nullptr));
        if (!t.leaveArmed) {
            TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
            t.leaveArmed = TrackMouseEvent(&tme) != FALSE;
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        t.leaveArmed = false;
        SetHot(t, hwnd, -1);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        int index = HitTest(t, hwnd, p, nullptr);
        if (!(GetWindowLong(hwnd, GWL_STYLE) & TCS_FOCUSNEVER) && index >= 0 && GetFocus() != hwnd) SetFocus(hwnd);
        if (index >= 0) UserSelect(hwnd, index);
        return 0;
    }
    default: return 0;
    }
}

LRESULT OnKeyDown(Tab& t, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    HWND parent = GetParent(hwnd);
    if (parent) {
        NMTCKEYDOWN nm{};
        nm.hdr.hwndFrom = hwnd;
        nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
        nm.hdr.code = TCN_KEYDOWN;
        nm.wVKey = static_cast<WORD>(wParam);
        nm.flags = static_cast<UINT>(HIWORD(lParam));
        SendMessage(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
        if (!IsWindow(hwnd) || From(hwnd) != &t) return 0;
    }
    int count = static_cast<int>(t.items.size());
    if (count == 0) return 0;
    int target = t.cur;
    switch (wParam) {
    case VK_LEFT:
    case VK_UP: target = t.cur <= 0 ? 0 : t.cur - 1; break;
    case VK_RIGHT:
    case VK_DOWN: target = t.cur < 0 ? 0 : std::min(t.cur + 1, count - 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    default: return 0;
    }
    UserSelect(hwnd, target);
    return 0;
}

} // namespace sys::tab
