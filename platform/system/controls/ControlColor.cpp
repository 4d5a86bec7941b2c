#include "platform/system/controls/ControlColor.h"

namespace sys {

HBRUSH ControlColorBrush(HWND hwnd, HDC hdc, UINT message)
{
    const auto wp = reinterpret_cast<WPARAM>(hdc);
    const auto lp = reinterpret_cast<LPARAM>(hwnd);
    HWND parent = GetParent(hwnd);
    HBRUSH brush = parent ? reinterpret_cast<HBRUSH>(SendMessage(parent, message, wp, lp)) : nullptr;
    if (!brush) brush = reinterpret_cast<HBRUSH>(DefWindowProc(hwnd, message, wp, lp));
    return brush;
}

} // namespace sys
