// Reading the desktop's events: SDL's queue is drained through a watch that
// turns each event into ours as it is queued, and waiting sleeps in the
// display connection until an event or the deadline.
#include "platform/base/CodePage.h"
#include "platform/display/Keymap.h"
#include "platform/display/SdlBackend.h"
#include "platform/display/SdlX11.h"

#include <SDL.h>
#include <algorithm>
#include <climits>

namespace display {

namespace {

unsigned ButtonBit(MouseButton b)
{
    switch (b) {
    case MouseButton::Left: return kButtonLeft;
    case MouseButton::Right: return kButtonRight;
    case MouseButton::Middle: return kButtonMiddle;
    }
    return 0;
}

bool ButtonFromSdl(Uint8 sdlButton, MouseButton* out)
{
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: *out = MouseButton::Left; return true;
    case SDL_BUTTON_RIGHT: *out = MouseButton::Right; return true;
    case SDL_BUTTON_MIDDLE: *out = MouseButton::Middle; return true;
    default: return false;
    }
}

// SDL stamps events with the low 32 bits of its tick count.
std::uint64_t EventTime(Uint32 stamp)
{
    std::uint64_t now = SDL_GetTicks64();
    return now - static_cast<Uint32>(static_cast<Uint32>(now) - stamp);
}

bool SamePoint(POINT a, POINT b)
{
    return a.x == b.x && a.y == b.y;
}

} // namespace

// Called by SDL as each event is queued, so positions are turned into screen
// coordinates with the window where it was when the event happened.
int SdlBackend::Watch(void* self, SDL_Event* e)
{
    static_cast<SdlBackend*>(self)->Translate(*e);
    // The dropped name is ours to free; the queued copy is flushed unread.
    if (e->type == SDL_DROPFILE || e->type == SDL_DROPTEXT) {
        SDL_free(e->drop.file);
        e->drop.file = nullptr;
    }
    return 0;
}

WindowId SdlBackend::IdOf(std::uint32_t sdlWindowId) const
{
    return m_windows.count(sdlWindowId) ? sdlWindowId : 0;
}

POINT SdlBackend::ToScreen(std::uint32_t sdlWindowId, int x, int y)
{
    const Native* n = Find(sdlWindowId);
    if (!n) return CursorPos();
    int wx = 0, wy = 0;
    SDL_GetWindowPosition(n->window, &wx, &wy);
    return POINT{wx + x, wy + y};
}

void SdlBackend::Queue(Event e)
{
    m_events.push_back(std::move(e));
}

void SdlBackend::QueueMouse(Event e)
{
    m_haveLast = true;
    m_lastReported = e.screen;
    m_lastMouse = LastMouse{true, e.window, e.screen, e.buttons};
    Queue(std::move(e));
}

void SdlBackend::Translate(const SDL_Event& se)
{
    Event e;
    e.time = EventTime(se.common.timestamp);
    e.modifiers = ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState()));
    switch (se.type) {
    case SDL_MOUSEMOTION:
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEWHEEL: TranslateMouse(se, std::move(e)); return;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        e.virtualKey = VirtualKeyFromSdl(se.key.keysym.sym, se.key.keysym.scancode);
        if (!e.virtualKey) return;
        e.type = se.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
        // Without a window manager the server may send keys before SDL knows the focus.
        e.window = IdOf(se.key.windowID);
        if (!e.window) e.window = m_focus;
        e.modifiers = ModifiersFromSdl(se.key.keysym.mod);
        e.repeat = se.key.repeat != 0;
        Queue(std::move(e));
        return;
    case SDL_TEXTINPUT:
        e.text = Utf8ToCp936(se.text.text);
        if (e.text.empty()) return;
        e.type = EventType::Text;
        e.window = IdOf(se.text.windowID);
        if (!e.window) e.window = m_focus;
        Queue(std::move(e));
        return;
    case SDL_WINDOWEVENT: TranslateWindowEvent(se, std::move(e)); return;
    case SDL_SYSWMEVENT: TranslateSystemEvent(se); return;
    case SDL_DROPBEGIN:
    case SDL_DROPFILE:
    case SDL_DROPCOMPLETE: TranslateDrop(se); return;
    default: return;
    }
}

