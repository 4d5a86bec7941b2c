// What a button window keeps in its window-extra bytes (internal to the
// button's files): its state bits, font and image.
#pragma once

#include "platform/system/controls/button/Button.h"
#include "platform/system/window/WinUser.h"

namespace sys {

// State bits: the BST_* values plus the button's own.
constexpr LONG_PTR kBtnCheckMask = 0x0003;    // BST_CHECKED / BST_INDETERMINATE
constexpr LONG_PTR kBtnPushed = 0x0004;       // BST_PUSHED: drawn pressed
constexpr LONG_PTR kBtnFocus = 0x0008;        // BST_FOCUS
constexpr LONG_PTR kBtnMouseDown = 0x0010;    // the left button went down on it (captured)
constexpr LONG_PTR kBtnSpaceDown = 0x0020;    // Space is held on it
constexpr LONG_PTR kBtnOwnerDefault = 0x0040; // an owner-draw button acting as the default

constexpr int kBtnStateSlot = 0;
constexpr int kBtnFontSlot = static_cast<int>(sizeof(LONG_PTR));
constexpr int kBtnImageSlot = 2 * static_cast<int>(sizeof(LONG_PTR));
constexpr int kBtnExtraBytes = 3 * static_cast<int>(sizeof(LONG_PTR));

inline LONG_PTR ButtonBits(HWND hwnd)
{
    return GetWindowLongPtr(hwnd, kBtnStateSlot);
}
inline DWORD ButtonType(HWND hwnd)
{
    return static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & BS_TYPEMASK;
}
inline bool IsPushType(DWORD type)
{
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW || type == BS_USERBUTTON;
}

// Paints the whole button (an owner-draw button asks its parent).
void PaintButton(HWND hwnd, HDC hdc);
// Asks the parent of an owner-draw button to draw it, on hdc or, when null, on a fresh DC.
void DrawOwnerButton(HWND hwnd, HDC hdc, UINT action);

} // namespace sys
