// Kept apart: the X11 headers define names (None, Window, Bool) that clash
// with the rest of the layer.
#include "platform/display/SdlX11.h"

#include <SDL_syswm.h>

namespace display::x11 {

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

} // namespace display::x11
