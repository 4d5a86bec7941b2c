#include "platform/display/Backend.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/paint/Paint.h"
#include "platform/system/window/Desktop.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/Timers.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>

namespace sys {

namespace {

// Deep enough for any honest program, shallow enough to keep the stack.
constexpr int kMaxSendDepth = 1000;

struct Filter {
    HWND hwnd;
    UINT min;
    UINT max;

    bool AcceptsWindow(HWND h) const
    {
        if (hwnd == reinterpret_cast<HWND>(-1)) return h == nullptr;
        return !hwnd || h == hwnd || (h && IsDescendant(hwnd, h));
    }
    bool AcceptsMessage(UINT m) const { return (min == 0 && max == 0) || (m >= min && m <= max); }
    bool Accepts(const MSG& m) const { return AcceptsWindow(m.hwnd) && AcceptsMessage(m.message); }
};

MSG Stamp(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return MSG{hwnd, message, wParam, lParam, static_cast<DWORD>(NowMs()), State().cursor};
}

bool TakePosted(const Filter& f, bool remove, MSG* out)
{
    auto& q = State().posted;
    auto it = std::find_if(q.begin(), q.end(), [&](const MSG& m) { return f.Accepts(m); });
    if (it == q.end()) return false;
    *out = *it;
    if (remove) q.erase(it);
    return true;
}

// One look at everything that can produce a message, in the system's order:
// posted messages, quit, input, paint, timers.
bool NextMessage(const Filter& f, bool remove, MSG* out)
{
    DesktopState& s = State();
    if (TakePosted(f, remove, out)) return true;
    if (s.quit && f.AcceptsMessage(WM_QUIT)) {
        *out = Stamp(nullptr, WM_QUIT, static_cast<WPARAM>(s.quitCode), 0);
        if (remove) s.quit = false;
        return true;
    }
    display::Event e;
    while (Backend().PollEvent(&e)) {
        RouteEvent(e);
        if (TakePosted(f, remove, out)) return true;
    }
    if (RecheckPointer() && TakePosted(f, remove, out)) return true;
    while (FireDueHover())
        if (TakePosted(f, remove, out)) return true;
    if (f.AcceptsMessage(WM_PAINT) &&
        TakePaintMessage([&f](HWND h) { return f.AcceptsWindow(h); }, out))
        return true;
    // What was painted shows before a timer runs: on a slow machine an animation
    // driven by timers would otherwise never be seen until it ends.
    if (f.AcceptsMessage(WM_TIMER) && NextTimerDeadline() <= NowMs()) PresentAll();
    if (f.AcceptsMessage(WM_TIMER) && TakeDueTimer([&f](HWND h) { return f.AcceptsWindow(h); }, remove, out))
        return true;
    return false;
}

std::uint64_t NextDeadline() { return std::min(NextTimerDeadline(), NextHoverDeadline()); }

} // namespace

DesktopState& State()
{
    static DesktopState s;
    return s;
}

LRESULT CallProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Lookup(hwnd);
    if (!w || !w->proc) return 0;
    DesktopState& s = State();
    if (s.sendDepth >= kMaxSendDepth) return 0;
    WNDPROC proc = w->proc;
    ++s.sendDepth;
    LRESULT r = proc(hwnd, message, wParam, lParam);
    --s.sendDepth;
    return r;
}

void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    State().posted.push_back(Stamp(hwnd, message, wParam, lParam));
}

void DropPostedFor(HWND hwnd)
{
    std::erase_if(State().posted, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}

int PumpUntilIdle(int maxMessages)
{
    int count = 0;
    MSG msg;
    while (count < maxMessages && PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the loop that owns it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        ++count;
    }
    PresentAll();
    return count;
}

} // namespace sys

using sys::State;

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return sys::CallProc(hwnd, message, wParam, lParam);
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd && !sys::LookupLive(hwnd)) return FALSE;
    sys::Post(hwnd, message, wParam, lParam);
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    State().quit = true;
    State().quitCode = exitCode;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    if (!msg) return FALSE;
    MSG found;
    if (!sys::NextMessage(sys::Filter{hwnd, filterMin, filterMax}, (removeFlags & PM_REMOVE) != 0, &found)) {
        sys::PresentAll();
        return FALSE;
    }
    *msg = found;
    State().current = found;
    return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!msg) return -1;
    if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !sys::Lookup(hwnd)) return -1;
    sys::Filter filter{hwnd, filterMin, filterMax};
    for (;;) {
        MSG found;
        if (sys::NextMessage(filter, true, &found)) {
            *msg = found;
            State().current = found;
            return found.message != WM_QUIT;
        }
        sys::PresentAll();
        if (sys::Backend().WaitEvent(sys::NextDeadline()) == display::WaitResult::Starved) {
            // Nothing can ever arrive (a headless test ran out of input): end
            // the loops instead of spinning.
            *msg = sys::Stamp(nullptr, WM_QUIT, 0, 0);
            State().current = *msg;
            return FALSE;
        }
    }
}

BOOL WaitMessage()
{
    for (;;) {
        MSG found;
        if (sys::NextMessage(sys::Filter{nullptr, 0, 0}, false, &found)) return TRUE;
        sys::PresentAll();
        if (sys::Backend().WaitEvent(sys::NextDeadline()) == display::WaitResult::Starved) return FALSE;
    }
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg) return FALSE;
    if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP && msg->message != WM_SYSKEYDOWN &&
        msg->message != WM_SYSKEYUP)
        return FALSE;
    if (msg->message == WM_KEYDOWN) {
        // Printable characters arrive as text from the backend; the control
        // characters come from their keys.
        int ch = 0;
        switch (msg->wParam) {
        case VK_RETURN: ch = '\r'; break;
        case VK_ESCAPE: ch = 0x1B; break;
        case VK_BACK: ch = '\b'; break;
        case VK_TAB: ch = '\t'; break;
        default:
            if ((State().modifiers & display::kModControl) && msg->wParam >= 'A' && msg->wParam <= 'Z')
                ch = static_cast<int>(msg->wParam - 'A' + 1);
        }
        if (ch) sys::Post(msg->hwnd, WM_CHAR, static_cast<WPARAM>(ch), msg->lParam);
    }
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg) return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        // Only a timer's own callback is ever called, never a forged address.
        auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
        if (sys::IsTimerCallback(msg->hwnd, msg->wParam, proc))
            proc(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(sys::NowMs()));
        return 0;
    }
    if (!msg->hwnd || !sys::Lookup(msg->hwnd)) return 0;
    LRESULT r = sys::CallProc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT) sys::FinishPaintMessage(msg->hwnd);
    return r;
}

BOOL InSendMessage() { return FALSE; }

DWORD GetMessageTime() { return State().current.time; }

DWORD GetMessagePos()
{
    const POINT& p = State().current.pt;
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(p.x), static_cast<WORD>(p.y)));
}

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessage(GetDlgItem(dialog, id), message, wParam, lParam);
}
