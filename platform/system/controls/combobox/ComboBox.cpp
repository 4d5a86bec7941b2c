// The drop-down list combo box: its strings, the chosen one, the face it
// paints, and the list it drops below itself while the mouse is captured.
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/combobox/ComboBoxClass.h"

#include "platform/system/controls/combobox/ComboBoxInternal.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/listbox/ListBoxInternal.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace sys::cb {

namespace {

int Count(const Combo& c)
{
    return static_cast<int>(c.items.size());
}
bool Valid(const Combo& c, WPARAM i)
{
    return static_cast<int>(i) >= 0 && static_cast<int>(i) < Count(c);
}

LRESULT Insert(Combo& c, int index, LPCSTR text, bool sorted)
{
    lb::Item item;
    item.text = text ? text : "";
    if (sorted) {
        index = 0;
        while (index < Count(c) && lb::CompareText(c.items[static_cast<std::size_t>(index)].text, item.text) <= 0)
            ++index;
    } else if (index < 0 || index > Count(c)) {
        if (index != -1) return CB_ERR;
        index = Count(c);
    }
    c.items.insert(c.items.begin() + index, item);
    if (c.sel >= index) ++c.sel;
    InvalidateRect(c.hwnd, nullptr, TRUE);
    return index;
}

LRESULT Find(const Combo& c, WPARAM start, LPCSTR text, bool exact)
{
    if (!text || c.items.empty()) return CB_ERR;
    int n = Count(c);
    int from = static_cast<int>(start);
    if (from < -1 || from >= n) from = -1;
    std::size_t len = std::strlen(text);
    for (int k = 1; k <= n; ++k) {
        const CString& t = c.items[static_cast<std::size_t>((from + k) % n)].text;
        CString head =
            exact ? t
                  : CString(t.GetString(), std::min<std::ptrdiff_t>(t.GetLength(), static_cast<std::ptrdiff_t>(len)));
        if (lb::CompareText(head, text) == 0) return (from + k) % n;
    }
    return CB_ERR;
}

LRESULT CopyText(const Combo& c, WPARAM index, LPSTR out)
{
    if (!Valid(c, index) || !out) return CB_ERR;
    const CString& t = c.items[index].text;
    std::memcpy(out, t.GetString(), static_cast<std::size_t>(t.GetLength()));
    out[t.GetLength()] = '\0';
    return t.GetLength();
}

// Moves the choice; true when it changed (and CBN_SELCHANGE went out).
bool Choose(Combo& c, int index)
{
    index = std::clamp(index, 0, Count(c) - 1);
    if (index == c.sel) return false;
    c.sel = index;
    InvalidateRect(c.hwnd, nullptr, TRUE);
    Notify(c.hwnd, CBN_SELCHANGE);
    return true;
}

LRESULT OnKeyDown(Combo& c, WPARAM key)
{
    if (c.list) {
        switch (key) {
        case VK_RETURN:
        case VK_F4: CloseUp(c, true); return 0;
        case VK_ESCAPE: CloseUp(c, false); return 0;
        default: SendMessage(c.list, WM_KEYDOWN, key, 0); return 0;
        }
    }
    if (c.items.empty()) return 0;
    int from = c.sel;
    switch (key) {
    case VK_UP:
    case VK_LEFT: Choose(c, from < 0 ? 0 : from - 1); break;
    case VK_DOWN:
    case VK_RIGHT: Choose(c, from + 1); break;
    case VK_HOME: Choose(c, 0); break;
    case VK_END: Choose(c, Count(c) - 1); break;
    case VK_F4: DropDown(c); break;
    default: break;
    }
    return 0;
}

LRESULT OnChar(Combo& c, WPARAM ch)
{
    if (ch < 0x20 || ch > 0xFF || c.items.empty()) return 0;
    char prefix[2] = {static_cast<char>(ch), '\0'};
    LRESULT found = Find(c, static_cast<WPARAM>(c.sel), prefix, false);
    if (found < 0) return 0;
    if (c.list)
        SendMessage(c.list, LB_SETCURSEL, static_cast<WPARAM>(found), 0);
    else
        Choose(c, static_cast<int>(found));
    return 0;
}

// While dropped the combo holds the capture: the list follows the pointer,
// a click in it chooses, a click elsewhere closes.
LRESULT OnMouse(Combo& c, UINT message, LPARAM lParam)
{
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    HWND hwnd = c.hwnd;
    if (!c.list) {
        if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
            if (GetFocus() != hwnd) SetFocus(hwnd);
            if (Combo* again = From(hwnd)) DropDown(*again);
        }
        return 0;
    }
    POINT inList = p;
    MapWindowPoints(hwnd, c.list, &inList, 1);
    RECT listClient{};
    GetClientRect(c.list, &listClient);
    bool overList = PtInRect(&listClient, inList) != FALSE;
    int item = -1;
    if (overList) {
        LRESULT hit = SendMessage(c.list, LB_ITEMFROMPOINT, 0,
                                  MAKELPARAM(static_cast<WORD>(inList.x), static_cast<WORD>(inList.y)));
        if (HIWORD(static_cast<std::uintptr_t>(hit)) == 0) item = LOWORD(static_cast<std::uintptr_t>(hit));
    }
    RECT face{};
    GetClientRect(hwnd, &face);
    switch (message) {
    case WM_MOUSEMOVE:
        if (item >= 0) SendMessage(c.list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (overList) {
            if (item >= 0) SendMessage(c.list, LB_SETCURSEL, static_cast<WPARAM>(item), 0);
            c.armed = true;
        } else {
            CloseUp(c, false);
        }
        return 0;
    case WM_LBUTTONUP:
        if (overList && item >= 0 && c.armed) CloseUp(c, true);
        return 0;
    default: return 0;
    }
}

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Combo* c = ControlState<Combo>::ForMessage(hwnd, message);
    if (!c) return DefWindowProc(hwnd, message, wParam, lParam);
    bool sorted = (GetWindowLong(hwnd, GWL_STYLE) & CBS_SORT) != 0;
    switch (message) {
    case WM_NCDESTROY:
        ControlState<Combo>::Destroy(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        // A template's height includes the dropped list.
        if (cs) c->dropHeight = std::max(cs->cy, 0);
        FitFace(*c);
        return 0;
    }
    case WM_DESTROY:
        if (c->list) {
            HWND list = c->list;
            c->list = nullptr;
            DestroyWindow(list);
        }
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = wParam ? reinterpret_cast<HDC>(wParam) : BeginPaint(hwnd, &ps);
        if (hdc) Paint(*c, hdc);
        if (!wParam) EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETFONT:
        c->font = reinterpret_cast<HFONT>(wParam);
        FitFace(*c);
        if (LOWORD(static_cast<std::uintptr_t>(lParam))) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->font);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (c->list ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        c->focused = message == WM_SETFOCUS;
        if (!c->focused) CloseUp(*c, false);
        if ((c = From(hwnd))) InvalidateRect(hwnd, nullptr, TRUE);
        Notify(hwnd, message == WM_SETFOCUS ? CBN_SETFOCUS : CBN_KILLFOCUS);
        return 0;
    case WM_KEYDOWN: return OnKeyDown(*c, wParam);
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN || wParam == VK_UP) {
            if (c->list)
                CloseUp(*c, true);
            else
                DropDown(*c);
            return 0;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CHAR: return OnChar(*c, wParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: return OnMouse(*c, message, lParam);
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd) CloseUp(*c, false);
        return 0;
    case CB_ADDSTRING: return Insert(*c, -1, reinterpret_cast<LPCSTR>(lParam), sorted);
    case CB_INSERTSTRING: return Insert(*c, static_cast<int>(wParam), reinterpret_cast<LPCSTR>(lParam), false);
    case CB_DELETESTRING: {
        if (!Valid(*c, wParam)) return CB_ERR;
        int index = static_cast<int>(wParam);
        c->items.erase(c->items.begin() + index);
        if (c->sel == index)
            c->sel = -1;
        else if (c->sel > index)
            --c->sel;
        InvalidateRect(hwnd, nullptr, TRUE);
        return Count(*c);
    }
    case CB_RESETCONTENT:
        CloseUp(*c, false);
        if (!(c = From(hwnd))) return 0;
        c->items.clear();
        c->sel = -1;
        InvalidateRect(hwnd, nullptr, TRUE);
        return CB_OKAY;
    case CB_GETCOUNT: return Count(*c);
    case CB_GETCURSEL: return c->sel;
    case CB_SETCURSEL:
        if (!Valid(*c, wParam)) {
            c->sel = -1;
            InvalidateRect(hwnd, nullptr, TRUE);
            return CB_ERR;
        }
        c->sel = static_cast<int>(wParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return c->sel;
    case CB_GETLBTEXT: return CopyText(*c, wParam, reinterpret_cast<LPSTR>(lParam));
    case CB_GETLBTEXTLEN: return Valid(*c, wParam) ? c->items[wParam].text.GetLength() : CB_ERR;
    case CB_GETITEMDATA: return Valid(*c, wParam) ? c->items[wParam].data : CB_ERR;
    case CB_SETITEMDATA:
        if (!Valid(*c, wParam)) return CB_ERR;
        c->items[wParam].data = lParam;
        return TRUE;
    case CB_FINDSTRING: return Find(*c, wParam, reinterpret_cast<LPCSTR>(lParam), false);
    case CB_FINDSTRINGEXACT: return Find(*c, wParam, reinterpret_cast<LPCSTR>(lParam), true);
    case CB_SELECTSTRING: {
        LRESULT found = Find(*c, wParam, reinterpret_cast<LPCSTR>(lParam), false);
        if (found >= 0) {
            c->sel = static_cast<int>(found);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return found;
    }
    case CB_SHOWDROPDOWN:
        if (wParam)
            DropDown(*c);
        else
            CloseUp(*c, false);
        return TRUE;
    case CB_GETDROPPEDSTATE: return c->list ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: {
        auto* out = reinterpret_cast<RECT*>(lParam);
        if (!out) return CB_ERR;
        GetWindowRect(hwnd, out);
        out->bottom = out->top + std::max(static_cast<int>(out->bottom - out->top), c->dropHeight);
        return TRUE;
    }
    case CB_GETITEMHEIGHT: return FaceHeight(*c);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

Combo* From(HWND hwnd)
{
    return ControlState<Combo>::Find(hwnd);
}

void Notify(HWND hwnd, WORD code)
{
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                reinterpret_cast<LPARAM>(hwnd));
}

void DropDown(Combo& c)
{
    if (c.list || !IsWindowEnabled(c.hwnd)) return;
    HWND hwnd = c.hwnd;
    Notify(hwnd, CBN_DROPDOWN);
    Combo* again = From(hwnd);
    if (!again || again->list) return;
    RECT wr{};
    GetWindowRect(hwnd, &wr);
    int face = wr.bottom - wr.top;
    HWND list = CreateWindowEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kListBoxClass, "", WS_POPUP | WS_BORDER, wr.left,
                               wr.bottom, wr.right - wr.left, face, nullptr, nullptr, nullptr, nullptr);
    if (!list) return;
    again = From(hwnd);
    if (!again) {
        DestroyWindow(list);
        return;
    }
    again->list = list;
    again->armed = false;
    SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(again->font), 0);
    for (const lb::Item& item : again->items)
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.GetString()));
    // As many rows as fit the created height below the face, at least one.
    RECT outer{}, inner{};
    GetWindowRect(list, &outer);
    GetClientRect(list, &inner);
    int frame = (outer.bottom - outer.top) - (inner.bottom - inner.top);
    int row = std::max(1, static_cast<int>(SendMessage(list, LB_GETITEMHEIGHT, 0, 0)));
    int fit = std::max(1, (again->dropHeight - face - frame) / row);
    int rows = std::clamp(Count(*again), 1, fit);
    SetWindowPos(list, nullptr, 0, 0, wr.right - wr.left, rows * row + frame,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(again->sel), 0);
    if (From(hwnd) && From(hwnd)->list == list) SetCapture(hwnd);
}

void CloseUp(Combo& c, bool accept)
{
    if (!c.list) return;
    HWND hwnd = c.hwnd;
    HWND list = c.list;
    int chosen = static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0));
    c.list = nullptr;
    if (GetCapture() == hwnd) ReleaseCapture();
    DestroyWindow(list);
    Combo* again = From(hwnd);
    if (!again) return;
    if (accept) {
        Notify(hwnd, CBN_SELENDOK);
        if ((again = From(hwnd)) && chosen >= 0) Choose(*again, chosen);
    } else {
        Notify(hwnd, CBN_SELENDCANCEL);
    }
    if (From(hwnd)) Notify(hwnd, CBN_CLOSEUP);
}

} // namespace sys::cb

namespace sys {

bool RegisterComboBoxClass()
{
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = &cb::Proc;
    wc.cbWndExtra = ControlState<cb::Combo>::kExtraBytes;
    wc.lpszClassName = kComboBoxClass;
    bool combo = RegisterSystemClass(wc);
    return RegisterListBoxClass() && combo;
}

} // namespace sys
