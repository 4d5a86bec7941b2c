// State shared by the pieces of the window manager: the queue, input routing
// (capture, focus, activation, mouse tracking) and the backend in use.
#pragma once

#include "platform/display/Backend.h"
#include "platform/system/window/WinUser.h"

#include <array>
#include <cstdint>
#include <deque>

namespace sys {

struct MouseTracking {
    HWND hwnd = nullptr;
    DWORD flags = 0; // TME_HOVER | TME_LEAVE | TME_NONCLIENT while armed
    DWORD hoverTime = 0;
    std::uint64_t hoverDeadline = 0;
    POINT hoverOrigin{0, 0};
};

struct DesktopState {
    display::Backend* backend = nullptr;
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    std::deque<MSG> posted;
    bool quit = false;
    int quitCode = 0;
    POINT cursor{0, 0};
    unsigned buttons = 0;   // display::ButtonMask
    unsigned modifiers = 0; // display::Modifier
    std::array<bool, 256> keys{};
    HWND mouseWindow = nullptr; // window under the pointer at the last move
    LRESULT mouseHit = HTNOWHERE;
    MouseTracking tracking;
    MSG current{};    // the message last retrieved
    int sendDepth = 0;
    int moveLoopDepth = 0;
    // The capture ended: the pointer is routed again where it stands, so a
    // window it left while captured learns it at once, not at the next move.
    bool pointerRecheck = false;
};

DesktopState& State();

// Message flow pieces used across files.
LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void DropPostedFor(HWND hwnd);
// The bit of a button in DesktopState::buttons.
unsigned ButtonBit(display::MouseButton b);
// Turns one backend event into messages (hit testing, capture, tracking).
void RouteEvent(const display::Event& e);
// Hands dropped files to the window under the drop that accepts them.
void RouteDrop(const display::Event& e);
// Routes a move to where the pointer stands when a recheck is due; false when none was.
bool RecheckPointer();
// Forgets every reference to a window that is going away.
void ForgetWindowInInput(HWND hwnd);
// Posts a due hover message; false when none was due.
bool FireDueHover();
std::uint64_t NextHoverDeadline();
// Shows what was painted.
void PresentAll();
// Ends activation, focus and capture on the given subtree quietly.
void ResetInput();

} // namespace sys
