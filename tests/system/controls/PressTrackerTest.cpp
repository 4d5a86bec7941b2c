// The press tracker's truth table, walked as scripts of events: what is held,
// what shows pressed and what each event answers after every step.
#include "platform/system/controls/PressTracker.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using sys::PressEnd;
using sys::PressTracker;

enum class Event { Press, MoveIn, MoveOut, ReleaseIn, ReleaseOut, ReleaseWhereLastMoved, Cancel };

// What an event answered: Move's "look changed", or the end of a release or cancel.
enum class Answer { None, Changed, Unchanged, Action, Cancel };

struct Step {
    Event event;
    Answer answer;
    bool held;
    bool pressed;
};

struct Script {
    const char* name;
    PressTracker start;
    std::vector<Step> steps;
};

Answer Apply(PressTracker& t, Event e)
{
    auto end = [](PressEnd r) {
        return r == PressEnd::Action ? Answer::Action : r == PressEnd::Cancel ? Answer::Cancel : Answer::None;
    };
    switch (e) {
    case Event::Press: t.Press(); return Answer::None;
    case Event::MoveIn: return t.Move(true) ? Answer::Changed : Answer::Unchanged;
    case Event::MoveOut: return t.Move(false) ? Answer::Changed : Answer::Unchanged;
    case Event::ReleaseIn: return end(t.Release(true));
    case Event::ReleaseOut: return end(t.Release(false));
    case Event::ReleaseWhereLastMoved: return end(t.Release());
    case Event::Cancel: return end(t.Cancel());
    }
    return Answer::None;
}

TEST(PressTracker, EveryEventFromEveryStateAnswersAsTheTableSays)
{
    using enum Event;
    const Answer none = Answer::None, changed = Answer::Changed, same = Answer::Unchanged;
    const Answer act = Answer::Action, cancel = Answer::Cancel;
    const std::vector<Script> scripts = {
        {"leave and come back, release over it",
         {},
         {{Press, none, true, true},
          {MoveIn, same, true, true},
          {MoveOut, changed, true, false},
          {MoveOut, same, true, false},
          {MoveIn, changed, true, true},
          {ReleaseIn, act, false, false}}},
        {"released away from it", {}, {{Press, none, true, true}, {ReleaseOut, cancel, false, false}}},
        // The release's own point decides, not where the last move left the pointer.
        {"released over it after leaving",
         {},
         {{Press, none, true, true}, {MoveOut, changed, true, false}, {ReleaseIn, act, false, false}}},
        {"released without a point after leaving",
         {},
         {{Press, none, true, true}, {MoveOut, changed, true, false}, {ReleaseWhereLastMoved, cancel, false, false}}},
        {"released without a point while over it",
         {},
         {{Press, none, true, true}, {ReleaseWhereLastMoved, act, false, false}}},
        {"capture lost while over it, then released",
         {},
         {{Press, none, true, true},
          {Cancel, cancel, false, false},
          {ReleaseIn, none, false, false},
          {MoveIn, same, false, false}}},
        {"capture lost while away",
         {},
         {{Press, none, true, true},
          {MoveOut, changed, true, false},
          {Cancel, cancel, false, false},
          {Cancel, none, false, false}}},
        {"nothing held: every event is ignored",
         {},
         {{MoveIn, same, false, false},
          {MoveOut, same, false, false},
          {ReleaseIn, none, false, false},
          {ReleaseWhereLastMoved, none, false, false},
          {Cancel, none, false, false}}},
        {"a second press while held stays one press, shown pressed",
         {},
         {{Press, none, true, true},
          {MoveOut, changed, true, false},
          {Press, none, true, true},
          {ReleaseIn, act, false, false},
          {ReleaseIn, none, false, false}}},
        {"restored held and away",
         PressTracker(true, false),
         {{MoveIn, changed, true, true}, {ReleaseOut, cancel, false, false}}},
        {"restored held and over", PressTracker(true, true), {{ReleaseWhereLastMoved, act, false, false}}},
        // Over without held is no press at all: a later move shows nothing.
        {"restored over but not held",
         PressTracker(false, true),
         {{MoveIn, same, false, false}, {ReleaseIn, none, false, false}}},
    };
    for (const Script& script : scripts) {
        SCOPED_TRACE(script.name);
        PressTracker t = script.start;
        for (std::size_t i = 0; i < script.steps.size(); ++i) {
            SCOPED_TRACE(i);
            const Step& step = script.steps[i];
            EXPECT_EQ(Apply(t, step.event), step.answer);
            EXPECT_EQ(t.Held(), step.held);
            EXPECT_EQ(t.Pressed(), step.pressed);
        }
    }
}

} // namespace
