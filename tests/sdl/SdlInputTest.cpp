// Real mouse and keyboard input (injected by xdotool through the X server) as
// it comes out of the backend: screen positions, buttons, clicks, wheel,
// leaving, keys, typed text in code page 936, focus.
#include "platform/base/CodePage.h"
#include "tests/sdl/SdlFixture.h"

#include <SDL.h>
#include <algorithm>
#include <set>

namespace corvane::test {
namespace {

using display::Event;
using display::EventType;

std::vector<Event> OfType(const std::vector<Event>& events, EventType type)
{
    std::vector<Event> out;
    for (const Event& e : events)
        if (e.type == type) out.push_back(e);
    return out;
}

std::size_t Count(const std::vector<Event>& events, EventType type)
{
    return OfType(events, type).size();
}

using InputTest = SdlFixture;

TEST_F(InputTest, MouseMovesButtonsClicksAndWheelArriveAtScreenPositions)
{
    display::WindowId id = SolidWindow(RECT{200, 150, 400, 300}, 0x808080);
    Xdo({"mousemove", "250", "170"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseMove) > 0; }));
    Event last = OfType(m_events, EventType::MouseMove).back();
    EXPECT_EQ(last.window, id);
    EXPECT_EQ(last.screen.x, 250);
    EXPECT_EQ(last.screen.y, 170);
    EXPECT_EQ(last.buttons, 0u);
    POINT cursor = m_backend->CursorPos();
    EXPECT_EQ(cursor.x, 250);
    EXPECT_EQ(cursor.y, 170);

    m_events.clear();
    Xdo({"click", "1"});
    Xdo({"click", "3"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseUp) >= 2; }));
    std::vector<Event> downs = OfType(m_events, EventType::MouseDown), ups = OfType(m_events, EventType::MouseUp);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].button, display::MouseButton::Left);
    EXPECT_EQ(downs[0].buttons, display::kButtonLeft);
    EXPECT_EQ(downs[0].clicks, 1);
    EXPECT_EQ(downs[0].screen.x, 250);
    EXPECT_EQ(downs[0].screen.y, 170);
    EXPECT_EQ(downs[0].window, id);
    EXPECT_EQ(ups[0].buttons, 0u);
    EXPECT_EQ(downs[1].button, display::MouseButton::Right);
    EXPECT_EQ(downs[1].buttons, display::kButtonRight);

    // Three quick clicks: the second press is a double click, the third a single one again.
    m_events.clear();
    Xdo({"mousemove", "260", "180", "click", "--repeat", "3", "--delay", "60", "1"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseUp) >= 3; }));
    downs = OfType(m_events, EventType::MouseDown);
    ASSERT_EQ(downs.size(), 3u);
    EXPECT_EQ(downs[0].clicks, 1);
    EXPECT_EQ(downs[1].clicks, 2);
    EXPECT_EQ(downs[2].clicks, 1);
    for (const Event& e : OfType(m_events, EventType::MouseUp))
        EXPECT_EQ(e.clicks, 1);

    // Presses far apart are no double click.
    m_events.clear();
    Xdo({"mousemove", "220", "160", "click", "1", "mousemove", "380", "290", "click", "1"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseDown) >= 2; }));
    for (const Event& e : OfType(m_events, EventType::MouseDown))
        EXPECT_EQ(e.clicks, 1);

    // Wheel: one notch away from the user is +120, towards is -120.
    m_events.clear();
    Xdo({"click", "4", "click", "5", "click", "5"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseWheel) >= 3; }));
    std::vector<Event> wheel = OfType(m_events, EventType::MouseWheel);
    EXPECT_EQ(wheel[0].wheelDelta, 120);
    EXPECT_EQ(wheel[1].wheelDelta, -120);
    EXPECT_EQ(wheel[2].wheelDelta, -120);
    EXPECT_EQ(wheel[0].screen.x, 380);
    EXPECT_EQ(wheel[0].screen.y, 290);
    EXPECT_EQ(wheel[0].window, id);
    // Wheel notches are no button presses.
    EXPECT_EQ(Count(m_events, EventType::MouseDown), 0u);
}

