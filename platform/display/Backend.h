// What the window manager needs from the machine: native top-level windows,
// presenting their pixels, input events, a clock and a way to wait. One backend
// talks to a real desktop, another keeps a virtual screen for tests.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/display/Event.h"
#include "platform/gfx/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace display {

enum class WaitResult {
    Ready,   // an event is pending
    Timeout, // the deadline passed
    Starved, // nothing can ever arrive (a headless script ran dry)
};

constexpr std::uint64_t kNoDeadline = UINT64_MAX;

// Pointer shapes the window system asks for; a backend maps them to its own.
enum class CursorShape {
    Arrow,
    IBeam,
    Wait,
    Cross,
    SizeAll,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    Hand,
    No,
};

class Backend {
public:
    virtual ~Backend() = default;

    // Native windows. Rectangles are screen coordinates of the whole window.
    virtual WindowId CreateWindow(const RECT& screenRect) = 0;
    virtual void DestroyWindow(WindowId id) = 0;
    virtual void MoveWindow(WindowId id, const RECT& screenRect) = 0;
    virtual void ShowWindow(WindowId id, bool visible) = 0;
    // The window's visible pixels as rectangles in window coordinates; an empty
    // list with rectangular=true removes the shape.
    virtual void SetShape(WindowId id, const std::vector<RECT>& rects, bool rectangular) = 0;
    // Stacking of the program's windows, topmost first.
    virtual void Restack(const std::vector<WindowId>& topFirst) = 0;
    virtual void SetTitle(WindowId id, const std::string& cp936Title) = 0;
    virtual void SetFocus(WindowId id) = 0;
    // Keeps mouse events coming while a button is held outside the windows.
    virtual void CaptureMouse(bool capture) = 0;
    // The pointer's shape over the program's windows; backends without a
    // visible pointer may ignore it.
    virtual void SetCursorShape(CursorShape shape) { (void)shape; }
    // Whether a window manager runs on the desktop: then iconifying is its work.
    virtual bool HasWindowManager() { return false; }
    // Hands the window to the window manager to iconify; it comes back when the
    // window is shown again. Nothing happens without a window manager.
    virtual void MinimizeWindow(WindowId id) { (void)id; }

    // Shows the given rectangles (window coordinates) of the window's surface.
    virtual void Present(WindowId id, const gfx::Surface& surface, const std::vector<RECT>& changed) = 0;

    // Input.
    virtual bool PollEvent(Event* out) = 0;
    virtual WaitResult WaitEvent(std::uint64_t deadlineMs) = 0;
    virtual std::uint64_t NowMs() = 0;
    virtual POINT CursorPos() = 0;

    // The desktop.
    virtual RECT ScreenRect() = 0;
    virtual RECT WorkArea() = 0;

    // Clipboard text, code page 936.
    virtual std::string GetClipboardText() = 0;
    virtual void SetClipboardText(const std::string& cp936) = 0;
};

} // namespace display
