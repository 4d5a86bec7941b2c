// Window timers on the backend clock. WM_TIMER is made when the queue is read
// and a timer is due; a timer that missed several periods fires once.
#pragma once

#include "platform/system/window/WinUser.h"

#include <cstdint>
#include <functional>

namespace sys {

// The earliest due timer whose window passes the filter, as a WM_TIMER message.
// With reschedule the timer's next period starts now.
bool TakeDueTimer(const std::function<bool(HWND)>& accept, bool reschedule, MSG* out);
std::uint64_t NextTimerDeadline();
void KillTimersOf(HWND hwnd);
void ResetTimers();
// Whether (hwnd, id) is a live timer with this callback.
bool IsTimerCallback(HWND hwnd, UINT_PTR id, TIMERPROC proc);

} // namespace sys
