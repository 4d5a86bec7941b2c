#include "platform/display/SdlBackend.h"

#include "platform/base/CodePage.h"
#include "platform/display/SdlClipboard.h"
#include "platform/display/SdlX11.h"

#include <SDL.h>
#include <SDL_shape.h>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace display {

namespace {

bool g_open = false; // SDL is one per process

int ClampSize(LONG v)
{
    return static_cast<int>(std::clamp<LONG>(v, 1, gfx::Surface::kMaxDimension));
}

std::string NoDisplayMessage(const std::string& detail)
{
    const char* name = std::getenv("DISPLAY");
    std::string where = name && *name ? "DISPLAY=" + std::string(name) : "DISPLAY is not set";
    std::string text = "Corvane needs a graphical desktop, but no display could be opened (" + where + ")";
    if (!detail.empty()) text += ": " + detail;
    return text;
}

// Copies one rectangle of 0x00RRGGBB pixels into the window buffer.
void CopyRect(const gfx::Surface& from, SDL_Surface* to, const SDL_Rect& r)
{
    auto* dst = static_cast<Uint8*>(to->pixels) + static_cast<std::size_t>(r.y) * to->pitch +
                static_cast<std::size_t>(r.x) * to->format->BytesPerPixel;
    const gfx::Pixel* src = from.Row(r.y) + r.x;
    switch (to->format->format) {
    case SDL_PIXELFORMAT_RGB888:
        for (int y = 0; y < r.h; ++y)
            std::memcpy(dst + static_cast<std::size_t>(y) * to->pitch,
                        src + static_cast<std::size_t>(y) * from.Stride(), static_cast<std::size_t>(r.w) * 4);
        break;
    case SDL_PIXELFORMAT_ARGB8888:
        for (int y = 0; y < r.h; ++y) {
            auto* d = reinterpret_cast<Uint32*>(dst + static_cast<std::size_t>(y) * to->pitch);
            const gfx::Pixel* s = src + static_cast<std::size_t>(y) * from.Stride();
            for (int x = 0; x < r.w; ++x)
                d[x] = s[x] | 0xFF000000u;
        }
        break;
    default:
        SDL_ConvertPixels(r.w, r.h, SDL_PIXELFORMAT_RGB888, src, from.Stride() * 4, to->format->format, dst, to->pitch);
        break;
    }
}

} // namespace

std::unique_ptr<Backend> OpenDesktopBackend(std::string* error)
{
    return SdlBackend::Open(error);
}

std::unique_ptr<SdlBackend> SdlBackend::Open(std::string* error)
{
    std::string ignored;
    std::string& why = error ? *error : ignored;
    if (g_open) {
        why = "the desktop is already open in this program";
        return nullptr;
    }
    // Without this the first window buffer recreates the X window, losing its shape and place.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // A click that activates a window also acts on it, as on the classic desktop.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // SDL's own capture grabs for the keyboard-focus window and can lose the
    // release; the server's implicit grab while a button is held is enough.
    SDL_SetHint(SDL_HINT_MOUSE_AUTO_CAPTURE, "0");
    // The classic double-click time and 4-pixel box.
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_TIME, "500");
    SDL_SetHint(SDL_HINT_MOUSE_DOUBLE_CLICK_RADIUS, "2");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");

    // SDL puts back the handler it found when it shuts down, and its second
    // connection may still report errors then: that handler must be ours.
    x11::SurviveXErrors();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        why = NoDisplayMessage(SDL_GetError());
        return nullptr;
    }
    // SDL quietly falls back to drivers that show nothing; those are no desktop.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || (std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "wayland") != 0)) {
        std::string name = driver ? driver : "none";
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        why = NoDisplayMessage("only the \"" + name + "\" video driver started, which shows no windows");
        return nullptr;
    }

    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    g_open = true;
    SDL_EventState(SDL_POLLSENTINEL, SDL_IGNORE);
    // The raw X events carry true screen positions of the pointer; with them
    // SDL's moves are taken only where a raw event gives their place.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    backend->m_rawPointer = std::strcmp(driver, "x11") == 0;
    if (backend->m_rawPointer) x11::SurviveXErrors();
    // Dropped files become one event per drop; dropped text is not taken.
    SDL_EventState(SDL_DROPFILE, SDL_ENABLE);
    SDL_EventState(SDL_DROPBEGIN, SDL_ENABLE);
    SDL_EventState(SDL_DROPCOMPLETE, SDL_ENABLE);
    SDL_EventState(SDL_DROPTEXT, SDL_IGNORE);
    SDL_StartTextInput();
    SDL_AddEventWatch(&SdlBackend::Watch, backend.get());
    // Shapes need the display's support (the X11 SHAPE extension); ask once.
    if (SDL_Window* probe = SDL_CreateShapedWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS)) {
        backend->m_shapes = true;
        SDL_DestroyWindow(probe);
    }
    why.clear();
    return backend;
}

