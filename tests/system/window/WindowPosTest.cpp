// Moving, sizing, stacking, and the system commands.
#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

using WindowPos = DesktopTest;

TEST_F(WindowPos, SetWindowPosSendsChangingCalcSizeChangedMoveSize)
{
    HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Pump();
    Clear();
    EXPECT_TRUE(SetWindowPos(top, nullptr, 50, 60, 400, 250, SWP_NOZORDER | SWP_NOACTIVATE));
    EXPECT_EQ(TraceOf(top, {WM_WINDOWPOSCHANGING, WM_NCCALCSIZE, WM_WINDOWPOSCHANGED, WM_MOVE, WM_SIZE}),
              (std::vector<std::string>{"POSCHANGING", "NCCALCSIZE", "POSCHANGED", "MOVE", "SIZE"}));
    for (const Received& r : log) {
        if (r.message == WM_MOVE) {
            EXPECT_EQ(r.lParam, MAKELPARAM(50 + 4, 60 + 4 + 19));
        }
        if (r.message == WM_SIZE) {
            EXPECT_EQ(r.lParam, MAKELPARAM(400 - 8, 250 - 8 - 19));
        }
    }
    EXPECT_EQ(screen.WindowRect(1).left, 50);
    EXPECT_EQ(screen.WindowRect(1).right, 450);

    // A pure move neither recalculates the client area nor reports a size.
    Clear();
    MoveWindow(top, 10, 10, 400, 250, TRUE);
    EXPECT_EQ(TraceOf(top, {WM_NCCALCSIZE, WM_MOVE, WM_SIZE}), (std::vector<std::string>{"MOVE"}));

    // The procedure may change the position on its way.
    handlers.push_back([](HWND, UINT m, WPARAM, LPARAM l, LRESULT*) {
        if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->x = 77;
        return false;
    });
    SetWindowPos(top, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 77);
}

TEST_F(WindowPos, ChildrenMoveWithTheirParentAndMapPoints)
{
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, 10, 20, 50, 50, top, 1);
    HWND grand = Make("grand", WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, child, 2);
    RECT r;
    GetWindowRect(grand, &r);
    EXPECT_EQ(r.left, 115);
    EXPECT_EQ(r.top, 125);
    MoveWindow(top, 0, 0, 300, 200, TRUE);
    GetWindowRect(grand, &r);
    EXPECT_EQ(r.left, 15);
    POINT p{1, 2};
    MapWindowPoints(grand, top, &p, 1);
    EXPECT_EQ(p.x, 16);
    EXPECT_EQ(p.y, 27);
    POINT s{0, 0};
    ScreenToClient(child, &s);
    EXPECT_EQ(s.x, -10);
}

TEST_F(WindowPos, ZOrderOfSiblingsAndOwnedWindows)
{
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    HWND a = Make("a", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 1);
    HWND b = Make("b", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 2);
    SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), b);
    SetWindowPos(b, a, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_FALSE(SetWindowPos(b, top, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE)); // not a sibling

    HWND popup = Make("popup", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, top);
    SetActiveWindow(top);
    EXPECT_EQ(GetTopWindow(nullptr), popup); // owned windows stay above their owner
}

TEST_F(WindowPos, MaximizeMinimizeRestoreAndClose)
{
    HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Pump();
    Clear();
    SendMessage(top, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    EXPECT_TRUE(IsZoomed(top));
    RECT r;
    GetWindowRect(top, &r);
    RECT work = screen.WorkArea();
    EXPECT_TRUE(EqualRect(&r, &work));
    bool sawMaximized = false;
    for (const Received& m : log) sawMaximized |= m.message == WM_SIZE && m.wParam == SIZE_MAXIMIZED;
    EXPECT_TRUE(sawMaximized);

    SendMessage(top, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsZoomed(top));
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.right, 400);

    SendMessage(top, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(top));
    EXPECT_TRUE(IsWindowVisible(top));
    EXPECT_FALSE(screen.IsVisible(1)); // no taskbar: the native window hides
    ShowWindow(top, SW_RESTORE);
    EXPECT_FALSE(IsIconic(top));
    EXPECT_TRUE(screen.IsVisible(1));
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 100);

    Clear();
    SendMessage(top, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(Trace({WM_CLOSE, WM_DESTROY}), (std::vector<std::string>{"top:CLOSE", "top:DESTROY"}));
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(WindowPos, DraggingByTheClientAreaRunsAMoveLoopUntilRelease)
{
    // The classic trick: a click on the background sends SC_MOVE | HTCAPTION.
    HWND top = Make("top", WS_POPUP | WS_CAPTION | WS_VISIBLE, 100, 100, 300, 200);
    handlers.push_back([](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_LBUTTONDOWN) SendMessage(h, WM_SYSCOMMAND, 0xF012, 0);
        return false;
    });
    Pump();
    screen.MoveMouse(200, 200);
    screen.Press();
    screen.MoveMouse(210, 205);
    screen.MoveMouse(250, 260);
    screen.Release();
    screen.MoveMouse(400, 400); // after the release: no longer dragging
    Clear();
    Pump();
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.top, 160);
    EXPECT_EQ(TraceOf(top, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE, WM_LBUTTONDOWN}),
              (std::vector<std::string>{"LBUTTONDOWN", "ENTERSIZEMOVE", "EXITSIZEMOVE"}));
    EXPECT_EQ(Count(top, WM_MOVE), 2);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(screen.WindowRect(1).left, 150);
}

TEST_F(WindowPos, CaptionDragAndCaptionButtons)
{
    HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Pump();
    screen.MoveMouse(200, 110);
    screen.Press();
    screen.MoveMouse(220, 130);
    screen.Release();
    Pump();
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 120);
    // The close box acts on release over it.
    screen.Click(r.right - 4 - 2 - 8, r.top + 4 + 8);
    Pump();
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(WindowPos, AMoveLoopEndsWhenInputRunsDry)
{
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    screen.MoveMouse(200, 200);
    screen.Press();
    Pump();
    // Button held and no more events will come: the loop must not hang.
    SendMessage(top, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    EXPECT_TRUE(IsWindow(top));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(WindowPos, SystemMenuStoresAppendedItems)
{
    HWND plain = Make("plain", WS_POPUP | WS_CAPTION, 0, 0, 100, 100);
    EXPECT_EQ(GetSystemMenu(plain, FALSE), nullptr);
    HWND top = Make("top", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100);
    HMENU menu = GetSystemMenu(top, FALSE);
    ASSERT_NE(menu, nullptr);
    int before = GetMenuItemCount(menu);
    EXPECT_TRUE(AppendMenu(menu, MF_SEPARATOR, 0, nullptr));
    EXPECT_TRUE(AppendMenu(menu, MF_STRING, 0x0010, "About"));
    EXPECT_EQ(GetMenuItemCount(menu), before + 2);
    EXPECT_EQ(GetMenuItemID(menu, before + 1), 0x0010u);
    char text[16];
    EXPECT_EQ(GetMenuString(menu, 0x0010, text, sizeof text, MF_BYCOMMAND), 5);
    EXPECT_STREQ(text, "About");
    EXPECT_EQ(GetSystemMenu(top, FALSE), menu);
    DestroyWindow(top);
    EXPECT_FALSE(IsMenu(menu));
    EXPECT_FALSE(AppendMenu(menu, MF_STRING, 1, "x"));
}

} // namespace
} // namespace corvane::test
