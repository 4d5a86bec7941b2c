#include "platform/display/HeadlessBackend.h"

#include "platform/gfx/Png.h"

#include <algorithm>

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

// Modifier bits of the classic shift, control and menu keys.
unsigned ModifierOfKey(unsigned vk)
{
    switch (vk) {
    case 0x10: return kModShift;
    case 0x11: return kModControl;
    case 0x12: return kModAlt;
    default: return 0;
    }
}

} // namespace

HeadlessBackend::HeadlessBackend(int width, int height)
    : m_width(width > 0 ? width : kDefaultWidth), m_height(height > 0 ? height : kDefaultHeight)
{
}

WindowId HeadlessBackend::CreateWindow(const RECT& screenRect)
{
    WindowId id = m_nextId++;
    Native& w = m_windows[id];
    w.rect = screenRect;
    w.image.Resize(std::max<LONG>(0, screenRect.right - screenRect.left),
                   std::max<LONG>(0, screenRect.bottom - screenRect.top));
    m_stack.insert(m_stack.begin(), id);
    return id;
}

void HeadlessBackend::DestroyWindow(WindowId id)
{
    if (!m_windows.erase(id)) return;
    m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), id), m_stack.end());
    if (m_focus == id) m_focus = 0;
    if (m_hover == id) m_hover = 0;
    // Events of a window that is gone are not delivered.
    std::erase_if(m_events, [id](const Event& e) { return e.window == id && e.type != EventType::MouseMove; });
}

void HeadlessBackend::MoveWindow(WindowId id, const RECT& screenRect)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    Native& w = it->second;
    int oldW = w.rect.right - w.rect.left, oldH = w.rect.bottom - w.rect.top;
    int newW = std::max<LONG>(0, screenRect.right - screenRect.left);
    int newH = std::max<LONG>(0, screenRect.bottom - screenRect.top);
    w.rect = screenRect;
    if (newW != oldW || newH != oldH) {
        // Keep what was shown where it still fits, as a real window does until repainted.
        gfx::Surface resized(newW, newH);
        for (int y = 0; y < std::min(newH, w.image.Height()); ++y)
            for (int x = 0; x < std::min(newW, w.image.Width()); ++x) resized.Set(x, y, w.image.At(x, y));
        w.image = std::move(resized);
    }
}

void HeadlessBackend::ShowWindow(WindowId id, bool visible)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    it->second.visible = visible;
    it->second.minimized = false;
}

void HeadlessBackend::MinimizeWindow(WindowId id)
{
    auto it = m_windows.find(id);
    if (m_windowManager && it != m_windows.end() && it->second.visible) it->second.minimized = true;
}

void HeadlessBackend::RestoreFromWindowManager(WindowId id)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end() || !it->second.minimized) return;
    it->second.minimized = false;
    Event e;
    e.type = EventType::RestoreRequest;
    e.window = id;
    Queue(std::move(e));
}

void HeadlessBackend::MoveByWindowManager(WindowId id, int x, int y)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    RECT& r = it->second.rect;
    OffsetRect(&r, x - r.left, y - r.top);
    Event e;
    e.type = EventType::Moved;
    e.window = id;
    e.screen = POINT{x, y};
    Queue(std::move(e));
}

bool HeadlessBackend::IsMinimized(WindowId id) const
{
    auto it = m_windows.find(id);
    return it != m_windows.end() && it->second.minimized;
}

void HeadlessBackend::SetShape(WindowId id, const std::vector<RECT>& rects, bool rectangular)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    it->second.rectangular = rectangular;
    it->second.shape = rectangular ? std::vector<RECT>{} : rects;
}

