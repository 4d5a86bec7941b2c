// The system commands: moving and sizing by mouse, minimize, maximize,
// restore and close (internal).
#pragma once

#include "platform/system/window/WinUser.h"

namespace sys {

LRESULT DoSysCommand(HWND hwnd, WPARAM command, LPARAM lParam);

} // namespace sys
