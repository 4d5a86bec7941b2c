// CSDlg: a crawler page, a borderless child dialog (template IDD_SDLG)
// holding one colour list with seven columns of parsed log fields.
#pragma once

#include "controls/ListCtrlCl.h"
#include "platform/framework/Afxwin.h"

class CSDlg : public CDialog {
    DECLARE_DYNAMIC(CSDlg)
public:
    explicit CSDlg(CWnd* pParent = nullptr);
    ~CSDlg() override;

    CListCtrlCl m_list; // control IDC_LIST_CRAWLER

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};
