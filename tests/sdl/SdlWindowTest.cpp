// Native windows on a real X server: placement, painting by rectangles,
// shapes, stacking and titles, checked on screenshots.
#include "platform/base/CodePage.h"
#include "tests/sdl/SdlFixture.h"

namespace corvane::test {
namespace {

constexpr gfx::Pixel kRed = 0xFF0000;
constexpr gfx::Pixel kBlue = 0x0000FF;
constexpr gfx::Pixel kGreen = 0x00C000;
constexpr gfx::Pixel kYellow = 0xFFFF00;

using WindowTest = SdlFixture;

TEST_F(WindowTest, WindowShowsItsSurfaceAtItsScreenPositionAndPresentsOnlyChangedRectangles)
{
    gfx::Surface picture(200, 120, kRed);
    for (int y = 0; y < 120; ++y)
        for (int x = 100; x < 200; ++x)
            picture.Set(x, y, kBlue);
    display::WindowId id = m_backend->CreateWindow(RECT{100, 80, 300, 200});
    ASSERT_NE(id, 0u);
    m_backend->ShowWindow(id, true);
    Paint(id, picture);

    gfx::Surface shot = ScreenWhen([](const gfx::Surface& s) { return s.At(100, 80) == kRed; });
    EXPECT_EQ(shot.At(100, 80), kRed);
    EXPECT_EQ(shot.At(199, 199), kRed);
    EXPECT_EQ(shot.At(200, 80), kBlue);
    EXPECT_EQ(shot.At(299, 199), kBlue);
    // One pixel outside on every side is the desktop.
    EXPECT_EQ(shot.At(99, 80), m_background.At(99, 80));
    EXPECT_EQ(shot.At(100, 79), m_background.At(100, 79));
    EXPECT_EQ(shot.At(300, 199), m_background.At(300, 199));
    EXPECT_EQ(shot.At(299, 200), m_background.At(299, 200));
    RECT native = m_backend->NativeRect(id);
    EXPECT_EQ(native.left, 100);
    EXPECT_EQ(native.top, 80);
    EXPECT_EQ(native.right, 300);
    EXPECT_EQ(native.bottom, 200);

    // The surface changes in 10..30, but only 10..20 is presented.
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 30; ++x)
            picture.Set(x, y, kGreen);
    m_backend->Present(id, picture, {RECT{10, 10, 20, 20}});
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(110, 90) == kGreen; });
    EXPECT_EQ(shot.At(110, 90), kGreen);
    EXPECT_EQ(shot.At(119, 99), kGreen);
    EXPECT_EQ(shot.At(120, 90), kRed);
    EXPECT_EQ(shot.At(110, 100), kRed);

    // Rectangles reaching past the surface are cut, not read out of bounds.
    m_backend->Present(id, picture, {RECT{-50, -50, 5000, 5000}, RECT{190, 110, 400, 400}});
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(120, 100) == kGreen; });
    EXPECT_EQ(shot.At(129, 109), kGreen);
    EXPECT_EQ(shot.At(299, 199), kBlue);

    m_backend->ShowWindow(id, false);
    shot = ScreenWhen([&](const gfx::Surface& s) { return s.At(150, 150) == m_background.At(150, 150); });
    EXPECT_EQ(shot.At(150, 150), m_background.At(150, 150));
    EXPECT_EQ(shot.At(250, 150), m_background.At(250, 150));
}

TEST_F(WindowTest, MovingAndResizingKeepsThePictureWhole)
{
    display::WindowId id = SolidWindow(RECT{50, 50, 150, 150}, kRed);
    ScreenWhen([](const gfx::Surface& s) { return s.At(60, 60) == kRed; });

    m_backend->MoveWindow(id, RECT{400, 300, 700, 500});
    gfx::Surface bigger(300, 200, kBlue);
    // After a resize the native buffer is new: presenting one small rectangle
    // must still show the whole picture, not garbage around it.
    m_backend->Present(id, bigger, {RECT{0, 0, 10, 10}});
    gfx::Surface shot = ScreenWhen([](const gfx::Surface& s) { return s.At(699, 499) == kBlue; });
    EXPECT_EQ(shot.At(400, 300), kBlue);
    EXPECT_EQ(shot.At(550, 400), kBlue);
    EXPECT_EQ(shot.At(699, 499), kBlue);
    EXPECT_EQ(shot.At(700, 400), m_background.At(700, 400));
    EXPECT_EQ(shot.At(60, 60), m_background.At(60, 60));
    RECT native = m_backend->NativeRect(id);
    EXPECT_EQ(native.left, 400);
    EXPECT_EQ(native.top, 300);
    EXPECT_EQ(native.right, 700);
    EXPECT_EQ(native.bottom, 500);

    // Off the screen's top-left corner, as a dragged window can be.
    m_backend->MoveWindow(id, RECT{-100, -50, 200, 150});
    m_backend->Present(id, bigger, {});
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(199, 149) == kBlue; });
    EXPECT_EQ(shot.At(0, 0), kBlue);
    EXPECT_EQ(shot.At(199, 149), kBlue);
    EXPECT_EQ(shot.At(200, 100), m_background.At(200, 100));
    EXPECT_EQ(m_backend->NativeRect(id).left, -100);
}

