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
    if (!w) return FALSE;
    if (!sys::IsSpecialAfter(insertAfter) && !(flags & SWP_NOZORDER)) {
        sys::Window* a = sys::Lookup(insertAfter);
        if (!a || a->parent != w->parent) return FALSE;
    }
    WINDOWPOS wp{hwnd, insertAfter, x, y, std::clamp(cx, 0, sys::kMaxWindowExtent),
                 std::clamp(cy, 0, sys::kMaxWindowExtent), flags};
    if (flags & SWP_NOMOVE) {
        wp.x = w->rect.left;
        wp.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        wp.cx = sys::Width(w->rect);
        wp.cy = sys::Height(w->rect);
    }
    if (!(flags & SWP_NOSENDCHANGING)) {
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&wp));
        w = sys::LookupLive(hwnd);
        if (!w) return FALSE;
        wp.cx = std::clamp(wp.cx, 0, sys::kMaxWindowExtent);
        wp.cy = std::clamp(wp.cy, 0, sys::kMaxWindowExtent);
    }
    flags = wp.flags;
    RECT oldRect = w->rect;
    RECT newRect = oldRect;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&newRect, wp.x - oldRect.left, wp.y - oldRect.top);
    if (!(flags & SWP_NOSIZE)) {
        newRect.right = newRect.left + wp.cx;
        newRect.bottom = newRect.top + wp.cy;
    }
    bool moved = newRect.left != oldRect.left || newRect.top != oldRect.top;
    bool sized = sys::Width(newRect) != sys::Width(oldRect) || sys::Height(newRect) != sys::Height(oldRect);
    RECT oldClient = w->client;
    RECT newClient = oldClient;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = newRect;
        params.rgrc[1] = oldRect;
        params.rgrc[2] = oldClient;
        OffsetRect(&params.rgrc[2], oldRect.left, oldRect.top);
        params.lppos = &wp;
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        w = sys::LookupLive(hwnd);
        if (!w) return FALSE;
        newClient = params.rgrc[0];
        OffsetRect(&newClient, -newRect.left, -newRect.top);
    }
    bool wasVisible = (w->style & WS_VISIBLE) != 0;
    gfx::Region oldArea = w->parent ? sys::AreaInParent(*w, oldRect) : gfx::Region();

    w->rect = newRect;
    w->client = newClient;
    bool restacked = !(flags & SWP_NOZORDER) && sys::Restack(*w, insertAfter);
    if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    bool visible = (w->style & WS_VISIBLE) != 0;
    bool shown = visible && !wasVisible;
    bool hidden = wasVisible && !visible;
    bool topLevel = !w->parent;
    if (topLevel) {
        sys::ResizeSurface(*w);
        sys::SyncNative(*w);
        if (restacked) sys::SyncNativeStacking();
    }

    if (!(flags & SWP_NOREDRAW)) {
        if (!topLevel) {
            if (wasVisible && (moved || sized || hidden || restacked || (flags & SWP_FRAMECHANGED)))
                sys::RedrawArea(w->parent, &oldArea, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            if (visible && (moved || sized || shown || restacked || (flags & SWP_FRAMECHANGED)))
                sys::RedrawArea(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        } else if (visible && (sized || shown || (flags & SWP_FRAMECHANGED))) {
            sys::RedrawArea(hwnd, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    } else if (flags & SWP_FRAMECHANGED) {
        w->ncDirty = true;
    }

    if (topLevel) {
        if (hidden && sys::State().active == hwnd) SetActiveWindow(sys::NextToActivate(hwnd));
        else if (visible && !(flags & SWP_NOACTIVATE) && (shown || restacked)) SetActiveWindow(hwnd);
    }
    if (topLevel) sys::DropStaleMinimizedBar(hwnd);
    w = sys::Lookup(hwnd);
    if (!w) return TRUE;
    wp.x = newRect.left;
    wp.y = newRect.top;
    wp.cx = sys::Width(newRect);
    wp.cy = sys::Height(newRect);
    wp.flags = flags & ~(SWP_NOMOVE | SWP_NOSIZE);
    if (!moved && newClient.left == oldClient.left && newClient.top == oldClient.top) wp.flags |= SWP_NOMOVE;
    if (sys::Width(newClient) == sys::Width(oldClient) && sys::Height(newClient) == sys::Height(oldClient))
        wp.flags |= SWP_NOSIZE;
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
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
