// Input and window events a display backend reports. Positions are screen
// coordinates; the window manager does its own hit testing.
#pragma once

#include "platform/base/Geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace display {

// A native top-level window of the backend; 0 names none.
using WindowId = std::uint32_t;

enum class EventType {
    MouseMove,
    MouseDown,
    MouseUp,
    MouseWheel,
    MouseLeave, // the pointer left every window of the program
    KeyDown,
    KeyUp,
    Text,         // typed characters as code page 936 bytes
    FocusGained,  // a native window got the keyboard focus
    FocusLost,    // it lost it
    CloseRequest, // the user asked to close a native window
    RestoreRequest, // the desktop brought back a window it had iconified
    DropFiles,      // files were dropped on a native window (files, screen)
    Moved,          // the desktop put a native window elsewhere; screen is its new top-left
};

enum class MouseButton { Left, Right, Middle };

// Modifier keys held while the event happened.
enum Modifier : unsigned {
    kModShift = 1,
    kModControl = 2,
    kModAlt = 4,
};

// Mouse buttons held while the event happened (bit per button).
enum ButtonMask : unsigned {
    kButtonLeft = 1,
    kButtonRight = 2,
    kButtonMiddle = 4,
};

struct Event {
    EventType type = EventType::MouseMove;
    WindowId window = 0;  // native window the event belongs to, 0 if none
    POINT screen{0, 0};   // pointer position for mouse events
    MouseButton button = MouseButton::Left;
    int clicks = 1;       // 2 for the second press of a double click
    int wheelDelta = 0;   // multiples of 120, positive away from the user
    unsigned buttons = 0; // ButtonMask after the event
    unsigned virtualKey = 0;
    unsigned modifiers = 0;
    bool repeat = false; // auto-repeated key down
    std::string text;    // for Text events
    std::vector<std::string> files; // for DropFiles: full paths, code page 936
    std::uint64_t time = 0;
};

} // namespace display
