#include "platform/framework/ExceptionReport.h"

#include "platform/framework/MsgBox.h"
#include "platform/framework/WinApp.h"
#include "platform/framework/WndInternal.h"

#include <cstdio>

// The report is a message box; the same line goes to standard error so that a
// run without a person in front of it still leaves the reason behind.
int AfxExceptionMessageBox(const char* text, UINT type)
{
    std::fprintf(stderr, "%s: %s\n", AfxGetAppName(), text ? text : "");
    return AfxMessageBox(text ? text : "", type ? type : MB_ICONEXCLAMATION);
}

void AfxInstallExceptionReporter() { CException::SetReporter(&AfxExceptionMessageBox); }

LRESULT afxinternal::HandleWndProcException(CException* e, HWND hWnd, UINT message, bool heap)
{
    if (e) {
        e->ReportError();
        if (heap) e->Delete();
    }
    // A failed creation must fail the window; a failed paint must not come back forever.
    if (message == WM_CREATE) return -1;
    if (message == WM_PAINT) ::ValidateRect(hWnd, nullptr);
    return 0;
}
