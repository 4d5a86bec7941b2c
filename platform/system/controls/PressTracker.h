// A mouse press held on one target while the control holds the capture: the
// target shows pressed while the pointer is over it, and only a release over
// it acts. Each control keeps its own capture calls, drawing and messages in
// their order; the tracker only decides what an event means.
//
//   event          held before | held after  Pressed()  returns
//   Press          any         | yes         yes        -
//   Move(over)     yes         | yes         over       whether Pressed() changed
//   Release(in)    yes         | no          no         Action
//   Release(out)   yes         | no          no         Cancel
//   Cancel         yes         | no          no         Cancel (capture lost, target gone)
//   any but Press  no          | no          no         false / None
//
// Release() without a point ends with the pointer where the last move left it.
#pragma once

#include "platform/system/window/WinUser.h"

namespace sys {

enum class PressEnd { None, Action, Cancel };

class PressTracker {
public:
    PressTracker() = default;
    // For a control that keeps the two flags in its own storage.
    PressTracker(bool held, bool over) : m_held(held), m_over(held && over) {}

    bool Held() const { return m_held; }
    bool Pressed() const { return m_held && m_over; }

    void Press();
    bool Move(bool over);
    PressEnd Release(bool over);
    PressEnd Release() { return Release(m_over); }
    PressEnd Cancel();

private:
    bool m_held = false;
    bool m_over = false;
};

// Gives the capture back if hwnd still holds it; a press may have lost it already.
void EndCapture(HWND hwnd);

} // namespace sys