void SdlBackend::TranslateDrop(const SDL_Event& se)
{
    switch (se.type) {
    case SDL_DROPBEGIN:
        m_dropFiles.clear();
        m_dropWindow = IdOf(se.drop.windowID);
        return;
    case SDL_DROPFILE:
        if (se.drop.file && *se.drop.file) m_dropFiles.push_back(Utf8ToCp936(se.drop.file));
        if (!m_dropWindow) m_dropWindow = IdOf(se.drop.windowID);
        return;
    default: break;
    }
    // Complete: one event for the whole drop, where the pointer let go.
    Event e;
    e.type = EventType::DropFiles;
    e.window = m_dropWindow ? m_dropWindow : IdOf(se.drop.windowID);
    e.files = std::move(m_dropFiles);
    m_dropFiles.clear();
    m_dropWindow = 0;
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    e.screen = POINT{x, y};
    e.time = NowMs();
    if (e.window && !e.files.empty()) Queue(std::move(e));
}

void SdlBackend::TranslateMouse(const SDL_Event& se, Event e)
{
    std::uint32_t sdlId = 0;
    int rx = 0, ry = 0; // window coordinates
    switch (se.type) {
    case SDL_MOUSEMOTION:
        sdlId = se.motion.windowID;
        rx = se.motion.x;
        ry = se.motion.y;
        e.type = EventType::MouseMove;
        // Where the X server's own events are seen, a move without one is SDL's
        // invention (it puts the pointer back into a window when a capture ends).
        if (m_rawPointer && !m_rootValid) return;
        m_rawMotion.pending = false; // SDL passed it on
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (!ButtonFromSdl(se.button.button, &e.button)) return;
        sdlId = se.button.windowID;
        rx = se.button.x;
        ry = se.button.y;
        e.type = se.type == SDL_MOUSEBUTTONDOWN ? EventType::MouseDown : EventType::MouseUp;
        m_rawButton.pending = false; // SDL passed it on
        // Every second press of a quick series is a double click; the third starts again.
        e.clicks = se.type == SDL_MOUSEBUTTONDOWN && se.button.clicks % 2 == 0 ? 2 : 1;
        break;
    case SDL_MOUSEWHEEL: {
        sdlId = se.wheel.windowID;
        rx = se.wheel.mouseX;
        ry = se.wheel.mouseY;
        float amount = se.wheel.preciseY != 0.0f ? se.wheel.preciseY : static_cast<float>(se.wheel.y);
        if (se.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) amount = -amount;
        e.wheelDelta = static_cast<int>(amount * 120.0f + (amount < 0 ? -0.5f : 0.5f));
        if (e.wheelDelta == 0) return; // sideways only
        e.type = EventType::MouseWheel;
        break;
    }
    default: return;
    }
    // The raw event just before this one knows the true screen position; the
    // window's place may have changed since the event was made.
    e.screen = m_rootValid ? m_root : ToScreen(sdlId, rx, ry);
    // SDL keeps a pointer leaving a window inside it; the server says where it went.
    const Native* n = Find(IdOf(sdlId));
    if (m_rootValid && n && n->native && n->native == m_rootNative) {
        rx = m_rootLocal.x;
        ry = m_rootLocal.y;
    }
    m_rootValid = false;
    QueuePointer(std::move(e), IdOf(sdlId), rx, ry);
}

void SdlBackend::TranslateSystemEvent(const SDL_Event& se)
{
    x11::PointerEvent p;
    if (!x11::PointerFromSystemEvent(se, &p)) return;
    FlushRawMotion();
    m_root = POINT{p.rootX, p.rootY};
    m_rootNative = p.window;
    m_rootLocal = POINT{p.x, p.y};
    if (p.afterSdl) {
        // SDL's own move came first and was left out for lack of its screen position.
        m_rootValid = false;
        if (p.kind != x11::PointerEvent::Motion) return;
        Event e;
        e.type = EventType::MouseMove;
        e.screen = m_root;
        e.time = NowMs();
        e.modifiers = ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState()));
        WindowId id = IdOfNative(p.window);
        if (id) QueuePointer(std::move(e), id, p.x, p.y);
        return;
    }
    m_rootValid = true;
    if (p.kind == x11::PointerEvent::Crossing) {
        // Grabs send crossings too, so the last one says where the pointer really is.
        WindowId id = IdOfNative(p.window);
        if (p.entered)
            m_pointerIn = id;
        else if (m_pointerIn == id)
            m_pointerIn = 0;
        m_leaveCheck = true;
    }
    if (p.kind == x11::PointerEvent::Button && p.button >= 1 && p.button <= 3) {
        m_rawButton.pending = true;
        m_rawButton.pressed = p.pressed;
        m_rawButton.button = p.button == 1   ? MouseButton::Left
                             : p.button == 2 ? MouseButton::Middle
                                             : MouseButton::Right;
        m_rawButton.window = IdOfNative(p.window);
        m_rawButton.x = p.x;
        m_rawButton.y = p.y;
        m_rawButton.root = m_root;
    }
    if (p.kind == x11::PointerEvent::Motion) {
        m_rawMotion.pending = true;
        m_rawMotion.window = IdOfNative(p.window);
        m_rawMotion.x = p.x;
        m_rawMotion.y = p.y;
        m_rawMotion.root = m_root;
    }
}

