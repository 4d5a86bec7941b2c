// Creating and destroying windows.
#include "platform/display/Backend.h"
#include "platform/system/menu/Menu.h"
#include "platform/system/paint/Paint.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/Timers.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>

namespace sys {

namespace {

RECT DefaultTopLevelRect(int x, int y, int width, int height)
{
    RECT work = WorkAreaRect();
    static int cascade = 0;
    if (x == CW_USEDEFAULT) {
        int step = 26 * (cascade++ % 8);
        x = work.left + step;
        y = work.top + step;
    }
    if (width == CW_USEDEFAULT) {
        width = Width(work) * 3 / 4;
        height = Height(work) * 3 / 4;
    }
    return RECT{x, y, x + width, y + height};
}

RECT Clamped(RECT r)
{
    r.right = std::clamp<LONG>(r.right, r.left, r.left + kMaxWindowExtent);
    r.bottom = std::clamp<LONG>(r.bottom, r.top, r.top + kMaxWindowExtent);
    return r;
}

// Sends a message and tells whether the window survived it.
bool SendAlive(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr)
{
    LRESULT r = SendMessage(hwnd, message, wParam, lParam);
    if (result) *result = r;
    return Lookup(hwnd) != nullptr;
}

void Unlink(Window& w)
{
    if (w.parent) {
        if (Window* p = Lookup(w.parent)) std::erase(p->children, w.handle);
    } else {
        std::erase(TopLevels(), w.handle);
    }
}

// Last step of destruction: the handle dies.
void Release(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    KillTimersOf(hwnd);
    DropPostedFor(hwnd);
    ForgetWindowInInput(hwnd);
    if (w->sysMenu) DestroyMenu(w->sysMenu);
    if (w->native) Backend().DestroyWindow(w->native);
    Unlink(*w);
    FreeWindow(hwnd);
}

void SendDestroy(HWND hwnd)
{
    if (!Lookup(hwnd)) return;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    Window* w = Lookup(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND c : children) SendDestroy(c);
}

void SendNcDestroy(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    std::vector<HWND> children = w->children;
    for (HWND c : children) SendNcDestroy(c);
    if (!Lookup(hwnd)) return;
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    Release(hwnd);
}

} // namespace

} // namespace sys

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param)
{
    auto cls = sys::FindClass(className);
    if (!cls) return nullptr;
    bool child = (style & WS_CHILD) != 0;
    sys::Window* parentWindow = sys::LookupLive(parent);
    if (child && !parentWindow) return nullptr;
    if (!child && parent && !parentWindow) return nullptr;

    auto w = std::make_unique<sys::Window>();
    w->cls = cls;
    w->proc = cls->proc;
    w->instance = instance;
    w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
    if (child) {
        w->parent = parent;
        w->id = reinterpret_cast<LONG_PTR>(menu);
        if (x == CW_USEDEFAULT) x = y = 0;
        if (width == CW_USEDEFAULT) width = height = 0;
        w->rect = sys::Clamped(RECT{x, y, x + width, y + height});
    } else {
        // An owner is always a top-level window.
        w->owner = parent ? sys::RootOf(parent) : nullptr;
        if (!(style & WS_POPUP)) style |= WS_CLIPSIBLINGS | WS_CAPTION;
        w->rect = sys::Clamped(sys::DefaultTopLevelRect(x, y, width, height));
    }
    w->style = style & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->exStyle = exStyle;
    w->client = RECT{0, 0, sys::Width(w->rect), sys::Height(w->rect)};
    w->restore = w->rect;
    if (!child) {
        w->surface = std::make_unique<gfx::Surface>(sys::Width(w->rect), sys::Height(w->rect));
        w->native = sys::Backend().CreateWindow(w->rect);
    }
    HWND hwnd = sys::AllocateWindow(std::move(w));
    if (!hwnd) return nullptr;
    if (child) {
        // New children go to the bottom: creation order is the tab order.
        sys::Lookup(parent)->children.push_back(hwnd);
    } else {
        sys::TopLevels().insert(sys::TopLevels().begin(), hwnd);
        sys::SyncNativeStacking();
    }

    CREATESTRUCT cs{param,
                    instance,
                    menu,
                    parent,
                    height,
                    width,
                    y,
                    x,
                    static_cast<LONG>(style),
                    windowName,
                    className,
                    exStyle};
    sys::Window* me = sys::Lookup(hwnd);
    cs.x = me->rect.left;
    cs.y = me->rect.top;
    cs.cx = sys::Width(me->rect);
    cs.cy = sys::Height(me->rect);

    if (!child) {
        MINMAXINFO mmi{};
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!sys::Lookup(hwnd)) return nullptr;
    }
    LRESULT ok = 0;
    if (!sys::SendAlive(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs), &ok)) return nullptr;
    if (!ok) {
        sys::SendNcDestroy(hwnd);
        return nullptr;
    }
    me = sys::Lookup(hwnd);
    RECT calc = me->rect;
    if (!sys::SendAlive(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc))) return nullptr;
    me = sys::Lookup(hwnd);
    me->client = RECT{calc.left - me->rect.left, calc.top - me->rect.top, calc.right - me->rect.left,
                      calc.bottom - me->rect.top};
    LRESULT created2 = 0;
    if (!sys::SendAlive(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs), &created2)) return nullptr;
    if (created2 == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    me = sys::Lookup(hwnd);
    RECT client = me->client;
    RECT rect = me->rect;
    if (!sys::SendAlive(hwnd, WM_SIZE, SIZE_RESTORED,
                        MAKELPARAM(static_cast<WORD>(sys::Width(client)), static_cast<WORD>(sys::Height(client)))))
        return nullptr;
    if (!sys::SendAlive(hwnd, WM_MOVE, 0,
                        MAKELPARAM(static_cast<WORD>(rect.left + client.left),
                                   static_cast<WORD>(rect.top + client.top))))
        return nullptr;
    if (child && !(exStyle & WS_EX_NOPARENTNOTIFY)) {
        SendMessage(parent, WM_PARENTNOTIFY,
                    MAKEWPARAM(static_cast<WORD>(WM_CREATE), static_cast<WORD>(reinterpret_cast<UINT_PTR>(menu))),
                    reinterpret_cast<LPARAM>(hwnd));
        if (!sys::Lookup(hwnd)) return nullptr;
    }
    if (style & WS_VISIBLE) {
        int show = (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
        ShowWindow(hwnd, show);
    } else if (style & WS_MAXIMIZE) {
        ShowWindow(hwnd, SW_MAXIMIZE);
    }
    return sys::Lookup(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent,
                  HMENU menu, HINSTANCE instance, LPVOID param)
{
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu, instance, param);
}

BOOL DestroyWindow(HWND hwnd)
{
    sys::Window* w = sys::LookupLive(hwnd);
    if (!w) return FALSE;
    std::vector<HWND> subtree = sys::Subtree(hwnd);
    for (HWND h : subtree) sys::Lookup(h)->destroying = true;

    // Hide it so the windows below repaint what it covered.
    w = sys::Lookup(hwnd);
    if (w->style & WS_VISIBLE) {
        if (w->parent) {
            gfx::Region area(w->rect);
            if (sys::Window* p = sys::Lookup(w->parent)) {
                area.Offset(p->client.left, p->client.top);
                w->style &= ~WS_VISIBLE;
                sys::RedrawArea(w->parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
            }
        } else {
            w->style &= ~WS_VISIBLE;
            if (w->native) sys::Backend().ShowWindow(w->native, false);
        }
    }

    // Owned windows go first, each completely.
    std::vector<HWND> owned;
    for (HWND top : sys::TopLevels())
        if (sys::Window* o = sys::Lookup(top); o && o->owner == hwnd) owned.push_back(top);
    for (HWND o : owned) DestroyWindow(o);

    w = sys::Lookup(hwnd);
    if (!w) return TRUE;
    if (w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY))
        SendMessage(w->parent, WM_PARENTNOTIFY,
                    MAKEWPARAM(static_cast<WORD>(WM_DESTROY), static_cast<WORD>(w->id)),
                    reinterpret_cast<LPARAM>(hwnd));
    for (HWND h : subtree) sys::ForgetWindowInInput(h);
    sys::SendDestroy(hwnd);
    sys::SendNcDestroy(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return sys::Lookup(hwnd) != nullptr; }
