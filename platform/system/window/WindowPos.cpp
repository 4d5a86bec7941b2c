// Position, size, stacking and visibility.
#include "platform/system/window/WindowPos.h"

#include "platform/display/Backend.h"
#include "platform/system/frame/MinimizedBar.h"
#include "platform/system/frame/NonClient.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/paint/Paint.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>

namespace sys {

namespace {

constexpr int kMinimizedPos = -32000;

bool IsSpecialAfter(HWND after)
{
    return after == HWND_TOP || after == HWND_BOTTOM || after == HWND_TOPMOST || after == HWND_NOTOPMOST;
}

// Moves the window within its sibling list; true when the order changed.
bool Restack(Window& w, HWND after)
{
    std::vector<HWND>& list = w.parent ? Lookup(w.parent)->children : TopLevels();
    std::vector<HWND> before = list;
    std::erase(list, w.handle);
    if (after == HWND_TOPMOST) w.exStyle |= WS_EX_TOPMOST;
    if (after == HWND_NOTOPMOST) w.exStyle &= ~WS_EX_TOPMOST;
    if (after == HWND_BOTTOM) {
        list.push_back(w.handle);
    } else if (IsSpecialAfter(after) || after == w.handle) {
        list.insert(list.begin(), w.handle);
    } else {
        auto it = std::find(list.begin(), list.end(), after);
        if (it == list.end()) list.insert(list.begin(), w.handle);
        else list.insert(it + 1, w.handle);
    }
    if (!w.parent) NormalizeTopLevelOrder();
    return before != list;
}

void ResizeSurface(Window& w)
{
    if (!w.surface) return;
    int width = Width(w.rect), height = Height(w.rect);
    if (w.surface->Width() == width && w.surface->Height() == height) return;
    gfx::Surface next(width, height);
    for (int y = 0; y < std::min(height, w.surface->Height()); ++y)
        for (int x = 0; x < std::min(width, w.surface->Width()); ++x) next.Set(x, y, w.surface->At(x, y));
    *w.surface = std::move(next);
    w.dirty = w.dirty.Intersect(gfx::Region(w.surface->Bounds()));
}

void SyncNative(Window& w)
{
    if (!w.native) return;
    Backend().MoveWindow(w.native, w.rect);
    Backend().ShowWindow(w.native, (w.style & WS_VISIBLE) && !(w.style & WS_MINIMIZE));
}

// The parent area a child covered, as parent window coordinates.
gfx::Region AreaInParent(const Window& child, const RECT& rect)
{
    Window* p = Lookup(child.parent);
    gfx::Region area(rect);
    if (child.shape) {
        gfx::Region shape = *child.shape;
        shape.Offset(rect.left, rect.top);
        area = area.Intersect(shape);
    }
    if (p) area.Offset(p->client.left, p->client.top);
    return area;
}

HWND NextToActivate(HWND leaving)
{
    Window* w = Lookup(leaving);
    if (w && w->owner && IsReallyVisible(w->owner) && IsWindowEnabled(w->owner)) return w->owner;
    for (HWND h : TopLevels())
        if (h != leaving && IsReallyVisible(h) && IsWindowEnabled(h) && !IsIconic(h)) return h;
    return nullptr;
}

// A window can only go after a sibling, or to one of the special places.
bool CanInsertAfter(const Window& w, HWND after, UINT flags)
{
    if (IsSpecialAfter(after) || (flags & SWP_NOZORDER)) return true;
    Window* a = Lookup(after);
    return a && a->parent == w.parent;
}

// The place asked for, clamped, with what is not to change taken from the window.
void CompleteAskedPlace(const Window& w, WINDOWPOS& wp)
{
    wp.cx = std::clamp(wp.cx, 0, kMaxWindowExtent);
    wp.cy = std::clamp(wp.cy, 0, kMaxWindowExtent);
    if (wp.flags & SWP_NOMOVE) {
        wp.x = w.rect.left;
        wp.y = w.rect.top;
    }
    if (wp.flags & SWP_NOSIZE) {
        wp.cx = Width(w.rect);
        wp.cy = Height(w.rect);
    }
}

// The window may change the place in WM_WINDOWPOSCHANGING; false when it did not survive.
bool SendPosChanging(HWND hwnd, WINDOWPOS& wp)
{
    SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
    if (!LookupLive(hwnd)) return false;
    wp.cx = std::clamp(wp.cx, 0, kMaxWindowExtent);
    wp.cy = std::clamp(wp.cy, 0, kMaxWindowExtent);
    return true;
}

// One move of a window, worked out before it is made.
struct PlaceChange {
    UINT flags = 0;
    RECT oldRect{};
    RECT newRect{};
    RECT oldClient{};
    RECT newClient{};
    bool moved = false;
    bool sized = false;
    bool restacked = false;
    bool wasVisible = false;
    bool visible = false;
    bool topLevel = false;
    gfx::Region oldArea;

