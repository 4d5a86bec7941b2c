// Opaque handle types of the system interface. Each is a distinct pointer type
// so the compiler keeps them apart; a handle is a key into the system's tables,
// never a pointer that is dereferenced, so a stale one fails safely.
#pragma once

#include "platform/base/WinDef.h"

#define CORVANE_DECLARE_HANDLE(name) \
    struct name##__ {                \
        int unused;                  \
    };                               \
    using name = name##__*

CORVANE_DECLARE_HANDLE(HWND);
CORVANE_DECLARE_HANDLE(HDC);
CORVANE_DECLARE_HANDLE(HMENU);
CORVANE_DECLARE_HANDLE(HINSTANCE);
CORVANE_DECLARE_HANDLE(HICON);
CORVANE_DECLARE_HANDLE(HPEN);
CORVANE_DECLARE_HANDLE(HBRUSH);
CORVANE_DECLARE_HANDLE(HFONT);
CORVANE_DECLARE_HANDLE(HBITMAP);
CORVANE_DECLARE_HANDLE(HRGN);
CORVANE_DECLARE_HANDLE(HRSRC);
CORVANE_DECLARE_HANDLE(HGLOBAL);

#undef CORVANE_DECLARE_HANDLE

using HGDIOBJ = void*;
using HCURSOR = HICON;
using HMODULE = HINSTANCE;