// SDL drops a move that leaves the pointer where it was inside its window:
// every move of a window dragged along under the pointer.
void SdlBackend::FlushRawMotion()
{
    // SDL also drops a release outside its windows once its own capture is gone.
    if (m_rawButton.pending) {
        m_rawButton.pending = false;
        if (m_rawButton.window) {
            Event b;
            b.type = m_rawButton.pressed ? EventType::MouseDown : EventType::MouseUp;
            b.button = m_rawButton.button;
            b.screen = m_rawButton.root;
            b.time = NowMs();
            b.modifiers = ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState()));
            QueuePointer(std::move(b), m_rawButton.window, m_rawButton.x, m_rawButton.y);
        }
    }
    if (!m_rawMotion.pending) return;
    m_rawMotion.pending = false;
    if (!m_rawMotion.window) return;
    Event e;
    e.type = EventType::MouseMove;
    e.screen = m_rawMotion.root;
    e.time = NowMs();
    e.modifiers = ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState()));
    QueuePointer(std::move(e), m_rawMotion.window, m_rawMotion.x, m_rawMotion.y);
}

WindowId SdlBackend::IdOfNative(unsigned long native) const
{
    if (!native) return 0;
    for (const auto& [id, n] : m_windows)
        if (n.native == native) return id;
    return 0;
}

void SdlBackend::QueuePointer(Event e, WindowId reported, int rx, int ry)
{
    // With buttons held the pointer is reported outside the window too.
    WindowId under = reported;
    if (const Native* n = Find(under)) {
        int w = 0, h = 0;
        SDL_GetWindowSize(n->window, &w, &h);
        if (rx < 0 || ry < 0 || rx >= w || ry >= h) under = 0;
    }
    if (!under && !m_buttons && !m_captured) {
        m_lastMouse.valid = false; // over another program's window
        return;
    }
    // While buttons are held SDL reports to the window holding the keyboard focus;
    // the events belong to the window where they went down.
    e.window = m_buttons && m_pressWindow ? m_pressWindow : under ? under : reported;
    e.buttons = m_buttons;
    // Entering a window, SDL and the server each report the move that did it.
    if (e.type == EventType::MouseMove && m_lastMouse.valid && m_lastMouse.window == e.window &&
        SamePoint(m_lastMouse.screen, e.screen) && m_lastMouse.buttons == e.buttons)
        return;
    if (e.type == EventType::MouseDown || e.type == EventType::MouseUp) {
        // A move SDL left out shows as a press elsewhere: report the move first.
        if (m_haveLast && !SamePoint(m_lastReported, e.screen)) {
            Event move = e;
            move.type = EventType::MouseMove;
            move.clicks = 1;
            QueueMouse(std::move(move));
        }
        if (e.type == EventType::MouseDown) {
            if (!m_buttons) m_pressWindow = under ? under : reported;
            e.window = m_pressWindow;
            m_buttons |= ButtonBit(e.button);
        } else {
            m_buttons &= ~ButtonBit(e.button);
            if (!m_buttons) {
                m_leaveCheck = true;
                if (!m_captured) Ungrab();
            }
        }
        e.buttons = m_buttons;
    }
    if (under && (e.type == EventType::MouseDown || (!m_buttons && e.type != EventType::MouseUp))) m_hover = under;
    QueueMouse(std::move(e));
}

