#include "pages/FDlg.h"

#include "pages/PageColumns.h"
#include "platform/framework/AfxMsg.h"
#include "platform/system/input/VirtualKeys.h"
#include "res/ResourceIds.h"

IMPLEMENT_DYNAMIC(CFDlg, CDialog)

BEGIN_MESSAGE_MAP(CFDlg, CDialog)
    ON_WM_CREATE()
END_MESSAGE_MAP()

CFDlg::CFDlg(CWnd* pParent) : CDialog(IDD_FDLG, pParent) {}

CFDlg::~CFDlg() {}

void CFDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST_ALL, m_list);
}

int CFDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1) return -1;
    return 0;
}

BOOL CFDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Esc would end the dialog; a page is never closed by a key.
    if (pMsg && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CFDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_list.InsertColumn(0, kAllLinesTitles[0], LVCFMT_LEFT, -1, -1);
    m_list.InsertColumn(1, kAllLinesTitles[1], LVCFMT_LEFT, -1, -1);
    m_list.SetColumnWidth(0, 50);
    m_list.SetColumnWidth(1, 500);
    m_list.SetHeaderHeightFactor(1.5f);
    m_list.SetHeaderFontSize(16, 0);
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    return TRUE;
}
