#include "platform/system/window/Desktop.h"

#include "platform/system/window/BuiltinClasses.h"

#include "platform/display/HeadlessBackend.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/Timers.h"
#include "platform/system/window/WindowTree.h"

#include <memory>

namespace sys {

namespace {

display::Backend& Fallback()
{
    static display::HeadlessBackend headless;
    return headless;
}

} // namespace

display::Backend& Backend()
{
    display::Backend* b = State().backend;
    return b ? *b : Fallback();
}

void ResetDesktop()
{
    // Destroy top-level windows until none is left (a procedure may create more).
    for (int round = 0; round < 100 && !TopLevels().empty(); ++round) {
        std::vector<HWND> tops = TopLevels();
        for (HWND h : tops) DestroyWindow(h);
    }
    DesktopState& s = State();
    s.posted.clear();
    s.quit = false;
    s.quitCode = 0;
    s.current = MSG{};
    ResetTimers();
    ResetInput();
    ResetClasses();
}

void SetBackend(display::Backend* backend)
{
    ResetDesktop();
    State().backend = backend;
    // Templates may name any built-in control as soon as there is a desktop.
    if (backend) RegisterBuiltinClasses();
}

RECT ScreenRect() { return Backend().ScreenRect(); }
RECT WorkAreaRect() { return Backend().WorkArea(); }
std::uint64_t NowMs() { return Backend().NowMs(); }

} // namespace sys
