// The list box's procedure: strings and item data, the selection, queries.
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/listbox/ListBoxInternal.h"
#include "platform/system/controls/scrollbar/ScrollBarRoute.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace sys::lb {

namespace {

int Count(const ListBox& lb)
{
    return static_cast<int>(lb.items.size());
}

void Changed(ListBox& lb)
{
    UpdateScroll(lb);
    InvalidateRect(lb.hwnd, nullptr, TRUE);
}

LRESULT Insert(ListBox& lb, int index, LPCSTR text, bool sorted)
{
    Item item;
    item.text = text ? text : "";
    index = InsertPlace(lb.items, index, item.text, sorted);
    if (index < 0) return LB_ERR;
    lb.items.insert(lb.items.begin() + index, item);
    if (lb.sel >= index) ++lb.sel;
    if (lb.caret >= index && Count(lb) > 1) ++lb.caret;
    Changed(lb);
    return index;
}

LRESULT Delete(ListBox& lb, WPARAM wParam)
{
    if (!ValidIndex(lb.items, wParam)) return LB_ERR;
    int index = static_cast<int>(wParam);
    lb.items.erase(lb.items.begin() + index);
    if (lb.sel == index)
        lb.sel = -1;
    else if (lb.sel > index)
        --lb.sel;
    lb.caret = std::clamp(lb.caret > index ? lb.caret - 1 : lb.caret, 0, std::max(0, Count(lb) - 1));
    Changed(lb);
    return Count(lb);
}

LRESULT ResetContent(ListBox& lb)
{
    lb.items.clear();
    lb.sel = -1;
    lb.caret = 0;
    lb.top = 0;
    Changed(lb);
    return 0;
}

LRESULT SetCurSel(ListBox& lb, WPARAM wParam)
{
    if (static_cast<int>(wParam) == -1) {
        Select(lb, -1, false);
        return LB_ERR; // as documented for clearing the selection
    }
    if (!ValidIndex(lb.items, wParam)) return LB_ERR;
    Select(lb, static_cast<int>(wParam), false);
    EnsureVisible(lb, lb.sel);
    return lb.sel;
}

LRESULT GetSel(const ListBox& lb, WPARAM wParam)
{
    if (!ValidIndex(lb.items, wParam)) return LB_ERR;
    return static_cast<int>(wParam) == lb.sel ? 1 : 0;
}

LRESULT SetItemData(ListBox& lb, WPARAM wParam, LPARAM lParam)
{
    if (!ValidIndex(lb.items, wParam)) return LB_ERR;
    ItemAt(lb.items, wParam).data = lParam;
    return TRUE;
}

LRESULT SelectString(ListBox& lb, WPARAM wParam, LPCSTR text)
{
    LRESULT found = FindText(lb.items, wParam, text, false);
    if (found >= 0) {
        Select(lb, static_cast<int>(found), false);
        EnsureVisible(lb, lb.sel);
    }
    return found;
}

LRESULT SetTopIndex(ListBox& lb, WPARAM wParam)
{
    if (!ValidIndex(lb.items, wParam) && wParam != 0) return LB_ERR;
    ScrollTo(lb, static_cast<int>(wParam));
    return 0;
}

LRESULT SetCaretIndex(ListBox& lb, WPARAM wParam)
{
    if (!ValidIndex(lb.items, wParam)) return LB_ERR;
    lb.caret = static_cast<int>(wParam);
    EnsureVisible(lb, lb.caret);
    InvalidateRect(lb.hwnd, nullptr, TRUE);
    return 0;
}

LRESULT GetItemRect(const ListBox& lb, WPARAM wParam, RECT* out)
{
    if (!out || (!ValidIndex(lb.items, wParam) && wParam != 0)) return LB_ERR;
    *out = ItemRect(lb, static_cast<int>(wParam));
    return 0;
}

LRESULT SetItemHeight(ListBox& lb, LPARAM lParam)
{
    int h = static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lParam)));
    if (h <= 0 || h > 255) return LB_ERR;
    lb.itemHeight = h;
    Changed(lb);
    return 0;
}