    bool Shown() const { return visible && !wasVisible; }
    bool Hidden() const { return wasVisible && !visible; }
};

PlaceChange PlanChange(const Window& w, const WINDOWPOS& wp)
{
    PlaceChange c;
    c.flags = wp.flags;
    c.oldRect = w.rect;
    c.newRect = c.oldRect;
    if (!(c.flags & SWP_NOMOVE)) OffsetRect(&c.newRect, wp.x - c.oldRect.left, wp.y - c.oldRect.top);
    if (!(c.flags & SWP_NOSIZE)) {
        c.newRect.right = c.newRect.left + wp.cx;
        c.newRect.bottom = c.newRect.top + wp.cy;
    }
    c.moved = c.newRect.left != c.oldRect.left || c.newRect.top != c.oldRect.top;
    c.sized = Width(c.newRect) != Width(c.oldRect) || Height(c.newRect) != Height(c.oldRect);
    c.oldClient = w.client;
    c.newClient = c.oldClient;
    return c;
}

// Asks the window for its client area in the new rectangle; false when it did not survive.
bool SendNewClient(HWND hwnd, WINDOWPOS& wp, PlaceChange& c)
{
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = c.newRect;
    params.rgrc[1] = c.oldRect;
    params.rgrc[2] = c.oldClient;
    OffsetRect(&params.rgrc[2], c.oldRect.left, c.oldRect.top);
    params.lppos = &wp;
    SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (!LookupLive(hwnd)) return false;
    c.newClient = params.rgrc[0];
    OffsetRect(&c.newClient, -c.newRect.left, -c.newRect.top);
    return true;
}

// Puts the window in its new place, order and visibility.
void ApplyChange(Window& w, HWND after, PlaceChange& c)
{
    c.wasVisible = (w.style & WS_VISIBLE) != 0;
    c.oldArea = w.parent ? AreaInParent(w, c.oldRect) : gfx::Region();
    w.rect = c.newRect;
    w.client = c.newClient;
    c.restacked = !(c.flags & SWP_NOZORDER) && Restack(w, after);
    if (c.flags & SWP_SHOWWINDOW) w.style |= WS_VISIBLE;
    if (c.flags & SWP_HIDEWINDOW) w.style &= ~WS_VISIBLE;
    c.visible = (w.style & WS_VISIBLE) != 0;
    c.topLevel = !w.parent;
    if (c.topLevel) {
        ResizeSurface(w);
        SyncNative(w);
        if (c.restacked) SyncNativeStacking();
    }
}

void RedrawChange(HWND hwnd, Window& w, const PlaceChange& c)
{
    constexpr UINT kWhole = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    bool framed = (c.flags & SWP_FRAMECHANGED) != 0;
    if (c.flags & SWP_NOREDRAW) {
        if (framed) w.ncDirty = true;
        return;
    }
    if (c.topLevel) {
        if (c.visible && (c.sized || c.Shown() || framed)) RedrawArea(hwnd, nullptr, kWhole);
        return;
    }
    if (c.wasVisible && (c.moved || c.sized || c.Hidden() || c.restacked || framed))
        RedrawArea(w.parent, &c.oldArea, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    if (c.visible && (c.moved || c.sized || c.Shown() || c.restacked || framed))
        RedrawArea(hwnd, nullptr, kWhole);
}

// A top-level window hidden hands the activation on; one shown or raised takes it.
void ActivateAfterChange(HWND hwnd, const PlaceChange& c)
{
    if (!c.topLevel) return;
    if (c.Hidden() && State().active == hwnd) SetActiveWindow(NextToActivate(hwnd));
    else if (c.visible && !(c.flags & SWP_NOACTIVATE) && (c.Shown() || c.restacked)) SetActiveWindow(hwnd);
    DropStaleMinimizedBar(hwnd);
}

// WM_WINDOWPOSCHANGED tells the place as made; NOMOVE and NOSIZE speak of the client area.
void SendPosChanged(HWND hwnd, WINDOWPOS& wp, const PlaceChange& c)
{
    wp.x = c.newRect.left;
    wp.y = c.newRect.top;
    wp.cx = Width(c.newRect);
    wp.cy = Height(c.newRect);
    wp.flags = c.flags & ~(SWP_NOMOVE | SWP_NOSIZE);
    if (!c.moved && c.newClient.left == c.oldClient.left && c.newClient.top == c.oldClient.top) wp.flags |= SWP_NOMOVE;
    if (Width(c.newClient) == Width(c.oldClient) && Height(c.newClient) == Height(c.oldClient))
        wp.flags |= SWP_NOSIZE;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

} // namespace

void NormalizeTopLevelOrder()
{
    std::vector<HWND>& list = TopLevels();
    std::stable_partition(list.begin(), list.end(), [](HWND h) {
        Window* w = Lookup(h);
        return w && (w->exStyle & WS_EX_TOPMOST);
    });
    // Owned windows stay above their owners.
    for (std::size_t pass = 0; pass < list.size(); ++pass) {
        bool moved = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            Window* w = Lookup(list[i]);
            if (!w || !w->owner) continue;
            auto owner = std::find(list.begin(), list.end(), w->owner);
            auto self = list.begin() + static_cast<std::ptrdiff_t>(i);
            if (owner < self) {
                HWND h = *self;
                list.erase(self);
                list.insert(std::find(list.begin(), list.end(), w->owner), h);
                moved = true;
            }
        }
        if (!moved) break;
    }
}

void SetWindowRegion(HWND hwnd, std::optional<gfx::Region> region, bool redraw)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    gfx::Region oldArea = w->parent ? AreaInParent(*w, w->rect) : gfx::Region();
    w->shape = std::move(region);
    if (w->native) {
        std::vector<RECT> rects;
        if (w->shape) rects.assign(w->shape->Rects().begin(), w->shape->Rects().end());
        Backend().SetShape(w->native, rects, !w->shape);
    }
    if (!redraw || !(w->style & WS_VISIBLE)) return;
    if (w->parent) RedrawArea(w->parent, &oldArea, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    RedrawArea(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Minimize(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->restore = w->rect;
    w->restoreToMaximized = (w->style & WS_MAXIMIZE) != 0;
    w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
    if (IsDescendant(hwnd, State().focus)) SetFocus(nullptr);
    // Where the desktop has a window manager, a shown window becomes its icon
    // there; it keeps its place and size, and showing it again (restore) brings
    // it back. Its size does not change, so no WM_SIZE is sent either way.
    if (w->native && !w->parent && (w->style & WS_VISIBLE) && Backend().HasWindowManager()) {
        Backend().MinimizeWindow(w->native);
        return;
    }
    bool show = !(Lookup(hwnd)->style & WS_VISIBLE);
    if (show) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
    SetWindowPos(hwnd, nullptr, kMinimizedPos, kMinimizedPos, GetSystemMetrics(SM_CXMINIMIZED),
                 GetSystemMetrics(SM_CYMINIMIZED),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | (show ? SWP_SHOWWINDOW : 0));
    // Off the screen the window would be lost for good: something must show it.
    ShowMinimizedBar(hwnd);
}

void Maximize(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE))) w->restore = w->rect;
    RECT area = w->parent ? RECT{0, 0, 0, 0} : WorkAreaRect();
    if (Window* p = Lookup(w->parent)) area = RECT{0, 0, Width(p->client), Height(p->client)};
    MINMAXINFO mmi{};
    mmi.ptMaxSize = POINT{Width(area), Height(area)};
    mmi.ptMaxPosition = POINT{area.left, area.top};
    mmi.ptMinTrackSize = POINT{GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
    mmi.ptMaxTrackSize = POINT{GetSystemMetrics(SM_CXMAXTRACK), GetSystemMetrics(SM_CYMAXTRACK)};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    w = Lookup(hwnd);
    if (!w) return;
    w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
    bool show = !(w->style & WS_VISIBLE);
    if (show) SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
    SetWindowPos(hwnd, nullptr, mmi.ptMaxPosition.x, mmi.ptMaxPosition.y, mmi.ptMaxSize.x, mmi.ptMaxSize.y,
                 SWP_FRAMECHANGED | (show ? SWP_SHOWWINDOW : 0));
}

void Restore(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    if ((w->style & WS_MINIMIZE) && w->restoreToMaximized) {
        w->style &= ~WS_MINIMIZE;
        w->restoreToMaximized = false;
        Maximize(hwnd);
        return;
    }
    w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
    RECT r = w->restore;
    SetWindowPos(hwnd, nullptr, r.left, r.top, Width(r), Height(r), SWP_FRAMECHANGED);
}

} // namespace sys

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    sys::Window* w = sys::LookupLive(hwnd);
    if (!w || !sys::CanInsertAfter(*w, insertAfter, flags)) return FALSE;
    WINDOWPOS wp{hwnd, insertAfter, x, y, cx, cy, flags};
    sys::CompleteAskedPlace(*w, wp);
    if (!(flags & SWP_NOSENDCHANGING) && !sys::SendPosChanging(hwnd, wp)) return FALSE;
    sys::PlaceChange change = sys::PlanChange(*sys::Lookup(hwnd), wp);
    if ((change.sized || (change.flags & SWP_FRAMECHANGED)) && !sys::SendNewClient(hwnd, wp, change)) return FALSE;
    w = sys::Lookup(hwnd);
    sys::ApplyChange(*w, insertAfter, change);
    sys::RedrawChange(hwnd, *w, change);
    sys::ActivateAfterChange(hwnd, change);
    if (sys::Lookup(hwnd)) sys::SendPosChanged(hwnd, wp, change);
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd)
{
    return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

namespace {

void ShowNow(HWND hwnd, bool activate)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w) return;
    if (!(w->style & WS_VISIBLE)) {
        SendMessage(hwnd, WM_SHOWWINDOW, TRUE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | (activate ? 0 : SWP_NOACTIVATE));
    } else if (activate && !w->parent) {
        SetActiveWindow(hwnd);
    }
}

} // namespace

