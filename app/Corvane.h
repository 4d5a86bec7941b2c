// CCorvaneApp: the application object. It runs the main dialog modally and
// lets the program end as soon as that dialog closes.
#pragma once

#include "platform/framework/Afxwin.h"

class CCorvaneApp : public CWinApp {
public:
    CCorvaneApp();
    ~CCorvaneApp() override;

    // Runs the main dialog to its end; always FALSE, so no message loop follows.
    BOOL InitInstance() override;

    // The log named on the command line (code page 936), opened once the main window is up.
    CString m_strStartFile;

    DECLARE_MESSAGE_MAP()
};

// The one application object of the program.
extern CCorvaneApp theApp;
