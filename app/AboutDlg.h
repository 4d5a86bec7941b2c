// CAboutDlg: the About box, template 100: the application icon, the product
// name with its version, and OK. The framework's dialog handling does the rest.
#pragma once

#include "platform/framework/Afxwin.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();
    ~CAboutDlg() override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