void SdlBackend::TranslateWindowEvent(const SDL_Event& se, Event e)
{
    WindowId id = IdOf(se.window.windowID);
    Native* n = Find(id);
    if (!n) return;
    e.window = id;
    switch (se.window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_HIDDEN:
        // SDL has just ungrabbed the pointer (it does on every focus change): take it back.
        if (m_captured || m_buttons) Grab();
        break;
    default: break;
    }
    switch (se.window.event) {
    case SDL_WINDOWEVENT_ENTER:
    case SDL_WINDOWEVENT_LEAVE:
        // Crossing from one of our windows to another is no leave; decided once the queue is read.
        m_leaveCheck = true;
        return;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_focus = id;
        e.type = EventType::FocusGained;
        Queue(std::move(e));
        return;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (m_focus == id) m_focus = 0;
        e.type = EventType::FocusLost;
        Queue(std::move(e));
        return;
    case SDL_WINDOWEVENT_CLOSE:
        e.type = EventType::CloseRequest;
        Queue(std::move(e));
        return;
    case SDL_WINDOWEVENT_MOVED: {
        // The desktop's word on where the window is. Our own requests come back
        // too, possibly after later ones were made: those are not news.
        POINT at{se.window.data1, se.window.data2};
        auto asked = std::find_if(n->placing.begin(), n->placing.end(), [at](POINT p) { return SamePoint(p, at); });
        if (asked != n->placing.end()) {
            n->placing.erase(n->placing.begin(), asked + 1);
            return;
        }
        n->placing.clear();
        if (SamePoint(at, POINT{n->rect.left, n->rect.top})) return;
        OffsetRect(&n->rect, at.x - n->rect.left, at.y - n->rect.top);
        e.type = EventType::Moved;
        e.screen = at;
        Queue(std::move(e));
        return;
    }
    case SDL_WINDOWEVENT_EXPOSED: n->exposed = true; return;
    case SDL_WINDOWEVENT_SIZE_CHANGED: n->surfaceStale = true; return;
    case SDL_WINDOWEVENT_RESTORED:
        // Our own restore clears the flag before asking SDL, so this is the desktop's.
        if (!n->minimized) return;
        n->minimized = false;
        e.type = EventType::RestoreRequest;
        Queue(std::move(e));
        return;
    default: return;
    }
}

void SdlBackend::Pump()
{
    SDL_PumpEvents();
    // The watch has taken everything it needs from SDL's own queue.
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    FlushRawMotion();
    m_rootValid = false;
    RecoverLostRelease();
    Settle();
}

// A release the server sent to no window of ours (the grab was lost in between)
// would leave the buttons held for ever: the server's button state decides.
void SdlBackend::RecoverLostRelease()
{
    if (!m_buttons) return;
    int x = 0, y = 0;
    Uint32 state = SDL_GetGlobalMouseState(&x, &y);
    unsigned held = 0;
    if (state & SDL_BUTTON_LMASK) held |= kButtonLeft;
    if (state & SDL_BUTTON_RMASK) held |= kButtonRight;
    if (state & SDL_BUTTON_MMASK) held |= kButtonMiddle;
    if (!(m_buttons & ~held)) return;
    // The release may have come in while the server was asked: read it first.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    FlushRawMotion();
    m_rootValid = false;
    for (MouseButton b : {MouseButton::Left, MouseButton::Right, MouseButton::Middle}) {
        if (!(m_buttons & ButtonBit(b)) || (held & ButtonBit(b))) continue;
        Event up;
        up.type = EventType::MouseUp;
        up.button = b;
        up.screen = POINT{x, y};
        up.time = NowMs();
        up.modifiers = ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState()));
        int wx = 0, wy = 0;
        if (const Native* n = Find(m_pressWindow)) SDL_GetWindowPosition(n->window, &wx, &wy);
        QueuePointer(std::move(up), m_pressWindow, x - wx, y - wy);
    }
}

void SdlBackend::Settle()
{
    if (m_leaveCheck && !m_buttons && !m_captured) {
        m_leaveCheck = false;
        SDL_Window* focus = SDL_GetMouseFocus();
        bool overOurs = m_rawPointer ? m_pointerIn != 0 : focus && IdOf(SDL_GetWindowID(focus));
        if (!overOurs && m_hover) {
            Event leave;
            leave.type = EventType::MouseLeave;
            leave.window = m_hover;
            leave.screen = CursorPos();
            leave.modifiers = ModifiersFromSdl(static_cast<Uint16>(SDL_GetModState()));
            leave.time = NowMs();
            Queue(std::move(leave));
            m_hover = 0;
            m_lastMouse.valid = false;
        }
    }
    for (auto& [id, n] : m_windows) {
        if (!n.exposed) continue;
        n.exposed = false;
        if (n.visible && !n.surfaceStale) SDL_UpdateWindowSurface(n.window);
    }
}

bool SdlBackend::PollEvent(Event* out)
{
    if (!out) return false;
    if (m_events.empty()) Pump();
    if (m_events.empty()) return false;
    *out = std::move(m_events.front());
    m_events.pop_front();
    return true;
}

WaitResult SdlBackend::WaitEvent(std::uint64_t deadlineMs)
{
    for (;;) {
        if (m_events.empty()) Pump();
        if (!m_events.empty()) return WaitResult::Ready;
        std::uint64_t now = NowMs();
        if (now >= deadlineMs) return WaitResult::Timeout;
        int timeout =
            deadlineMs == kNoDeadline ? -1 : static_cast<int>(std::min<std::uint64_t>(deadlineMs - now, INT_MAX));
        // Sleeps in the display connection until something arrives or time is up;
        // what arrives was already translated by the watch.
        SDL_Event ignored;
        SDL_WaitEventTimeout(&ignored, timeout);
    }
}

} // namespace display
