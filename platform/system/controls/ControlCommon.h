// What the controls do alike: read their own text, tell the parent through
// WM_COMMAND, and answer the plain window messages the same way.
#pragma once

#include "platform/system/window/WinUser.h"

#include <cstdint>
#include <string>

namespace sys {

// The whole window text; empty for a window with none.
std::string ControlText(HWND hwnd);

// WM_COMMAND with the control's id and code to its parent, if it has one.
void NotifyParentCommand(HWND hwnd, WORD code);

// WM_PAINT: paint draws the client area between BeginPaint and EndPaint.
LRESULT PaintClient(HWND hwnd, void (*paint)(HWND, HDC));

// WM_PAINT into the device context a caller passes in wParam (a parent
// drawing the control into its own), else between BeginPaint and EndPaint.
template <class Draw>
LRESULT PaintIntoGivenOrOwnDc(HWND hwnd, WPARAM wParam, Draw&& draw)
{
    if (wParam) {
        draw(reinterpret_cast<HDC>(wParam));
        return 0;
    }
    PAINTSTRUCT ps;
    if (HDC hdc = BeginPaint(hwnd, &ps)) draw(hdc);
    EndPaint(hwnd, &ps);
    return 0;
}

// The redraw flag of WM_SETFONT and the like.
inline bool RedrawAsked(LPARAM redraw)
{
    return LOWORD(static_cast<std::uintptr_t>(redraw)) != 0;
}

// WM_SETTEXT kept by the default procedure, then shown.
LRESULT SetTextAndRedraw(HWND hwnd, WPARAM wParam, LPARAM lParam);

// WM_SETFONT into the window's own slot; LOWORD(redraw) asks for a repaint.
LRESULT SetFontSlot(HWND hwnd, int slot, WPARAM font, LPARAM redraw);

} // namespace sys
