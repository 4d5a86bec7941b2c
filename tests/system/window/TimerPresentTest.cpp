// A timer-driven animation on a slow machine: each frame's paint outlasts the
// timer's period, so a timer is always due when the queue empties. Every frame
// must still reach the screen before the next tick moves on.
#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

using TimerPresent = DesktopTest;

TEST_F(TimerPresent, EachPaintedFrameIsPresentedBeforeTheNextTick)
{
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    HWND page = Make("page", WS_CHILD | WS_VISIBLE, -150, 10, 150, 80, top, 1);
    Pump();
    std::vector<int> presentsAtTick;
    handlers.push_back([&](HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT*) {
        if (hwnd == page && message == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_HIGHLIGHT));
            EndPaint(hwnd, &ps);
            screen.Advance(25); // slower than the 10 ms period
            return true;
        }
        if (hwnd == top && message == WM_TIMER) {
            presentsAtTick.push_back(screen.PresentCount());
            RECT r;
            GetWindowRect(page, &r);
            MapWindowPoints(nullptr, top, reinterpret_cast<POINT*>(&r), 2);
            MoveWindow(page, r.left + 30, r.top, r.right - r.left, r.bottom - r.top, TRUE);
            if (presentsAtTick.size() == 5) KillTimer(top, 7);
        }
        return false;
    });
    ASSERT_NE(SetTimer(top, 7, 10, nullptr), 0u);
    screen.Advance(10);
    Pump();
    ASSERT_EQ(presentsAtTick.size(), 5u);
    for (std::size_t i = 1; i < presentsAtTick.size(); ++i)
        EXPECT_GT(presentsAtTick[i], presentsAtTick[i - 1]) << "frame " << i << " never reached the screen";
}

} // namespace
} // namespace corvane::test
