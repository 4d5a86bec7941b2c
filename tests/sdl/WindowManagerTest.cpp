// The desktop's window manager: found by the check window it publishes, and
// given a minimized window to iconify; without one the layer minimizes itself.
// Also the pointer shapes the desktop is asked for.
#include "platform/display/HeadlessBackend.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"
#include "tests/sdl/FakeWindowManager.h"
#include "tests/sdl/SdlFixture.h"

#include <SDL.h>

namespace corvane::test {
namespace {

using WindowManagerTest = SdlFixture;

TEST_F(WindowManagerTest, AManagerIsFoundByItsLiveCheckWindowAndGetsMinimizedWindows)
{
    std::unique_ptr<FakeWindowManager> wm = FakeWindowManager::Open(Session()->Display());
    ASSERT_TRUE(wm);
    FakeWindowManager& manager = *wm;
    // Xvfb alone has none.
    EXPECT_FALSE(m_backend->HasWindowManager());
    manager.Publish();
    EXPECT_TRUE(m_backend->HasWindowManager()) << "asked before any window exists";
    display::WindowId id = SolidWindow(RECT{100, 100, 200, 200}, 0x00FF00);
    EXPECT_TRUE(m_backend->HasWindowManager());

    manager.Manage();
    m_backend->MinimizeWindow(id);
    EXPECT_TRUE(m_backend->IsMinimized(id));
    unsigned long asked = manager.AwaitIconifyRequest(3000);
    EXPECT_NE(asked, 0u) << "the window manager was not asked to iconify the window";
    // Shown again by the layer: no longer an icon.
    m_backend->ShowWindow(id, true);
    EXPECT_FALSE(m_backend->IsMinimized(id));

    // A manager that died leaves a stale property naming a window that is gone:
    // no manager, and no X error ends the program.
    manager.Die();
    EXPECT_FALSE(m_backend->HasWindowManager());
    manager.Withdraw();
    EXPECT_FALSE(m_backend->HasWindowManager());
    Pump(20);
}

TEST_F(WindowManagerTest, PointerShapesAreTheDesktopsOwnMadeOnce)
{
    display::WindowId id = SolidWindow(RECT{100, 100, 200, 200}, 0x0000FF);
    Xdo({"mousemove", "150", "150"});
    SDL_Cursor* before = SDL_GetCursor();
    m_backend->SetCursorShape(display::CursorShape::IBeam);
    SDL_Cursor* ibeam = SDL_GetCursor();
    EXPECT_NE(ibeam, before);
    EXPECT_EQ(m_backend->CurrentCursorShape(), display::CursorShape::IBeam);
    m_backend->SetCursorShape(display::CursorShape::SizeWE);
    SDL_Cursor* sizeWE = SDL_GetCursor();
    EXPECT_NE(sizeWE, ibeam);
    m_backend->SetCursorShape(display::CursorShape::IBeam);
    EXPECT_EQ(SDL_GetCursor(), ibeam) << "a shape asked for again should reuse its cursor";
    for (int s = 0; s <= static_cast<int>(display::CursorShape::No); ++s) {
        m_backend->SetCursorShape(static_cast<display::CursorShape>(s));
        EXPECT_NE(SDL_GetCursor(), nullptr);
    }
    (void)id;
}

// The layer's minimize, on the virtual desktop with and without a manager.
LRESULT RecordSizeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SIZE) SetWindowLongPtr(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wParam) + 1);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class LayerMinimizeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys::SetBackend(&m_screen);
        WNDCLASS wc{};
        wc.lpfnWndProc = &RecordSizeProc;
        wc.lpszClassName = "MinimizeProbe";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        ASSERT_NE(RegisterClass(&wc), 0);
        m_hwnd = CreateWindowEx(0, "MinimizeProbe", "probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 200, 150,
                                nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hwnd, nullptr);
        sys::PumpUntilIdle();
        m_native = m_screen.WindowAt(150, 150);
        ASSERT_NE(m_native, 0u);
    }
    void TearDown() override { sys::SetBackend(nullptr); }

    display::HeadlessBackend m_screen{640, 480};
    HWND m_hwnd = nullptr;
    display::WindowId m_native = 0;
};

