#include "platform/system/window/Timers.h"

#include "platform/display/Backend.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <vector>

namespace sys {

namespace {

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT interval;
    std::uint64_t due;
    TIMERPROC proc;
};

std::vector<Timer>& Timers()
{
    static std::vector<Timer> timers;
    return timers;
}

UINT_PTR& NextThreadTimerId()
{
    static UINT_PTR next = 0x7F00;
    return next;
}

} // namespace

bool TakeDueTimer(const std::function<bool(HWND)>& accept, bool reschedule, MSG* out)
{
    std::uint64_t now = NowMs();
    Timer* best = nullptr;
    for (Timer& t : Timers())
        if (t.due <= now && accept(t.hwnd) && (!best || t.due < best->due)) best = &t;
    if (!best) return false;
    *out = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc),
               static_cast<DWORD>(now), State().cursor};
    if (reschedule) best->due = now + best->interval;
    return true;
}

std::uint64_t NextTimerDeadline()
{
    std::uint64_t next = display::kNoDeadline;
    for (const Timer& t : Timers()) next = std::min(next, t.due);
    return next;
}

void KillTimersOf(HWND hwnd)
{
    std::erase_if(Timers(), [hwnd](const Timer& t) { return t.hwnd == hwnd; });
}

void ResetTimers() { Timers().clear(); }

bool IsTimerCallback(HWND hwnd, UINT_PTR id, TIMERPROC proc)
{
    return std::any_of(Timers().begin(), Timers().end(),
                       [&](const Timer& t) { return t.hwnd == hwnd && t.id == id && t.proc == proc; });
}

} // namespace sys

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc)
{
    if (hwnd && !sys::LookupLive(hwnd)) return 0;
    UINT interval = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
    auto& timers = sys::Timers();
    if (!hwnd) {
        // Thread timers: an unknown id gets a fresh one.
        bool known = id && std::any_of(timers.begin(), timers.end(),
                                       [id](const sys::Timer& t) { return !t.hwnd && t.id == id; });
        if (!known) id = sys::NextThreadTimerId()++;
    }
    std::uint64_t due = sys::NowMs() + interval;
    for (sys::Timer& t : timers) {
        if (t.hwnd == hwnd && t.id == id) {
            t.interval = interval;
            t.due = due;
            t.proc = proc;
            return hwnd ? (id ? id : 1) : id;
        }
    }
    timers.push_back(sys::Timer{hwnd, id, interval, due, proc});
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto& timers = sys::Timers();
    auto it = std::find_if(timers.begin(), timers.end(),
                           [&](const sys::Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end()) return FALSE;
    timers.erase(it);
    return TRUE;
}

DWORD GetTickCount() { return static_cast<DWORD>(sys::NowMs()); }