BOOL ShowWindow(HWND hwnd, int command)
{
    sys::Window* w = sys::LookupLive(hwnd);
    if (!w) return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) ? TRUE : FALSE;
    switch (command) {
    case SW_HIDE:
        if (!wasVisible) return FALSE;
        SendMessage(hwnd, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        if (!(w->style & WS_MINIMIZE)) sys::Minimize(hwnd);
        else ShowNow(hwnd, false);
        break;
    case SW_SHOWMAXIMIZED:
        if (!(w->style & WS_MAXIMIZE)) sys::Maximize(hwnd);
        else ShowNow(hwnd, true);
        break;
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) sys::Restore(hwnd);
        ShowNow(hwnd, true);
        break;
    case SW_SHOW: ShowNow(hwnd, true); break;
    case SW_SHOWNA:
    case SW_SHOWNOACTIVATE: ShowNow(hwnd, false); break;
    default: return wasVisible;
    }
    return wasVisible;
}

BOOL IsWindowVisible(HWND hwnd) { return sys::IsReallyVisible(hwnd) ? TRUE : FALSE; }

BOOL IsIconic(HWND hwnd)
{
    sys::Window* w = sys::Lookup(hwnd);
    return w && (w->style & WS_MINIMIZE) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd)
{
    sys::Window* w = sys::Lookup(hwnd);
    return w && (w->style & WS_MAXIMIZE) ? TRUE : FALSE;
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !rect) return FALSE;
    POINT o = sys::WindowScreenOrigin(*w);
    *rect = RECT{o.x, o.y, o.x + sys::Width(w->rect), o.y + sys::Height(w->rect)};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !rect) return FALSE;
    *rect = RECT{0, 0, sys::Width(w->client), sys::Height(w->client)};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT point)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !point) return FALSE;
    POINT o = sys::ClientScreenOrigin(*w);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT point)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !point) return FALSE;
    POINT o = sys::ClientScreenOrigin(*w);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    POINT a{0, 0}, b{0, 0};
    if (from) {
        sys::Window* w = sys::Lookup(from);
        if (!w) return 0;
        a = sys::ClientScreenOrigin(*w);
    }
    if (to) {
        sys::Window* w = sys::Lookup(to);
        if (!w) return 0;
        b = sys::ClientScreenOrigin(*w);
    }
    int dx = a.x - b.x, dy = a.y - b.y;
    if (points)
        for (UINT i = 0; i < count; ++i) {
            points[i].x += dx;
            points[i].y += dy;
        }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect) return FALSE;
    sys::FrameMetrics m = sys::FrameFor(style, exStyle);
    rect->left -= m.borderX;
    rect->right += m.borderX + m.vscroll;
    rect->top -= m.borderY + m.caption + (menu ? GetSystemMetrics(SM_CYMENU) : 0);
    rect->bottom += m.borderY + m.hscroll;
    return TRUE;
}

BOOL AdjustWindowRect(LPRECT rect, DWORD style, BOOL menu) { return AdjustWindowRectEx(rect, style, menu, 0); }

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw)
{
    if (!sys::LookupLive(hwnd)) return 0;
    if (!region) {
        sys::SetWindowRegion(hwnd, std::nullopt, redraw != FALSE);
        return 1;
    }
    gfx::Region pixels;
    // The window owns the region from here on: the handle is used up.
    if (!sys::TakeRegion(region, &pixels)) return 0;
    sys::SetWindowRegion(hwnd, std::move(pixels), redraw != FALSE);
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region)
{
    sys::Window* w = sys::Lookup(hwnd);
    if (!w || !w->shape || !sys::SetRegion(region, *w->shape)) return ERROR;
    if (w->shape->IsEmpty()) return NULLREGION;
    return w->shape->IsRect() ? SIMPLEREGION : COMPLEXREGION;
}