TEST_F(LayerMinimizeTest, WithAManagerTheWindowBecomesItsIconAndComesBackInPlace)
{
    m_screen.SetWindowManager(true);
    RECT before{};
    GetWindowRect(m_hwnd, &before);
    SetFocus(m_hwnd);
    SetWindowLongPtr(m_hwnd, GWLP_USERDATA, 0);
    const LONG_PTR sizeBefore = 0;
    ShowWindow(m_hwnd, SW_MINIMIZE);
    sys::PumpUntilIdle();
    EXPECT_TRUE(IsIconic(m_hwnd));
    EXPECT_TRUE(m_screen.IsMinimized(m_native));
    EXPECT_EQ(GetFocus(), nullptr);
    // The size stays: no WM_SIZE on the way to the icon, nor on the way back.
    EXPECT_EQ(GetWindowLongPtr(m_hwnd, GWLP_USERDATA), sizeBefore);
    RECT during{};
    GetWindowRect(m_hwnd, &during);
    EXPECT_EQ(during.left, before.left);
    EXPECT_EQ(during.top, before.top);
    EXPECT_EQ(m_screen.PixelAt(150, 150), display::HeadlessBackend::kDesktopPixel);

    ShowWindow(m_hwnd, SW_RESTORE);
    sys::PumpUntilIdle();
    EXPECT_FALSE(IsIconic(m_hwnd));
    EXPECT_FALSE(m_screen.IsMinimized(m_native));
    RECT after{};
    GetWindowRect(m_hwnd, &after);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(m_screen.WindowAt(150, 150), m_native);
    EXPECT_EQ(GetWindowLongPtr(m_hwnd, GWLP_USERDATA), sizeBefore);
}

TEST_F(LayerMinimizeTest, TheDesktopsRestoreReachesTheLayer)
{
    m_screen.SetWindowManager(true);
    ShowWindow(m_hwnd, SW_MINIMIZE);
    sys::PumpUntilIdle();
    ASSERT_TRUE(IsIconic(m_hwnd));
    // The user brings the window back from the desktop's task list, not through the layer.
    m_screen.RestoreFromWindowManager(m_native);
    sys::PumpUntilIdle();
    EXPECT_FALSE(IsIconic(m_hwnd)) << "the layer still thinks the window is minimized";
    EXPECT_FALSE(m_screen.IsMinimized(m_native));
    EXPECT_EQ(m_screen.WindowAt(150, 150), m_native);
    // A restore the layer asked for itself is not reported back.
    ShowWindow(m_hwnd, SW_MINIMIZE);
    ShowWindow(m_hwnd, SW_RESTORE);
    m_screen.RestoreFromWindowManager(m_native);
    sys::PumpUntilIdle();
    EXPECT_FALSE(IsIconic(m_hwnd));
}

TEST_F(LayerMinimizeTest, WithoutAManagerTheLayerMinimizesItself)
{
    ShowWindow(m_hwnd, SW_MINIMIZE);
    sys::PumpUntilIdle();
    EXPECT_TRUE(IsIconic(m_hwnd));
    EXPECT_EQ(GetWindowLongPtr(m_hwnd, GWLP_USERDATA), static_cast<LONG_PTR>(SIZE_MINIMIZED) + 1);
    EXPECT_FALSE(m_screen.IsMinimized(m_native));
    EXPECT_FALSE(m_screen.IsVisible(m_native));
    ShowWindow(m_hwnd, SW_RESTORE);
    sys::PumpUntilIdle();
    EXPECT_FALSE(IsIconic(m_hwnd));
    EXPECT_TRUE(m_screen.IsVisible(m_native));
    EXPECT_EQ(m_screen.WindowAt(150, 150), m_native);
}

} // namespace
} // namespace corvane::test
