// The share of a window's messages its standard scroll bars take: the frame
// they are painted on, the press that starts tracking, the pointer while it
// lasts, the repeat timer and the loss of the capture.
#pragma once

#include "platform/system/controls/scrollbar/ScrollBar.h"

namespace sys {

// Finds a window's bars once its frame is painted, since painting the frame
// may have destroyed the window: null when its state is gone.
using ScrollBarsAfterFrame = WindowScrollBars* (*)(HWND hwnd);

// True when the bars used the message up and *result holds the answer; false
// leaves it to the window. A press in the client area is swallowed while the
// bars track; the loss of the capture is told to the bars and still left to
// the window, which may be tracking the mouse itself.
bool RouteScrollBarMessage(WindowScrollBars& bars, ScrollBarsAfterFrame afterFrame, HWND hwnd, UINT message,
                           WPARAM wParam, LPARAM lParam, LRESULT* result);

} // namespace sys
