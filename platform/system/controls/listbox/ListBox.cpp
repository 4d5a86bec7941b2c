// The list box's procedure: strings and item data, the selection, queries.
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/listbox/ListBoxClass.h"

#include "platform/system/controls/listbox/ListBoxInternal.h"
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
bool Valid(const ListBox& lb, WPARAM index)
{
    return static_cast<int>(index) >= 0 && static_cast<int>(index) < Count(lb);
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
    if (sorted) {
        index = 0;
        while (index < Count(lb) && CompareText(lb.items[static_cast<std::size_t>(index)].text, item.text) <= 0)
            ++index;
    } else if (index < 0 || index > Count(lb)) {
        if (index != -1) return LB_ERR;
        index = Count(lb);
    }
    lb.items.insert(lb.items.begin() + index, item);
    if (lb.sel >= index) ++lb.sel;
    if (lb.caret >= index && Count(lb) > 1) ++lb.caret;
    Changed(lb);
    return index;
}

LRESULT Delete(ListBox& lb, WPARAM wParam)
{
    if (!Valid(lb, wParam)) return LB_ERR;
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

// First item from start + 1 (wrapping) whose text begins with, or equals, text.
LRESULT Find(const ListBox& lb, WPARAM start, LPCSTR text, bool exact)
{
    if (!text || lb.items.empty()) return LB_ERR;
    int n = Count(lb);
    int from = static_cast<int>(start);
    if (from < -1 || from >= n) from = -1;
    std::size_t len = std::strlen(text);
    for (int k = 1; k <= n; ++k) {
        const CString& t = lb.items[static_cast<std::size_t>((from + k) % n)].text;
        if (exact ? CompareText(t, text) == 0
                  : (static_cast<std::size_t>(t.GetLength()) >= len &&
                     CompareText(CString(t.GetString(), static_cast<int>(len)), text) == 0))
            return (from + k) % n;
    }
    return LB_ERR;
}

LRESULT CopyText(const ListBox& lb, WPARAM wParam, LPSTR out)
{
    if (!Valid(lb, wParam) || !out) return LB_ERR;
    const CString& t = lb.items[wParam].text;
    std::memcpy(out, t.GetString(), static_cast<std::size_t>(t.GetLength()));
    out[t.GetLength()] = '\0';
    return t.GetLength();
}

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListBox* lb = ControlState<ListBox>::ForMessage(hwnd, message);
    if (!lb) return DefWindowProc(hwnd, message, wParam, lParam);
    bool sorted = (GetWindowLong(hwnd, GWL_STYLE) & LBS_SORT) != 0;
    switch (message) {
    case WM_NCDESTROY:
        ControlState<ListBox>::Destroy(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CREATE: UpdateScroll(*lb); return 0;
    case WM_SIZE: Changed(*lb); return 0;
    case WM_ERASEBKGND: return 1; // painted whole by WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(hwnd, &ps);
        if (hdc) Paint(*lb, hdc);
        if (!wParam) EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_NCPAINT:
        DefWindowProc(hwnd, message, wParam, lParam);
        if ((lb = From(hwnd))) lb->bars.Paint(hwnd);
        return 0;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (lb->bars.OnNcLButtonDown(hwnd, wParam, lParam)) return 0;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_TIMER:
        if (lb->bars.OnTimer(hwnd, wParam)) return 0;
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CAPTURECHANGED:
        lb->bars.OnCaptureChanged(hwnd);
        lb->tracking = false;
        return 0;
    case WM_VSCROLL: {
        if (lParam) return 0;
        int per = PerPage(*lb);
        switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollTo(*lb, lb->top - 1); break;
        case SB_LINEDOWN: ScrollTo(*lb, lb->top + 1); break;
        case SB_PAGEUP: ScrollTo(*lb, lb->top - per); break;
        case SB_PAGEDOWN: ScrollTo(*lb, lb->top + per); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(*lb, static_cast<short>(HIWORD(wParam))); break;
        case SB_TOP: ScrollTo(*lb, 0); break;
        case SB_BOTTOM: ScrollTo(*lb, Count(*lb)); break;
        default: break;
        }
        return 0;
    }
    case WM_MOUSEWHEEL: ScrollTo(*lb, lb->top - 3 * static_cast<short>(HIWORD(wParam)) / 120); return 0;
    case WM_SETFONT:
        lb->font = reinterpret_cast<HFONT>(wParam);
        UpdateScroll(*lb);
        if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(lb->font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        lb->focused = message == WM_SETFOCUS;
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN: return OnKeyDown(*lb, wParam);
    case WM_CHAR: return OnChar(*lb, wParam);
    case WM_MOUSEMOVE:
        if (lb->bars.OnMouseMove(hwnd, lParam)) return 0;
        return OnMouse(*lb, message, wParam, lParam);
    case WM_LBUTTONUP:
        if (lb->bars.OnLButtonUp(hwnd, lParam)) return 0;
        return OnMouse(*lb, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (lb->bars.Tracking()) return 0;
        return OnMouse(*lb, message, wParam, lParam);
    case LB_ADDSTRING: return Insert(*lb, -1, reinterpret_cast<LPCSTR>(lParam), sorted);
    case LB_INSERTSTRING: return Insert(*lb, static_cast<int>(wParam), reinterpret_cast<LPCSTR>(lParam), false);
    case LB_DELETESTRING: return Delete(*lb, wParam);
    case LB_RESETCONTENT:
        lb->items.clear();
        lb->sel = -1;
        lb->caret = 0;
        lb->top = 0;
        Changed(*lb);
        return 0;
    case LB_GETCOUNT: return Count(*lb);
    case LB_GETCURSEL: return lb->sel;
    case LB_SETCURSEL:
        if (static_cast<int>(wParam) == -1) {
            Select(*lb, -1, false);
            return LB_ERR; // as documented for clearing the selection
        }
        if (!Valid(*lb, wParam)) return LB_ERR;
        Select(*lb, static_cast<int>(wParam), false);
        EnsureVisible(*lb, lb->sel);
        return lb->sel;
    case LB_GETSEL:
        if (!Valid(*lb, wParam)) return LB_ERR;
        return static_cast<int>(wParam) == lb->sel ? 1 : 0;
    case LB_GETTEXT: return CopyText(*lb, wParam, reinterpret_cast<LPSTR>(lParam));
    case LB_GETTEXTLEN: return Valid(*lb, wParam) ? lb->items[wParam].text.GetLength() : LB_ERR;
    case LB_GETITEMDATA: return Valid(*lb, wParam) ? lb->items[wParam].data : LB_ERR;
    case LB_SETITEMDATA:
        if (!Valid(*lb, wParam)) return LB_ERR;
        lb->items[wParam].data = lParam;
        return TRUE;
    case LB_FINDSTRING: return Find(*lb, wParam, reinterpret_cast<LPCSTR>(lParam), false);
    case LB_FINDSTRINGEXACT: return Find(*lb, wParam, reinterpret_cast<LPCSTR>(lParam), true);
    case LB_SELECTSTRING: {
        LRESULT found = Find(*lb, wParam, reinterpret_cast<LPCSTR>(lParam), false);
        if (found >= 0) {
            Select(*lb, static_cast<int>(found), false);
            EnsureVisible(*lb, lb->sel);
        }
        return found;
    }
    case LB_GETTOPINDEX: return lb->top;
    case LB_SETTOPINDEX:
        if (!Valid(*lb, wParam) && wParam != 0) return LB_ERR;
        ScrollTo(*lb, static_cast<int>(wParam));
        return 0;
    case LB_GETCARETINDEX: return lb->caret;
    case LB_SETCARETINDEX:
        if (!Valid(*lb, wParam)) return LB_ERR;
        lb->caret = static_cast<int>(wParam);
        EnsureVisible(*lb, lb->caret);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case LB_GETITEMRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out || (!Valid(*lb, wParam) && wParam != 0)) return LB_ERR;
        *out = ItemRect(*lb, static_cast<int>(wParam));
        return 0;
    }
    case LB_GETITEMHEIGHT: return ItemHeight(*lb);
    case LB_SETITEMHEIGHT: {
        int h = static_cast<int>(LOWORD(static_cast<std::uintptr_t>(lParam)));
        if (h <= 0 || h > 255) return LB_ERR;
        lb->itemHeight = h;
        Changed(*lb);
        return 0;
    }
    case LB_ITEMFROMPOINT: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        int index = ItemFromPoint(*lb, p);
        // High word set when the point lies outside the client area.
        return index >= 0 ? index : MAKELONG(static_cast<WORD>(std::max(0, Count(*lb) - 1)), 1);
    }
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

ListBox* From(HWND hwnd)
{
    return ControlState<ListBox>::Find(hwnd);
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
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = &lb::Proc;
    wc.cbWndExtra = ControlState<lb::ListBox>::kExtraBytes;
    wc.lpszClassName = kListBoxClass;
    return RegisterSystemClass(wc);
}

} // namespace sys
