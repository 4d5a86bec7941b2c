// Under a real window manager (openbox) the desktop moves windows on its own:
// each such move is reported with the new place, while the backend's own
// moves, which the desktop confirms late, are not taken for the manager's.
#include "platform/display/SdlX11.h"
#include "tests/sdl/ChildProgram.h"
#include "tests/sdl/SdlFixture.h"
#include "tests/support/TestPaths.h"

#include <SDL.h>
#include <chrono>
#include <cstdlib>
#include <sstream>
#include <unistd.h>

namespace corvane::test {
namespace {

class ManagedWindowTest : public SdlFixture {
protected:
    void SetUp() override
    {
        SdlFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        std::string openbox = ProgramPath("openbox");
        if (openbox.empty()) GTEST_SKIP() << "openbox is not installed";
        std::string error;
        m_manager = ChildProgram::Start({openbox, "--sm-disable"}, Session()->Display(), &error);
        ASSERT_TRUE(m_manager) << error;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        while (!m_backend->HasWindowManager() && std::chrono::steady_clock::now() < deadline)
            Pump(20);
        ASSERT_TRUE(m_backend->HasWindowManager()) << "openbox did not take the display";
    }
    void TearDown() override
    {
        SdlFixture::TearDown();
        m_manager.reset(); // after our windows are gone
    }
    std::vector<display::Event> MovesReported() const
    {
        std::vector<display::Event> moves;
        for (const display::Event& e : m_events)
            if (e.type == display::EventType::Moved) moves.push_back(e);
        return moves;
    }

    std::unique_ptr<ChildProgram> m_manager;
};

TEST_F(ManagedWindowTest, TheManagersMovesAreReportedAndOurOwnAreNot)
{
    display::WindowId id = SolidWindow(RECT{100, 100, 300, 250}, 0xFF2E8B57);
    Pump(300); // the manager may place the window as it maps it
    RECT placed = m_backend->NativeRect(id);

    // Our own moves, one straight after another, as when the layer drags a window.
    m_events.clear();
    for (int i = 1; i <= 5; ++i)
        m_backend->MoveWindow(
            id, RECT{placed.left + 12 * i, placed.top + 7 * i, placed.right + 12 * i, placed.bottom + 7 * i});
    Pump(300);
    EXPECT_TRUE(MovesReported().empty()) << "a move of our own came back as the manager's";
    EXPECT_EQ(m_backend->NativeRect(id).left, placed.left + 60);

    // The manager's move: reported once, with the place it chose.
    m_events.clear();
    unsigned long xwindow = display::x11::NativeWindow(SDL_GetWindowFromID(id));
    ASSERT_NE(xwindow, 0u);
    Xdo({"windowmove", std::to_string(xwindow), "420", "310"});
    ASSERT_TRUE(PumpUntil([](const std::vector<display::Event>& events) {
        for (const display::Event& e : events)
            if (e.type == display::EventType::Moved) return true;
        return false;
    })) << "the manager's move was not reported";
    Pump(100);
    std::vector<display::Event> moves = MovesReported();
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].window, id);
    EXPECT_EQ(moves[0].screen.x, 420);
    EXPECT_EQ(moves[0].screen.y, 310);
    RECT now = m_backend->NativeRect(id);
    EXPECT_EQ(now.left, 420);
    EXPECT_EQ(now.right - now.left, 200);
}

} // namespace
} // namespace corvane::test
