// The leave-and-hover arming call of the hover controls. It is a pointer so a
// test can stand in for the system and make an arming fail.
#pragma once

#include "platform/system/window/WinUser.h"

using PFN_TRACKMOUSEEVENT = BOOL (*)(LPTRACKMOUSEEVENT);
extern PFN_TRACKMOUSEEVENT g_pfnTrackMouseEvent;

// Arms hover (after 1 ms) and leave tracking for hWnd; TRUE when armed.
BOOL TrackHoverAndLeave(HWND hWnd);