SdlBackend::~SdlBackend()
{
    SDL_DelEventWatch(&SdlBackend::Watch, this);
    Ungrab();
    for (auto& [id, n] : m_windows)
        SDL_DestroyWindow(n.window);
    m_windows.clear();
    SDL_SetCursor(SDL_GetDefaultCursor());
    for (auto& [shape, cursor] : m_cursors)
        SDL_FreeCursor(cursor);
    m_cursors.clear();
    SDL_StopTextInput();
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    g_open = false;
}

std::string SdlBackend::DriverName() const
{
    const char* d = SDL_GetCurrentVideoDriver();
    return d ? d : "";
}

SdlBackend::Native* SdlBackend::Find(WindowId id)
{
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : &it->second;
}

const SdlBackend::Native* SdlBackend::Find(WindowId id) const
{
    auto it = m_windows.find(id);
    return it == m_windows.end() ? nullptr : &it->second;
}

WindowId SdlBackend::CreateWindow(const RECT& screenRect)
{
    int w = ClampSize(screenRect.right - screenRect.left), h = ClampSize(screenRect.bottom - screenRect.top);
    Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS;
    Native n;
    n.rect = screenRect;
    // Every window can take a shape later; a shaped window must be made as one.
    if (m_shapes)
        n.window =
            SDL_CreateShapedWindow("", static_cast<unsigned>(screenRect.left), static_cast<unsigned>(screenRect.top),
                                   static_cast<unsigned>(w), static_cast<unsigned>(h), flags);
    if (n.window) {
        n.shaped = true;
        ApplyShape(n); // also places the window, which SDL parks off-screen until it has a shape
    } else {
        n.window = SDL_CreateWindow("", screenRect.left, screenRect.top, w, h, flags);
        if (!n.window) return 0;
    }
    int x = 0, y = 0;
    SDL_GetWindowPosition(n.window, &x, &y);
    if (x != screenRect.left || y != screenRect.top) Place(n, screenRect.left, screenRect.top);
    n.native = x11::NativeWindow(n.window);
    WindowId id = SDL_GetWindowID(n.window);
    m_windows[id] = n;
    m_stack.insert(m_stack.begin(), id);
    return id;
}

void SdlBackend::DestroyWindow(WindowId id)
{
    Native* n = Find(id);
    if (!n) return;
    if (m_grab == id) Ungrab();
    SDL_DestroyWindow(n->window);
    m_windows.erase(id);
    m_stack.erase(std::remove(m_stack.begin(), m_stack.end(), id), m_stack.end());
    if (m_focus == id) m_focus = 0;
    if (m_hover == id) m_hover = 0;
    if (m_pressWindow == id) m_pressWindow = 0;
    if (m_pointerIn == id) m_pointerIn = 0;
    if (m_lastMouse.window == id) m_lastMouse.valid = false;
    // Events of a window that is gone are not delivered.
    std::erase_if(m_events, [id](const Event& e) { return e.window == id && e.type != EventType::MouseMove; });
    if (m_captured || m_buttons) Grab();
}

void SdlBackend::MoveWindow(WindowId id, const RECT& screenRect)
{
    Native* n = Find(id);
    if (!n) return;
    int w = ClampSize(screenRect.right - screenRect.left), h = ClampSize(screenRect.bottom - screenRect.top);
    int cw = 0, ch = 0, cx = 0, cy = 0;
    SDL_GetWindowSize(n->window, &cw, &ch);
    SDL_GetWindowPosition(n->window, &cx, &cy);
    n->rect = screenRect;
    // SDL waits for the desktop to confirm a change, so unchanged values are not sent.
    if (screenRect.left != cx || screenRect.top != cy) Place(*n, screenRect.left, screenRect.top);
    if (w == cw && h == ch) return;
    SDL_SetWindowSize(n->window, w, h);
    n->surfaceStale = true;
    if (!n->shaped) return;
    // SDL parks a resized shaped window off-screen until its next shape, and
    // brings it back only to a place with no zero coordinate (such as 0,0).
    ApplyShape(*n);
    SDL_GetWindowPosition(n->window, &cx, &cy);
    if (screenRect.left != cx || screenRect.top != cy) Place(*n, screenRect.left, screenRect.top);
}

void SdlBackend::Place(Native& n, int x, int y)
{
    // Enough for a window dragged faster than the desktop answers.
    constexpr std::size_t kMaxPlacing = 64;
    n.placing.push_back(POINT{x, y});
    if (n.placing.size() > kMaxPlacing) n.placing.pop_front();
    SDL_SetWindowPosition(n.window, x, y);
}

