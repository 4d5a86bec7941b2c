// Without a window manager nothing on the desktop shows a minimized window:
// a small caption bar at the bottom-left of the screen stands for it, as on
// classic desktops without a task bar, and a click on it restores the window.
#pragma once

#include "platform/system/window/WinUser.h"

namespace sys {

// Shows the bar of a top-level window the layer has just minimized itself.
void ShowMinimizedBar(HWND minimized);
// Takes the bar away once its window is no longer shown minimized.
void DropStaleMinimizedBar(HWND hwnd);
// The bar standing for the window, or null.
HWND MinimizedBarOf(HWND hwnd);

} // namespace sys
