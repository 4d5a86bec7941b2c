// Framework-internal seams between the window classes (not for application code).
#pragma once

#include "platform/framework/Wnd.h"

class CException;

namespace afxinternal {

// The object whose window is about to be created; the framework's window
// procedure attaches it when the window's first message arrives. classSuper is
// the default procedure to use when the class procedure is the framework's own.
struct PendingWnd {
    CWnd* pWnd;
    WNDPROC classSuper;
};
PendingWnd SetWndInit(PendingWnd pending);
// Attaches the pending object to hWnd and routes hWnd through AfxWndProc.
bool AttachCreating(HWND hWnd);
void SetSuperProc(CWnd* pWnd, WNDPROC proc);

// Reports a framework exception thrown by a handler and gives the message the
// result that keeps the system sane (-1 for WM_CREATE, a validated WM_PAINT).
LRESULT HandleWndProcException(CException* e, HWND hWnd, UINT message, bool heap = true);

} // namespace afxinternal
