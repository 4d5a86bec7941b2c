// Files dropped on a window from another program. A window that accepts
// files (WS_EX_ACCEPTFILES, set by DragAcceptFiles) gets WM_DROPFILES with a
// drop handle in wParam; the handle lists the files until DragFinish.
#pragma once

#include "platform/system/window/WinUser.h"

struct HDROP__ {
    int unused;
};
using HDROP = HDROP__*;

// Sets or clears WS_EX_ACCEPTFILES.
void DragAcceptFiles(HWND hwnd, BOOL accept);
// With iFile 0xFFFFFFFF: the number of files. With a null buffer: the length
// of file iFile's path in characters, without the NUL. Otherwise copies that
// path (cut to cch - 1 characters) with a NUL and returns the characters
// copied. 0 for a handle or index that names nothing. Paths are code page 936.
UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch);
inline UINT DragQueryFileA(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch)
{
    return DragQueryFile(hDrop, iFile, lpszFile, cch);
}
// Where the drop happened, in client coordinates of the window that got it;
// TRUE when that is inside the client area.
BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt);
// Releases the handle.
void DragFinish(HDROP hDrop);
