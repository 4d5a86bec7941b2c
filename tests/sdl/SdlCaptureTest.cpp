// A button pressed in one of our windows and released outside every window:
// the release must arrive however the capture was taken.
#include "tests/sdl/SdlFixture.h"

#include <SDL.h>
#include <algorithm>

namespace corvane::test {
namespace {

using display::Event;
using display::EventType;

using CaptureTest = SdlFixture;

bool Has(const std::vector<Event>& events, EventType type)
{
    return std::any_of(events.begin(), events.end(), [type](const Event& e) { return e.type == type; });
}

const Event* Last(const std::vector<Event>& events, EventType type)
{
    for (auto it = events.rbegin(); it != events.rend(); ++it)
        if (it->type == type) return &*it;
    return nullptr;
}

TEST_F(CaptureTest, ReleaseOutsideEveryWindowArrivesWhileCaptured)
{
    display::WindowId a = SolidWindow(RECT{200, 150, 400, 300}, 0x808080);
    display::WindowId b = SolidWindow(RECT{500, 150, 600, 300}, 0x404040);
    // One press inside, drag out, release outside; the capture is taken as the
    // layer takes it on WM_LBUTTONDOWN (once the press is read) and given up after the release.
    auto pressDragOutRelease = [&](POINT inside, POINT outside, bool activate) {
        m_events.clear();
        ASSERT_TRUE(Session()->Xdotool(
            {"mousemove", std::to_string(inside.x), std::to_string(inside.y), "mousedown", "1"}, [&] { Pump(2); }));
        ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Has(ev, EventType::MouseDown); }));
        m_backend->CaptureMouse(true);
        if (activate) {
            m_backend->SetFocus(a);
            PumpUntil([](const std::vector<Event>&) { return false; }, 400);
        }
        ASSERT_TRUE(Session()->Xdotool(
            {"mousemove", std::to_string(outside.x), std::to_string(outside.y), "mouseup", "1"}, [&] { Pump(2); }));
        bool released = PumpUntil([](const std::vector<Event>& ev) { return Has(ev, EventType::MouseUp); });
        m_backend->CaptureMouse(false);
        ASSERT_TRUE(released) << "the release outside the window was lost";
        const Event* up = Last(m_events, EventType::MouseUp);
        EXPECT_EQ(up->window, a);
        EXPECT_EQ(up->screen.x, outside.x);
        EXPECT_EQ(up->screen.y, outside.y);
        EXPECT_EQ(up->buttons, 0u);
        const Event* move = Last(m_events, EventType::MouseMove);
        ASSERT_NE(move, nullptr);
        EXPECT_EQ(move->window, a);
        EXPECT_EQ(move->buttons, display::kButtonLeft);
    };
    // Keyboard focus on the pressed window, on another of ours, and nowhere.
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        if (round % 3 == 0) m_backend->SetFocus(a);
        if (round % 3 == 1) m_backend->SetFocus(b);
        Pump(20);
        pressDragOutRelease(POINT{250 + round, 200}, POINT{700 + round * 7, 600}, round % 3 == 1);
        // The button is up again: a move over the window comes without it.
        m_events.clear();
        Xdo({"mousemove", "300", "250"});
        ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Has(ev, EventType::MouseMove); }));
        EXPECT_EQ(Last(m_events, EventType::MouseMove)->buttons, 0u);
    }
}

// Should anything still end the grab while the button is down, the server
// sends the release elsewhere; the held button must not stick.
TEST_F(CaptureTest, ReleaseTheServerSentElsewhereIsRecoveredFromItsButtonState)
{
    display::WindowId id = SolidWindow(RECT{200, 150, 400, 300}, 0x808080);
    m_backend->SetFocus(id);
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Has(ev, EventType::FocusGained); }));
    m_events.clear();
    Xdo({"mousemove", "250", "200", "mousedown", "1"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Has(ev, EventType::MouseDown); }));
    // SDL's capture, taken and given up, ends every grab of the pointer.
    ASSERT_EQ(SDL_CaptureMouse(SDL_TRUE), 0) << SDL_GetError();
    SDL_CaptureMouse(SDL_FALSE);
    Xdo({"mousemove", "700", "600", "mouseup", "1"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Has(ev, EventType::MouseUp); }));
    const Event* up = Last(m_events, EventType::MouseUp);
    EXPECT_EQ(up->window, id);
    EXPECT_EQ(up->buttons, 0u);
    EXPECT_EQ(up->screen.x, 700);
    EXPECT_EQ(up->screen.y, 600);
    // Exactly one release, and the next press is an ordinary one.
    EXPECT_EQ(
        std::count_if(m_events.begin(), m_events.end(), [](const Event& e) { return e.type == EventType::MouseUp; }),
        1);
    m_events.clear();
    Xdo({"mousemove", "300", "250", "click", "1"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Has(ev, EventType::MouseUp); }));
    EXPECT_EQ(Last(m_events, EventType::MouseDown)->buttons, display::kButtonLeft);
    EXPECT_EQ(Last(m_events, EventType::MouseUp)->buttons, 0u);
}

} // namespace
} // namespace corvane::test
