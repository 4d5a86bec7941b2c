// Dialog data exchange: DoDataExchange moves values and binds control objects
// between a dialog and its members, in either direction.
#pragma once

#include "platform/framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members
    CWnd* m_pDlgWnd;

    // The control of the dialog with this id; fails the exchange when there is none.
    HWND PrepareCtrl(int nIDC);
    // Ends the exchange (UpdateData then returns FALSE).
    [[noreturn]] void Fail();

    int m_idLastControl = 0;
};

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct CDataExchangeFailure {
    int controlId;
};

// Binds rControl to dialog control nIDC by subclassing it (once).
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
// Window text of a control to and from a string.
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
