// The tab control's procedure: items, selection and queries.
#include "platform/system/controls/ControlCommon.h"
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/tab/TabClass.h"
#include "platform/system/controls/tab/TabInternal.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace sys::tab {

namespace {

int Count(const Tab& t)
{
    return static_cast<int>(t.items.size());
}

void Apply(Item& item, const TCITEM& in)
{
    if (in.mask & TCIF_TEXT) item.text = (in.pszText && in.pszText != LPSTR_TEXTCALLBACK) ? in.pszText : "";
    if (in.mask & TCIF_IMAGE) item.image = in.iImage;
    if (in.mask & TCIF_PARAM) item.lParam = in.lParam;
    if (in.mask & TCIF_STATE) item.state = (item.state & ~in.dwStateMask) | (in.dwState & in.dwStateMask);
}

LRESULT InsertItem(Tab& t, HWND hwnd, WPARAM wParam, const TCITEM* in)
{
    if (!in) return -1;
    int index = static_cast<int>(wParam);
    if (index < 0) return -1;
    index = std::min(index, Count(t));
    Item item;
    Apply(item, *in);
    t.items.insert(t.items.begin() + index, item);
    // The first tab is selected from the start; later ones keep the selection where it was.
    if (t.cur < 0)
        t.cur = 0;
    else if (index <= t.cur)
        ++t.cur;
    t.hot = -1;
    InvalidateRect(hwnd, nullptr, TRUE);
    return index;
}

LRESULT DeleteItem(Tab& t, HWND hwnd, WPARAM wParam)
{
    int index = static_cast<int>(wParam);
    if (index < 0 || index >= Count(t)) return FALSE;
    t.items.erase(t.items.begin() + index);
    if (index == t.cur)
        t.cur = -1;
    else if (index < t.cur)
        --t.cur;
    t.hot = -1;
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT GetItem(const Tab& t, WPARAM wParam, TCITEM* out)
{
    int index = static_cast<int>(wParam);
    if (!out || index < 0 || index >= Count(t)) return FALSE;
    const Item& item = t.items[static_cast<std::size_t>(index)];
    if ((out->mask & TCIF_TEXT) && out->pszText && out->cchTextMax > 0) {
        int n = static_cast<int>(std::min<std::ptrdiff_t>(item.text.GetLength(), out->cchTextMax - 1));
        std::memcpy(out->pszText, item.text.GetString(), static_cast<std::size_t>(n));
        out->pszText[n] = '\0';
    }
    if (out->mask & TCIF_IMAGE) out->iImage = item.image;
    if (out->mask & TCIF_PARAM) out->lParam = item.lParam;
    if (out->mask & TCIF_STATE) out->dwState = item.state & out->dwStateMask;
    return TRUE;
}

LRESULT SetItem(Tab& t, HWND hwnd, WPARAM wParam, const TCITEM* in)
{
    int index = static_cast<int>(wParam);
    if (!in || index < 0 || index >= Count(t)) return FALSE;
    Apply(t.items[static_cast<std::size_t>(index)], *in);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT SetCurSel(Tab& t, HWND hwnd, WPARAM wParam)
{
    int index = static_cast<int>(wParam);
    if (index < 0 || index >= Count(t)) return -1;
    int previous = t.cur;
    if (index != t.cur) {
        t.cur = index;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return previous;
}

LRESULT DeleteAllItems(Tab& t, HWND hwnd)
{
    t.items.clear();
    t.cur = -1;
    t.hot = -1;
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT GetItemRect(const Tab& t, HWND hwnd, WPARAM wParam, RECT* out)
{
    int index = static_cast<int>(wParam);
    if (!out || index < 0 || index >= Count(t)) return FALSE;
    *out = ItemRect(t, hwnd, index);
    return TRUE;
}

LRESULT HitTestMessage(const Tab& t, HWND hwnd, TCHITTESTINFO* info)
{
    if (!info) return -1;
    return HitTest(t, hwnd, info->pt, &info->flags);
}

LRESULT AdjustRectMessage(const Tab& t, HWND hwnd, WPARAM larger, RECT* rect)
{
    if (rect) AdjustRect(t, hwnd, larger != 0, rect);
    return 0;
}

// A signed 16-bit half of lParam, no less than 0.
int Half(LPARAM lParam, bool high)
{
    WORD half = high ? HIWORD(lParam) : LOWORD(lParam);
    return std::max(0, static_cast<int>(static_cast<short>(half)));
}

LRESULT SetItemSize(Tab& t, HWND hwnd, LPARAM lParam)
{
    LRESULT old = MAKELONG(t.fixedWidth, ItemHeight(t, hwnd));
    t.fixedWidth = Half(lParam, false);
    t.fixedHeight = Half(lParam, true);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

LRESULT SetPadding(Tab& t, HWND hwnd, LPARAM lParam)
{
    t.padX = Half(lParam, false);
    t.padY = Half(lParam, true);
    InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT SetMinTabWidth(Tab& t, HWND hwnd, LPARAM lParam)
{
    int old = t.minWidth;
    t.minWidth = static_cast<int>(lParam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return old;
}

bool IsTabMessage(UINT message)
{
    return message >= TCM_FIRST && message < TCM_FIRST + 0x100;
}

// The TCM_ messages.
LRESULT TabMessage(Tab& t, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case TCM_GETITEMCOUNT: return Count(t);
    case TCM_INSERTITEM: return InsertItem(t, hwnd, wParam, reinterpret_cast<const TCITEM*>(lParam));
    case TCM_DELETEITEM: return DeleteItem(t, hwnd, wParam);
    case TCM_DELETEALLITEMS: return DeleteAllItems(t, hwnd);
    case TCM_GETITEM: return GetItem(t, wParam, reinterpret_cast<TCITEM*>(lParam));
    case TCM_SETITEM: return SetItem(t, hwnd, wParam, reinterpret_cast<const TCITEM*>(lParam));
    case TCM_GETCURSEL:
    case TCM_GETCURFOCUS: return t.cur;
    case TCM_SETCURSEL: return SetCurSel(t, hwnd, wParam);
    case TCM_SETCURFOCUS: UserSelect(hwnd, static_cast<int>(wParam)); return 0;
    case TCM_GETITEMRECT: return GetItemRect(t, hwnd, wParam, reinterpret_cast<RECT*>(lParam));
    case TCM_HITTEST: return HitTestMessage(t, hwnd, reinterpret_cast<TCHITTESTINFO*>(lParam));
    case TCM_ADJUSTRECT: return AdjustRectMessage(t, hwnd, wParam, reinterpret_cast<RECT*>(lParam));
    case TCM_SETITEMSIZE: return SetItemSize(t, hwnd, lParam);
    case TCM_SETPADDING: return SetPadding(t, hwnd, lParam);
    case TCM_SETMINTABWIDTH: return SetMinTabWidth(t, hwnd, lParam);
    case TCM_GETROWCOUNT: return 1;
    case TCM_SETITEMEXTRA: return t.items.empty() ? TRUE : FALSE;
    // No image lists, tooltips or multiple selection.
    case TCM_GETIMAGELIST:
    case TCM_SETIMAGELIST:
    case TCM_GETTOOLTIPS:
    case TCM_SETTOOLTIPS:
    case TCM_DESELECTALL: return 0;
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

LRESULT PaintMessage(const Tab& t, HWND hwnd, WPARAM wParam)
{
    return PaintIntoGivenOrOwnDc(hwnd, wParam, [&](HDC hdc) { Paint(t, hwnd, hdc); });
}

LRESULT SetFont(Tab& t, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    t.font = reinterpret_cast<HFONT>(wParam);
    if (RedrawAsked(lParam)) InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT OnFocus(Tab& t, HWND hwnd, bool gained)
{
    t.focused = gained;
    if (t.cur >= 0) {
        RECT r = DrawnRect(t, hwnd, t.cur);
        InvalidateRect(hwnd, &r, TRUE);
    }
    Notify(hwnd, gained ? NM_SETFOCUS : NM_KILLFOCUS);
    return 0;
}

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Tab* t = ControlState<Tab>::ForMessage(hwnd, message);
    if (!t) return DefWindowProc(hwnd, message, wParam, lParam);
    if (IsTabMessage(message)) return TabMessage(*t, hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: ControlState<Tab>::Destroy(hwnd); return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND: return 1; // painted whole by WM_PAINT
    case WM_PAINT: return PaintMessage(*t, hwnd, wParam);
    case WM_SIZE: InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case WM_SETFONT: return SetFont(*t, hwnd, wParam, lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(t->font);
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(*t, hwnd, message == WM_SETFOCUS);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSELEAVE: return OnMouse(*t, hwnd, message, wParam, lParam);
    case WM_KEYDOWN: return OnKeyDown(*t, hwnd, wParam, lParam);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

Tab* From(HWND hwnd)
{
    return ControlState<Tab>::Find(hwnd);
}

LRESULT Notify(HWND hwnd, UINT code)
{
    HWND parent = GetParent(hwnd);
    if (!parent) return 0;
    NMHDR nm{};
    nm.hwndFrom = hwnd;
    nm.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    nm.code = code;
    return SendMessage(parent, WM_NOTIFY, nm.idFrom, reinterpret_cast<LPARAM>(&nm));
}

bool UserSelect(HWND hwnd, int index)
{
    Tab* t = From(hwnd);
    if (!t || index < 0 || index >= Count(*t) || index == t->cur) return false;
    if (Notify(hwnd, TCN_SELCHANGING)) return false;
    // The parent may have changed or destroyed the control meanwhile.
    t = IsWindow(hwnd) ? From(hwnd) : nullptr;
    if (!t || index >= Count(*t)) return false;
    t->cur = index;
    InvalidateRect(hwnd, nullptr, TRUE);
    Notify(hwnd, TCN_SELCHANGE);
    return true;
}

} // namespace sys::tab

namespace sys {

bool RegisterTabClass()
{
    return RegisterControlClass<tab::Tab>(kTabControlClass, &tab::Proc);
}

} // namespace sys