TEST_F(InputTest, LeaveComesOnlyWhenThePointerLeavesEveryWindow)
{
    // Two windows side by side: crossing from one to the other is no leave.
    display::WindowId left = SolidWindow(RECT{100, 100, 200, 200}, 0xFF0000);
    display::WindowId right = SolidWindow(RECT{200, 100, 300, 200}, 0x0000FF);
    Xdo({"mousemove", "150", "150"});
    Xdo({"mousemove", "250", "150"});
    ASSERT_TRUE(PumpUntil([&](const std::vector<Event>& ev) {
        return !ev.empty() && ev.back().type == EventType::MouseMove && ev.back().window == right;
    }));
    EXPECT_EQ(Count(m_events, EventType::MouseLeave), 0u);

    Xdo({"mousemove", "500", "500"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseLeave) > 0; }));
    std::vector<Event> leaves = OfType(m_events, EventType::MouseLeave);
    ASSERT_EQ(leaves.size(), 1u);
    EXPECT_EQ(leaves[0].window, right);

    // With a button held the pointer is still ours outside the window: moves keep
    // coming with their true screen position, and there is no leave.
    m_events.clear();
    Xdo({"mousemove", "150", "150", "mousedown", "1", "mousemove", "600", "450"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) {
        return !ev.empty() && ev.back().type == EventType::MouseMove && ev.back().screen.x == 600;
    }));
    Event outside = m_events.back();
    EXPECT_EQ(outside.window, left);
    EXPECT_EQ(outside.screen.y, 450);
    EXPECT_EQ(outside.buttons, display::kButtonLeft);
    Xdo({"mousemove", "120", "130", "mouseup", "1", "mousemove", "700", "600"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseLeave) > 0; }));
    std::vector<Event> tail = m_events;
    auto up = std::find_if(tail.begin(), tail.end(), [](const Event& e) { return e.type == EventType::MouseUp; });
    auto leave = std::find_if(tail.begin(), tail.end(), [](const Event& e) { return e.type == EventType::MouseLeave; });
    ASSERT_NE(up, tail.end());
    EXPECT_EQ(up->screen.x, 120);
    EXPECT_EQ(up->screen.y, 130);
    EXPECT_EQ(Count(tail, EventType::MouseLeave), 1u);
    EXPECT_LT(up - tail.begin(), leave - tail.begin());
    EXPECT_EQ(leave->window, left);
}

TEST_F(InputTest, KeysBecomeVirtualKeysAndTypingBecomesCodePage936Text)
{
    display::WindowId id = SolidWindow(RECT{300, 300, 500, 400}, 0x00FF00);
    m_backend->SetFocus(id);
    ASSERT_TRUE(PumpUntil([&](const std::vector<Event>& ev) {
        return std::any_of(ev.begin(), ev.end(),
                           [&](const Event& e) { return e.type == EventType::FocusGained && e.window == id; });
    }));

    m_events.clear();
    Xdo({"key", "Return", "Escape", "Tab", "Left", "Down", "BackSpace", "Delete", "F5", "a", "7"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::KeyUp) >= 10; }));
    std::vector<unsigned> keys;
    for (const Event& e : OfType(m_events, EventType::KeyDown)) {
        keys.push_back(e.virtualKey);
        EXPECT_EQ(e.window, id);
    }
    std::vector<unsigned> expected = {0x0D, 0x1B, 0x09, 0x25, 0x28, 0x08, 0x2E, 0x74, 'A', '7'};
    EXPECT_EQ(keys, expected);

    // Shift is reported as a key and as a modifier; the letter types upper case.
    m_events.clear();
    Xdo({"key", "shift+b"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::KeyUp) >= 2; }));
    std::vector<Event> downs = OfType(m_events, EventType::KeyDown);
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].virtualKey, 0x10u);
    EXPECT_EQ(downs[1].virtualKey, static_cast<unsigned>('B'));
    EXPECT_EQ(downs[1].modifiers & display::kModShift, display::kModShift);
    std::vector<Event> text = OfType(m_events, EventType::Text);
    ASSERT_EQ(text.size(), 1u);
    EXPECT_EQ(text[0].text, "B");

    m_events.clear();
    Xdo({"type", "--delay", "30", "hi there"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::Text) >= 8; }));
    std::string typed;
    for (const Event& e : OfType(m_events, EventType::Text))
        typed += e.text;
    EXPECT_EQ(typed, "hi there");
    // Control keys type nothing.
    m_events.clear();
    Xdo({"key", "Return", "ctrl+c"});
    PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::KeyUp) >= 3; });
    EXPECT_EQ(Count(m_events, EventType::Text), 0u);
    std::vector<Event> ctrl = OfType(m_events, EventType::KeyDown);
    ASSERT_GE(ctrl.size(), 3u);
    EXPECT_EQ(ctrl.back().virtualKey, static_cast<unsigned>('C'));
    EXPECT_EQ(ctrl.back().modifiers & display::kModControl, display::kModControl);
}