void HeadlessBackend::Restack(const std::vector<WindowId>& topFirst)
{
    std::vector<WindowId> order;
    for (WindowId id : topFirst)
        if (m_windows.count(id) && std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    // Windows the caller did not mention keep their place below the named ones.
    for (WindowId id : m_stack)
        if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    m_stack = std::move(order);
}

void HeadlessBackend::SetTitle(WindowId id, const std::string& cp936Title)
{
    auto it = m_windows.find(id);
    if (it != m_windows.end()) it->second.title = cp936Title;
}

void HeadlessBackend::SetFocus(WindowId id)
{
    if (id == 0 || m_windows.count(id)) m_focus = id;
}

void HeadlessBackend::CaptureMouse(bool capture) { m_captured = capture; }

void HeadlessBackend::Present(WindowId id, const gfx::Surface& surface, const std::vector<RECT>& changed)
{
    auto it = m_windows.find(id);
    if (it == m_windows.end()) return;
    Native& w = it->second;
    if (w.image.Width() != surface.Width() || w.image.Height() != surface.Height())
        w.image.Resize(surface.Width(), surface.Height());
    for (const RECT& r : changed) {
        RECT bounds = surface.Bounds();
        RECT clip;
        if (!IntersectRect(&clip, &r, &bounds)) continue;
        for (int y = clip.top; y < clip.bottom; ++y)
            std::copy(surface.Row(y) + clip.left, surface.Row(y) + clip.right, w.image.Row(y) + clip.left);
    }
    ++m_presents;
}

bool HeadlessBackend::PollEvent(Event* out)
{
    if (m_events.empty() || !out) return false;
    *out = std::move(m_events.front());
    m_events.pop_front();
    return true;
}

WaitResult HeadlessBackend::WaitEvent(std::uint64_t deadlineMs)
{
    if (!m_events.empty()) return WaitResult::Ready;
    if (deadlineMs <= m_now) return WaitResult::Timeout;
    if (m_idle) {
        std::uint64_t before = m_now;
        bool acted = m_idle();
        if (!m_events.empty()) return WaitResult::Ready;
        if (acted || m_now != before) return m_now >= deadlineMs ? WaitResult::Timeout : WaitResult::Ready;
    }
    if (deadlineMs == kNoDeadline) return WaitResult::Starved;
    // Nothing will happen before the deadline: time passes at once.
    m_now = deadlineMs;
    return WaitResult::Timeout;
}

RECT HeadlessBackend::ScreenRect() { return RECT{0, 0, m_width, m_height}; }

RECT HeadlessBackend::WorkArea() { return RECT{0, 0, m_width, std::max(0, m_height - kTaskbarHeight)}; }

void HeadlessBackend::Queue(Event e)
{
    e.time = m_now;
    m_events.push_back(std::move(e));
}

Event HeadlessBackend::MouseEvent(EventType type) const
{
    Event e;
    e.type = type;
    e.screen = m_cursor;
    e.buttons = m_buttons;
    e.modifiers = m_modifiers;
    e.window = m_captured || m_buttons ? (m_hover ? m_hover : WindowAt(m_cursor.x, m_cursor.y))
                                       : WindowAt(m_cursor.x, m_cursor.y);
    return e;
}

void HeadlessBackend::MoveMouse(int x, int y)
{
    m_cursor = POINT{x, y};
    WindowId under = WindowAt(x, y);
    bool held = m_captured || m_buttons;
    if (!under && m_hover && !held) {
        Event leave = MouseEvent(EventType::MouseLeave);
        leave.window = m_hover;
        Queue(std::move(leave));
        m_hover = 0;
        return;
    }
    if (under && !held) m_hover = under;
    if (under || held) Queue(MouseEvent(EventType::MouseMove));
}

void HeadlessBackend::Press(MouseButton button)
{
    m_buttons |= ButtonBit(button);
    Event e = MouseEvent(EventType::MouseDown);
    e.button = button;
    if (!e.window) e.window = WindowAt(m_cursor.x, m_cursor.y);
    Queue(std::move(e));
}

void HeadlessBackend::Release(MouseButton button)
{
    m_buttons &= ~ButtonBit(button);
    Event e = MouseEvent(EventType::MouseUp);
    e.button = button;
    Queue(std::move(e));
}

void HeadlessBackend::Click(int x, int y, MouseButton button)
{
    MoveMouse(x, y);
    Press(button);
    Release(button);
}

void HeadlessBackend::DoubleClick(int x, int y, MouseButton button)
{
    Click(x, y, button);
    m_buttons |= ButtonBit(button);
    Event e = MouseEvent(EventType::MouseDown);
    e.button = button;
    e.clicks = 2;
    Queue(std::move(e));
    Release(button);
}

void HeadlessBackend::Wheel(int delta)
{
    Event e = MouseEvent(EventType::MouseWheel);
    e.wheelDelta = delta;
    Queue(std::move(e));
}

void HeadlessBackend::KeyDown(unsigned virtualKey, unsigned modifiers, bool repeat)
{
    m_modifiers |= ModifierOfKey(virtualKey);
    Event e;
    e.type = EventType::KeyDown;
    e.window = m_focus;
    e.virtualKey = virtualKey;
    e.modifiers = m_modifiers | modifiers;
    e.repeat = repeat;
    Queue(std::move(e));
}

void HeadlessBackend::KeyUp(unsigned virtualKey, unsigned modifiers)
{
    m_modifiers &= ~ModifierOfKey(virtualKey);
    Event e;
    e.type = EventType::KeyUp;
    e.window = m_focus;
    e.virtualKey = virtualKey;
    e.modifiers = m_modifiers | modifiers;
    Queue(std::move(e));
}

void HeadlessBackend::TypeText(const std::string& cp936)
{
    if (cp936.empty()) return;
    Event e;
    e.type = EventType::Text;
    e.window = m_focus;
    e.text = cp936;
    Queue(std::move(e));
}

void HeadlessBackend::RequestClose(WindowId id)
{
    if (!m_windows.count(id)) return;
    Event e;
    e.type = EventType::CloseRequest;
    e.window = id;
    Queue(std::move(e));
}

void HeadlessBackend::InjectFocus(WindowId id, bool gained)
{
    if (!m_windows.count(id)) return;
    if (gained) m_focus = id;
    else if (m_focus == id) m_focus = 0;
    Event e;
    e.type = gained ? EventType::FocusGained : EventType::FocusLost;
    e.window = id;
    Queue(std::move(e));
}

void HeadlessBackend::DropFiles(int x, int y, std::vector<std::string> cp936Paths)
{
    // The pointer is where the drag let go; the program saw no moves while it was dragged.
    m_cursor = POINT{x, y};
    WindowId id = WindowAt(x, y);
    if (!id || cp936Paths.empty()) return;
    Event e;
    e.type = EventType::DropFiles;
    e.window = id;
    e.screen = m_cursor;
    e.files = std::move(cp936Paths);
    Queue(std::move(e));
}

bool HeadlessBackend::ShowsPixel(const Native& w, int x, int y) const
{
    if (!w.visible || w.minimized) return false;
    POINT p{x, y};
    if (!PtInRect(&w.rect, p)) return false;
    if (w.rectangular) return true;
    POINT local{x - w.rect.left, y - w.rect.top};
    for (const RECT& r : w.shape)
        if (PtInRect(&r, local)) return true;
    return false;
}

WindowId HeadlessBackend::WindowAt(int x, int y) const
{
    for (WindowId id : m_stack) {
        auto it = m_windows.find(id);
        if (it != m_windows.end() && ShowsPixel(it->second, x, y)) return id;
    }
    return 0;
}

gfx::Pixel HeadlessBackend::PixelAt(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    WindowId id = WindowAt(x, y);
    if (!id) return kDesktopPixel;
    const Native& w = m_windows.at(id);
    return w.image.At(x - w.rect.left, y - w.rect.top);
}

gfx::Surface HeadlessBackend::Screenshot() const
{
    gfx::Surface shot(m_width, m_height, kDesktopPixel);
    // Bottom to top, so upper windows overwrite lower ones.
    for (auto it = m_stack.rbegin(); it != m_stack.rend(); ++it) {
        const Native& w = m_windows.at(*it);
        if (!w.visible || w.minimized) continue;
        for (int y = std::max<LONG>(0, w.rect.top); y < std::min<LONG>(m_height, w.rect.bottom); ++y)
            for (int x = std::max<LONG>(0, w.rect.left); x < std::min<LONG>(m_width, w.rect.right); ++x)
                if (ShowsPixel(w, x, y)) shot.Set(x, y, w.image.At(x - w.rect.left, y - w.rect.top));
    }
    return shot;
}

bool HeadlessBackend::SaveScreenPng(const std::string& path, std::string* error) const
{
    return gfx::WritePngFile(Screenshot(), path, false, error);
}

bool HeadlessBackend::SaveWindowPng(WindowId id, const std::string& path, std::string* error) const
{
    const gfx::Surface* image = WindowImage(id);
    if (!image) {
        if (error) *error = "no such window";
        return false;
    }
    return gfx::WritePngFile(*image, path, false, error);
}

const gfx::Surface* HeadlessBackend::WindowImage(WindowId id) const
{
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : &it->second.image;
}

bool HeadlessBackend::IsVisible(WindowId id) const
{
    auto it = m_windows.find(id);
    return it != m_windows.end() && it->second.visible;
}

RECT HeadlessBackend::WindowRect(WindowId id) const
{
    auto it = m_windows.find(id);
    return it == m_windows.end() ? RECT{0, 0, 0, 0} : it->second.rect;
}

std::string HeadlessBackend::Title(WindowId id) const
{
    auto it = m_windows.find(id);
    return it == m_windows.end() ? std::string() : it->second.title;
}

} // namespace display
