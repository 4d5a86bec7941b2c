// Turning backend input into window messages: hit testing, capture, mouse
// tracking, keys to the focus window.
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowTree.h"

#include <cstdlib>

namespace sys {

namespace {

using display::Event;
using display::EventType;
using display::MouseButton;

bool ShowsPoint(const Window& w, POINT screen)
{
    POINT o = WindowScreenOrigin(w);
    POINT p{screen.x - o.x, screen.y - o.y};
    RECT whole{0, 0, Width(w.rect), Height(w.rect)};
    if (!PtInRect(&whole, p)) return false;
    return !w.shape || w.shape->Contains(p);
}

// The deepest visible window under a screen point, skipping disabled
// children (their parent gets the input); top-level windows are returned
// even when disabled so their input can be dropped.
HWND WindowAt(POINT screen)
{
    for (HWND top : TopLevels()) {
        Window* w = Lookup(top);
        if (!w || !(w->style & WS_VISIBLE) || (w->style & WS_MINIMIZE) || !ShowsPoint(*w, screen)) continue;
        HWND found = top;
        for (;;) {
            Window* cur = Lookup(found);
            POINT co = ClientScreenOrigin(*cur);
            POINT inClient{screen.x - co.x, screen.y - co.y};
            RECT client{0, 0, Width(cur->client), Height(cur->client)};
            if (!PtInRect(&client, inClient)) break;
            HWND next = nullptr;
            for (HWND c : cur->children) {
                Window* cw = Lookup(c);
                if (cw && (cw->style & WS_VISIBLE) && !(cw->style & WS_DISABLED) && ShowsPoint(*cw, screen)) {
                    next = c;
                    break;
                }
            }
            if (!next) break;
            found = next;
        }
        return found;
    }
    return nullptr;
}

// The outermost disabled window among h and its parents, or null. A modal
// dialog disables its owner, and with it everything inside the owner.
HWND DisabledAround(HWND h)
{
    HWND found = nullptr;
    for (Window* w = Lookup(h); w; w = Lookup(w->parent))
        if (w->style & WS_DISABLED) found = w->handle;
    return found;
}

WPARAM KeyFlags()
{
    const DesktopState& s = State();
    WPARAM f = 0;
    if (s.buttons & display::kButtonLeft) f |= MK_LBUTTON;
    if (s.buttons & display::kButtonRight) f |= MK_RBUTTON;
    if (s.buttons & display::kButtonMiddle) f |= MK_MBUTTON;
    if (s.modifiers & display::kModShift) f |= MK_SHIFT;
    if (s.modifiers & display::kModControl) f |= MK_CONTROL;
    return f;
}

LPARAM PackPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

LPARAM ClientPoint(HWND hwnd, POINT screen)
{
    Window* w = Lookup(hwnd);
    if (!w) return 0;
    POINT o = ClientScreenOrigin(*w);
    return PackPoint(POINT{screen.x - o.x, screen.y - o.y});
}

// Finds the target of a mouse event and its hit code; HTCLIENT under capture.
HWND MouseTarget(POINT screen, LRESULT* hit)
{
    DesktopState& s = State();
    if (Lookup(s.capture)) {
        *hit = HTCLIENT;
        return s.capture;
    }
    HWND h = WindowAt(screen);
    while (h) {
        if (!Lookup(h)) return nullptr;
        if (HWND disabled = DisabledAround(h)) {
            *hit = HTERROR;
            return disabled;
        }
        LRESULT code = SendMessage(h, WM_NCHITTEST, 0, PackPoint(screen));
        if (!Lookup(h)) return nullptr;
        if (code != HTTRANSPARENT || !Lookup(h)->parent) {
            *hit = code;
            return h;
        }
        h = Lookup(h)->parent;
    }
    *hit = HTNOWHERE;
    return nullptr;
}

bool InTrackedArea(const MouseTracking& t, HWND target, LRESULT hit)
{
    if (t.hwnd != target) return false;
    return (t.flags & TME_NONCLIENT) ? hit != HTCLIENT : hit == HTCLIENT;
}

void LeaveTracked()
{
    MouseTracking& t = State().tracking;
    if (t.hwnd && (t.flags & TME_LEAVE))
        Post(t.hwnd, (t.flags & TME_NONCLIENT) ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    t = MouseTracking{};
}

void UpdateTracking(HWND target, LRESULT hit, POINT screen)
{
    MouseTracking& t = State().tracking;
    if (!t.hwnd) return;
    if (!InTrackedArea(t, target, hit)) {
        LeaveTracked();
        return;
    }
    // Moving out of the hover rectangle starts the hover time again.
    if ((t.flags & TME_HOVER) && (std::abs(screen.x - t.hoverOrigin.x) > kHoverWidth / 2 ||
                                  std::abs(screen.y - t.hoverOrigin.y) > kHoverHeight / 2)) {
        t.hoverOrigin = screen;
        t.hoverDeadline = NowMs() + t.hoverTime;
    }
}

UINT ButtonMessage(MouseButton b, int kind, bool nonClient)
{
    // kind: 0 down, 1 up, 2 double click
    UINT base = 0;
    switch (b) {
    case MouseButton::Left: base = nonClient ? WM_NCLBUTTONDOWN : WM_LBUTTONDOWN; break;
    case MouseButton::Right: base = nonClient ? WM_NCRBUTTONDOWN : WM_RBUTTONDOWN; break;
    case MouseButton::Middle: base = nonClient ? WM_NCMBUTTONDOWN : WM_MBUTTONDOWN; break;
    }
    return base + static_cast<UINT>(kind);
}

// The window under the pointer picks the pointer's shape first; false when it did not survive.
bool AskForCursor(HWND target, LRESULT hit, const Event& e)
{
    UINT mouseMessage = e.type == EventType::MouseMove   ? WM_MOUSEMOVE
                        : e.type == EventType::MouseDown ? ButtonMessage(e.button, 0, false)
                                                         : ButtonMessage(e.button, 1, false);
    SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target),
                MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(mouseMessage)));
    return Lookup(target) != nullptr;
}