void SdlBackend::ShowWindow(WindowId id, bool visible)
{
    Native* n = Find(id);
    if (!n) return;
    if (visible && n->minimized) {
        // Back from the window manager's icon, where the window stayed mapped for the layer.
        n->minimized = false;
        SDL_RestoreWindow(n->window);
        if (n->visible) return;
    }
    if (n->visible == visible) return;
    n->visible = visible;
    if (!visible) {
        n->minimized = false;
        if (m_lastMouse.window == id) m_lastMouse.valid = false;
        if (m_grab == id) Ungrab();
        SDL_HideWindow(n->window);
        if (m_captured || m_buttons) Grab();
        return;
    }
    SDL_ShowWindow(n->window);
    // Mapping puts the window on top; windows meant to be above it go back up.
    auto at = std::find(m_stack.begin(), m_stack.end(), id);
    for (auto it = std::make_reverse_iterator(at); it != m_stack.rend(); ++it) {
        Native* above = Find(*it);
        if (above && above->visible) SDL_RaiseWindow(above->window);
    }
}

void SdlBackend::SetShape(WindowId id, const std::vector<RECT>& rects, bool rectangular)
{
    Native* n = Find(id);
    if (!n) return;
    n->rectangular = rectangular;
    n->shape = rectangular ? std::vector<RECT>{} : rects;
    if (n->shaped) ApplyShape(*n);
}

void SdlBackend::ApplyShape(Native& n)
{
    int w = 0, h = 0;
    SDL_GetWindowSize(n.window, &w, &h);
    SDL_Surface* mask = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!mask) return;
    const Uint32 opaque = 0xFF000000u;
    SDL_FillRect(mask, nullptr, n.rectangular ? opaque : 0);
    if (!n.rectangular) {
        for (const RECT& r : n.shape) {
            RECT bounds{0, 0, w, h}, clip;
            if (!IntersectRect(&clip, &r, &bounds)) continue;
            SDL_Rect sr{clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top};
            SDL_FillRect(mask, &sr, opaque);
        }
    }
    SDL_WindowShapeMode mode;
    mode.mode = ShapeModeBinarizeAlpha;
    mode.parameters.binarizationCutoff = 128;
    SDL_SetWindowShape(n.window, mask, &mode);
    SDL_FreeSurface(mask);
}

