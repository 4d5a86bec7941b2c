#include "platform/system/controls/ControlCommon.h"

#include <algorithm>

namespace sys {

std::string ControlText(HWND hwnd)
{
    int n = GetWindowTextLength(hwnd);
    std::string text(static_cast<std::size_t>(std::max(n, 0)) + 1, '\0');
    int got = GetWindowText(hwnd, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

void NotifyParentCommand(HWND hwnd, WORD code)
{
    HWND parent = GetParent(hwnd);
    if (!parent) return;
    SendMessage(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                reinterpret_cast<LPARAM>(hwnd));
}

LRESULT PaintClient(HWND hwnd, void (*paint)(HWND, HDC))
{
    PAINTSTRUCT ps;
    if (HDC hdc = BeginPaint(hwnd, &ps)) {
        paint(hwnd, hdc);
        EndPaint(hwnd, &ps);
    }
    return 0;
}

LRESULT SetTextAndRedraw(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    LRESULT r = DefWindowProc(hwnd, WM_SETTEXT, wParam, lParam);
    InvalidateRect(hwnd, nullptr, TRUE);
    return r;
}

LRESULT SetFontSlot(HWND hwnd, int slot, WPARAM font, LPARAM redraw)
{
    SetWindowLongPtr(hwnd, slot, static_cast<LONG_PTR>(font));
    if (RedrawAsked(redraw)) InvalidateRect(hwnd, nullptr, TRUE);
    return 0;
}

} // namespace sys
