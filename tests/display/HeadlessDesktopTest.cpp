// What the virtual desktop records for the window system beyond pixels: the
// pointer shape asked for, and a window manager that takes windows to icons.
#include "platform/display/HeadlessBackend.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

using display::CursorShape;
using display::HeadlessBackend;
using display::WindowId;

TEST(HeadlessDesktop, RemembersThePointerShapeLastAskedFor)
{
    HeadlessBackend b(100, 100);
    EXPECT_EQ(b.CurrentCursorShape(), CursorShape::Arrow);
    b.SetCursorShape(CursorShape::IBeam);
    EXPECT_EQ(b.CurrentCursorShape(), CursorShape::IBeam);
    display::Backend& base = b;
    base.SetCursorShape(CursorShape::SizeNWSE);
    EXPECT_EQ(b.CurrentCursorShape(), CursorShape::SizeNWSE);
}

TEST(HeadlessDesktop, AWindowManagerTakesWindowsToIconsUntilTheyAreShownAgain)
{
    HeadlessBackend b(100, 100);
    WindowId id = b.CreateWindow(RECT{10, 10, 50, 50});
    b.Present(id, gfx::Surface(40, 40, 0xFF0000), {RECT{0, 0, 40, 40}});
    b.ShowWindow(id, true);

    // No manager: nothing happens, the caller keeps its own minimized state.
    EXPECT_FALSE(b.HasWindowManager());
    b.MinimizeWindow(id);
    EXPECT_FALSE(b.IsMinimized(id));
    EXPECT_EQ(b.PixelAt(20, 20), 0xFF0000u);

    b.SetWindowManager(true);
    EXPECT_TRUE(b.HasWindowManager());
    b.MinimizeWindow(id);
    EXPECT_TRUE(b.IsMinimized(id));
    // Off the screen, yet still shown as far as the program is concerned.
    EXPECT_EQ(b.PixelAt(20, 20), HeadlessBackend::kDesktopPixel);
    EXPECT_EQ(b.WindowAt(20, 20), 0u);
    EXPECT_EQ(b.Screenshot().At(20, 20), HeadlessBackend::kDesktopPixel);
    EXPECT_TRUE(b.IsVisible(id));
    b.ShowWindow(id, true);
    EXPECT_FALSE(b.IsMinimized(id));
    EXPECT_EQ(b.PixelAt(20, 20), 0xFF0000u);

    // A hidden window is not the manager's to iconify; hiding ends an icon.
    b.MinimizeWindow(id);
    b.ShowWindow(id, false);
    EXPECT_FALSE(b.IsMinimized(id));
    b.MinimizeWindow(id);
    EXPECT_FALSE(b.IsMinimized(id));
    b.MinimizeWindow(999);
    EXPECT_FALSE(b.IsMinimized(999));
}

} // namespace
} // namespace corvane::test
