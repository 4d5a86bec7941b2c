// Kept apart: the X11 headers define names (None, Window, Bool) that clash
// with the rest of the layer.
#include "platform/display/SdlX11.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>
#include <X11/extensions/XInput2.h>
#include <cmath>
#include <cstdio>
#endif

namespace display::x11 {

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

bool X11Info(SDL_Window* window, Display** display, Window* xwindow)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    *display = info.info.x11.display;
    *xwindow = info.info.x11.window;
    return *display != nullptr;
}

bool g_xError = false;

int NoteError(Display*, XErrorEvent*)
{
    g_xError = true;
    return 0;
}

// The window a property names, or 0. A window that has gone away is an X error,
// which would end the program under the default handler: it is caught here.
Window WindowProperty(Display* display, Window of, Atom property)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    Window found = 0;
    if (XGetWindowProperty(display, of, property, 0, 1, False, XA_WINDOW, &type, &format, &count, &after, &data) ==
            Success &&
        type == XA_WINDOW && format == 32 && count == 1 && data)
        found = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    if (data) XFree(data);
    return found;
}

// The input extension's event code on this display, or -1 without it.
int InputExtensionOpcode(Display* display)
{
    static Display* known = nullptr;
    static int opcode = -1;
    if (display != known) {
        int event = 0, error = 0;
        if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) opcode = -1;
        known = display;
    }
    return opcode;
}

// A move of the input extension (SDL asks for them on its windows, and the
// server then sends them instead of the core ones while no button is held).
bool PointerFromInputExtension(const XGenericEventCookie& cookie, PointerEvent* out)
{
    if (cookie.evtype != XI_Motion || !cookie.data || !cookie.display) return false;
    if (cookie.extension != InputExtensionOpcode(cookie.display)) return false;
    const auto* m = static_cast<const XIDeviceEvent*>(cookie.data);
    // Positions have fractions; the core events' whole pixels are their floor.
    auto whole = [](double v) { return static_cast<int>(std::floor(v)); };
    PointerEvent p;
    p.window = m->event;
    p.rootX = whole(m->root_x);
    p.rootY = whole(m->root_y);
    p.x = whole(m->event_x);
    p.y = whole(m->event_y);
    p.afterSdl = true;
    *out = p;
    return true;
}

} // namespace
#endif

bool PointerFromSystemEvent(const SDL_Event& e, PointerEvent* out)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    if (e.type != SDL_SYSWMEVENT || !e.syswm.msg || e.syswm.msg->subsystem != SDL_SYSWM_X11) return false;
    const XEvent& xe = e.syswm.msg->msg.x11.event;
    switch (xe.type) {
    case MotionNotify:
        *out = PointerEvent{PointerEvent::Motion, xe.xmotion.window, xe.xmotion.x_root,
                            xe.xmotion.y_root,    xe.xmotion.x,      xe.xmotion.y};
        return true;
    case ButtonPress:
    case ButtonRelease:
        *out = PointerEvent{PointerEvent::Button,
                            xe.xbutton.window,
                            xe.xbutton.x_root,
                            xe.xbutton.y_root,
                            xe.xbutton.x,
                            xe.xbutton.y,
                            false,
                            xe.type == ButtonPress,
                            xe.xbutton.button};
        return true;
    case EnterNotify:
    case LeaveNotify:
        *out = PointerEvent{PointerEvent::Crossing, xe.xcrossing.window, xe.xcrossing.x_root,   xe.xcrossing.y_root,
                            xe.xcrossing.x,         xe.xcrossing.y,      xe.type == EnterNotify};
        return true;
    case GenericEvent: return PointerFromInputExtension(xe.xcookie, out);
    default: return false;
    }
#else
    (void)e;
    (void)out;
    return false;
#endif
}

unsigned long NativeWindow(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
#else
    (void)window;
    return 0;
#endif
}

bool GrabPointer(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    Display* display = nullptr;
    Window xwindow = 0;
    if (!X11Info(window, &display, &xwindow)) return false;
    const unsigned mask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
    int rc = XGrabPointer(display, xwindow, True, mask, GrabModeAsync, GrabModeAsync, 0, 0, CurrentTime);
    XFlush(display);
    return rc == GrabSuccess;
#else
    (void)window;
    return false;
#endif
}

void UngrabPointer(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    Display* display = nullptr;
    Window xwindow = 0;
    if (!X11Info(window, &display, &xwindow)) return;
    XUngrabPointer(display, CurrentTime);
    XFlush(display);
#else
    (void)window;
#endif
}

#if defined(SDL_VIDEO_DRIVER_X11)
namespace {

unsigned long g_ignored = 0;

int LogAndIgnore(Display* display, XErrorEvent* error)
{
    // A burst of them (a window gone with requests in flight) says nothing new.
    constexpr unsigned long kLogged = 20;
    if (++g_ignored > kLogged) return 0;
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "corvane: X error ignored: %s (request %u.%u, resource 0x%lx)\n", text,
                 static_cast<unsigned>(error->request_code), static_cast<unsigned>(error->minor_code),
                 static_cast<unsigned long>(error->resourceid));
    return 0;
}

} // namespace
#endif

void SurviveXErrors()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    XSetErrorHandler(LogAndIgnore);
#endif
}

unsigned long IgnoredXErrors()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    return g_ignored;
#else
    return 0;
#endif
}

bool WindowManagerRunning(SDL_Window* window)
{
#if defined(SDL_VIDEO_DRIVER_X11)
    Display* display = nullptr;
    Window xwindow = 0;
    if (!X11Info(window, &display, &xwindow)) return false;
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == 0) return false;
    XSync(display, False);
    g_xError = false;
    XErrorHandler previous = XSetErrorHandler(NoteError);
    Window child = WindowProperty(display, DefaultRootWindow(display), check);
    // A manager that died leaves the root's property behind; its window answers no more.
    bool running = child != 0 && WindowProperty(display, child, check) == child;
    XSync(display, False);
    XSetErrorHandler(previous);
    return running && !g_xError;
#else
    (void)window;
    return false;
#endif
}

} // namespace display::x11
