// The virtual desktop: composition, shapes, injected input, the clock.
#include "platform/display/HeadlessBackend.h"
#include "platform/gfx/Png.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

using display::EventType;
using display::HeadlessBackend;
using display::WaitResult;
using display::WindowId;

gfx::Surface Filled(int w, int h, gfx::Pixel p) { return gfx::Surface(w, h, p); }

void PresentAll(HeadlessBackend& b, WindowId id, const gfx::Surface& s)
{
    b.Present(id, s, {RECT{0, 0, s.Width(), s.Height()}});
}

TEST(HeadlessBackend, ComposesWindowsInStackingOrderThroughTheirShapes)
{
    HeadlessBackend b(200, 100);
    WindowId lower = b.CreateWindow(RECT{10, 10, 60, 60});
    WindowId upper = b.CreateWindow(RECT{40, 40, 90, 90});
    PresentAll(b, lower, Filled(50, 50, 0x0000FF));
    PresentAll(b, upper, Filled(50, 50, 0xFF0000));
    EXPECT_EQ(b.PixelAt(20, 20), HeadlessBackend::kDesktopPixel); // hidden windows show nothing
    b.ShowWindow(lower, true);
    b.ShowWindow(upper, true);
    EXPECT_EQ(b.PixelAt(20, 20), 0x0000FFu);
    EXPECT_EQ(b.PixelAt(45, 45), 0xFF0000u); // created last, on top
    b.Restack({lower, upper});
    EXPECT_EQ(b.PixelAt(45, 45), 0x0000FFu);
    // A shape cuts the window: outside it the window below shows.
    b.SetShape(lower, {RECT{0, 0, 20, 20}}, false);
    EXPECT_EQ(b.PixelAt(45, 45), 0xFF0000u);
    EXPECT_EQ(b.WindowAt(45, 45), upper);
    EXPECT_EQ(b.PixelAt(15, 15), 0x0000FFu);
    b.SetShape(lower, {}, true);
    EXPECT_EQ(b.WindowAt(45, 45), lower);
    gfx::Surface shot = b.Screenshot();
    EXPECT_EQ(shot.At(45, 45), 0x0000FFu);
    EXPECT_EQ(shot.At(85, 85), 0xFF0000u);
    EXPECT_EQ(shot.At(150, 50), HeadlessBackend::kDesktopPixel);
    // Off the screen reads as black, never out of bounds.
    EXPECT_EQ(b.PixelAt(-1, 5), 0u);
    EXPECT_EQ(b.PixelAt(200, 5), 0u);
}

TEST(HeadlessBackend, PresentCopiesOnlyTheChangedRectangles)
{
    HeadlessBackend b(100, 100);
    WindowId w = b.CreateWindow(RECT{0, 0, 10, 10});
    b.ShowWindow(w, true);
    gfx::Surface s = Filled(10, 10, 0x111111);
    PresentAll(b, w, s);
    s = Filled(10, 10, 0x222222);
    b.Present(w, s, {RECT{2, 2, 4, 4}, RECT{-5, -5, 1, 1}, RECT{50, 50, 60, 60}});
    EXPECT_EQ(b.PixelAt(2, 2), 0x222222u);
    EXPECT_EQ(b.PixelAt(0, 0), 0x222222u); // clipped to the surface
    EXPECT_EQ(b.PixelAt(5, 5), 0x111111u);
    // Moving keeps what was shown; growing adds unpainted pixels.
    b.MoveWindow(w, RECT{20, 20, 40, 40});
    EXPECT_EQ(b.PixelAt(22, 22), 0x222222u);
    EXPECT_EQ(b.PixelAt(35, 35), 0u);
    EXPECT_EQ(b.WindowImage(w)->Width(), 20);
    b.DestroyWindow(w);
    EXPECT_EQ(b.WindowImage(w), nullptr);
    EXPECT_EQ(b.PixelAt(22, 22), HeadlessBackend::kDesktopPixel);
    // Calls on unknown windows are ignored.
    b.Present(w, s, {RECT{0, 0, 1, 1}});
    b.MoveWindow(99, RECT{0, 0, 1, 1});
    EXPECT_EQ(b.WindowCount(), 0u);
}

