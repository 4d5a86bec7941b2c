// The modal loop of a popup menu: it reads input straight from the backend
// while the rest of the queue (posted messages, paints, timers) keeps running,
// and ends with a chosen item or none.
#include "platform/system/frame/NonClient.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/menu/MenuInternal.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/Timers.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <cctype>

namespace sys {
namespace {

bool g_menuOpen = false; // one menu at a time, as the classic system allows

struct Tracker {
    HMENU menu = nullptr;
    HWND owner = nullptr;
    UINT flags = 0;
    bool system = false;
    bool notify = true;
    PopupMenuState state;
    HWND popup = nullptr;
    bool pressedInside = false;
    bool moved = false;
    POINT openedAt{0, 0};
};

struct Outcome {
    bool chosen = false;
    UINT id = 0;
    bool byMouse = false;
    POINT point{0, 0};
    bool reroute = false; // an event meant for the windows below
    display::Event event;
};

bool OwnerAlive(const Tracker& t)
{
    return LookupLive(t.owner) != nullptr;
}

bool Navigable(const MenuEntry& e)
{
    return !(e.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
}

void Select(Tracker& t, int index, bool byMouse)
{
    if (index == t.state.selected) return;
    auto invalidate = [&t](int i) {
        if (i >= 0 && Lookup(t.popup)) InvalidateRect(t.popup, &t.state.rects[static_cast<std::size_t>(i)], FALSE);
    };
    invalidate(t.state.selected);
    t.state.selected = index;
    invalidate(index);
    if (index < 0 || !t.notify || !OwnerAlive(t)) return;
    const MenuEntry& e = t.state.items[static_cast<std::size_t>(index)];
    UINT flags = (e.flags & (MF_GRAYED | MF_DISABLED | MF_CHECKED | MF_POPUP)) | MF_HILITE |
                 (t.system ? MF_SYSMENU : 0) | (byMouse ? MF_MOUSESELECT : 0);
    UINT item = (e.flags & MF_POPUP) ? static_cast<UINT>(index) : static_cast<UINT>(e.id);
    SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(item), static_cast<WORD>(flags)),
                reinterpret_cast<LPARAM>(t.menu));
}

// The next item the keyboard may land on, wrapping; -1 when there is none.
int Step(const Tracker& t, int from, int direction)
{
    int n = static_cast<int>(t.state.items.size());
    int i = from < 0 ? (direction > 0 ? -1 : n) : from;
    for (int k = 0; k < n; ++k) {
        i = ((i + direction) % n + n) % n;
        if (Navigable(t.state.items[static_cast<std::size_t>(i)])) return i;
    }
    return -1;
}

char Mnemonic(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
        ++i; // "&&" is a literal ampersand
    }
    return 0;
}

RECT PopupScreenRect(const Tracker& t)
{
    RECT r{0, 0, 0, 0};
    GetWindowRect(t.popup, &r);
    return r;
}

int ItemAtScreen(const Tracker& t, POINT screen, bool* inside)
{
    RECT r = PopupScreenRect(t);
    *inside = PtInRect(&r, screen) != 0;
    if (!*inside) return -1;
    int i = PopupMenuItemAt(t.state, POINT{screen.x - r.left, screen.y - r.top});
    return i >= 0 && IsSelectableMenuEntry(t.state.items[static_cast<std::size_t>(i)]) ? i : -1;
}

void Choose(const Tracker& t, int index, bool byMouse, Outcome* out)
{
    out->chosen = true;
    out->id = static_cast<UINT>(t.state.items[static_cast<std::size_t>(index)].id);
    out->byMouse = byMouse;
    out->point = State().cursor;
}

