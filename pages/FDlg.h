// CFDlg: the all-lines page, a borderless child dialog (template IDD_FDLG)
// holding one colour list with the columns "ID" and "内容".
#pragma once

#include "controls/ListCtrlCl.h"
#include "platform/framework/Afxwin.h"

class CFDlg : public CDialog {
    DECLARE_DYNAMIC(CFDlg)
public:
    explicit CFDlg(CWnd* pParent = nullptr);
    ~CFDlg() override;

    CListCtrlCl m_list; // control IDC_LIST_ALL

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    DECLARE_MESSAGE_MAP()
};
