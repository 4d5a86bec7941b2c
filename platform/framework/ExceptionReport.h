// The framework's report of an exception: a message box over the application's
// main window, installed as the reporter of CException::ReportError.
#pragma once

#include "platform/base/Exception.h"

// Installs the message-box reporter (done by the program entry; idempotent).
void AfxInstallExceptionReporter();
// The reporter itself: shows text in a message box with the given type.
int AfxExceptionMessageBox(const char* text, UINT type);
