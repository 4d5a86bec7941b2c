// The list box on screen: rows of the font's height, the selected row in the
// highlight colours, the caret row framed while focused; keys, clicks and the
// wheel move the selection and the view.
#include "platform/system/controls/PressTracker.h"
#include "platform/system/controls/listbox/ListBoxInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>

namespace sys::lb {

namespace {

int Count(const ListBox& lb)
{
    return static_cast<int>(lb.items.size());
}

RECT Client(const ListBox& lb)
{
    RECT r{};
    GetClientRect(lb.hwnd, &r);
    return r;
}

HGDIOBJ Font(const ListBox& lb)
{
    return lb.font ? static_cast<HGDIOBJ>(lb.font) : GetStockObject(DEFAULT_GUI_FONT);
}

} // namespace

int ItemHeight(const ListBox& lb)
{
    if (lb.itemHeight > 0) return lb.itemHeight;
    HDC hdc = GetDC(lb.hwnd);
    if (!hdc) return 16;
    HGDIOBJ old = SelectObject(hdc, Font(lb));
    TEXTMETRICA tm{};
    int h = GetTextMetrics(hdc, &tm) ? static_cast<int>(tm.tmHeight) + 2 : 16;
    SelectObject(hdc, old);
    ReleaseDC(lb.hwnd, hdc);
    return std::max(1, h);
}

int PerPage(const ListBox& lb)
{
    RECT c = Client(lb);
    return std::max(1, (c.bottom - c.top) / ItemHeight(lb));
}

RECT ItemRect(const ListBox& lb, int index)
{
    RECT c = Client(lb);
    int h = ItemHeight(lb);
    int top = (index - lb.top) * h;
    return RECT{c.left, top, c.right, top + h};
}

int ItemFromPoint(const ListBox& lb, POINT p)
{
    RECT c = Client(lb);
    if (!PtInRect(&c, p)) return -1;
    int index = lb.top + p.y / ItemHeight(lb);
    return index < Count(lb) ? index : -1;
}

void UpdateScroll(ListBox& lb)
{
    int per = PerPage(lb);
    int count = Count(lb);
    lb.top = std::clamp(lb.top, 0, std::max(0, count - per));
    bool need = count > per;
    ScrollModel& m = lb.bars.Model(SB_VERT);
    m.Set(0, std::max(0, count - 1), per, lb.top);
    HWND hwnd = lb.hwnd;
    // Showing the bar narrows the client area, which comes back here through WM_SIZE.
    if (WindowScrollBars::Show(hwnd, SB_VERT, need) && !From(hwnd)) return;
    WindowScrollBars::Invalidate(hwnd);
}

void ScrollTo(ListBox& lb, int top)
{
    top = std::clamp(top, 0, std::max(0, Count(lb) - PerPage(lb)));
    if (top == lb.top) return;
    lb.top = top;
    lb.bars.Model(SB_VERT).pos = lb.bars.Model(SB_VERT).ClampPos(top);
    InvalidateRect(lb.hwnd, nullptr, TRUE);
    WindowScrollBars::Invalidate(lb.hwnd);
}

void EnsureVisible(ListBox& lb, int index)
{
    if (index < 0) return;
    int per = PerPage(lb);
    if (index < lb.top)
        ScrollTo(lb, index);
    else if (index >= lb.top + per)
        ScrollTo(lb, index - per + 1);
}

void Select(ListBox& lb, int index, bool notify)
{
    if (index >= Count(lb)) index = Count(lb) - 1;
    bool moved = index != lb.sel;
    lb.sel = index;
    if (index >= 0) lb.caret = index;
    InvalidateRect(lb.hwnd, nullptr, TRUE);
    if (moved && notify) NotifyParent(lb.hwnd, LBN_SELCHANGE);
}

void Paint(const ListBox& lb, HDC hdc)
{
    RECT c = Client(lb);
    HWND parent = GetParent(lb.hwnd);
    HBRUSH bg = nullptr;
    if (parent)
        bg = reinterpret_cast<HBRUSH>(
            SendMessage(parent, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(lb.hwnd)));
    else
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
    FillRect(hdc, &c, bg ? bg : GetSysColorBrush(COLOR_WINDOW));
    HGDIOBJ oldFont = SelectObject(hdc, Font(lb));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF text = GetTextColor(hdc);
    int h = ItemHeight(lb);
    bool enabled = IsWindowEnabled(lb.hwnd) != FALSE;
    for (int i = lb.top; i < Count(lb); ++i) {
        RECT r = ItemRect(lb, i);
        if (r.top >= c.bottom) break;
        bool selected = i == lb.sel;
        if (selected) FillRect(hdc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, !enabled ? GetSysColor(COLOR_GRAYTEXT) : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text);
        const CString& s = lb.items[static_cast<std::size_t>(i)].text;
        RECT t{r.left + 2, r.top, r.right - 2, r.top + h};
        DrawText(hdc, s.GetString(), static_cast<int>(s.GetLength()), &t, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (lb.focused && i == lb.caret) DrawFocusRect(hdc, &r);
    }
    if (lb.focused && lb.items.empty()) {
        RECT r{c.left, c.top, c.right, c.top + h};
        DrawFocusRect(hdc, &r);
    }
    SetTextColor(hdc, text);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, oldFont);
}

LRESULT OnKeyDown(ListBox& lb, WPARAM key)
{
    int count = Count(lb);
    if (count == 0) return 0;
    int from = lb.sel >= 0 ? lb.sel : lb.caret;
    int per = PerPage(lb);
    int target = from;
    switch (key) {
    case VK_UP:
    case VK_LEFT: target = lb.sel < 0 ? from : from - 1; break;
    case VK_DOWN:
    case VK_RIGHT: target = lb.sel < 0 ? from : from + 1; break;
    case VK_PRIOR: target = from - (per - 1 > 0 ? per - 1 : 1); break;
    case VK_NEXT: target = from + (per - 1 > 0 ? per - 1 : 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    default: return 0;
    }
    target = std::clamp(target, 0, count - 1);
    HWND hwnd = lb.hwnd;
    Select(lb, target, true);
    if (ListBox* again = From(hwnd)) EnsureVisible(*again, std::min(target, Count(*again) - 1));
    return 0;
}

LRESULT OnChar(ListBox& lb, WPARAM ch)
{
    if (ch < 0x20 || ch > 0xFF) return 0;
    char prefix[2] = {static_cast<char>(ch), '\0'};
    int n = Count(lb);
    int from = lb.sel >= 0 ? lb.sel : -1;
    for (int k = 1; k <= n; ++k) {
        int i = (from + k + n) % n;
        const CString& t = lb.items[static_cast<std::size_t>(i)].text;
        if (!t.IsEmpty() && CompareText(CString(t.GetString(), 1), prefix) == 0) {
            HWND hwnd = lb.hwnd;
            Select(lb, i, true);
            if (ListBox* again = From(hwnd)) EnsureVisible(*again, std::min(i, Count(*again) - 1));
            break;
        }
    }
    return 0;
}

namespace {

// A press in the list: the selection follows the held button wherever it
// goes, so the whole list counts as under the pointer.
PressTracker Press(const ListBox& lb)
{
    return PressTracker(lb.tracking, true);
}

LRESULT ButtonDown(ListBox& lb, POINT p)
{
    HWND hwnd = lb.hwnd;
    if (GetFocus() != hwnd) SetFocus(hwnd);
    ListBox* again = From(hwnd);
    if (!again) return 0;
    int index = ItemFromPoint(*again, p);
    if (index >= 0) Select(*again, index, true);
    if ((again = From(hwnd))) {
        PressTracker press = Press(*again);
        press.Press();
        again->tracking = press.Held();
        SetCapture(hwnd);
    }
    return 0;
}

LRESULT Drag(ListBox& lb, POINT p)
{
    if (!lb.tracking) return 0;
    RECT c = Client(lb);
    p.y = std::clamp(p.y, static_cast<int>(c.top), static_cast<int>(c.bottom) - 1);
    p.x = std::clamp(p.x, static_cast<int>(c.left), static_cast<int>(c.right) - 1);
    int index = ItemFromPoint(lb, p);
    if (index >= 0 && index != lb.sel) {
        HWND hwnd = lb.hwnd;
        Select(lb, index, true);
        if (ListBox* again = From(hwnd)) EnsureVisible(*again, index);
    }
    return 0;
}

LRESULT ButtonUp(ListBox& lb)
{
    PressTracker press = Press(lb);
    if (press.Release() == PressEnd::None) return 0;
    lb.tracking = press.Held();
    EndCapture(lb.hwnd);
    return 0;
}

LRESULT DoubleClick(ListBox& lb, POINT p)
{
    int index = ItemFromPoint(lb, p);
    if (index >= 0) {
        HWND hwnd = lb.hwnd;
        Select(lb, index, true);
        if (From(hwnd)) NotifyParent(hwnd, LBN_DBLCLK);
    }
    return 0;
}

} // namespace

LRESULT OnMouse(ListBox& lb, UINT message, WPARAM, LPARAM lParam)
{
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_LBUTTONDOWN: return ButtonDown(lb, p);
    case WM_MOUSEMOVE: return Drag(lb, p);
    case WM_LBUTTONUP: return ButtonUp(lb);
    case WM_LBUTTONDBLCLK: return DoubleClick(lb, p);
    default: return 0;
    }
}

} // namespace sys::lb
