// Mouse and keyboard routing, capture, focus, activation and mouse tracking.
#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

class Input : public DesktopTest {
protected:
    HWND top = nullptr;
    HWND left = nullptr;  // child at client (10, 10), 50 x 50
    HWND right = nullptr; // child at client (40, 10), 50 x 50, below `left`
    POINT client{0, 0};   // screen position of top's client origin

    void SetUp() override
    {
        DesktopTest::SetUp();
        top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
        left = Make("left", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top, 1);
        right = Make("right", WS_CHILD | WS_VISIBLE, 40, 10, 50, 50, top, 2);
        ClientToScreen(top, &client);
        Pump();
        Clear();
    }

    std::vector<LPARAM> Points(HWND h, UINT m) const
    {
        std::vector<LPARAM> out;
        for (const Received& r : log)
            if (r.hwnd == h && r.message == m) out.push_back(r.lParam);
        return out;
    }
};

TEST_F(Input, ClicksGoToTheTopmostWindowUnderThePointer)
{
    screen.Click(client.x + 20, client.y + 20);   // only `left`
    screen.Click(client.x + 50, client.y + 20);   // overlap: `left` is above
    screen.Click(client.x + 80, client.y + 20);   // only `right`
    screen.Click(client.x + 200, client.y + 100); // the parent's client area
    Pump();
    EXPECT_EQ(Trace({WM_LBUTTONDOWN}),
              (std::vector<std::string>{"left:LBUTTONDOWN", "left:LBUTTONDOWN", "right:LBUTTONDOWN",
                                        "top:LBUTTONDOWN"}));
    EXPECT_EQ(Points(left, WM_LBUTTONDOWN), (std::vector<LPARAM>{MAKELPARAM(10, 10), MAKELPARAM(40, 10)}));
    EXPECT_EQ(Points(right, WM_LBUTTONDOWN), (std::vector<LPARAM>{MAKELPARAM(40, 10)}));
    // Hit testing came first, with the screen point.
    ASSERT_GE(Count(left, WM_NCHITTEST), 1);
}

TEST_F(Input, CaptionAndFrameGiveNonClientMessagesWithHitCodes)
{
    screen.MoveMouse(100 + 50, 100 + 10); // caption
    screen.MoveMouse(100 + 1, 100 + 100); // left sizing border
    Pump();
    std::vector<WPARAM> codes;
    for (const Received& r : log)
        if (r.message == WM_NCMOUSEMOVE) codes.push_back(r.wParam);
    EXPECT_EQ(codes, (std::vector<WPARAM>{HTCAPTION, HTLEFT}));
    EXPECT_EQ(Points(top, WM_NCMOUSEMOVE).front(), MAKELPARAM(150, 110)); // screen coordinates
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(SendMessage(top, WM_NCHITTEST, 0, MAKELPARAM(r.right - 4 - 2 - 8, r.top + 4 + 8)), HTCLOSE);
    EXPECT_EQ(SendMessage(top, WM_NCHITTEST, 0, MAKELPARAM(10, 10)), HTNOWHERE);
}

TEST_F(Input, WindowRegionsDecideWhoIsHit)
{
    // A round region on `left`: its top-left corner belongs to the parent now.
    SetWindowRgn(left, CreateEllipticRgn(0, 0, 50, 50), TRUE);
    screen.Click(client.x + 11, client.y + 11);
    screen.Click(client.x + 35, client.y + 35);
    Pump();
    EXPECT_EQ(Trace({WM_LBUTTONDOWN}), (std::vector<std::string>{"top:LBUTTONDOWN", "left:LBUTTONDOWN"}));
    // The same for a top-level window and the virtual screen.
    SetWindowRgn(top, CreateRoundRectRgn(0, 0, 300, 200, 30, 30), TRUE);
    Pump();
    EXPECT_EQ(screen.WindowAt(101, 101), 0u);
    EXPECT_EQ(screen.PixelAt(101, 101), display::HeadlessBackend::kDesktopPixel);
    EXPECT_NE(screen.WindowAt(150, 150), 0u);
}

TEST_F(Input, CaptureTakesEveryMouseMessageUntilReleased)
{
    EXPECT_EQ(SetCapture(left), nullptr);
    EXPECT_EQ(GetCapture(), left);
    EXPECT_TRUE(screen.MouseCaptured());
    screen.MoveMouse(client.x + 200, client.y + 150);
    screen.Click(5, 5); // far outside every window
    Pump();
    EXPECT_EQ(Points(left, WM_MOUSEMOVE).front(), MAKELPARAM(190, 140));
    EXPECT_EQ(Count(left, WM_LBUTTONDOWN), 1);
    EXPECT_EQ(Count(top, WM_MOUSEMOVE), 0);
    EXPECT_EQ(SetCapture(right), left);
    EXPECT_EQ(Trace({WM_CAPTURECHANGED}), (std::vector<std::string>{"left:CAPTURECHANGED"}));
    EXPECT_EQ(log.back().lParam, reinterpret_cast<LPARAM>(right));
    ReleaseCapture();
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Trace({WM_CAPTURECHANGED}).back(), "right:CAPTURECHANGED");
    DestroyWindow(right);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, FocusMovesWithKillThenSetAndKeysFollowIt)
{
    SetFocus(left);
    Clear();
    EXPECT_EQ(SetFocus(right), left);
    EXPECT_EQ(Trace({WM_SETFOCUS, WM_KILLFOCUS}), (std::vector<std::string>{"left:KILLFOCUS", "right:SETFOCUS"}));
    EXPECT_EQ(log[0].wParam, reinterpret_cast<WPARAM>(right));
    EXPECT_EQ(log[1].wParam, reinterpret_cast<WPARAM>(left));
    screen.KeyDown('A');
    Pump();
    EXPECT_EQ(Count(right, WM_KEYDOWN), 1);
    // A focused window that dies leaves no dangling focus.
    DestroyWindow(right);
    EXPECT_EQ(GetFocus(), nullptr);
    screen.KeyDown('B');
    Pump();
}

