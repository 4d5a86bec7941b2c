// The system's look: the classic frame and caption, the class background and
// the default control colours (internal to DefWindowProc).
#pragma once

#include "platform/system/window/WinUser.h"

namespace sys {

void PaintFrame(HWND hwnd);
// WM_ERASEBKGND with the class brush; nonzero when something was erased.
LRESULT EraseWithClassBrush(HWND hwnd, HDC hdc);
LRESULT DefaultControlColor(UINT message, HDC hdc);

} // namespace sys