// xdotool types characters outside the keymap by remapping a key for a moment,
// which races with any reader; the desktop's text event is made here instead.
TEST_F(InputTest, DesktopTextBecomesCodePage936Bytes)
{
    display::WindowId id = SolidWindow(RECT{300, 300, 500, 400}, 0x00FF00);
    m_backend->SetFocus(id);
    PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::FocusGained) > 0; });
    m_events.clear();
    SDL_Event text{};
    text.text.type = SDL_TEXTINPUT;
    text.text.windowID = id;
    std::string utf8 = Cp936ToUtf8("中文");
    ASSERT_LT(utf8.size(), sizeof text.text.text);
    std::copy(utf8.begin(), utf8.end(), text.text.text);
    ASSERT_EQ(SDL_PushEvent(&text), 1);
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::Text) >= 1; }));
    std::vector<Event> typed = OfType(m_events, EventType::Text);
    EXPECT_EQ(typed[0].text, "\xD6\xD0\xCE\xC4"); // 中文 in code page 936
    EXPECT_EQ(typed[0].window, id);
}

TEST_F(InputTest, FocusMovesBetweenWindows)
{
    display::WindowId a = SolidWindow(RECT{100, 500, 200, 600}, 0xFF0000);
    display::WindowId b = SolidWindow(RECT{300, 500, 400, 600}, 0x0000FF);
    m_backend->SetFocus(a);
    ASSERT_TRUE(PumpUntil([&](const std::vector<Event>& ev) {
        return std::any_of(ev.begin(), ev.end(),
                           [&](const Event& e) { return e.type == EventType::FocusGained && e.window == a; });
    }));
    m_events.clear();
    m_backend->SetFocus(b);
    ASSERT_TRUE(PumpUntil([&](const std::vector<Event>& ev) {
        return std::any_of(ev.begin(), ev.end(),
                           [&](const Event& e) { return e.type == EventType::FocusGained && e.window == b; });
    }));
    std::vector<Event> lost = OfType(m_events, EventType::FocusLost);
    ASSERT_EQ(lost.size(), 1u);
    EXPECT_EQ(lost[0].window, a);
    // Keys now go to b.
    m_events.clear();
    Xdo({"key", "x"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::KeyDown) > 0; }));
    EXPECT_EQ(OfType(m_events, EventType::KeyDown)[0].window, b);
}

// The layer moves windows itself while the caption is dragged. Events queued
// before a move must keep the positions they had: translating them with the
// window's new place would make the window run away from the pointer.
TEST_F(InputTest, DraggingAWindowByItsEventsFollowsThePointerExactly)
{
    const RECT start{100, 100, 300, 250};
    display::WindowId id = SolidWindow(start, 0x336699);
    Xdo({"mousemove", "150", "110", "mousedown", "1"});
    ASSERT_TRUE(PumpUntil([](const std::vector<Event>& ev) { return Count(ev, EventType::MouseDown) > 0; }));
    const POINT grab{150, 110};

    std::set<std::pair<int, int>> visited = {{150, 110}};
    std::vector<std::string> path;
    for (int i = 1; i <= 20; ++i) {
        int x = 150 + i * 13, y = 110 + i * 9;
        visited.insert({x, y});
        path.insert(path.end(), {"mousemove", std::to_string(x), std::to_string(y)});
    }
    path.insert(path.end(), {"mouseup", "1"});
    std::vector<POINT> seen;
    auto follow = [&] {
        display::Event e;
        m_backend->WaitEvent(m_backend->NowMs() + 2);
        while (m_backend->PollEvent(&e)) {
            if (e.type == EventType::MouseMove && (e.buttons & display::kButtonLeft)) {
                seen.push_back(e.screen);
                int dx = e.screen.x - grab.x, dy = e.screen.y - grab.y;
                m_backend->MoveWindow(id, RECT{start.left + dx, start.top + dy, start.right + dx, start.bottom + dy});
            }
            m_events.push_back(e);
        }
    };
    ASSERT_TRUE(Session()->Xdotool(path, follow));
    for (int i = 0; i < 20; ++i)
        follow();
    ASSERT_FALSE(seen.empty());
    // The pointer only ever moved right and down, through the points of the path.
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_TRUE(visited.count({seen[i].x, seen[i].y})) << "pointer reported at " << seen[i].x << "," << seen[i].y;
        if (i > 0) {
            EXPECT_GE(seen[i].x, seen[i - 1].x) << "pointer went back to " << seen[i].x << "," << seen[i].y;
        }
    }
    RECT end = m_backend->NativeRect(id);
    EXPECT_EQ(end.left, start.left + 20 * 13);
    EXPECT_EQ(end.top, start.top + 20 * 9);
    gfx::Surface shot = ScreenWhen([&](const gfx::Surface& s) { return s.At(end.left, end.top) == 0x336699; });
    EXPECT_EQ(shot.At(end.left, end.top), 0x336699u);
    EXPECT_EQ(shot.At(end.right - 1, end.bottom - 1), 0x336699u);
    EXPECT_EQ(shot.At(start.left, start.top), m_background.At(start.left, start.top));
}

} // namespace
} // namespace corvane::test