LRESULT ItemFromPointMessage(const ListBox& lb, LPARAM lParam)
{
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int index = ItemFromPoint(lb, p);
    // High word set when the point lies outside the client area.
    return index >= 0 ? index : MAKELONG(static_cast<WORD>(std::max(0, Count(lb) - 1)), 1);
}

bool IsListMessage(UINT message)
{
    return message >= LB_ADDSTRING && message <= LB_ITEMFROMPOINT;
}

// The LB_ messages.
LRESULT ListMessage(ListBox& lb, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto text = reinterpret_cast<LPCSTR>(lParam);
    switch (message) {
    case LB_ADDSTRING: return Insert(lb, -1, text, (GetWindowLong(lb.hwnd, GWL_STYLE) & LBS_SORT) != 0);
    case LB_INSERTSTRING: return Insert(lb, static_cast<int>(wParam), text, false);
    case LB_DELETESTRING: return Delete(lb, wParam);
    case LB_RESETCONTENT: return ResetContent(lb);
    case LB_GETCOUNT: return Count(lb);
    case LB_GETCURSEL: return lb.sel;
    case LB_SETCURSEL: return SetCurSel(lb, wParam);
    case LB_GETSEL: return GetSel(lb, wParam);
    case LB_GETTEXT: return CopyItemText(lb.items, wParam, reinterpret_cast<LPSTR>(lParam));
    case LB_GETTEXTLEN: return ValidIndex(lb.items, wParam) ? ItemAt(lb.items, wParam).text.GetLength() : LB_ERR;
    case LB_GETITEMDATA: return ValidIndex(lb.items, wParam) ? ItemAt(lb.items, wParam).data : LB_ERR;
    case LB_SETITEMDATA: return SetItemData(lb, wParam, lParam);
    case LB_FINDSTRING: return FindText(lb.items, wParam, text, false);
    case LB_FINDSTRINGEXACT: return FindText(lb.items, wParam, text, true);
    case LB_SELECTSTRING: return SelectString(lb, wParam, text);
    case LB_GETTOPINDEX: return lb.top;
    case LB_SETTOPINDEX: return SetTopIndex(lb, wParam);
    case LB_GETCARETINDEX: return lb.caret;
    case LB_SETCARETINDEX: return SetCaretIndex(lb, wParam);
    case LB_GETITEMRECT: return GetItemRect(lb, wParam, reinterpret_cast<RECT*>(lParam));
    case LB_GETITEMHEIGHT: return ItemHeight(lb);
    case LB_SETITEMHEIGHT: return SetItemHeight(lb, lParam);
    case LB_ITEMFROMPOINT: return ItemFromPointMessage(lb, lParam);
    default: return DefWindowProc(lb.hwnd, message, wParam, lParam);
    }
}

LRESULT PaintMessage(const ListBox& lb, WPARAM wParam)
{
    return PaintIntoGivenOrOwnDc(lb.hwnd, wParam, [&](HDC hdc) { Paint(lb, hdc); });
}

LRESULT OnVScroll(ListBox& lb, WPARAM wParam, LPARAM lParam)
{
    // A scroll bar control of another window would name itself in lParam.
    if (lParam) return 0;
    int per = PerPage(lb);
    switch (LOWORD(wParam)) {
    case SB_LINEUP: ScrollTo(lb, lb.top - 1); break;
    case SB_LINEDOWN: ScrollTo(lb, lb.top + 1); break;
    case SB_PAGEUP: ScrollTo(lb, lb.top - per); break;
    case SB_PAGEDOWN: ScrollTo(lb, lb.top + per); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: ScrollTo(lb, static_cast<short>(HIWORD(wParam))); break;
    case SB_TOP: ScrollTo(lb, 0); break;
    case SB_BOTTOM: ScrollTo(lb, Count(lb)); break;
    default: break;
    }
    return 0;
}

LRESULT SetFont(ListBox& lb, WPARAM wParam, LPARAM lParam)
{
    lb.font = reinterpret_cast<HFONT>(wParam);
    UpdateScroll(lb);
    if (RedrawAsked(lParam)) InvalidateRect(lb.hwnd, nullptr, TRUE);
    return 0;
}

