// The header control's procedure: items, layout and queries.
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/header/HeaderInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowClass.h"

#include <algorithm>
#include <cstring>

namespace sys::hd {

namespace {

int CopyText(const CString& text, LPSTR buffer, int size)
{
    if (!buffer || size <= 0) return 0;
    int n = static_cast<int>(std::min<std::ptrdiff_t>(text.GetLength(), size - 1));
    std::memcpy(buffer, text.GetString(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

void Apply(Item& item, const HDITEM& in)
{
    if (in.mask & HDI_WIDTH) item.width = std::max(0, in.cxy);
    if (in.mask & HDI_TEXT) item.text = (in.pszText && in.pszText != LPSTR_TEXTCALLBACK) ? in.pszText : "";
    if (in.mask & HDI_FORMAT) item.fmt = in.fmt;
    if (in.mask & HDI_LPARAM) item.lParam = in.lParam;
    if (in.mask & HDI_IMAGE) item.image = in.iImage;
    if (in.mask & HDI_ORDER) item.order = in.iOrder;
}

LRESULT InsertItem(Header& h, HWND hwnd, WPARAM wParam, const HDITEM* in)
{
    if (!in) return -1;
    int index = static_cast<int>(wParam);
    if (index < 0) return -1;
    index = std::min(index, static_cast<int>(h.items.size()));
    Item item;
    item.order = index;
    Apply(item, *in);
    h.items.insert(h.items.begin() + index, item);
    if (h.hot >= index) h.hot = -1;
    InvalidateRect(hwnd, nullptr, TRUE);
    return index;
}

LRESULT DeleteItem(Header& h, HWND hwnd, WPARAM wParam)
{
    int index = static_cast<int>(wParam);
    if (index < 0 || index >= static_cast<int>(h.items.size())) return FALSE;
    h.items.erase(h.items.begin() + index);
    h.hot = -1;
    if (h.mode != Mode::None || h.press.Held()) EndCapture(hwnd);
    h.mode = Mode::None;
    h.press.Cancel();
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT GetItem(const Header& h, WPARAM wParam, HDITEM* out)
{
    int index = static_cast<int>(wParam);
    if (!out || index < 0 || index >= static_cast<int>(h.items.size())) return FALSE;
    const Item& item = h.items[static_cast<std::size_t>(index)];
    if (out->mask & HDI_WIDTH) out->cxy = item.width;
    if (out->mask & HDI_TEXT) CopyText(item.text, out->pszText, out->cchTextMax);
    if (out->mask & HDI_FORMAT) out->fmt = item.fmt;
    if (out->mask & HDI_LPARAM) out->lParam = item.lParam;
    if (out->mask & HDI_IMAGE) out->iImage = item.image;
    if (out->mask & HDI_ORDER) out->iOrder = item.order;
    if (out->mask & HDI_BITMAP) out->hbm = nullptr;
    return TRUE;
}

LRESULT SetItem(Header& h, HWND hwnd, WPARAM wParam, const HDITEM* in)
{
    int index = static_cast<int>(wParam);
    if (!in || index < 0 || index >= static_cast<int>(h.items.size())) return FALSE;
    HDITEM copy = *in;
    if (Notify(hwnd, HDN_ITEMCHANGING, index, 0, &copy)) return FALSE;
    Header* again = From(hwnd);
    if (!again || index >= static_cast<int>(again->items.size())) return FALSE;
    Apply(again->items[static_cast<std::size_t>(index)], *in);
    Notify(hwnd, HDN_ITEMCHANGED, index, 0, &copy);
    InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT Layout(HWND hwnd, const Header& h, HDLAYOUT* layout)
{
    if (!layout || !layout->prc || !layout->pwpos) return FALSE;
    RECT* r = layout->prc;
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    int height = (style & HDS_HIDDEN) ? 0 : FontHeight(hwnd, h.font) + 2 * GetSystemMetrics(SM_CYEDGE);
    WINDOWPOS* wp = layout->pwpos;
    wp->hwnd = hwnd;
    wp->hwndInsertAfter = nullptr;
    wp->x = r->left;
    wp->y = r->top;
    wp->cx = r->right - r->left;
    wp->cy = height;
    wp->flags = 0;
    r->top += height;
    return TRUE;
}

LRESULT HitTestMessage(const Header& h, HWND hwnd, HDHITTESTINFO* info)
{
    if (!info) return -1;
    info->iItem = HitTest(h, hwnd, info->pt, &info->flags);
    return info->iItem;
}

LRESULT GetItemRect(const Header& h, HWND hwnd, WPARAM wParam, RECT* out)
{
    int index = static_cast<int>(wParam);
    if (!out || index < 0 || index >= static_cast<int>(h.items.size())) return FALSE;
    *out = ItemRect(h, hwnd, index);
    return TRUE;
}

// WM_PAINT may bring the DC to paint on.
LRESULT OnPaint(Header& h, HWND hwnd, HDC given)
{
    PAINTSTRUCT ps;
    HDC hdc = given ? given : BeginPaint(hwnd, &ps);
    if (hdc) Paint(h, hwnd, hdc);
    if (!given) EndPaint(hwnd, &ps);
    return 0;
}

LRESULT SetFont(Header& h, HWND hwnd, HFONT font, LPARAM redraw)
{
    h.font = font;
    if (LOWORD(static_cast<std::uintptr_t>(redraw))) InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

LRESULT HeaderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Header* h = ControlState<Header>::ForMessage(hwnd, message);
    if (!h) return DefWindowProc(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_NCDESTROY: ControlState<Header>::Destroy(hwnd); return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_ERASEBKGND: return 1; // painted whole by WM_PAINT
    case WM_PAINT: return OnPaint(*h, hwnd, reinterpret_cast<HDC>(wParam));
    case WM_SETFONT: return SetFont(*h, hwnd, reinterpret_cast<HFONT>(wParam), lParam);
    case WM_GETFONT: return reinterpret_cast<LRESULT>(h->font);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED: return OnMouse(*h, hwnd, message, wParam, lParam);
    case HDM_GETITEMCOUNT: return static_cast<LRESULT>(h->items.size());
    case HDM_INSERTITEM: return InsertItem(*h, hwnd, wParam, reinterpret_cast<const HDITEM*>(lParam));
    case HDM_DELETEITEM: return DeleteItem(*h, hwnd, wParam);
    case HDM_GETITEM: return GetItem(*h, wParam, reinterpret_cast<HDITEM*>(lParam));
    case HDM_SETITEM: return SetItem(*h, hwnd, wParam, reinterpret_cast<const HDITEM*>(lParam));
    case HDM_LAYOUT: return Layout(hwnd, *h, reinterpret_cast<HDLAYOUT*>(lParam));
    case HDM_HITTEST: return HitTestMessage(*h, hwnd, reinterpret_cast<HDHITTESTINFO*>(lParam));
    case HDM_GETITEMRECT: return GetItemRect(*h, hwnd, wParam, reinterpret_cast<RECT*>(lParam));
    case HDM_ORDERTOINDEX: return static_cast<LRESULT>(wParam);
    default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

Header* From(HWND hwnd)
{
    return ControlState<Header>::Find(hwnd);
}

RECT ItemRect(const Header& h, HWND hwnd, int index)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += h.items[static_cast<std::size_t>(i)].width;
    return RECT{left, 0, left + h.items[static_cast<std::size_t>(index)].width, client.bottom};
}

int HitTest(const Header& h, HWND hwnd, POINT p, UINT* flags)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    UINT f = 0;
    if (p.y < client.top) f |= HHT_ABOVE;
    if (p.y >= client.bottom) f |= HHT_BELOW;
    if (p.x < client.left) f |= HHT_TOLEFT;
    if (p.x >= client.right) f |= HHT_TORIGHT;
    int found = -1;
    if (!f) {
        int left = 0;
        for (int i = 0; i < static_cast<int>(h.items.size()); ++i) {
            int right = left + h.items[static_cast<std::size_t>(i)].width;
            if (p.x >= right - kDividerGrab && p.x < right + kDividerGrab) {
                found = i;
                f = h.items[static_cast<std::size_t>(i)].width == 0 ? HHT_ONDIVOPEN : HHT_ONDIVIDER;
                break;
            }
            if (p.x >= left && p.x < right && found < 0) {
                found = i;
                f = HHT_ONHEADER;
            }
            left = right;
        }
        if (!f) f = HHT_NOWHERE;
    }
    if (flags) *flags = f;
    return found;
}

int FontHeight(HWND hwnd, HFONT font)
{
    HDC hdc = GetDC(hwnd);
    if (!hdc) return 13;
    HGDIOBJ old = SelectObject(hdc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    int height = GetTextMetrics(hdc, &tm) ? tm.tmHeight : 13;
    SelectObject(hdc, old);
    ReleaseDC(hwnd, hdc);
    return height;
}

LRESULT Notify(HWND hwnd, UINT code, int item, int button, HDITEM* pitem)
{
    HWND parent = GetParent(hwnd);
    if (!parent) return 0;
    NMHEADER nm{};
    nm.hdr.hwndFrom = hwnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    nm.hdr.code = code;
    nm.iItem = item;
    nm.iButton = button;
    nm.pitem = pitem;
    return SendMessage(parent, WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

bool SetWidth(Header& h, HWND hwnd, int index, int width)
{
    if (index < 0 || index >= static_cast<int>(h.items.size())) return false;
    HDITEM item{};
    item.mask = HDI_WIDTH;
    item.cxy = std::max(0, width);
    return SendMessage(hwnd, HDM_SETITEM, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)) != 0;
}

} // namespace sys::hd

namespace sys {

bool RegisterHeaderClass()
{
    return RegisterControlClass<hd::Header>(kHeaderClass, &hd::HeaderProc);
}

} // namespace sys