// A letter or digit picks the item it underlines: one such item is chosen at
// once, several take turns. True when the loop ends.
bool HandleMnemonic(Tracker& t, unsigned vk, Outcome* out)
{
    std::vector<int> matches;
    for (std::size_t i = 0; i < t.state.items.size(); ++i)
        if (Navigable(t.state.items[i]) && Mnemonic(t.state.items[i].text) == static_cast<char>(vk))
            matches.push_back(static_cast<int>(i));
    if (matches.empty()) return false;
    if (matches.size() == 1) {
        Select(t, matches[0], false);
        if (!IsChoosableMenuEntry(t.state.items[static_cast<std::size_t>(matches[0])])) return false;
        Choose(t, matches[0], false, out);
        return true;
    }
    auto next = std::upper_bound(matches.begin(), matches.end(), t.state.selected);
    Select(t, next == matches.end() ? matches[0] : *next, false);
    return false;
}

// Enter chooses the selected item; true when the loop ends.
bool ChooseSelected(Tracker& t, Outcome* out)
{
    int sel = t.state.selected;
    if (sel < 0) return true;
    if (!IsChoosableMenuEntry(t.state.items[static_cast<std::size_t>(sel)])) return false;
    Choose(t, sel, false, out);
    return true;
}

// True when the key ends the loop.
bool HandleKey(Tracker& t, unsigned vk, Outcome* out)
{
    int sel = t.state.selected;
    switch (vk) {
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10: return true;
    case VK_UP: Select(t, Step(t, sel, -1), false); return false;
    case VK_DOWN: Select(t, Step(t, sel, +1), false); return false;
    case VK_HOME: Select(t, Step(t, -1, +1), false); return false;
    case VK_END: Select(t, Step(t, -1, -1), false); return false;
    case VK_RETURN: return ChooseSelected(t, out);
    default: break;
    }
    bool letter = (vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9');
    return letter && HandleMnemonic(t, vk, out);
}

bool MouseMove(Tracker& t, const display::Event& e)
{
    State().cursor = e.screen;
    if (e.screen.x != t.openedAt.x || e.screen.y != t.openedAt.y) t.moved = true;
    bool inside = false;
    Select(t, ItemAtScreen(t, e.screen, &inside), true);
    return false;
}

bool MouseDown(Tracker& t, const display::Event& e, Outcome* out)
{
    DesktopState& s = State();
    s.cursor = e.screen;
    s.buttons |= ButtonBit(e.button);
    bool inside = false;
    int index = ItemAtScreen(t, e.screen, &inside);
    if (!inside) {
        // A click elsewhere only closes the menu; the second click of a
        // double click on the system menu's icon still closes the window.
        if (e.clicks >= 2 && t.system) {
            out->reroute = true;
            out->event = e;
        }
        return true;
    }
    t.pressedInside = true;
    Select(t, index, true);
    return false;
}

bool MouseUp(Tracker& t, const display::Event& e, Outcome* out)
{
    DesktopState& s = State();
    s.cursor = e.screen;
    s.buttons &= ~ButtonBit(e.button);
    bool inside = false;
    int index = ItemAtScreen(t, e.screen, &inside);
    // The release of the click that opened the menu chooses nothing.
    if (!inside || index < 0 || !(t.pressedInside || t.moved)) return false;
    bool right = e.button == display::MouseButton::Right;
    if (e.button == display::MouseButton::Middle || (right && !(t.flags & TPM_RIGHTBUTTON))) return false;
    if (!IsChoosableMenuEntry(t.state.items[static_cast<std::size_t>(index)])) return false;
    Choose(t, index, true, out);
    return true;
}

void TrackKey(const display::Event& e, bool down)
{
    DesktopState& s = State();
    s.keys[e.virtualKey & 0xFF] = down;
    s.modifiers = e.modifiers;
}

bool KeyDown(Tracker& t, const display::Event& e, Outcome* out)
{
    TrackKey(e, true);
    return HandleKey(t, e.virtualKey, out);
}

bool KeyUp(const display::Event& e)
{
    TrackKey(e, false);
    return false;
}

// The program lost the keyboard: the menu goes with it.
bool FocusLost(const display::Event& e)
{
    RouteEvent(e);
    return true;
}

// True when the event ends the loop.
bool HandleEvent(Tracker& t, const display::Event& e, Outcome* out)
{
    switch (e.type) {
    case display::EventType::MouseMove: return MouseMove(t, e);
    case display::EventType::MouseDown: return MouseDown(t, e, out);
    case display::EventType::MouseUp: return MouseUp(t, e, out);
    case display::EventType::KeyDown: return KeyDown(t, e, out);
    case display::EventType::KeyUp: return KeyUp(e);
    case display::EventType::Text:
    case display::EventType::MouseWheel:
    case display::EventType::MouseLeave: return false;
    case display::EventType::FocusLost: return FocusLost(e);
    default: RouteEvent(e); return false;
    }
}

bool IsInputMessage(UINT m)
{
    return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) ||
           (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

// Runs one message that is not input: posted ones first, then paints and
// timers. Input already queued waits for the loop that owns it.
bool DispatchOther()
{
    auto& q = State().posted;
    auto it = std::find_if(q.begin(), q.end(), [](const MSG& m) { return !IsInputMessage(m.message); });
    MSG msg;
    if (it != q.end()) {
        msg = *it;
        q.erase(it);
        State().current = msg;
        DispatchMessage(&msg);
        return true;
    }
    if (PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE) ||
        PeekMessage(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        DispatchMessage(&msg);
        return true;
    }
    return false;
}

Outcome RunLoop(Tracker& t)
{
    Outcome out;
    DesktopState& s = State();
    for (;;) {
        if (!OwnerAlive(t) || !Lookup(t.popup) || !IsMenu(t.menu)) return out;
        display::Event e;
        if (Backend().PollEvent(&e)) {
            if (HandleEvent(t, e, &out)) return out;
            continue;
        }
        if (s.quit) return out; // the quit belongs to the loop outside
        if (DispatchOther()) continue;
        PresentAll();
        std::uint64_t deadline = std::min(NextTimerDeadline(), NextHoverDeadline());
        if (Backend().WaitEvent(deadline) == display::WaitResult::Starved) return out;
    }
}

// Where the menu goes: aligned to the point as asked, flipped to the other
// side of it where it would leave the screen, then kept inside.
POINT Place(SIZE size, UINT flags, POINT at)
{
    RECT screen = ScreenRect();
    int left = at.x, top = at.y;
    if (flags & TPM_RIGHTALIGN)
        left = at.x - size.cx;
    else if (flags & TPM_CENTERALIGN)
        left = at.x - size.cx / 2;
    if (flags & TPM_BOTTOMALIGN)
        top = at.y - size.cy;
    else if (flags & TPM_VCENTERALIGN)
        top = at.y - size.cy / 2;
    if (left + size.cx > screen.right && at.x - size.cx >= screen.left) left = at.x - size.cx;
    if (left < screen.left && at.x + size.cx <= screen.right) left = at.x;
    if (top + size.cy > screen.bottom && at.y - size.cy >= screen.top) top = at.y - size.cy;
    if (top < screen.top && at.y + size.cy <= screen.bottom) top = at.y;
    left = std::max<int>(screen.left, std::min<int>(left, screen.right - size.cx));
    top = std::max<int>(screen.top, std::min<int>(top, screen.bottom - size.cy));
    return POINT{left, top};
}

struct OpenGuard {
    OpenGuard() { g_menuOpen = true; }
    ~OpenGuard() { g_menuOpen = false; }
    OpenGuard(const OpenGuard&) = delete;
    OpenGuard& operator=(const OpenGuard&) = delete;
};

// The owner hears the menu opening and may still change it.
void SendMenuOpening(const Tracker& t)
{
    SendMessage(t.owner, WM_ENTERMENULOOP, t.system ? FALSE : TRUE, 0);
    if (OwnerAlive(t)) SendMessage(t.owner, WM_INITMENU, reinterpret_cast<WPARAM>(t.menu), 0);
    if (OwnerAlive(t) && IsMenu(t.menu))
        SendMessage(t.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(t.menu), MAKELPARAM(0, t.system ? 1 : 0));
}

void SendMenuClosed(const Tracker& t)
{
    SendMessage(t.owner, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    if (OwnerAlive(t)) SendMessage(t.owner, WM_EXITMENULOOP, t.system ? FALSE : TRUE, 0);
}

// Shows the popup at its place with the capture and runs the loop until it ends.
void ShowAndRun(Tracker& t, POINT at, bool byKeyboard, Outcome* out)
{
    POINT pos = Place(t.state.size, t.flags, at);
    SetWindowPos(t.popup, HWND_TOPMOST, pos.x, pos.y, t.state.size.cx, t.state.size.cy,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    SetCapture(t.popup);
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    t.openedAt = State().cursor;
    if (byKeyboard) Select(t, Step(t, -1, +1), false);
    *out = RunLoop(t);
    if (GetCapture() == t.popup) ReleaseCapture();
    DestroyWindow(t.popup);
}

// Shows the menu and runs it; false when it could not be shown at all.
bool RunMenu(HMENU menu, UINT flags, POINT at, HWND owner, bool system, bool byKeyboard, Outcome* out)
{
    if (g_menuOpen || !IsMenu(menu) || !LookupLive(owner) || GetMenuItemCount(menu) <= 0) return false;
    OpenGuard guard;
    Tracker t;
    t.menu = menu;
    t.owner = owner;
    t.flags = flags;
    t.system = system;
    t.notify = !(flags & TPM_NONOTIFY);
    if (t.notify) SendMenuOpening(t);
    // The menu as the owner left it after the init messages.
    if (OwnerAlive(t) && CopyMenuItems(menu, &t.state.items) && !t.state.items.empty()) {
        LayoutPopupMenu(t.state);
        t.popup = CreatePopupMenuWindow(&t.state);
    }
    if (t.popup) ShowAndRun(t, at, byKeyboard, out);
    if (t.notify && OwnerAlive(t)) SendMenuClosed(t);
    if (!OwnerAlive(t)) out->chosen = false;
    if (out->reroute) RouteEvent(out->event);
    return true;
}

// Items of the standard system menu follow the window's state and styles.
void UpdateSystemMenu(HWND hwnd, HMENU menu)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    DWORD style = w->style;
    bool minimized = (style & WS_MINIMIZE) != 0, maximized = (style & WS_MAXIMIZE) != 0;
    auto enable = [menu](WPARAM id, bool on) {
        EnableMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, minimized || maximized);
    enable(SC_MOVE, !maximized);
    enable(SC_SIZE, (style & WS_THICKFRAME) && !minimized && !maximized);
    enable(SC_MINIMIZE, (style & WS_MINIMIZEBOX) && !minimized);
    enable(SC_MAXIMIZE, (style & WS_MAXIMIZEBOX) && !maximized);
}

} // namespace

void TrackSystemMenu(HWND hwnd, bool byKeyboard)
{
    HMENU menu = GetSystemMenu(hwnd, FALSE);
    Window* w = Lookup(hwnd);
    if (!menu || !w) return;
    UpdateSystemMenu(hwnd, menu);
    w = Lookup(hwnd);
    POINT origin = WindowScreenOrigin(*w);
    CaptionLayout cap = LayoutCaption(*w);
    FrameMetrics frame = FrameFor(w->style, w->exStyle);
    // Under the caption, at the icon's left edge.
    POINT at = IsRectEmpty(&cap.band) ? POINT{origin.x + frame.borderX, origin.y + frame.borderY}
                                      : POINT{origin.x + cap.band.left, origin.y + cap.band.bottom + 1};
    Outcome out;
    if (!RunMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at, hwnd, true, byKeyboard, &out) || !out.chosen) return;
    LPARAM where = out.byMouse ? MAKELPARAM(static_cast<WORD>(out.point.x), static_cast<WORD>(out.point.y)) : 0;
    PostMessage(hwnd, WM_SYSCOMMAND, out.id, where);
}

} // namespace sys

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*)
{
    sys::Outcome out;
    if (!sys::RunMenu(menu, flags, POINT{x, y}, owner, false, false, &out)) return FALSE;
    if (flags & TPM_RETURNCMD) return out.chosen ? static_cast<BOOL>(out.id) : 0;
    if (out.chosen && !(flags & TPM_NONOTIFY))
        PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(out.id), 0), 0);
    return TRUE;
}
