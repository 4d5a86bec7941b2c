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

RECT InitialRect(bool child, int x, int y, int width, int height)
{
    if (!child) return Clamped(DefaultTopLevelRect(x, y, width, height));
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) width = height = 0;
    return Clamped(RECT{x, y, x + width, y + height});
}

// The window as it is before its first message.
std::unique_ptr<Window> NewWindow(std::shared_ptr<WindowClass> cls, const CREATESTRUCT& cs, RECT rect)
{
    bool child = (cs.style & WS_CHILD) != 0;
    auto w = std::make_unique<Window>();
    w->proc = cls->proc;
    w->extra.assign(static_cast<std::size_t>(cls->wndExtra), 0);
    w->cls = std::move(cls);
    w->instance = cs.hInstance;
    if (child) {
        w->parent = cs.hwndParent;
        w->id = reinterpret_cast<LONG_PTR>(cs.hMenu);
    } else {
        // An owner is always a top-level window.
        w->owner = cs.hwndParent ? RootOf(cs.hwndParent) : nullptr;
    }
    w->rect = rect;
    w->style = static_cast<DWORD>(cs.style) & ~(WS_VISIBLE | WS_MINIMIZE | WS_MAXIMIZE);
    w->exStyle = cs.dwExStyle;
    w->client = RECT{0, 0, Width(rect), Height(rect)};
    w->restore = rect;
    if (!child) {
        w->surface = std::make_unique<gfx::Surface>(Width(rect), Height(rect));
        w->native = Backend().CreateWindow(rect);
    }
    return w;
}

// New children go to the bottom, so that creation order is the tab order;
// new top-level windows to the top.
void Link(HWND hwnd, HWND parent, bool child)
{
    if (child) {
        Lookup(parent)->children.push_back(hwnd);
    } else {
        TopLevels().insert(TopLevels().begin(), hwnd);
        SyncNativeStacking();
    }
}

// The first WM_NCCALCSIZE sets the client area.
bool SendFirstCalcSize(HWND hwnd)
{
    RECT calc = Lookup(hwnd)->rect;
    if (!SendAlive(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&calc))) return false;
    Window* w = Lookup(hwnd);
    w->client =
        RECT{calc.left - w->rect.left, calc.top - w->rect.top, calc.right - w->rect.left, calc.bottom - w->rect.top};
    return true;
}

// The creation messages up to WM_CREATE; false when the window is gone or refused to be.
bool SendCreateMessages(HWND hwnd, CREATESTRUCT& cs)
{
    if (!(cs.style & WS_CHILD)) {
        MINMAXINFO mmi{};
        SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
        if (!Lookup(hwnd)) return false;
    }
    LRESULT ok = 0;
    if (!SendAlive(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs), &ok)) return false;
    if (!ok) {
        SendNcDestroy(hwnd);
        return false;
    }
    if (!SendFirstCalcSize(hwnd)) return false;
    LRESULT created = 0;
    if (!SendAlive(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs), &created)) return false;
    if (created == -1) {
        DestroyWindow(hwnd);
        return false;
    }
    return true;
}

bool SendFirstSizeAndMove(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    RECT client = w->client;
    RECT rect = w->rect;
    if (!SendAlive(hwnd, WM_SIZE, SIZE_RESTORED,
                   MAKELPARAM(static_cast<WORD>(Width(client)), static_cast<WORD>(Height(client)))))
        return false;
    return SendAlive(hwnd, WM_MOVE, 0,
                     MAKELPARAM(static_cast<WORD>(rect.left + client.left), static_cast<WORD>(rect.top + client.top)));
}

// WM_PARENTNOTIFY of a child's creation or destruction (event), with the child's id.
void NotifyParent(HWND parent, UINT event, LONG_PTR id, HWND child)
{
    SendMessage(parent, WM_PARENTNOTIFY, MAKEWPARAM(static_cast<WORD>(event), static_cast<WORD>(id)),
                reinterpret_cast<LPARAM>(child));
}

void ShowAsCreated(HWND hwnd, DWORD style)
{
    if (style & WS_VISIBLE) {
        int show = (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : (style & WS_MINIMIZE) ? SW_SHOWMINIMIZED : SW_SHOW;
        ShowWindow(hwnd, show);
    } else if (style & WS_MAXIMIZE) {
        ShowWindow(hwnd, SW_MAXIMIZE);
    }
}

// Hides the window so the windows below repaint what it covered.
void HideForDestroy(Window& w)
{
    if (!(w.style & WS_VISIBLE)) return;
    if (!w.parent) {
        w.style &= ~WS_VISIBLE;
        if (w.native) Backend().ShowWindow(w.native, false);
        return;
    }
    gfx::Region area(w.rect);
    if (Window* p = Lookup(w.parent)) {
        area.Offset(p->client.left, p->client.top);
        w.style &= ~WS_VISIBLE;
        RedrawArea(w.parent, &area, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

// Owned windows go first, each completely.
void DestroyOwned(HWND owner)
{
    std::vector<HWND> owned;
    for (HWND top : TopLevels())
        if (Window* o = Lookup(top); o && o->owner == owner) owned.push_back(top);
    for (HWND o : owned) DestroyWindow(o);
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
    // An overlapped window always has a caption.
    if (!child && !(style & WS_POPUP)) style |= WS_CLIPSIBLINGS | WS_CAPTION;

    RECT rect = sys::InitialRect(child, x, y, width, height);
    CREATESTRUCT cs{.lpCreateParams = param,
                    .hInstance = instance,
                    .hMenu = menu,
                    .hwndParent = parent,
                    .cy = sys::Height(rect),
                    .cx = sys::Width(rect),
                    .y = rect.top,
                    .x = rect.left,
                    .style = static_cast<LONG>(style),
                    .lpszName = windowName,
                    .lpszClass = className,
                    .dwExStyle = exStyle};
    HWND hwnd = sys::AllocateWindow(sys::NewWindow(std::move(cls), cs, rect));
    if (!hwnd) return nullptr;
    sys::Link(hwnd, parent, child);
    if (!sys::SendCreateMessages(hwnd, cs) || !sys::SendFirstSizeAndMove(hwnd)) return nullptr;
    if (child && !(exStyle & WS_EX_NOPARENTNOTIFY)) {
        sys::NotifyParent(parent, WM_CREATE, reinterpret_cast<LONG_PTR>(menu), hwnd);
        if (!sys::Lookup(hwnd)) return nullptr;
    }
    sys::ShowAsCreated(hwnd, style);
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
    sys::HideForDestroy(*sys::Lookup(hwnd));
    sys::DestroyOwned(hwnd);

    w = sys::Lookup(hwnd);
    if (!w) return TRUE;
    if (w->parent && !(w->exStyle & WS_EX_NOPARENTNOTIFY)) sys::NotifyParent(w->parent, WM_DESTROY, w->id, hwnd);
    for (HWND h : subtree) sys::ForgetWindowInInput(h);
    sys::SendDestroy(hwnd);
    sys::SendNcDestroy(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return sys::Lookup(hwnd) != nullptr; }
