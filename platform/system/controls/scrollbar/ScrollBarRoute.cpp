// The bars' share of a window's messages, routed in one place for every control that has them.
#include "platform/system/controls/scrollbar/ScrollBarRoute.h"

namespace sys {

namespace {

LRESULT PaintFrameAndBars(ScrollBarsAfterFrame afterFrame, HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(hwnd, WM_NCPAINT, wParam, lParam);
    if (WindowScrollBars* bars = afterFrame(hwnd)) bars->Paint(hwnd);
    return 0;
}

bool Used(bool used, LRESULT* result)
{
    if (used) *result = 0;
    return used;
}

} // namespace

bool RouteScrollBarMessage(WindowScrollBars& bars, ScrollBarsAfterFrame afterFrame, HWND hwnd, UINT message,
                           WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_NCPAINT: *result = PaintFrameAndBars(afterFrame, hwnd, wParam, lParam); return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: return Used(bars.OnNcLButtonDown(hwnd, wParam, lParam), result);
    case WM_MOUSEMOVE: return Used(bars.OnMouseMove(hwnd, lParam), result);
    case WM_LBUTTONUP: return Used(bars.OnLButtonUp(hwnd, lParam), result);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return Used(bars.Tracking(), result);
    case WM_TIMER: return Used(bars.OnTimer(hwnd, wParam), result);
    case WM_CAPTURECHANGED: bars.OnCaptureChanged(hwnd); return false;
    default: return false;
    }
}

} // namespace sys
