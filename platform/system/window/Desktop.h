// The desktop the windows live on: which display backend, the clock, and
// test helpers that pump the message flow until nothing is left to do.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/display/Backend.h"

#include <cstdint>

namespace sys {

// Installs the backend (not owned). Every window is destroyed first and all
// state is cleared, so a test starts from an empty desktop. Null installs a
// private headless backend.
void SetBackend(display::Backend* backend);
display::Backend& Backend();

RECT ScreenRect();
RECT WorkAreaRect();
std::uint64_t NowMs();

// Destroys every window, drops queued messages, timers, capture, focus and
// registered application classes.
void ResetDesktop();

// Runs everything that is ready without waiting: backend events, posted
// messages, paints, due timers and hover; then presents. Returns the number of
// messages dispatched. Stops after maxMessages to survive self-reposting loops.
int PumpUntilIdle(int maxMessages = 100000);

} // namespace sys