TEST(HeadlessBackend, InjectedMouseEventsCarryScreenPointsButtonsAndLeave)
{
    HeadlessBackend b(100, 100);
    WindowId w = b.CreateWindow(RECT{10, 10, 50, 50});
    b.ShowWindow(w, true);
    b.Click(20, 30);
    b.DoubleClick(20, 30, display::MouseButton::Right);
    b.MoveMouse(80, 80);
    std::vector<display::Event> events;
    display::Event e;
    while (b.PollEvent(&e)) events.push_back(e);
    ASSERT_EQ(events.size(), 9u); // move, down, up; move, down, up, down, up; leave
    EXPECT_EQ(events[0].type, EventType::MouseMove);
    EXPECT_EQ(events[0].window, w);
    EXPECT_EQ(events[1].type, EventType::MouseDown);
    EXPECT_EQ(events[1].buttons, display::kButtonLeft);
    EXPECT_EQ(events[1].screen.x, 20);
    EXPECT_EQ(events[1].screen.y, 30);
    EXPECT_EQ(events[2].type, EventType::MouseUp);
    EXPECT_EQ(events[2].buttons, 0u);
    EXPECT_EQ(events[4].clicks, 1);
    EXPECT_EQ(events[6].type, EventType::MouseDown);
    EXPECT_EQ(events[6].clicks, 2);
    EXPECT_EQ(events[6].button, display::MouseButton::Right);
    EXPECT_EQ(events[8].type, EventType::MouseLeave);
    EXPECT_EQ(events[8].window, w);
    // Held buttons keep the moves coming outside the window, as a grab does.
    b.Press();
    b.MoveMouse(90, 90);
    b.PollEvent(&e);
    ASSERT_TRUE(b.PollEvent(&e));
    EXPECT_EQ(e.type, EventType::MouseMove);
    EXPECT_EQ(e.screen.x, 90);
}

TEST(HeadlessBackend, KeysTextFocusAndCloseRequests)
{
    HeadlessBackend b;
    WindowId w = b.CreateWindow(RECT{0, 0, 10, 10});
    b.SetFocus(w);
    b.KeyDown(0x10); // shift
    b.KeyDown('A');
    b.KeyUp(0x10);
    b.TypeText("\xC4\xE3"); // one double-byte character
    b.RequestClose(w);
    b.RequestClose(42);
    display::Event e;
    ASSERT_TRUE(b.PollEvent(&e));
    ASSERT_TRUE(b.PollEvent(&e));
    EXPECT_EQ(e.virtualKey, unsigned('A'));
    EXPECT_EQ(e.modifiers, unsigned(display::kModShift));
    EXPECT_EQ(e.window, w);
    ASSERT_TRUE(b.PollEvent(&e));
    EXPECT_EQ(e.modifiers, 0u);
    ASSERT_TRUE(b.PollEvent(&e));
    EXPECT_EQ(e.type, EventType::Text);
    EXPECT_EQ(e.text, "\xC4\xE3");
    ASSERT_TRUE(b.PollEvent(&e));
    EXPECT_EQ(e.type, EventType::CloseRequest);
    EXPECT_FALSE(b.PollEvent(&e));
}

TEST(HeadlessBackend, WaitingNeverSleepsTheClockJumpsOrTheScriptRuns)
{
    HeadlessBackend b;
    std::uint64_t start = b.NowMs();
    EXPECT_EQ(b.WaitEvent(start + 250), WaitResult::Timeout);
    EXPECT_EQ(b.NowMs(), start + 250);
    EXPECT_EQ(b.WaitEvent(display::kNoDeadline), WaitResult::Starved);
    int calls = 0;
    b.SetIdleHandler([&] {
        if (++calls > 2) return false;
        b.KeyDown('X');
        return true;
    });
    EXPECT_EQ(b.WaitEvent(display::kNoDeadline), WaitResult::Ready);
    display::Event e;
    EXPECT_TRUE(b.PollEvent(&e));
    EXPECT_EQ(b.WaitEvent(display::kNoDeadline), WaitResult::Ready);
    EXPECT_TRUE(b.PollEvent(&e));
    EXPECT_EQ(b.WaitEvent(display::kNoDeadline), WaitResult::Starved);
    b.Advance(5);
    EXPECT_EQ(b.NowMs(), start + 255);
}

TEST(HeadlessBackend, ScreenshotsAreWrittenAsPng)
{
    HeadlessBackend b(40, 30);
    WindowId w = b.CreateWindow(RECT{5, 5, 15, 15});
    b.ShowWindow(w, true);
    PresentAll(b, w, Filled(10, 10, 0x00FF00));
    std::string path = ScratchDir() + "/screen.png";
    std::string error;
    ASSERT_TRUE(b.SaveScreenPng(path, &error)) << error;
    gfx::Image image;
    ASSERT_TRUE(gfx::ReadPngFile(path, &image, &error)) << error;
    EXPECT_EQ(image.pixels.Width(), 40);
    EXPECT_EQ(image.pixels.At(6, 6) & 0xFFFFFF, 0x00FF00u);
    EXPECT_EQ(image.pixels.At(0, 0) & 0xFFFFFF, HeadlessBackend::kDesktopPixel);
    EXPECT_TRUE(b.SaveWindowPng(w, ScratchDir() + "/window.png", &error)) << error;
    EXPECT_FALSE(b.SaveWindowPng(77, ScratchDir() + "/none.png", &error));
}

} // namespace
} // namespace corvane::test
