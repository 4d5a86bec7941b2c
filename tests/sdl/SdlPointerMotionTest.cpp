// Moves with no button held, as the desktop sends them after a first click:
// each one arrives once, in order, at its screen position, even where the
// window moved under the pointer since (SDL drops such moves itself).
#include "tests/sdl/SdlFixture.h"

#include <string>
#include <utility>
#include <vector>

namespace corvane::test {
namespace {

using display::Event;
using display::EventType;

using PointerMotionTest = SdlFixture;

std::vector<Event> Moves(const std::vector<Event>& events)
{
    std::vector<Event> out;
    for (const Event& e : events)
        if (e.type == EventType::MouseMove) out.push_back(e);
    return out;
}

std::string Describe(const std::vector<Event>& moves)
{
    std::string s;
    for (const Event& e : moves)
        s += std::to_string(e.screen.x) + "," + std::to_string(e.screen.y) + " ";
    return s;
}

TEST_F(PointerMotionTest, MovesWithoutAButtonArriveOnceEachAtTheirScreenPositionsAfterAClick)
{
    display::WindowId left = SolidWindow(RECT{200, 150, 450, 350}, 0x808080);
    display::WindowId right = SolidWindow(RECT{450, 150, 700, 350}, 0x606060);
    Xdo({"mousemove", "250", "200", "click", "1"});
    ASSERT_TRUE(
        PumpUntil([](const std::vector<Event>& ev) { return !ev.empty() && ev.back().type == EventType::MouseUp; }));

    // Inside the left window, then across into the right one.
    std::vector<POINT> path;
    for (int i = 1; i <= 14; ++i)
        path.push_back(POINT{250 + i * 25, 200 + i * 5});
    std::vector<std::string> args;
    for (POINT p : path)
        args.insert(args.end(), {"mousemove", std::to_string(p.x), std::to_string(p.y)});
    m_events.clear();
    Xdo(args);
    POINT end = path.back();
    ASSERT_TRUE(PumpUntil([&](const std::vector<Event>& ev) {
        std::vector<Event> moves = Moves(ev);
        return !moves.empty() && moves.back().screen.x == end.x && moves.back().screen.y == end.y;
    })) << "moves seen: "
        << Describe(Moves(m_events));
    std::vector<Event> moves = Moves(m_events);
    ASSERT_EQ(moves.size(), path.size()) << Describe(moves);
    for (std::size_t i = 0; i < path.size(); ++i) {
        EXPECT_EQ(moves[i].screen.x, path[i].x) << "move " << i;
        EXPECT_EQ(moves[i].screen.y, path[i].y) << "move " << i;
        EXPECT_EQ(moves[i].window, path[i].x < 450 ? left : right) << "move " << i;
        EXPECT_EQ(moves[i].buttons, 0u);
    }
    for (const Event& e : m_events)
        EXPECT_NE(e.type, EventType::MouseLeave) << "crossing between the program's windows is no leave";

    // The window follows the pointer, so the pointer stays at the same place in it.
    m_backend->MoveWindow(right, RECT{470, 160, 720, 360});
    Pump(20);
    m_events.clear();
    Xdo({"mousemove", std::to_string(end.x + 20), std::to_string(end.y + 10)});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return !Moves(ev).empty(); }));
    Pump(30);
    moves = Moves(m_events);
    ASSERT_EQ(moves.size(), 1u) << Describe(moves);
    EXPECT_EQ(moves[0].screen.x, end.x + 20);
    EXPECT_EQ(moves[0].screen.y, end.y + 10);
    EXPECT_EQ(moves[0].window, right);
}

TEST_F(PointerMotionTest, ComingBackToTheSamePlaceAndDraggingAreReportedOnceEach)
{
    display::WindowId id = SolidWindow(RECT{300, 300, 500, 450}, 0x707070);
    Xdo({"mousemove", "350", "350", "click", "1", "mousemove", "360", "355"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) {
        std::vector<Event> moves = Moves(ev);
        return !moves.empty() && moves.back().screen.x == 360;
    }));

    // Out of every window and back to the very same place: the layer must learn the pointer is back.
    m_events.clear();
    Xdo({"mousemove", "900", "650"});
    ASSERT_TRUE(
        PumpUntil([](const std::vector<Event>& ev) { return !ev.empty() && ev.back().type == EventType::MouseLeave; }));
    m_events.clear();
    Xdo({"mousemove", "360", "355"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return !Moves(ev).empty(); }));
    Pump(30);
    std::vector<Event> moves = Moves(m_events);
    ASSERT_EQ(moves.size(), 1u) << Describe(moves);
    EXPECT_EQ(moves[0].window, id);
    EXPECT_EQ(moves[0].screen.x, 360);
    EXPECT_EQ(moves[0].screen.y, 355);

    // With the button held the server's core events carry the moves, out of the window too.
    m_events.clear();
    Xdo({"mousedown", "1", "mousemove", "380", "370", "mousemove", "420", "400", "mousemove", "600", "500", "mousemove",
         "450", "420", "mouseup", "1"});
    ASSERT_TRUE(
        PumpUntil([](const std::vector<Event>& ev) { return !ev.empty() && ev.back().type == EventType::MouseUp; }));
    moves = Moves(m_events);
    const std::vector<std::pair<int, int>> dragged = {{380, 370}, {420, 400}, {600, 500}, {450, 420}};
    ASSERT_EQ(moves.size(), dragged.size()) << Describe(moves);
    for (std::size_t i = 0; i < dragged.size(); ++i) {
        EXPECT_EQ(moves[i].screen.x, dragged[i].first);
        EXPECT_EQ(moves[i].screen.y, dragged[i].second);
        EXPECT_EQ(moves[i].window, id);
        EXPECT_EQ(moves[i].buttons, display::kButtonLeft);
    }
}

} // namespace
} // namespace corvane::test