TEST_F(Input, ActivationMovesBetweenTopLevelWindows)
{
    HWND other = Make("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 200, 200);
    EXPECT_EQ(GetActiveWindow(), other);
    Pump();
    Clear();
    screen.Click(150, 200); // into `top`'s client area
    Pump();
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(Trace({WM_NCACTIVATE, WM_ACTIVATE, WM_LBUTTONDOWN}),
              (std::vector<std::string>{"other:NCACTIVATE", "other:ACTIVATE", "top:NCACTIVATE", "top:ACTIVATE",
                                        "top:LBUTTONDOWN"}));
    EXPECT_EQ(screen.Stacking().front(), 1u);
}

TEST_F(Input, DisabledWindowsTakeNoInput)
{
    EXPECT_FALSE(EnableWindow(left, FALSE));
    EXPECT_EQ(TraceOf(left, {WM_ENABLE}), (std::vector<std::string>{"ENABLE"}));
    screen.Click(client.x + 20, client.y + 20);
    Pump();
    EXPECT_EQ(Count(left, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 1); // the parent gets it
    Clear();
    EnableWindow(top, FALSE);
    screen.Click(client.x + 200, client.y + 100);
    screen.KeyDown('A');
    Pump();
    EXPECT_EQ(Count(top, WM_LBUTTONDOWN), 0);
    EXPECT_EQ(Count(top, WM_KEYDOWN), 0);
    EXPECT_TRUE(EnableWindow(top, TRUE));
}

TEST_F(Input, InsideADisabledWindowNoChildTakesInput)
{
    // As under a modal dialog: the owner is disabled, its children are not.
    SetFocus(left);
    EnableWindow(top, FALSE);
    EXPECT_EQ(GetFocus(), left) << "a control keeps the focus until activation moves on";
    Clear();
    screen.Click(client.x + 20, client.y + 20); // on `left`
    screen.Click(client.x + 80, client.y + 20); // on `right`
    screen.KeyDown('A');
    screen.TypeText("b");
    screen.Wheel(120);
    Pump();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_KEYDOWN, WM_CHAR, WM_MOUSEWHEEL})
        EXPECT_EQ(Trace({m}), std::vector<std::string>{}) << MessageName(m);
    // The pointer is refused where the disabled window is, with the error hit code.
    std::vector<std::string> cursors = Trace({WM_SETCURSOR});
    ASSERT_FALSE(cursors.empty());
    EXPECT_EQ(cursors.front(), "top:" + MessageName(WM_SETCURSOR));
    EnableWindow(top, TRUE);
    screen.Click(client.x + 20, client.y + 20);
    Pump();
    EXPECT_EQ(Count(left, WM_LBUTTONDOWN), 1);
}

TEST_F(Input, TheDesktopsPlaceOfAWindowIsWhereTheNextInputFindsIt)
{
    // The user drags the window with the window manager: only the desktop moved it.
    RECT before{};
    GetWindowRect(top, &before);
    screen.MoveByWindowManager(1, 400, 300);
    Pump();
    RECT after{};
    GetWindowRect(top, &after);
    EXPECT_EQ(after.left, 400);
    EXPECT_EQ(after.top, 300);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(Count(top, WM_MOVE), 1);
    EXPECT_EQ(screen.WindowRect(1).left, 400);
    POINT moved{0, 0};
    ClientToScreen(top, &moved);
    Clear();
    screen.Click(moved.x + 20, moved.y + 20);   // where `left` is now
    screen.Click(client.x + 20, client.y + 20); // where it was: bare desktop now
    Pump();
    EXPECT_EQ(Trace({WM_LBUTTONDOWN}), (std::vector<std::string>{"left:LBUTTONDOWN"}));
    // A report of the place it already has changes nothing.
    Clear();
    screen.MoveByWindowManager(1, 400, 300);
    Pump();
    EXPECT_EQ(Count(top, WM_MOVE), 0);
}

