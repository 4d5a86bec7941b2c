// A virtual desktop for tests: a screen composed from the top-level windows in
// stacking order through their shapes, input injected at screen points, and a
// clock that only moves when the test (or a waiting loop) moves it.
#pragma once

#include "platform/display/Backend.h"

#include <deque>
#include <functional>
#include <map>

namespace display {

class HeadlessBackend : public Backend {
public:
    static constexpr int kDefaultWidth = 1280;
    static constexpr int kDefaultHeight = 800;
    static constexpr int kTaskbarHeight = 30;
    static constexpr gfx::Pixel kDesktopPixel = 0x3A6EA5;

    explicit HeadlessBackend(int width = kDefaultWidth, int height = kDefaultHeight);

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
    void SetCursorShape(CursorShape shape) override { m_cursorShape = shape; }
    bool HasWindowManager() override { return m_windowManager; }
    void MinimizeWindow(WindowId id) override;
    void Present(WindowId id, const gfx::Surface& surface, const std::vector<RECT>& changed) override;
    bool PollEvent(Event* out) override;
    WaitResult WaitEvent(std::uint64_t deadlineMs) override;
    std::uint64_t NowMs() override { return m_now; }
    POINT CursorPos() override { return m_cursor; }
    RECT ScreenRect() override;
    RECT WorkArea() override;
    std::string GetClipboardText() override { return m_clipboard; }
    void SetClipboardText(const std::string& cp936) override { m_clipboard = cp936; }

    // Input injection. Mouse calls act at the current pointer position unless
    // they take a point; each queues the events a real desktop would send.
    void MoveMouse(int x, int y);
    void Press(MouseButton button = MouseButton::Left);
    void Release(MouseButton button = MouseButton::Left);
    void Click(int x, int y, MouseButton button = MouseButton::Left);
    void DoubleClick(int x, int y, MouseButton button = MouseButton::Left);
    void Wheel(int delta);
    void KeyDown(unsigned virtualKey, unsigned modifiers = 0, bool repeat = false);
    void KeyUp(unsigned virtualKey, unsigned modifiers = 0);
    void TypeText(const std::string& cp936);
    void RequestClose(WindowId id);
    void InjectFocus(WindowId id, bool gained);
    // The user drags files (code page 936 paths) from another program and lets
    // go at a screen point: the window showing there gets them.
    void DropFiles(int x, int y, std::vector<std::string> cp936Paths);

    // A window manager on the virtual desktop: windows handed to it to iconify
    // leave the screen until they are shown again. None unless a test says so.
    void SetWindowManager(bool present) { m_windowManager = present; }

    // The clock. Waiting loops with a deadline jump the clock to it.
    void Advance(std::uint64_t ms) { m_now += ms; }
    // Called when a loop waits with nothing queued; returns true when it queued
    // something (or moved the clock) so the loop goes on. A script for modal loops.
    void SetIdleHandler(std::function<bool()> handler) { m_idle = std::move(handler); }

    // Reading back.
    gfx::Pixel PixelAt(int x, int y) const;
    gfx::Surface Screenshot() const;
    // What was last presented for the window (window coordinates).
    const gfx::Surface* WindowImage(WindowId id) const;
    // Screenshots as PNG files, for looking at a change; false with a message on failure.
    bool SaveScreenPng(const std::string& path, std::string* error = nullptr) const;
    bool SaveWindowPng(WindowId id, const std::string& path, std::string* error = nullptr) const;
    WindowId WindowAt(int x, int y) const;
    bool IsVisible(WindowId id) const;
    RECT WindowRect(WindowId id) const;
    std::string Title(WindowId id) const;
    WindowId FocusedWindow() const { return m_focus; }
    bool MouseCaptured() const { return m_captured; }
    CursorShape CurrentCursorShape() const { return m_cursorShape; }
    // Handed to the window manager to iconify and not shown since.
    bool IsMinimized(WindowId id) const;
    // The user brings back a window the window manager iconified.
    void RestoreFromWindowManager(WindowId id);
    // The window manager puts a window elsewhere (the user dragged it there).
    void MoveByWindowManager(WindowId id, int x, int y);
    std::size_t WindowCount() const { return m_windows.size(); }
    std::size_t PendingEvents() const { return m_events.size(); }
    int PresentCount() const { return m_presents; }
    const std::vector<WindowId>& Stacking() const { return m_stack; }

private:
    struct Native {
        RECT rect{0, 0, 0, 0};
        bool visible = false;
        bool minimized = false;
        bool rectangular = true;
        std::vector<RECT> shape;
        gfx::Surface image;
        std::string title;
    };

    bool ShowsPixel(const Native& w, int x, int y) const;
    void Queue(Event e);
    Event MouseEvent(EventType type) const;

    int m_width;
    int m_height;
    std::map<WindowId, Native> m_windows;
    std::vector<WindowId> m_stack; // topmost first
    WindowId m_nextId = 1;
    WindowId m_focus = 0;
    WindowId m_hover = 0;
    std::deque<Event> m_events;
    std::uint64_t m_now = 1000;
    POINT m_cursor{0, 0};
    unsigned m_buttons = 0;
    unsigned m_modifiers = 0;
    bool m_captured = false;
    bool m_windowManager = false;
    CursorShape m_cursorShape = CursorShape::Arrow;
    int m_presents = 0;
    std::string m_clipboard;
    std::function<bool()> m_idle;
};

} // namespace display
