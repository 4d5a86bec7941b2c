// The drop-down list combo box: its strings, the chosen one, the face it
// paints, and the list it drops below itself while the mouse is captured.
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/combobox/ComboBoxClass.h"
#include "platform/system/controls/combobox/ComboBoxInternal.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/listbox/ListBoxInternal.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>

namespace sys::cb {

namespace {

int Count(const Combo& c)
{
    return static_cast<int>(c.items.size());
}

LRESULT Insert(Combo& c, int index, LPCSTR text, bool sorted)
{
    lb::Item item;
    item.text = text ? text : "";
    index = lb::InsertPlace(c.items, index, item.text, sorted);
    if (index < 0) return CB_ERR;
    c.items.insert(c.items.begin() + index, item);
    if (c.sel >= index) ++c.sel;
    InvalidateRect(c.hwnd, nullptr, TRUE);
    return index;
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
    LRESULT found = lb::FindText(c.items, static_cast<WPARAM>(c.sel), prefix, false);
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

LRESULT DeleteString(Combo& c, WPARAM wParam)
{
    if (!lb::ValidIndex(c.items, wParam)) return CB_ERR;
    int index = static_cast<int>(wParam);
    c.items.erase(c.items.begin() + index);
    if (c.sel == index)
        c.sel = -1;
    else if (c.sel > index)
        --c.sel;
    InvalidateRect(c.hwnd, nullptr, TRUE);
    return Count(c);
}

LRESULT ResetContent(Combo& c)
{
    HWND hwnd = c.hwnd;
    CloseUp(c, false);
    Combo* again = From(hwnd);
    if (!again) return 0;
    again->items.clear();
    again->sel = -1;
    InvalidateRect(hwnd, nullptr, TRUE);
    return CB_OKAY;
}

LRESULT SetCurSel(Combo& c, WPARAM wParam)
{
    c.sel = lb::ValidIndex(c.items, wParam) ? static_cast<int>(wParam) : -1;
    InvalidateRect(c.hwnd, nullptr, TRUE);
    return c.sel >= 0 ? c.sel : CB_ERR;
}

LRESULT SetItemData(Combo& c, WPARAM wParam, LPARAM lParam)
{
    if (!lb::ValidIndex(c.items, wParam)) return CB_ERR;
    lb::ItemAt(c.items, wParam).data = lParam;
    return TRUE;
}

LRESULT SelectString(Combo& c, WPARAM wParam, LPCSTR text)
{
    LRESULT found = lb::FindText(c.items, wParam, text, false);
    if (found >= 0) {
        c.sel = static_cast<int>(found);
        InvalidateRect(c.hwnd, nullptr, TRUE);
    }
    return found;
}

LRESULT ShowDropDown(Combo& c, bool show)
{
    if (show)
        DropDown(c);
    else
        CloseUp(c, false);
    return TRUE;
}

LRESULT GetDroppedControlRect(const Combo& c, RECT* out)
{
    if (!out) return CB_ERR;
    GetWindowRect(c.hwnd, out);
    out->bottom = out->top + std::max(static_cast<int>(out->bottom - out->top), c.dropHeight);
    return TRUE;
}

bool IsComboMessage(UINT message)
{
    return message >= CB_ADDSTRING && message <= CB_FINDSTRINGEXACT;
}

// The CB_ messages.
LRESULT ComboMessage(Combo& c, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto text = reinterpret_cast<LPCSTR>(lParam);
    switch (message) {
    case CB_ADDSTRING: return Insert(c, -1, text, (GetWindowLong(c.hwnd, GWL_STYLE) & CBS_SORT) != 0);
    case CB_INSERTSTRING: return Insert(c, static_cast<int>(wParam), text, false);
    case CB_DELETESTRING: return DeleteString(c, wParam);
    case CB_RESETCONTENT: return ResetContent(c);
    case CB_GETCOUNT: return Count(c);
    case CB_GETCURSEL: return c.sel;
    case CB_SETCURSEL: return SetCurSel(c, wParam);
    case CB_GETLBTEXT: return lb::CopyItemText(c.items, wParam, reinterpret_cast<LPSTR>(lParam));
    case CB_GETLBTEXTLEN:
        return lb::ValidIndex(c.items, wParam) ? lb::ItemAt(c.items, wParam).text.GetLength() : CB_ERR;
    case CB_GETITEMDATA: return lb::ValidIndex(c.items, wParam) ? lb::ItemAt(c.items, wParam).data : CB_ERR;
    case CB_SETITEMDATA: return SetItemData(c, wParam, lParam);
    case CB_FINDSTRING: return lb::FindText(c.items, wParam, text, false);
    case CB_FINDSTRINGEXACT: return lb::FindText(c.items, wParam, text, true);
    case CB_SELECTSTRING: return SelectString(c, wParam, text);
    case CB_SHOWDROPDOWN: return ShowDropDown(c, wParam != 0);
    case CB_GETDROPPEDSTATE: return c.list ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT: return GetDroppedControlRect(c, reinterpret_cast<RECT*>(lParam));
    case CB_GETITEMHEIGHT: return FaceHeight(c);
    default: return DefWindowProc(c.hwnd, message, wParam, lParam);
    }
}

LRESULT OnCreate(Combo& c, const CREATESTRUCT* cs)
{
    // A template's height includes the dropped list.
    if (cs) c.dropHeight = std::max(cs->cy, 0);
    FitFace(c);
    return 0;
}

LRESULT OnDestroy(Combo& c)
{
    if (!c.list) return 0;
    HWND list = c.list;
    c.list = nullptr;
    DestroyWindow(list);
    return 0;
}

LRESULT PaintMessage(const Combo& c, WPARAM wParam)
{
    return PaintIntoGivenOrOwnDc(c.hwnd, wParam, [&](HDC hdc) { Paint(c, hdc); });
}

LRESULT SetFont(Combo& c, WPARAM wParam, LPARAM lParam)
{
    c.font = reinterpret_cast<HFONT>(wParam);
    FitFace(c);
    if (RedrawAsked(lParam)) InvalidateRect(c.hwnd, nullptr, TRUE);
    return 0;
}

LRESULT OnFocus(Combo& c, bool gained)
{
    HWND hwnd = c.hwnd;
    c.focused = gained;
    if (!gained) CloseUp(c, false);
    if (From(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
    Notify(hwnd, gained ? CBN_SETFOCUS : CBN_KILLFOCUS);
    return 0;
}

// Alt+Down and Alt+Up open and close the list.
LRESULT OnSysKeyDown(Combo& c, WPARAM key, LPARAM lParam)
{
    if (key != VK_DOWN && key != VK_UP) return DefWindowProc(c.hwnd, WM_SYSKEYDOWN, key, lParam);
    if (c.list)
        CloseUp(c, true);
    else
        DropDown(c);
    return 0;
}

LRESULT OnCaptureChanged(Combo& c, HWND gainer)
{
    if (gainer != c.hwnd) CloseUp(c, false);
    return 0;
}

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Combo* c = ControlState<Combo>::ForMessage(hwnd, message);
    if (!c) return DefWindowProc(hwnd, message, wParam, lParam);
    if (IsComboMessage(message)) return ComboMessage(*c, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: ControlState<Combo>::Destroy(hwnd); return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_CREATE: return OnCreate(*c, reinterpret_cast<const CREATESTRUCT*>(lParam));
    case WM_DESTROY: return OnDestroy(*c);
    case WM_ERASEBKGND: return 1; // painted whole by WM_PAINT
    case WM_PAINT: return PaintMessage(*c, wParam);
    case WM_SETFONT: return SetFont(*c, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(c->font);
    case WM_ENABLE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (c->list ? DLGC_WANTALLKEYS : 0);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(*c, message == WM_SETFOCUS);
    case WM_KEYDOWN: return OnKeyDown(*c, wParam);
    case WM_SYSKEYDOWN: return OnSysKeyDown(*c, wParam, lParam);
    case WM_CHAR: return OnChar(*c, wParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: return OnMouse(*c, message, lParam);
    case WM_CAPTURECHANGED: return OnCaptureChanged(*c, reinterpret_cast<HWND>(lParam));
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
    bool combo = RegisterControlClass<cb::Combo>(kComboBoxClass, &cb::Proc);
    return RegisterListBoxClass() && combo;
}

} // namespace sys