void SdlBackend::Restack(const std::vector<WindowId>& topFirst)
{
    std::vector<WindowId> order;
    for (WindowId id : topFirst)
        if (m_windows.count(id) && std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    for (WindowId id : m_stack)
        if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
    // Raising also asks the desktop to activate, so windows whose place below is
    // unchanged are left alone.
    std::size_t same = 0;
    while (same < order.size() && same < m_stack.size() &&
           order[order.size() - 1 - same] == m_stack[m_stack.size() - 1 - same])
        ++same;
    for (std::size_t i = order.size() - same; i-- > 0;) {
        Native* n = Find(order[i]);
        if (n && n->visible) SDL_RaiseWindow(n->window);
    }
    m_stack = std::move(order);
}

void SdlBackend::SetTitle(WindowId id, const std::string& cp936Title)
{
    if (Native* n = Find(id)) SDL_SetWindowTitle(n->window, Cp936ToUtf8(cp936Title).c_str());
}

void SdlBackend::SetFocus(WindowId id)
{
    Native* n = Find(id);
    if (!n) return;
    // Keys that reach us before the desktop confirms belong to this window.
    m_focus = id;
    if (n->visible) SDL_SetWindowInputFocus(n->window);
}

void SdlBackend::CaptureMouse(bool capture)
{
    if (capture == m_captured) return;
    m_captured = capture;
    // SDL's own capture is given up by SDL whenever the keyboard focus moves, and
    // its ungrab also ends the server's grab of a held button: the release would
    // go to whatever is under the pointer. The grab here is kept through that.
    if (capture)
        Grab();
    else if (!m_buttons)
        Ungrab(); // with a button held the grab goes with its release, as the server's would
}

void SdlBackend::Grab()
{
    std::vector<WindowId> candidates = {m_buttons ? m_pressWindow : 0, m_hover, m_pointerIn, m_focus};
    candidates.insert(candidates.end(), m_stack.begin(), m_stack.end());
    for (WindowId id : candidates) {
        const Native* n = Find(id);
        if (!n || !n->visible || n->minimized) continue;
        if (x11::GrabPointer(n->window)) {
            m_grab = id;
            return;
        }
    }
    m_grab = 0;
}

void SdlBackend::Ungrab()
{
    if (!m_grab) return;
    if (const Native* n = Find(m_grab)) x11::UngrabPointer(n->window);
    m_grab = 0;
}

void SdlBackend::SetCursorShape(CursorShape shape)
{
    SDL_SystemCursor system = SDL_SYSTEM_CURSOR_ARROW;
    switch (shape) {
    case CursorShape::Arrow: system = SDL_SYSTEM_CURSOR_ARROW; break;
    case CursorShape::IBeam: system = SDL_SYSTEM_CURSOR_IBEAM; break;
    case CursorShape::Wait: system = SDL_SYSTEM_CURSOR_WAIT; break;
    case CursorShape::Cross: system = SDL_SYSTEM_CURSOR_CROSSHAIR; break;
    case CursorShape::SizeAll: system = SDL_SYSTEM_CURSOR_SIZEALL; break;
    case CursorShape::SizeNWSE: system = SDL_SYSTEM_CURSOR_SIZENWSE; break;
    case CursorShape::SizeNESW: system = SDL_SYSTEM_CURSOR_SIZENESW; break;
    case CursorShape::SizeWE: system = SDL_SYSTEM_CURSOR_SIZEWE; break;
    case CursorShape::SizeNS: system = SDL_SYSTEM_CURSOR_SIZENS; break;
    case CursorShape::Hand: system = SDL_SYSTEM_CURSOR_HAND; break;
    case CursorShape::No: system = SDL_SYSTEM_CURSOR_NO; break;
    }
    m_cursorShape = shape;
    // Cursors are made once: the pointer changes shape on nearly every move.
    SDL_Cursor*& cursor = m_cursors[shape];
    if (!cursor) cursor = SDL_CreateSystemCursor(system);
    if (cursor && SDL_GetCursor() != cursor) SDL_SetCursor(cursor);
}

bool SdlBackend::HasWindowManager()
{
    if (!m_windows.empty()) return x11::WindowManagerRunning(m_windows.begin()->second.window);
    // Any window of ours leads to the display; make one for the question.
    SDL_Window* probe = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    if (!probe) return false;
    bool running = x11::WindowManagerRunning(probe);
    SDL_DestroyWindow(probe);
    return running;
}

void SdlBackend::MinimizeWindow(WindowId id)
{
    Native* n = Find(id);
    if (!n || !n->visible || n->minimized) return;
    if (m_grab == id) Ungrab();
    n->minimized = true;
    SDL_MinimizeWindow(n->window);
}

bool SdlBackend::IsMinimized(WindowId id) const
{
    const Native* n = Find(id);
    return n && n->minimized;
}

RECT SdlBackend::NativeRect(WindowId id) const
{
    const Native* n = Find(id);
    if (!n) return RECT{0, 0, 0, 0};
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetWindowPosition(n->window, &x, &y);
    SDL_GetWindowSize(n->window, &w, &h);
    return RECT{x, y, x + w, y + h};
}

void SdlBackend::Present(WindowId id, const gfx::Surface& surface, const std::vector<RECT>& changed)
{
    Native* n = Find(id);
    if (!n || surface.IsEmpty()) return;
    SDL_Surface* target = SDL_GetWindowSurface(n->window);
    if (!target) return;
    RECT bounds{0, 0, std::min(target->w, surface.Width()), std::min(target->h, surface.Height())};
    std::vector<SDL_Rect> rects;
    auto add = [&](const RECT& r) {
        RECT clip;
        if (IntersectRect(&clip, &r, &bounds))
            rects.push_back(SDL_Rect{clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top});
    };
    // A new native buffer holds nothing yet: give it the whole picture.
    if (n->surfaceStale)
        add(bounds);
    else
        for (const RECT& r : changed)
            add(r);
    if (rects.empty()) return;
    if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
    for (const SDL_Rect& r : rects)
        CopyRect(surface, target, r);
    if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
    if (SDL_UpdateWindowSurfaceRects(n->window, rects.data(), static_cast<int>(rects.size())) == 0)
        n->surfaceStale = false;
}

std::uint64_t SdlBackend::NowMs()
{
    return SDL_GetTicks64();
}

POINT SdlBackend::CursorPos()
{
    int x = 0, y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    return POINT{x, y};
}

RECT SdlBackend::ScreenRect()
{
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &r) != 0) return RECT{0, 0, 0, 0};
    return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
}

RECT SdlBackend::WorkArea()
{
    SDL_Rect r{0, 0, 0, 0};
    if (SDL_GetDisplayUsableBounds(0, &r) != 0) return ScreenRect();
    return RECT{r.x, r.y, r.x + r.w, r.y + r.h};
}

std::string SdlBackend::GetClipboardText()
{
    if (!SDL_HasClipboardText()) return std::string();
    char* text = SDL_GetClipboardText();
    std::string utf8 = text ? text : "";
    SDL_free(text);
    return ClipboardFromDesktop(utf8);
}

void SdlBackend::SetClipboardText(const std::string& cp936)
{
    SDL_SetClipboardText(ClipboardToDesktop(cp936).c_str());
}

} // namespace display