TEST_F(Input, ReleasingTheCaptureTellsAWindowThePointerLeftMeanwhile)
{
    // A pressed control captures the mouse; the pointer leaves while captured.
    handlers.push_back([](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (DesktopTest::current->names[h] != "left") return false;
        if (m == WM_MOUSEMOVE) {
            TRACKMOUSEEVENT tme{16, TME_LEAVE, h, 0};
            EXPECT_TRUE(_TrackMouseEvent(&tme));
        }
        if (m == WM_LBUTTONDOWN) SetCapture(h);
        if (m == WM_LBUTTONUP) ReleaseCapture();
        return false;
    });
    screen.MoveMouse(client.x + 20, client.y + 20);
    screen.Press();
    screen.MoveMouse(client.x + 200, client.y + 100);
    Pump();
    EXPECT_EQ(Count(left, WM_MOUSELEAVE), 0) << "no leave while the capture holds";
    screen.Release();
    Pump();
    EXPECT_EQ(Count(left, WM_MOUSELEAVE), 1) << "the leave comes with the release, not with the next move";
    EXPECT_GE(Count(top, WM_MOUSEMOVE), 1);
}

TEST_F(Input, HoverFiresOncePerArmingAndLeaveFollowsThePointer)
{
    handlers.push_back([](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_MOUSEMOVE && DesktopTest::current->names[h] == "left") {
            TRACKMOUSEEVENT tme{16, TME_HOVER | TME_LEAVE, h, 1};
            EXPECT_TRUE(_TrackMouseEvent(&tme));
        }
        return false;
    });
    screen.MoveMouse(client.x + 20, client.y + 20);
    Pump();
    EXPECT_EQ(Count(left, WM_MOUSEHOVER), 0);
    screen.Advance(1);
    Pump();
    EXPECT_EQ(Count(left, WM_MOUSEHOVER), 1);
    screen.Advance(100);
    screen.MoveMouse(client.x + 21, client.y + 20); // re-arms hover from the handler
    Pump();
    screen.Advance(1);
    Pump();
    EXPECT_EQ(Count(left, WM_MOUSEHOVER), 2);
    screen.Advance(1000);
    Pump();
    EXPECT_EQ(Count(left, WM_MOUSEHOVER), 2);
    // Straight onto the sibling: leave first, then the sibling's move.
    Clear();
    screen.MoveMouse(client.x + 80, client.y + 20);
    Pump();
    EXPECT_EQ(Trace({WM_MOUSELEAVE, WM_MOUSEMOVE}),
              (std::vector<std::string>{"left:MOUSELEAVE", "right:MOUSEMOVE"}));
    // Off every window: no further leave for a window no longer tracked.
    screen.MoveMouse(1000, 700);
    Pump();
    EXPECT_EQ(Count(left, WM_MOUSELEAVE), 1);
}

TEST_F(Input, LeaveIsImmediateWhenThePointerIsElsewhereAndLeavingTheDesktopCounts)
{
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT), TME_LEAVE, right, 0};
    EXPECT_TRUE(TrackMouseEvent(&tme));
    Pump();
    EXPECT_EQ(Count(right, WM_MOUSELEAVE), 1);
    TRACKMOUSEEVENT tooSmall{8, TME_LEAVE, right, 0};
    EXPECT_FALSE(TrackMouseEvent(&tooSmall));

    screen.MoveMouse(client.x + 80, client.y + 20);
    Pump();
    EXPECT_TRUE(TrackMouseEvent(&tme));
    screen.MoveMouse(5, 5); // onto the bare desktop
    Pump();
    EXPECT_EQ(Count(right, WM_MOUSELEAVE), 2);

    // Non-client tracking reports its own leave.
    screen.MoveMouse(150, 110);
    Pump();
    TRACKMOUSEEVENT nc{sizeof(TRACKMOUSEEVENT), TME_LEAVE | TME_HOVER | TME_NONCLIENT, top, 10};
    EXPECT_TRUE(TrackMouseEvent(&nc));
    screen.Advance(10);
    Pump();
    EXPECT_EQ(Count(top, WM_NCMOUSEHOVER), 1);
    screen.MoveMouse(client.x + 200, client.y + 100);
    Pump();
    EXPECT_EQ(Count(top, WM_NCMOUSELEAVE), 1);
    EXPECT_EQ(Count(top, WM_MOUSELEAVE), 0);
}

TEST_F(Input, DoubleClicksNeedTheClassStyleAndWheelGoesToTheFocus)
{
    screen.DoubleClick(client.x + 20, client.y + 20);
    Pump();
    EXPECT_EQ(TraceOf(left, {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK}),
              (std::vector<std::string>{"LBUTTONDOWN", "LBUTTONUP", "LBUTTONDBLCLK", "LBUTTONUP"}));
    SetFocus(right);
    Clear();
    screen.Wheel(-120);
    Pump();
    ASSERT_EQ(Count(right, WM_MOUSEWHEEL), 1);
    for (const Received& r : log)
        if (r.hwnd == right && r.message == WM_MOUSEWHEEL) {
            EXPECT_EQ(static_cast<short>(HIWORD(r.wParam)), -120);
        }
    EXPECT_EQ(Count(top, WM_MOUSEWHEEL), 1); // unhandled, it climbs to the parent
}

} // namespace
} // namespace corvane::test
