// What the button, edit and static controls do alike: read their own text,
// tell the parent through WM_COMMAND, and answer the plain window messages
// the same way.
#pragma once

#include "platform/system/window/WinUser.h"

#include <string>

namespace sys {

// The whole window text; empty for a window with none.
std::string ControlText(HWND hwnd);

// WM_COMMAND with the control's id and code to its parent, if it has one.
void NotifyParentCommand(HWND hwnd, WORD code);

// WM_PAINT: paint draws the client area between BeginPaint and EndPaint.
LRESULT PaintClient(HWND hwnd, void (*paint)(HWND, HDC));

// WM_SETTEXT kept by the default procedure, then shown.
LRESULT SetTextAndRedraw(HWND hwnd, WPARAM wParam, LPARAM lParam);

// WM_SETFONT into the window's own slot; LOWORD(redraw) asks for a repaint.
LRESULT SetFontSlot(HWND hwnd, int slot, WPARAM font, LPARAM redraw);

} // namespace sys
