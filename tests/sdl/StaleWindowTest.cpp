// SDL may still address an X window it has just destroyed (waking or raising
// it); the server answers BadWindow, which Xlib's default handler turns into
// exit(1). The backend must survive that.
#include "platform/display/SdlX11.h"
#include "tests/sdl/SdlFixture.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

namespace corvane::test {
namespace {

using StaleWindowTest = SdlFixture;

TEST_F(StaleWindowTest, AnEventSentToADestroyedWindowDoesNotEndTheProgram)
{
    SDL_Window* window = SDL_CreateWindow("stale", 10, 10, 40, 40, SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    ASSERT_TRUE(SDL_GetWindowWMInfo(window, &info));
    ASSERT_EQ(info.subsystem, SDL_SYSWM_X11);
    Display* display = info.info.x11.display;
    ::Window stale = info.info.x11.window;
    SDL_DestroyWindow(window);
    XSync(display, False);

    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = stale;
    e.xclient.format = 32;
    e.xclient.message_type = XInternAtom(display, "_CORVANE_STALE_PROBE", False);
    XSendEvent(display, stale, False, NoEventMask, &e);
    XSync(display, False); // the error arrives here; the default handler would exit

    // The connection still works afterwards.
    display::WindowId id = SolidWindow(RECT{20, 20, 80, 80}, 0xFF3366CC);
    EXPECT_NE(id, 0u);
}

TEST_F(StaleWindowTest, AnErrorArrivingAsTheDesktopClosesDoesNotEndTheProgram)
{
    // SDL puts back the handler it found when it shuts down, then closes its
    // connections, which may still bring errors of requests in flight.
    SolidWindow(RECT{20, 20, 80, 80}, 0xFF3366CC);
    m_backend.reset();
    Display* connection = XOpenDisplay(Session()->Display().c_str());
    ASSERT_NE(connection, nullptr);
    ::Window gone = XCreateSimpleWindow(connection, DefaultRootWindow(connection), 0, 0, 4, 4, 0, 0, 0);
    XDestroyWindow(connection, gone);
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = gone;
    e.xclient.format = 32;
    e.xclient.message_type = XInternAtom(connection, "_CORVANE_STALE_PROBE", False);
    XSendEvent(connection, gone, False, NoEventMask, &e);
    const unsigned long before = display::x11::IgnoredXErrors();
    XCloseDisplay(connection); // flushes; under Xlib's default handler the program would end here
    EXPECT_EQ(display::x11::IgnoredXErrors(), before + 1);
}

} // namespace
} // namespace corvane::test