LRESULT OnFocus(ListBox& lb, bool gained)
{
    lb.focused = gained;
    InvalidateRect(lb.hwnd, nullptr, TRUE);
    NotifyParent(lb.hwnd, gained ? LBN_SETFOCUS : LBN_KILLFOCUS);
    return 0;
}

WindowScrollBars* BarsOf(HWND hwnd)
{
    ListBox* lb = From(hwnd);
    return lb ? &lb->bars : nullptr;
}

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListBox* lb = ControlState<ListBox>::ForMessage(hwnd, message);
    if (!lb) return DefWindowProc(hwnd, message, wParam, lParam);
    LRESULT routed = 0;
    if (RouteScrollBarMessage(lb->bars, &BarsOf, hwnd, message, wParam, lParam, &routed)) return routed;
    if (IsListMessage(message)) return ListMessage(*lb, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: ControlState<ListBox>::Destroy(hwnd); return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CREATE: UpdateScroll(*lb); return 0;
    case WM_SIZE: Changed(*lb); return 0;
    case WM_ERASEBKGND: return 1; // painted whole by WM_PAINT
    case WM_PAINT: return PaintMessage(*lb, wParam);
    case WM_CAPTURECHANGED: lb->tracking = false; return 0; // after the bars heard of it
    case WM_VSCROLL: return OnVScroll(*lb, wParam, lParam);
    case WM_MOUSEWHEEL: ScrollTo(*lb, lb->top - 3 * static_cast<short>(HIWORD(wParam)) / 120); return 0;
    case WM_SETFONT: return SetFont(*lb, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(lb->font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(*lb, message == WM_SETFOCUS);
    case WM_KEYDOWN: return OnKeyDown(*lb, wParam);
    case WM_CHAR: return OnChar(*lb, wParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnMouse(*lb, message, wParam, lParam);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

ListBox* From(HWND hwnd)
{
    return ControlState<ListBox>::Find(hwnd);
}

int InsertPlace(const std::vector<Item>& items, int index, const CString& text, bool sorted)
{
    int count = static_cast<int>(items.size());
    if (sorted) {
        index = 0;
        while (index < count && CompareText(items[static_cast<std::size_t>(index)].text, text) <= 0)
            ++index;
        return index;
    }
    if (index >= 0 && index <= count) return index;
    return index == -1 ? count : -1;
}

int FindText(const std::vector<Item>& items, WPARAM start, LPCSTR text, bool exact)
{
    if (!text || items.empty()) return -1;
    int n = static_cast<int>(items.size());
    int from = static_cast<int>(start);
    if (from < -1 || from >= n) from = -1;
    std::size_t len = std::strlen(text);
    for (int k = 1; k <= n; ++k) {
        const CString& t = items[static_cast<std::size_t>((from + k) % n)].text;
        if (exact ? CompareText(t, text) == 0
                  : (static_cast<std::size_t>(t.GetLength()) >= len &&
                     CompareText(CString(t.GetString(), static_cast<int>(len)), text) == 0))
            return (from + k) % n;
    }
    return -1;
}

int CopyItemText(const std::vector<Item>& items, WPARAM index, LPSTR out)
{
    if (!ValidIndex(items, index) || !out) return -1;
    const CString& t = ItemAt(items, index).text;
    std::memcpy(out, t.GetString(), static_cast<std::size_t>(t.GetLength()));
    out[t.GetLength()] = '\0';
    return static_cast<int>(t.GetLength());
}

int CompareText(const CString& a, LPCSTR b)
{
    const auto* p = reinterpret_cast<const unsigned char*>(a.GetString());
    const auto* q = reinterpret_cast<const unsigned char*>(b);
    std::size_t n = static_cast<std::size_t>(a.GetLength());
    for (std::size_t i = 0;; ++i) {
        int x = i < n ? p[i] : 0;
        int y = q[i];
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) return 0;
    }
}

void NotifyParent(HWND hwnd, WORD code)
{
    if (!(GetWindowLong(hwnd, GWL_STYLE) & LBS_NOTIFY)) return;
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                reinterpret_cast<LPARAM>(hwnd));
}

} // namespace sys::lb

namespace sys {

bool RegisterListBoxClass()
{
    return RegisterControlClass<lb::ListBox>(kListBoxClass, &lb::Proc);
}

} // namespace sys
