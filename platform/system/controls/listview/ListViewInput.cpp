// Selection by mouse and keyboard, with NM_CLICK, NM_DBLCLK, NM_RCLICK and
// LVN_KEYDOWN to the owner.
#include "platform/system/controls/listview/ListViewInternal.h"
#include "platform/system/input/VirtualKeys.h"

#include <algorithm>

namespace sys::lv {

namespace {

bool SingleSel(const ListView& lv)
{
    return (Style(lv) & LVS_SINGLESEL) != 0;
}

LRESULT NotifyClick(const ListView& lv, UINT code, int row, int subItem, POINT at, UINT keys)
{
    NMITEMACTIVATE nm{};
    nm.iItem = row;
    nm.iSubItem = subItem;
    nm.ptAction = at;
    nm.lParam = row >= 0 ? lv.rows.Param(row) : 0;
    nm.uKeyFlags = keys;
    return Notify(lv, code, &nm.hdr);
}

// Clicks and keys agree on what a plain, shift and ctrl choice of `row` does.
void Choose(ListView& lv, int row, bool shift, bool ctrl)
{
    HWND self = lv.hwnd;
    if (shift && !SingleSel(lv) && lv.mark >= 0 && lv.mark < lv.rows.Count()) {
        int mark = lv.mark;
        SelectRange(lv, mark, row);
        if (ListView* cur = From(self)) SetFocusItem(*cur, row);
    } else if (ctrl && !SingleSel(lv)) {
        SetFocusItem(lv, row);
        if (ListView* cur = From(self)) cur->mark = row;
    } else {
        SelectOnly(lv, row);
        if (ListView* cur = From(self)) cur->mark = row;
    }
    if (ListView* cur = From(self)) EnsureVisible(*cur, row, false);
}

LRESULT ButtonDown(ListView& lv, WPARAM keys, POINT p, bool right)
{
    HWND self = lv.hwnd;
    if (GetFocus() != self) SetFocus(self);
    ListView* cur = From(self);
    if (!cur) return 0;
    int row = -1, subItem = 0;
    UINT flags = HitFlags(*cur, p, &row, &subItem);
    bool onItem = (flags & LVHT_ONITEM) != 0;
    bool shift = (keys & MK_SHIFT) != 0, ctrl = (keys & MK_CONTROL) != 0;
    if (onItem) {
        if (ctrl && !right && !SingleSel(*cur)) {
            bool selected = IsSelected(*cur, row);
            SetItemState(*cur, row, selected ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            if ((cur = From(self))) {
                SetFocusItem(*cur, row);
                if ((cur = From(self))) cur->mark = row;
            }
        } else if (right && IsSelected(*cur, row)) {
            SetFocusItem(*cur, row);
        } else {
            Choose(*cur, row, shift && !right, false);
        }
    } else if (!ctrl) {
        SetItemState(*cur, -1, 0, LVIS_SELECTED);
    }
    if ((cur = From(self))) {
        cur->clickItem = onItem ? row : -1;
        cur->clickPending = true;
    }
    return 0;
}

LRESULT ButtonUp(ListView& lv, WPARAM keys, POINT p, bool right)
{
    if (!lv.clickPending) return 0;
    lv.clickPending = false;
    int row = -1, subItem = 0;
    HitFlags(lv, p, &row, &subItem);
    int item = lv.clickItem >= 0 && row == lv.clickItem ? row : -1;
    UINT k = 0;
    if (keys & MK_SHIFT) k |= 0x0004;   // LVKF_SHIFT
    if (keys & MK_CONTROL) k |= 0x0002; // LVKF_CONTROL
    HWND self = lv.hwnd;
    LRESULT handled = NotifyClick(lv, right ? NM_RCLICK : NM_CLICK, item, item >= 0 ? subItem : 0, p, k);
    // An owner that did not take the right click gets the context menu request.
    if (right && !handled && IsWindow(self)) {
        POINT screen = p;
        ClientToScreen(self, &screen);
        SendMessage(self, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(self),
                    MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    }
    return 0;
}

} // namespace

LRESULT OnMouse(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam)
{
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN: return ButtonDown(lv, wParam, p, false);
    case WM_RBUTTONDOWN: return ButtonDown(lv, wParam, p, true);
    case WM_LBUTTONUP: return ButtonUp(lv, wParam, p, false);
    case WM_RBUTTONUP: return ButtonUp(lv, wParam, p, true);
    case WM_LBUTTONDBLCLK: {
        HWND self = lv.hwnd;
        ButtonDown(lv, wParam, p, false);
        ListView* cur = From(self);
        if (!cur) return 0;
        cur->clickPending = false;
        int row = -1, subItem = 0;
        UINT flags = HitFlags(*cur, p, &row, &subItem);
        int item = (flags & LVHT_ONITEM) ? row : -1;
        NotifyClick(*cur, NM_DBLCLK, item, item >= 0 ? subItem : 0, p, 0);
        if (item >= 0 && (cur = From(self))) NotifyClick(*cur, LVN_ITEMACTIVATE, item, subItem, p, 0);
        return 0;
    }
    default: return 0;
    }
}

LRESULT OnKeyDown(ListView& lv, WPARAM key)
{
    HWND self = lv.hwnd;
    NMLVKEYDOWN nm{};
    nm.wVKey = static_cast<WORD>(key);
    Notify(lv, LVN_KEYDOWN, &nm.hdr);
    ListView* cur = From(self);
    if (!cur) return 0;
    int count = cur->rows.Count();
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    int from = cur->focused >= 0 ? cur->focused : -1;
    int page = std::max(1, FullRowsVisible(*cur) - 1);
    int target = -1;
    switch (key) {
    case VK_UP: target = from < 0 ? 0 : from - 1; break;
    case VK_DOWN: target = from < 0 ? 0 : from + 1; break;
    case VK_PRIOR: target = from < 0 ? 0 : from - page; break;
    case VK_NEXT: target = from < 0 ? 0 : from + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    case VK_LEFT: OnScroll(*cur, SB_HORZ, SB_LINELEFT); return 0;
    case VK_RIGHT: OnScroll(*cur, SB_HORZ, SB_LINERIGHT); return 0;
    case VK_SPACE:
        if (from >= 0) {
            if (ctrl && !SingleSel(*cur))
                SetItemState(*cur, from, IsSelected(*cur, from) ? 0 : LVIS_SELECTED, LVIS_SELECTED);
            else if (!IsSelected(*cur, from))
                Choose(*cur, from, false, false);
        }
        return 0;
    default: return 0;
    }
    if (count == 0) return 0;
    target = std::clamp(target, 0, count - 1);
    Choose(*cur, target, shift, ctrl);
    return 0;
}

} // namespace sys::lv