// A press activates the window's top-level window first.
void PostButtonDown(HWND target, const Event& e, bool nonClient, WPARAM wParam, LPARAM where)
{
    HWND root = RootOf(target);
    if (!State().capture && State().active != root) {
        SetActiveWindow(root);
        if (!Lookup(target)) return;
    }
    bool dbl = e.clicks >= 2 && (nonClient || (Lookup(target)->cls->style & CS_DBLCLKS));
    Post(target, ButtonMessage(e.button, dbl ? 2 : 0, nonClient), wParam, where);
}

// The wheel turns what has the keyboard.
void PostWheel(HWND target, const Event& e)
{
    DesktopState& s = State();
    HWND dest = Lookup(s.focus) ? s.focus : (Lookup(s.active) ? s.active : target);
    Post(dest, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(KeyFlags()), static_cast<WORD>(e.wheelDelta)),
         PackPoint(e.screen));
}

void PostMouse(HWND target, LRESULT hit, const Event& e)
{
    bool nonClient = hit != HTCLIENT;
    LPARAM where = nonClient ? PackPoint(e.screen) : ClientPoint(target, e.screen);
    WPARAM wParam = nonClient ? static_cast<WPARAM>(hit) : KeyFlags();
    switch (e.type) {
    case EventType::MouseMove: Post(target, nonClient ? WM_NCMOUSEMOVE : WM_MOUSEMOVE, wParam, where); break;
    case EventType::MouseDown: PostButtonDown(target, e, nonClient, wParam, where); break;
    case EventType::MouseUp: Post(target, ButtonMessage(e.button, 1, nonClient), wParam, where); break;
    case EventType::MouseWheel: PostWheel(target, e); break;
    default: break;
    }
}

void RouteMouse(const Event& e)
{
    DesktopState& s = State();
    s.cursor = e.screen;
    if (e.type == EventType::MouseDown) s.buttons |= ButtonBit(e.button);
    if (e.type == EventType::MouseUp) s.buttons &= ~ButtonBit(e.button);
    s.modifiers = e.modifiers;

    LRESULT hit = HTNOWHERE;
    HWND target = MouseTarget(e.screen, &hit);
    UpdateTracking(target, hit, e.screen);
    s.mouseWindow = target;
    s.mouseHit = hit;
    if (target && !Lookup(s.capture) && e.type != EventType::MouseWheel && !AskForCursor(target, hit, e)) return;
    if (!target || hit == HTERROR) return; // disabled windows take no input
    if (Lookup(target)) PostMouse(target, hit, e);
}

