// Where the X server itself puts a window the layer moves and resizes: the
// server's answer, not SDL's idea of it, and what the screen shows there.
#include "tests/sdl/SdlFixture.h"

#include <cstdio>
#include <string>

namespace corvane::test {
namespace {

class PlacementTest : public SdlFixture {
protected:
    // The server's geometry of the window with the given title.
    static bool ServerRect(const std::string& title, RECT* out);
    static std::string Text(const RECT& r)
    {
        return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
               std::to_string(r.bottom - r.top);
    }
};

bool PlacementTest::ServerRect(const std::string& title, RECT* out)
{
    CommandResult r = Session()->Run({"xdotool", "search", "--name", title, "getwindowgeometry", "--shell"});
    auto field = [&](const std::string& name, int* v) {
        std::size_t at = r.output.find(name + "=");
        return at != std::string::npos && std::sscanf(r.output.c_str() + at + name.size() + 1, "%d", v) == 1;
    };
    int x = 0, y = 0, w = 0, h = 0;
    if (r.exitCode != 0 || !field("X", &x) || !field("Y", &y) || !field("WIDTH", &w) || !field("HEIGHT", &h))
        return false;
    *out = RECT{x, y, x + w, y + h};
    return true;
}

// A window made at the screen's corner, maximized to the work area and back, as
// the layer's maximize and restore ask: each resize must land where it was asked,
// zero coordinates included.
TEST_F(PlacementTest, MaximizeLikeMovesLandWhereAskedAndShow)
{
    constexpr gfx::Pixel kTeal = 0x008080;
    const RECT normal{0, 0, 400, 300};
    display::WindowId id = SolidWindow(normal, kTeal);
    m_backend->SetTitle(id, "placement probe");
    Pump(20);
    RECT server{};
    ASSERT_TRUE(ServerRect("placement probe", &server));
    ASSERT_EQ(Text(server), Text(normal));

    const RECT work = m_backend->WorkArea();
    m_backend->MoveWindow(id, work);
    m_backend->Present(id, gfx::Surface(work.right - work.left, work.bottom - work.top, kTeal), {});
    ASSERT_TRUE(ServerRect("placement probe", &server));
    EXPECT_EQ(Text(server), Text(work));
    RECT sdl = m_backend->NativeRect(id);
    EXPECT_EQ(Text(sdl), Text(work));
    gfx::Surface shot =
        ScreenWhen([&](const gfx::Surface& s) { return s.At(work.right - 1, work.bottom - 1) == kTeal; });
    EXPECT_EQ(shot.At(work.left, work.top), kTeal);
    EXPECT_EQ(shot.At(work.right - 1, work.bottom - 1), kTeal);
    EXPECT_EQ(shot.At((work.left + work.right) / 2, (work.top + work.bottom) / 2), kTeal);

    // Restored, then resized along one edge of the screen and from elsewhere into the corner.
    const RECT steps[] = {normal,
                          RECT{0, 120, 300, 320},
                          RECT{0, 120, 500, 400},
                          RECT{150, 0, 450, 200},
                          RECT{150, 0, 350, 250},
                          RECT{200, 150, 500, 350},
                          RECT{0, 0, 640, 480}};
    for (const RECT& step : steps) {
        m_backend->MoveWindow(id, step);
        ASSERT_TRUE(ServerRect("placement probe", &server));
        EXPECT_EQ(Text(server), Text(step)) << "asked for " << Text(step);
    }

    // Resized while hidden and shown afterwards, as a restore from the icon does.
    m_backend->ShowWindow(id, false);
    m_backend->MoveWindow(id, work);
    m_backend->ShowWindow(id, true);
    m_backend->Present(id, gfx::Surface(work.right - work.left, work.bottom - work.top, kTeal), {});
    ASSERT_TRUE(ServerRect("placement probe", &server));
    EXPECT_EQ(Text(server), Text(work));
    shot = ScreenWhen([&](const gfx::Surface& s) { return s.At(work.right - 1, work.bottom - 1) == kTeal; });
    EXPECT_EQ(shot.At(work.left, work.top), kTeal);
    EXPECT_EQ(shot.At(work.right - 1, work.bottom - 1), kTeal);
}

} // namespace
} // namespace corvane::test
