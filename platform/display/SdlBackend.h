// The real desktop through SDL2: each native window is a borderless desktop
// window placed at its screen position (the layer paints caption and frame),
// shaped where the display supports shapes, painted from the window's surface.
#pragma once

#include "platform/display/Backend.h"

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>

struct SDL_Window;
struct SDL_Cursor;
union SDL_Event;

namespace display {

// Opens the desktop, or returns null and says why (no display, no usable
// video driver, a desktop already open in this process).
std::unique_ptr<Backend> OpenDesktopBackend(std::string* error);

class SdlBackend : public Backend {
public:
    // Use OpenDesktopBackend; only one can be open at a time.
    static std::unique_ptr<SdlBackend> Open(std::string* error);
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    // Backend.
    WindowId CreateWindow(const RECT& screenRect) override;
    void DestroyWindow(WindowId id) override;
    void MoveWindow(WindowId id, const RECT& screenRect) override;
    void ShowWindow(WindowId id, bool visible) override;
    void SetShape(WindowId id, const std::vector<RECT>& rects, bool rectangular) override;
    void Restack(const std::vector<WindowId>& topFirst) override;
    void SetTitle(WindowId id, const std::string& cp936Title) override;
    void SetFocus(WindowId id) override;
    void CaptureMouse(bool capture) override;
    void SetCursorShape(CursorShape shape) override;
    bool HasWindowManager() override;
    void MinimizeWindow(WindowId id) override;
    void Present(WindowId id, const gfx::Surface& surface, const std::vector<RECT>& changed) override;
    bool PollEvent(Event* out) override;
    WaitResult WaitEvent(std::uint64_t deadlineMs) override;
    std::uint64_t NowMs() override;
    POINT CursorPos() override;
    RECT ScreenRect() override;
    RECT WorkArea() override;
    std::string GetClipboardText() override;
    void SetClipboardText(const std::string& cp936) override;

    // Beyond the interface.
    // Whether window shapes take effect (the X11 SHAPE extension).
    bool SupportsShapes() const { return m_shapes; }
    // The video driver in use ("x11", "wayland").
    std::string DriverName() const;
    // Where the desktop has the window now (the manager may have moved it).
    RECT NativeRect(WindowId id) const;
    // Whether the window was handed to the window manager to iconify and not shown since.
    bool IsMinimized(WindowId id) const;
    // The pointer shape last asked for.
    CursorShape CurrentCursorShape() const { return m_cursorShape; }

private:
    struct Native {
        SDL_Window* window = nullptr;
        unsigned long native = 0; // the X window, where the driver is X11
        RECT rect{0, 0, 0, 0};
        bool visible = false;
        bool shaped = false;      // made as a shaped window
        bool rectangular = true;  // no shape requested
        std::vector<RECT> shape;  // window coordinates
        bool surfaceStale = true; // the native buffer is new: copy everything next time
        bool exposed = false;     // the desktop lost the pixels: show the buffer again
        bool minimized = false;   // handed to the window manager to iconify
        // Places asked of the desktop and not yet reported back, oldest first:
        // a report of one of them is our own move arriving late, not the manager's.
        std::deque<POINT> placing;
    };

    SdlBackend() = default;
    static int Watch(void* self, SDL_Event* e);
    void Translate(const SDL_Event& e);
    void Pump();
    void Settle();
    void ApplyShape(Native& n);
    void Place(Native& n, int x, int y);
    Native* Find(WindowId id);
    const Native* Find(WindowId id) const;
    WindowId IdOf(std::uint32_t sdlWindowId) const;
    POINT ToScreen(std::uint32_t sdlWindowId, int x, int y);
    void TranslateMouse(const SDL_Event& se, Event e);
    void TranslateWindowEvent(const SDL_Event& se, Event e);
    void TranslateSystemEvent(const SDL_Event& se);
    void TranslateDrop(const SDL_Event& se);
    void QueuePointer(Event e, WindowId reported, int x, int y);
    void QueueMouse(Event e);
    void FlushRawMotion();
    WindowId IdOfNative(unsigned long native) const;
    void Queue(Event e);
    void Grab();
    void Ungrab();
    void RecoverLostRelease();

    std::map<WindowId, Native> m_windows;
    std::vector<WindowId> m_stack; // topmost first, as last asked
    std::deque<Event> m_events;
    WindowId m_focus = 0;
    unsigned m_buttons = 0;
    bool m_captured = false;
    WindowId m_grab = 0; // the window our pointer grab is on; SDL drops grabs on focus changes
    CursorShape m_cursorShape = CursorShape::Arrow;
    std::map<CursorShape, SDL_Cursor*> m_cursors;
    bool m_shapes = false;
    WindowId m_hover = 0;       // where the pointer was last seen with no button held
    WindowId m_pressWindow = 0; // where the held buttons went down
    bool m_leaveCheck = false;  // the pointer may have left all our windows
    bool m_rawPointer = false;  // the X server's own pointer events come through (the X11 driver)
    WindowId m_pointerIn = 0;   // the window the pointer is in, by the X server's crossings
    bool m_rootValid = false;   // the raw event just read gave the pointer's screen position
    POINT m_root{0, 0};
    unsigned long m_rootNative = 0; // the X window of that raw event
    POINT m_rootLocal{0, 0};        // and the position in it
    struct RawMotion {
        bool pending = false; // a move the X server sent that SDL has not passed on (yet)
        WindowId window = 0;
        int x = 0, y = 0;
        POINT root{0, 0};
    } m_rawMotion;
    struct RawButton {
        bool pending = false; // a press or release SDL has not passed on (yet)
        bool pressed = false;
        MouseButton button = MouseButton::Left;
        WindowId window = 0;
        int x = 0, y = 0;
        POINT root{0, 0};
    } m_rawButton;
    // The files of a drop in progress: SDL reports them one by one between its begin and complete.
    std::vector<std::string> m_dropFiles;
    WindowId m_dropWindow = 0;
    bool m_haveLast = false;
    POINT m_lastReported{0, 0}; // pointer position of the last mouse event queued
    struct LastMouse {
        bool valid = false; // a move repeating it tells nothing; false once the pointer was elsewhere
        WindowId window = 0;
        POINT screen{0, 0};
        unsigned buttons = 0;
    } m_lastMouse;
};

} // namespace display
