#include "controls/TrackMouse.h"

PFN_TRACKMOUSEEVENT g_pfnTrackMouseEvent = &_TrackMouseEvent;

BOOL TrackHoverAndLeave(HWND hWnd)
{
    TRACKMOUSEEVENT tme{};
    tme.cbSize = 16; // the classic structure size, which the system accepts
    tme.dwFlags = TME_HOVER | TME_LEAVE;
    tme.hwndTrack = hWnd;
    tme.dwHoverTime = 1;
    return g_pfnTrackMouseEvent ? g_pfnTrackMouseEvent(&tme) : FALSE;
}
