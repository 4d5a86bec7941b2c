// The header and the mouse: divider dragging with the HDN_ track
// notifications, item clicks, hot tracking.
#include "platform/system/controls/header/HeaderInternal.h"

#include <algorithm>

namespace sys::hd {

namespace {

POINT At(LPARAM lParam)
{
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

bool FullDrag(HWND hwnd)
{
    return (static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & HDS_FULLDRAG) != 0;
}

void SetHot(Header& h, HWND hwnd, int hot)
{
    if (h.hot == hot) return;
    h.hot = hot;
    if (static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & HDS_HOTTRACK) InvalidateRect(hwnd, nullptr, TRUE);
}

void ArmLeave(Header& h, HWND hwnd)
{
    if (h.leaveArmed) return;
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, hwnd, 0};
    h.leaveArmed = TrackMouseEvent(&tme) != 0;
}

void EndTrack(Header& h, HWND hwnd, bool notify)
{
    int item = h.trackItem;
    int width = h.trackWidth;
    h.mode = Mode::None;
    h.trackItem = -1;
    EndCapture(hwnd);
    if (!notify || item < 0 || item >= static_cast<int>(h.items.size())) return;
    HDITEM hdi{};
    hdi.mask = HDI_WIDTH;
    hdi.cxy = width;
    Notify(hwnd, HDN_ENDTRACK, item, 0, &hdi);
    Header* again = From(hwnd);
    if (again && item < static_cast<int>(again->items.size()) &&
        again->items[static_cast<std::size_t>(item)].width != width)
        SetWidth(*again, hwnd, item, width);
}

LRESULT ButtonDown(Header& h, HWND hwnd, POINT p)
{
    UINT flags = 0;
    int item = HitTest(h, hwnd, p, &flags);
    if (item < 0) return 0;
    if (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) {
        HDITEM hdi{};
        hdi.mask = HDI_WIDTH;
        hdi.cxy = h.items[static_cast<std::size_t>(item)].width;
        if (Notify(hwnd, HDN_BEGINTRACK, item, 0, &hdi)) return 0;
        Header* again = From(hwnd);
        if (!again || item >= static_cast<int>(again->items.size())) return 0;
        again->mode = Mode::Divider;
        again->trackItem = item;
        again->startX = p.x;
        again->startWidth = again->items[static_cast<std::size_t>(item)].width;
        again->trackWidth = again->startWidth;
        SetCapture(hwnd);
        return 0;
    }
    if (static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & HDS_BUTTONS) {
        h.press.Press();
        h.trackItem = item;
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return 0;
}

LRESULT Move(Header& h, HWND hwnd, POINT p)
{
    if (h.mode == Mode::Divider) {
        int width = std::max(0, h.startWidth + (p.x - h.startX));
        if (width == h.trackWidth) return 0;
        HDITEM hdi{};
        hdi.mask = HDI_WIDTH;
        hdi.cxy = width;
        int item = h.trackItem;
        // The owner may end the drag by answering TRUE.
        if (Notify(hwnd, HDN_TRACK, item, 0, &hdi)) {
            if (Header* again = From(hwnd)) EndTrack(*again, hwnd, true);
            return 0;
        }
        Header* again = From(hwnd);
        if (!again || again->mode != Mode::Divider) return 0;
        again->trackWidth = width;
        if (FullDrag(hwnd)) SetWidth(*again, hwnd, item, width);
        return 0;
    }
    if (h.press.Held()) {
        bool inside = false;
        if (h.trackItem >= 0 && h.trackItem < static_cast<int>(h.items.size())) {
            RECT r = ItemRect(h, hwnd, h.trackItem);
            inside = PtInRect(&r, p) != 0;
        }
        if (h.press.Move(inside)) InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    }
    UINT flags = 0;
    int item = HitTest(h, hwnd, p, &flags);
    SetHot(h, hwnd, (flags & HHT_ONHEADER) ? item : -1);
    ArmLeave(h, hwnd);
    return 0;
}

LRESULT ButtonUp(Header& h, HWND hwnd)
{
    if (h.mode == Mode::Divider) {
        EndTrack(h, hwnd, true);
        return 0;
    }
    int item = h.trackItem;
    PressEnd end = h.press.Release();
    if (end == PressEnd::None) return 0;
    h.trackItem = -1;
    EndCapture(hwnd);
    InvalidateRect(hwnd, nullptr, TRUE);
    if (end == PressEnd::Action) Notify(hwnd, HDN_ITEMCLICK, item, 0, nullptr);
    return 0;
}

LRESULT DoubleClick(Header& h, HWND hwnd, POINT p)
{
    UINT flags = 0;
    int item = HitTest(h, hwnd, p, &flags);
    if (item < 0) return 0;
    Notify(hwnd, (flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) ? HDN_DIVIDERDBLCLICK : HDN_ITEMDBLCLICK, item, 0, nullptr);
    return 0;
}

LRESULT Leave(Header& h, HWND hwnd)
{
    h.leaveArmed = false;
    SetHot(h, hwnd, -1);
    return 0;
}

// Losing the mouse to someone else ends a drag where it stands, and a press without a click.
LRESULT CaptureChanged(Header& h, HWND hwnd, HWND taker)
{
    if (taker == hwnd) return 0;
    if (h.mode == Mode::Divider) {
        h.mode = Mode::None;
        h.trackItem = -1;
    } else if (h.press.Cancel() != PressEnd::None) {
        h.trackItem = -1;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
    return 0;
}

} // namespace

LRESULT OnMouse(Header& h, HWND hwnd, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN: return ButtonDown(h, hwnd, At(lParam));
    case WM_MOUSEMOVE: return Move(h, hwnd, At(lParam));
    case WM_LBUTTONUP: return ButtonUp(h, hwnd);
    case WM_LBUTTONDBLCLK: return DoubleClick(h, hwnd, At(lParam));
    case WM_MOUSELEAVE: return Leave(h, hwnd);
    case WM_CAPTURECHANGED: return CaptureChanged(h, hwnd, reinterpret_cast<HWND>(lParam));
    default: return 0;
    }
}

} // namespace sys::hd