TEST_F(WindowTest, ShapeCutsHolesThatShowTheDesktopAndFollowsResizes)
{
    if (!m_backend->SupportsShapes()) GTEST_SKIP() << "this X server has no SHAPE extension";
    display::WindowId id = SolidWindow(RECT{500, 300, 700, 500}, kYellow);
    // Everything in 0..300 except a hole at 60..140.
    std::vector<RECT> ring = {RECT{0, 0, 300, 60}, RECT{0, 60, 60, 140}, RECT{140, 60, 300, 140},
                              RECT{0, 140, 300, 300}};
    m_backend->SetShape(id, ring, false);
    gfx::Surface shot = ScreenWhen([&](const gfx::Surface& s) { return s.At(600, 400) == m_background.At(600, 400); });
    EXPECT_EQ(shot.At(600, 400), m_background.At(600, 400));
    EXPECT_EQ(shot.At(560, 360), m_background.At(560, 360));
    EXPECT_EQ(shot.At(639, 439), m_background.At(639, 439));
    EXPECT_EQ(shot.At(559, 359), kYellow);
    EXPECT_EQ(shot.At(640, 440), kYellow);
    EXPECT_EQ(shot.At(500, 300), kYellow);

    // A bigger window keeps its shape and shows the part the shape now covers.
    m_backend->MoveWindow(id, RECT{500, 300, 800, 600});
    m_backend->Present(id, gfx::Surface(300, 300, kYellow), {});
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(790, 590) == kYellow; });
    EXPECT_EQ(shot.At(790, 590), kYellow);
    EXPECT_EQ(shot.At(600, 400), m_background.At(600, 400));

    // Back to a plain rectangle: the hole closes.
    m_backend->SetShape(id, {}, true);
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(600, 400) == kYellow; });
    EXPECT_EQ(shot.At(600, 400), kYellow);
}

TEST_F(WindowTest, StackingFollowsRestackAndSurvivesShowingALowerWindow)
{
    display::WindowId lower = m_backend->CreateWindow(RECT{100, 100, 300, 300});
    display::WindowId upper = m_backend->CreateWindow(RECT{200, 200, 400, 400});
    // `upper` was made last, so it is on top; showing `lower` afterwards must not lift it.
    m_backend->ShowWindow(upper, true);
    Paint(upper, gfx::Surface(200, 200, kBlue));
    m_backend->ShowWindow(lower, true);
    Paint(lower, gfx::Surface(200, 200, kRed));
    gfx::Surface shot = ScreenWhen([](const gfx::Surface& s) { return s.At(150, 150) == kRed; });
    EXPECT_EQ(shot.At(250, 250), kBlue);
    EXPECT_EQ(shot.At(150, 150), kRed);

    m_backend->Restack({lower, upper});
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(250, 250) == kRed; });
    EXPECT_EQ(shot.At(250, 250), kRed);
    EXPECT_EQ(shot.At(350, 350), kBlue);

    m_backend->Restack({upper});
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(250, 250) == kBlue; });
    EXPECT_EQ(shot.At(250, 250), kBlue);

    m_backend->DestroyWindow(upper);
    shot = ScreenWhen([](const gfx::Surface& s) { return s.At(250, 250) == kRed; });
    EXPECT_EQ(shot.At(250, 250), kRed);
    EXPECT_EQ(shot.At(350, 350), m_background.At(350, 350));
}

TEST_F(WindowTest, TitleReachesTheDesktopAsUtf8)
{
    display::WindowId id = SolidWindow(RECT{10, 10, 60, 60}, kGreen);
    m_backend->SetTitle(id, "访问日志 Viewer");
    Pump(20);
    CommandResult found = Session()->Run({"xdotool", "search", "--name", "Viewer", "getwindowname", "%@"});
    EXPECT_EQ(found.exitCode, 0) << found.output;
    EXPECT_NE(found.output.find(Cp936ToUtf8("访问日志 Viewer")), std::string::npos) << found.output;
}

} // namespace
} // namespace corvane::test