void RouteKey(const Event& e)
{
    DesktopState& s = State();
    bool down = e.type == EventType::KeyDown;
    unsigned vk = e.virtualKey & 0xFF;
    bool wasDown = s.keys[vk];
    s.keys[vk] = down;
    s.modifiers = e.modifiers;
    HWND target = Lookup(s.focus) ? s.focus : (Lookup(s.active) ? s.active : nullptr);
    if (!target || DisabledAround(target)) return;
    bool alt = (e.modifiers & display::kModAlt) != 0;
    bool sys = alt || vk == VK_F10 || (vk == VK_MENU);
    LPARAM lParam = 1;
    if (alt) lParam |= LPARAM{1} << 29;
    if (down ? (wasDown || e.repeat) : true) lParam |= LPARAM{1} << 30;
    if (!down) lParam |= LPARAM{1} << 31;
    // Keys without a focus window in an active window come as system keys.
    if (!Lookup(s.focus)) sys = true;
    UINT msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
    Post(target, msg, vk, lParam);
}

void MouseLeft()
{
    DesktopState& s = State();
    if (Lookup(s.capture)) return;
    LeaveTracked();
    s.mouseWindow = nullptr;
    s.mouseHit = HTNOWHERE;
}

void RouteText(const Event& e)
{
    HWND target = Lookup(State().focus) ? State().focus : nullptr;
    if (!target || DisabledAround(target)) return;
    // Double-byte characters arrive as their lead byte, then their trail byte.
    for (unsigned char c : e.text)
        Post(target, WM_CHAR, c, 1);
}

// The top-level window shown in a native window, or null.
HWND TopLevelOf(display::WindowId native)
{
    for (HWND h : TopLevels())
        if (Window* w = Lookup(h); w && w->native == native) return h;
    return nullptr;
}

void FocusGained(const Event& e)
{
    HWND h = TopLevelOf(e.window);
    if (h && IsWindowEnabled(h)) SetActiveWindow(h);
}

void FocusLost(const Event& e)
{
    if (Window* w = Lookup(State().active); w && w->native == e.window) SetActiveWindow(nullptr);
}

