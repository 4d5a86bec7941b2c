// Capture, keyboard focus and activation.
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/WindowTree.h"

namespace sys {

void ForgetWindowInInput(HWND hwnd)
{
    DesktopState& s = State();
    if (s.capture == hwnd) {
        s.capture = nullptr;
        Backend().CaptureMouse(false);
    }
    if (s.focus == hwnd) s.focus = nullptr;
    if (s.active == hwnd) s.active = nullptr;
    if (s.mouseWindow == hwnd) s.mouseWindow = nullptr;
    if (s.tracking.hwnd == hwnd) s.tracking = MouseTracking{};
}

void ResetInput()
{
    DesktopState& s = State();
    s.capture = s.focus = s.active = s.mouseWindow = nullptr;
    s.tracking = MouseTracking{};
    s.buttons = s.modifiers = 0;
    s.keys.fill(false);
    s.mouseHit = HTNOWHERE;
    s.pointerRecheck = false;
}

} // namespace sys

using sys::State;

HWND SetCapture(HWND hwnd)
{
    HWND old = State().capture;
    if (!sys::LookupLive(hwnd)) return nullptr;
    State().capture = hwnd;
    sys::Backend().CaptureMouse(true);
    if (old && old != hwnd) SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture()
{
    HWND old = State().capture;
    State().capture = nullptr;
    if (old) State().pointerRecheck = true;
    sys::Backend().CaptureMouse(false);
    if (old) SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return sys::Lookup(State().capture) ? State().capture : nullptr; }

HWND SetActiveWindow(HWND hwnd)
{
    HWND old = State().active;
    if (hwnd) {
        hwnd = sys::RootOf(hwnd);
        sys::Window* w = sys::LookupLive(hwnd);
        if (!w) return nullptr;
    }
    if (hwnd == old) return old;
    State().active = hwnd;
    if (sys::Lookup(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, IsIconic(old) ? 1 : 0), reinterpret_cast<LPARAM>(hwnd));
        if (sys::IsDescendant(old, State().focus) && State().active != old) {
            HWND lost = State().focus;
            State().focus = nullptr;
            SendMessage(lost, WM_KILLFOCUS, 0, 0);
        }
    }
    if (!hwnd || State().active != hwnd || !sys::Lookup(hwnd)) return sys::Lookup(old) ? old : nullptr;
    if (sys::TopLevels().empty() || sys::TopLevels().front() != hwnd)
        SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (sys::Window* w = sys::Lookup(hwnd); w && w->native) sys::Backend().SetFocus(w->native);
    SendMessage(hwnd, WM_NCACTIVATE, TRUE, 0);
    SendMessage(hwnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, IsIconic(hwnd) ? 1 : 0), reinterpret_cast<LPARAM>(old));
    return sys::Lookup(old) ? old : nullptr;
}

HWND GetActiveWindow() { return sys::Lookup(State().active) ? State().active : nullptr; }
HWND GetForegroundWindow() { return GetActiveWindow(); }
BOOL SetForegroundWindow(HWND hwnd) { return sys::LookupLive(hwnd) && (SetActiveWindow(hwnd), TRUE); }

HWND SetFocus(HWND hwnd)
{
    HWND old = State().focus;
    if (!hwnd) {
        State().focus = nullptr;
        if (sys::Lookup(old)) SendMessage(old, WM_KILLFOCUS, 0, 0);
        return sys::Lookup(old) ? old : nullptr;
    }
    if (!sys::LookupLive(hwnd)) return nullptr;
    HWND root = sys::RootOf(hwnd);
    if (State().active != root) {
        SetActiveWindow(root);
        // Activation may have moved the focus already.
        old = State().focus;
        if (!sys::LookupLive(hwnd)) return nullptr;
    }
    if (old == hwnd) return old;
    if (sys::Lookup(old)) {
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        if (!sys::LookupLive(hwnd)) return nullptr;
    }
    State().focus = hwnd;
    SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(sys::Lookup(old) ? old : nullptr), 0);
    return sys::Lookup(old) ? old : nullptr;
}

HWND GetFocus() { return sys::Lookup(State().focus) ? State().focus : nullptr; }

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    sys::Window* w = sys::LookupLive(hwnd);
    if (!w) return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) ? TRUE : FALSE;
    if (enable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessage(hwnd, WM_ENABLE, TRUE, 0);
    } else if (!enable && !wasDisabled) {
        SendMessage(hwnd, WM_CANCELMODE, 0, 0);
        w = sys::Lookup(hwnd);
        if (!w) return FALSE;
        w->style |= WS_DISABLED;
        // A disabled window cannot keep the focus, but a control inside it keeps
        // it until activation moves on, so the dialog can save and restore it.
        if (State().focus == hwnd) SetFocus(nullptr);
        if (State().capture == hwnd) ReleaseCapture();
        SendMessage(hwnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    sys::Window* w = sys::Lookup(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}
