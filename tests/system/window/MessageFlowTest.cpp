// Sending, posting, the loop calls and timers on the virtual clock.
#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

using MessageFlow = DesktopTest;

TEST_F(MessageFlow, SendIsImmediateAndNestsPostWaitsForTheLoop)
{
    HWND a = Make("a", WS_OVERLAPPED, 0, 0, 100, 100);
    HWND b = Make("b", WS_OVERLAPPED, 0, 0, 100, 100);
    handlers.push_back([b](HWND h, UINT m, WPARAM w, LPARAM, LRESULT* r) {
        if (m == WM_USER && w == 1) {
            // Sent from inside a sent message: runs before the outer returns.
            *r = 10 + SendMessage(b, WM_USER + 1, 0, 0);
            PostMessage(h, WM_USER + 2, 0, 0);
            return true;
        }
        if (m == WM_USER + 1) {
            *r = 5;
            return true;
        }
        return false;
    });
    Clear();
    EXPECT_EQ(SendMessage(a, WM_USER, 1, 0), 15);
    EXPECT_EQ(Trace({WM_USER, WM_USER + 1, WM_USER + 2}), (std::vector<std::string>{"a:USER", "b:USER+1"}));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_NOREMOVE));
    EXPECT_EQ(msg.hwnd, a);
    ASSERT_TRUE(GetMessage(&msg, nullptr, WM_USER + 2, WM_USER + 2));
    DispatchMessage(&msg);
    EXPECT_EQ(Trace({WM_USER + 2}), (std::vector<std::string>{"a:USER+2"}));
    EXPECT_FALSE(PeekMessage(&msg, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
}

TEST_F(MessageFlow, PostedMessagesKeepTheirOrderAndQuitEndsGetMessage)
{
    HWND a = Make("a", WS_OVERLAPPED, 0, 0, 100, 100);
    for (WPARAM i = 0; i < 5; ++i) PostMessage(a, WM_USER, i, 0);
    PostMessage(nullptr, WM_USER + 1, 9, 0); // a thread message
    PostQuitMessage(3);
    MSG msg;
    std::vector<WPARAM> order;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        if (msg.message == WM_USER) order.push_back(msg.wParam);
        if (msg.message == WM_USER + 1) {
            EXPECT_EQ(msg.hwnd, nullptr);
        }
        DispatchMessage(&msg);
    }
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(order, (std::vector<WPARAM>{0, 1, 2, 3, 4}));
}

TEST_F(MessageFlow, GetMessageOnAStarvedHeadlessDesktopEndsTheLoop)
{
    // No input will ever come and no timer runs: the loop ends instead of hanging.
    MSG msg;
    EXPECT_FALSE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_QUIT);
}

TEST_F(MessageFlow, TimersFireOnTheVirtualClock)
{
    HWND a = Make("a", WS_OVERLAPPED, 0, 0, 100, 100);
    EXPECT_EQ(SetTimer(a, 1, 10, nullptr), 1u);
    Pump();
    EXPECT_EQ(Count(a, WM_TIMER), 0);
    screen.Advance(9);
    Pump();
    EXPECT_EQ(Count(a, WM_TIMER), 0);
    screen.Advance(1);
    Pump();
    EXPECT_EQ(Count(a, WM_TIMER), 1);
    // Several missed periods give one message.
    screen.Advance(35);
    Pump();
    EXPECT_EQ(Count(a, WM_TIMER), 2);
    // Restarting an id moves its due time; killing stops it.
    screen.Advance(5);
    SetTimer(a, 1, 10, nullptr);
    screen.Advance(9);
    Pump();
    EXPECT_EQ(Count(a, WM_TIMER), 2);
    screen.Advance(1);
    Pump();
    EXPECT_EQ(Count(a, WM_TIMER), 3);
    EXPECT_TRUE(KillTimer(a, 1));
    EXPECT_FALSE(KillTimer(a, 1));
    screen.Advance(100);
    Pump();
    EXPECT_EQ(Count(a, WM_TIMER), 3);
}

TEST_F(MessageFlow, TimerCallbacksAndTheWaitingLoop)
{
    static int calls = 0;
    calls = 0;
    auto cb = [](HWND, UINT, UINT_PTR, DWORD) { ++calls; };
    UINT_PTR id = SetTimer(nullptr, 0, 50, cb);
    EXPECT_NE(id, 0u);
    // GetMessage waits for the timer: the headless clock jumps to its due time.
    std::uint64_t before = screen.NowMs();
    MSG msg;
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    EXPECT_EQ(msg.message, WM_TIMER);
    EXPECT_EQ(screen.NowMs(), before + 50);
    DispatchMessage(&msg);
    EXPECT_EQ(calls, 1);
    // A forged WM_TIMER with a callback address that is no timer's is ignored.
    MSG forged{nullptr, WM_TIMER, 999, reinterpret_cast<LPARAM>(+cb), 0, {0, 0}};
    DispatchMessage(&forged);
    EXPECT_EQ(calls, 1);
    KillTimer(nullptr, id);
}

TEST_F(MessageFlow, TranslateMessageMakesControlCharacters)
{
    HWND a = Make("a", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100);
    ASSERT_EQ(GetFocus(), a);
    screen.KeyDown(VK_RETURN);
    screen.KeyUp(VK_RETURN);
    screen.TypeText("x");
    Clear();
    Pump();
    EXPECT_EQ(TraceOf(a, {WM_KEYDOWN, WM_KEYUP, WM_CHAR}),
              (std::vector<std::string>{"KEYDOWN", "CHAR", "KEYUP", "CHAR"}));
    std::vector<WPARAM> chars;
    for (const Received& r : log)
        if (r.message == WM_CHAR) chars.push_back(r.wParam);
    EXPECT_EQ(chars, (std::vector<WPARAM>{'\r', 'x'}));
}

TEST_F(MessageFlow, EndlessSelfSendingStopsInsteadOfOverflowing)
{
    HWND a = Make("a", WS_OVERLAPPED, 0, 0, 100, 100);
    handlers.push_back([](HWND h, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != WM_USER) return false;
        *r = SendMessage(h, WM_USER, 0, 0) + 1;
        return true;
    });
    LRESULT depth = SendMessage(a, WM_USER, 0, 0);
    EXPECT_GT(depth, 100);
    EXPECT_LT(depth, 100000);
}

} // namespace
} // namespace corvane::test
