// Without a window manager a minimized window leaves a small caption bar at the
// bottom-left of the screen, and a click on it brings the window back.
#include "platform/system/window/SysMetrics.h"
#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

using MinimizedBar = DesktopTest;

TEST_F(MinimizedBar, AClickOnTheBarRestoresItsWindowAndOnlyThat)
{
    HWND one = Make("one", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND two = Make("two", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 100, 300, 200);
    Pump();
    const RECT work = screen.WorkArea();
    const int cx = GetSystemMetrics(SM_CXMINIMIZED), cy = GetSystemMetrics(SM_CYMINIMIZED);
    const COLORREF caption = GetSysColor(COLOR_INACTIVECAPTION);
    const gfx::Pixel captionPixel = (GetRValue(caption) << 16) | (GetGValue(caption) << 8) | GetBValue(caption);
    // A point of each slot's caption colour, right of any title text.
    auto slotPoint = [&](int slot) { return POINT{work.left + slot * cx + cx - 6, work.bottom - cy / 2}; };

    SendMessage(one, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    SendMessage(two, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    ASSERT_TRUE(IsIconic(one) && IsIconic(two));
    for (int slot : {0, 1}) {
        POINT p = slotPoint(slot);
        EXPECT_EQ(screen.PixelAt(p.x, p.y) & 0xFFFFFF, captionPixel) << "slot " << slot;
    }
    EXPECT_EQ(screen.PixelAt(slotPoint(2).x, slotPoint(2).y), display::HeadlessBackend::kDesktopPixel);

    // Pressed on the bar but let go elsewhere: no click.
    screen.MoveMouse(slotPoint(0).x, slotPoint(0).y);
    screen.Press();
    screen.MoveMouse(600, 400);
    screen.Release();
    Pump();
    EXPECT_TRUE(IsIconic(one));

    screen.Click(slotPoint(0).x, slotPoint(0).y);
    Pump();
    EXPECT_FALSE(IsIconic(one));
    EXPECT_TRUE(IsIconic(two));
    RECT r{};
    GetWindowRect(one, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(screen.PixelAt(slotPoint(0).x, slotPoint(0).y), display::HeadlessBackend::kDesktopPixel)
        << "the bar stays after its window came back";
    EXPECT_EQ(screen.PixelAt(slotPoint(1).x, slotPoint(1).y) & 0xFFFFFF, captionPixel);

    // Minimized again it takes the free first slot; a window that goes takes its bar along.
    SendMessage(one, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    DestroyWindow(two);
    Pump();
    EXPECT_EQ(screen.PixelAt(slotPoint(0).x, slotPoint(0).y) & 0xFFFFFF, captionPixel);
    EXPECT_EQ(screen.PixelAt(slotPoint(1).x, slotPoint(1).y), display::HeadlessBackend::kDesktopPixel);
    ShowWindow(one, SW_HIDE);
    Pump();
    EXPECT_EQ(screen.PixelAt(slotPoint(0).x, slotPoint(0).y), display::HeadlessBackend::kDesktopPixel);
}

TEST_F(MinimizedBar, AWindowManagerShowsMinimizedWindowsItself)
{
    screen.SetWindowManager(true);
    HWND one = Make("one", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    Pump();
    const std::size_t before = screen.WindowCount();
    SendMessage(one, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Pump();
    EXPECT_TRUE(IsIconic(one));
    EXPECT_EQ(screen.WindowCount(), before);
}

} // namespace
} // namespace corvane::test
