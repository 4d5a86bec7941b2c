// The desktop clipboard as the classic calls see it: text only (CF_TEXT, code
// page 936), kept by the display backend so it reaches other programs.
#pragma once

#include "platform/system/window/WinUser.h"

#include <cstddef>
#include <string>

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_OEMTEXT = 7;

// Movable memory blocks, as clipboard data travels in them.
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

HGLOBAL GlobalAlloc(UINT flags, std::size_t bytes);
// Null for a block that is not live.
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
std::size_t GlobalSize(HGLOBAL block);
// Null on success, the block itself when it cannot be freed.
HGLOBAL GlobalFree(HGLOBAL block);

BOOL OpenClipboard(HWND owner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
BOOL IsClipboardFormatAvailable(UINT format);
// The text as a block the clipboard keeps (until the next EmptyClipboard or
// CloseClipboard); null when the clipboard is not open or holds no text.
HGLOBAL GetClipboardData(UINT format);
// Takes ownership of the block; the text ends at its first NUL.
HGLOBAL SetClipboardData(UINT format, HGLOBAL data);

namespace sys {

// Shortcuts for the system's own controls: the text up to its first NUL.
std::string ClipboardText();
void SetClipboardText(const std::string& cp936);

} // namespace sys
