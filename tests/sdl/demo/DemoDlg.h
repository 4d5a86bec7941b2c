// The demo's one dialog: an edit box, a button that fills it, and a close
// button. It reports on standard output what a test driving it from outside
// needs: where its parts are, what was clicked, and at the end the edit's text.
#pragma once

#include "platform/framework/Afxwin.h"

constexpr UINT IDD_DEMO = 900;
constexpr int IDC_DEMO_EDIT = 1001;
constexpr int IDC_DEMO_FILL = 1002;

class CDemoDlg : public CDialog {
public:
    CDemoDlg() : CDialog(IDD_DEMO) {}

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

protected:
    void OnFill();
    void OnTimer(UINT_PTR nIDEvent);
    void ReportItem(const char* pszName, int nID) const;
    void ReportEnd(const char* pszHow);

    // Ticks of a timer running all along: the loop sleeps, yet timers come.
    int m_nTicks = 0;
    DECLARE_MESSAGE_MAP()
};

// The dialog's layout, registered under IDD_DEMO.
void RegisterDemoTemplate();
