// The colours a control's parent picks for it through WM_CTLCOLOR*.
#pragma once

#include "platform/system/Windows.h"

namespace sys {

// Asks the parent with message (WM_CTLCOLORBTN, WM_CTLCOLOREDIT, ...); when it
// gives no brush, the default procedure's answer sets up the DC and the brush.
HBRUSH ControlColorBrush(HWND hwnd, HDC hdc, UINT message);

} // namespace sys