void CloseRequested(const Event& e)
{
    HWND h = TopLevelOf(e.window);
    if (h && IsWindowEnabled(h)) Post(h, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// The desktop's place is the truth: hit tests of the next input use it.
void MovedByDesktop(const Event& e)
{
    HWND h = TopLevelOf(e.window);
    Window* w = Lookup(h);
    if (w && !IsIconic(h) && (w->rect.left != e.screen.x || w->rect.top != e.screen.y))
        SetWindowPos(h, nullptr, e.screen.x, e.screen.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window shows again on the desktop; the layer must stop treating it as minimized.
void RestoreRequested(const Event& e)
{
    HWND h = TopLevelOf(e.window);
    if (h && IsIconic(h)) Post(h, WM_SYSCOMMAND, SC_RESTORE, 0);
}

} // namespace

unsigned ButtonBit(MouseButton b)
{
    switch (b) {
    case MouseButton::Left: return display::kButtonLeft;
    case MouseButton::Right: return display::kButtonRight;
    case MouseButton::Middle: return display::kButtonMiddle;
    }
    return 0;
}

void RouteEvent(const Event& e)
{
    switch (e.type) {
    case EventType::MouseMove:
    case EventType::MouseDown:
    case EventType::MouseUp:
    case EventType::MouseWheel: RouteMouse(e); break;
    case EventType::MouseLeave: MouseLeft(); break;
    case EventType::KeyDown:
    case EventType::KeyUp: RouteKey(e); break;
    case EventType::Text: RouteText(e); break;
    case EventType::FocusGained: FocusGained(e); break;
    case EventType::FocusLost: FocusLost(e); break;
    case EventType::CloseRequest: CloseRequested(e); break;
    case EventType::DropFiles: RouteDrop(e); break;
    case EventType::Moved: MovedByDesktop(e); break;
    case EventType::RestoreRequest: RestoreRequested(e); break;
    }
}

bool RecheckPointer()
{
    DesktopState& s = State();
    if (!s.pointerRecheck) return false;
    s.pointerRecheck = false;
    Event move;
    move.type = EventType::MouseMove;
    move.screen = s.cursor;
    move.buttons = s.buttons;
    move.modifiers = s.modifiers;
    RouteMouse(move);
    return true;
}

bool FireDueHover()
{
    MouseTracking& t = State().tracking;
    if (!t.hwnd || !(t.flags & TME_HOVER) || NowMs() < t.hoverDeadline) return false;
    t.flags &= ~TME_HOVER; // once per arming
    const POINT& p = State().cursor;
    if (t.flags & TME_NONCLIENT) Post(t.hwnd, WM_NCMOUSEHOVER, static_cast<WPARAM>(State().mouseHit), PackPoint(p));
    else Post(t.hwnd, WM_MOUSEHOVER, KeyFlags(), ClientPoint(t.hwnd, p));
    if (!(t.flags & TME_LEAVE)) t = MouseTracking{};
    return true;
}

std::uint64_t NextHoverDeadline()
{
    const MouseTracking& t = State().tracking;
    return t.hwnd && (t.flags & TME_HOVER) ? t.hoverDeadline : display::kNoDeadline;
}

} // namespace sys

using sys::State;

BOOL TrackMouseEvent(LPTRACKMOUSEEVENT tme)
{
    // The structure is 16 bytes in the classic 32-bit layout; accept that and ours.
    if (!tme || tme->cbSize < 16) return FALSE;
    sys::MouseTracking& t = State().tracking;
    if (tme->dwFlags & TME_QUERY) {
        tme->dwFlags = t.flags;
        tme->hwndTrack = t.hwnd;
        tme->dwHoverTime = t.hoverTime;
        return TRUE;
    }
    if (!sys::LookupLive(tme->hwndTrack)) return FALSE;
    DWORD kinds = tme->dwFlags & (TME_HOVER | TME_LEAVE);
    bool nonClient = (tme->dwFlags & TME_NONCLIENT) != 0;
    if (tme->dwFlags & TME_CANCEL) {
        if (t.hwnd == tme->hwndTrack && ((t.flags & TME_NONCLIENT) != 0) == nonClient) {
            t.flags &= ~kinds;
            if (!(t.flags & (TME_HOVER | TME_LEAVE))) t = sys::MouseTracking{};
        }
        return TRUE;
    }
    if (!kinds) return TRUE;
    bool over = State().mouseWindow == tme->hwndTrack &&
                (nonClient ? State().mouseHit != HTCLIENT : State().mouseHit == HTCLIENT);
    if (!over) {
        // The pointer is already elsewhere: the leave is due at once.
        if (kinds & TME_LEAVE) sys::Post(tme->hwndTrack, nonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    if (t.hwnd != tme->hwndTrack || ((t.flags & TME_NONCLIENT) != 0) != nonClient) t = sys::MouseTracking{};
    t.hwnd = tme->hwndTrack;
    t.flags |= kinds | (nonClient ? TME_NONCLIENT : 0);
    if (kinds & TME_HOVER) {
        t.hoverTime = tme->dwHoverTime == HOVER_DEFAULT ? sys::kDefaultHoverTimeMs : tme->dwHoverTime;
        t.hoverDeadline = sys::NowMs() + t.hoverTime;
        t.hoverOrigin = State().cursor;
    }
    return TRUE;
}

BOOL _TrackMouseEvent(LPTRACKMOUSEEVENT tme) { return TrackMouseEvent(tme); }

BOOL GetCursorPos(LPPOINT point)
{
    if (!point) return FALSE;
    *point = State().cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    State().cursor = POINT{x, y};
    return TRUE;
}

short GetKeyState(int virtualKey)
{
    const sys::DesktopState& s = State();
    bool down = false;
    switch (virtualKey) {
    case VK_LBUTTON: down = s.buttons & display::kButtonLeft; break;
    case VK_RBUTTON: down = s.buttons & display::kButtonRight; break;
    case VK_MBUTTON: down = s.buttons & display::kButtonMiddle; break;
    case VK_SHIFT: down = s.modifiers & display::kModShift; break;
    case VK_CONTROL: down = s.modifiers & display::kModControl; break;
    case VK_MENU: down = s.modifiers & display::kModAlt; break;
    default: down = virtualKey >= 0 && virtualKey < 256 && s.keys[static_cast<std::size_t>(virtualKey)];
    }
    return down ? static_cast<short>(0x8000) : 0;
}

short GetAsyncKeyState(int virtualKey) { return GetKeyState(virtualKey); }

HWND WindowFromPoint(POINT screenPoint) { return sys::WindowAt(screenPoint); }

HWND ChildWindowFromPoint(HWND parent, POINT clientPoint)
{
    sys::Window* w = sys::Lookup(parent);
    if (!w) return nullptr;
    RECT client{0, 0, sys::Width(w->client), sys::Height(w->client)};
    if (!PtInRect(&client, clientPoint)) return nullptr;
    for (HWND c : w->children) {
        sys::Window* cw = sys::Lookup(c);
        if (cw && PtInRect(&cw->rect, clientPoint) &&
            (!cw->shape || cw->shape->Contains(clientPoint.x - cw->rect.left, clientPoint.y - cw->rect.top)))
            return c;
    }
    return parent;
}
