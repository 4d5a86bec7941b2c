// What the X server itself says about pointer events. SDL gives window-relative
// positions only, and drops a move that leaves the pointer at the same place
// inside its window; while the layer drags a window along, that is every move.
// The raw event has the true screen position.
#pragma once

#include <SDL.h>

namespace display::x11 {

struct PointerEvent {
    enum Kind { Motion, Button, Crossing } kind = Motion;
    unsigned long window = 0; // X window the event was reported to
    int rootX = 0, rootY = 0; // screen position
    int x = 0, y = 0;         // position in that window
    bool entered = false;     // for crossings: the pointer came into the window
    bool pressed = false;     // for buttons: pressed rather than released
    unsigned button = 0;      // for buttons: 1 left, 2 middle, 3 right, 4 and 5 the wheel
    // SDL has already passed on its own event for this one. Moves with no button
    // held come from the input extension, whose raw copy SDL sends after its own.
    bool afterSdl = false;
};

// The pointer part of a raw desktop event (SDL_SYSWMEVENT from the X11 driver).
bool PointerFromSystemEvent(const SDL_Event& e, PointerEvent* out);

// The X window behind an SDL window, or 0 where the driver is not X11.
unsigned long NativeWindow(SDL_Window* window);

// Takes the pointer for the program: events over its own windows go to them,
// all others to this window. False where the server refused or this is not X11.
bool GrabPointer(SDL_Window* window);
void UngrabPointer(SDL_Window* window);

// Protocol errors (SDL still wakes or raises windows that were destroyed, on
// its own second connection too) would end the program under Xlib's default
// handler; from now on each is logged to stderr and ignored. Call before SDL
// starts, so the handler SDL puts back when it shuts down is this one, and
// again after, to take the place of SDL's own.
void SurviveXErrors();
// How many errors were ignored so far.
unsigned long IgnoredXErrors();

// Whether a window manager runs on the window's screen (_NET_SUPPORTING_WM_CHECK
// names a live window that names itself).
bool WindowManagerRunning(SDL_Window* window);

} // namespace display::x11
