// A held scroll arrow: it repeats and shows pressed only while the pointer is
// over it, and a lost capture ends it for good.
#include "platform/system/controls/scrollbar/ScrollBar.h"

#include "tests/system/support/ListViewFixture.h"

#include <algorithm>

namespace corvane::test {
namespace {

using ScrollBarTest = ListViewTest;

TEST_F(ScrollBarTest, AHeldArrowRepeatsOnlyWhileThePointerIsOnItAndStopsWhenTheCaptureGoes)
{
    HWND list = MakeList(LVS_REPORT, 10, 10, 300, 200);
    AddColumn(list, 0, "ID", 80);
    for (int i = 0; i < 500; ++i)
        InsertRow(list, 0, "row");
    Pump();
    const RECT bar = ScreenBar(list, true);
    const int arrow = std::min<int>(GetSystemMetrics(SM_CYVSCROLL), (bar.bottom - bar.top) / 2);
    const POINT on{(bar.left + bar.right) / 2, bar.bottom - arrow / 2}, off{bar.left - 60, on.y};
    auto sunk = [&] { return Pixel(bar.left, bar.bottom - arrow) == GetSysColor(COLOR_BTNSHADOW); };
    auto tick = [&](UINT ms) {
        screen.Advance(ms);
        Pump();
    };
    auto moveTo = [&](POINT p) {
        screen.MoveMouse(p.x, p.y);
        Pump();
    };

    EXPECT_FALSE(sunk());
    moveTo(on);
    screen.Press();
    Pump();
    EXPECT_EQ(Top(list), 1); // the press steps at once
    EXPECT_TRUE(sunk());
    moveTo(off);
    EXPECT_FALSE(sunk());
    tick(sys::WindowScrollBars::kFirstDelayMs);
    tick(sys::WindowScrollBars::kRepeatMs);
    EXPECT_EQ(Top(list), 1) << "no repeat while the pointer is away";
    EXPECT_EQ(GetCapture(), list);
    moveTo(on);
    EXPECT_TRUE(sunk());
    tick(sys::WindowScrollBars::kRepeatMs);
    EXPECT_EQ(Top(list), 2);

    SetCapture(parent);
    Pump();
    EXPECT_FALSE(sunk());
    tick(sys::WindowScrollBars::kRepeatMs);
    tick(sys::WindowScrollBars::kRepeatMs);
    screen.Release();
    Pump();
    EXPECT_EQ(Top(list), 2) << "a lost capture ends the repeat";
    ReleaseCapture();

    // The bar is free again: a click steps once.
    screen.Click(on.x, on.y);
    Pump();
    EXPECT_EQ(Top(list), 3);
    EXPECT_FALSE(sunk());
}

} // namespace
} // namespace corvane::test
