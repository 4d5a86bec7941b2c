// The pointer shape: the system's shared cursors and what DefWindowProc does
// with WM_SETCURSOR (internal).
#pragma once

#include "platform/display/Backend.h"
#include "platform/system/window/WinUser.h"

namespace sys {

// The backend shape of a cursor handle; Arrow for anything unknown.
display::CursorShape ShapeOf(HCURSOR cursor);
// WM_SETCURSOR as the system answers it: the parent is asked first, then the
// class cursor in the client area or the frame's own shapes elsewhere.
LRESULT DefaultSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam);

} // namespace sys
