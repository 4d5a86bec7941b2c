#include "pages/SDlg.h"

#include "pages/PageColumns.h"
#include "platform/framework/AfxMsg.h"
#include "platform/system/input/VirtualKeys.h"
#include "res/ResourceIds.h"

IMPLEMENT_DYNAMIC(CSDlg, CDialog)

BEGIN_MESSAGE_MAP(CSDlg, CDialog)
END_MESSAGE_MAP()

CSDlg::CSDlg(CWnd* pParent) : CDialog(IDD_SDLG, pParent) {}

CSDlg::~CSDlg() {}

void CSDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_LIST_CRAWLER, m_list);
}

BOOL CSDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Esc would end the dialog; a page is never closed by a key.
    if (pMsg && pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CSDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    int nCol = 0;
    for (const PageColumn& column : kCrawlerColumns) {
        m_list.InsertColumn(nCol, column.pszTitle, column.nFormat, column.nWidth, -1);
        ++nCol;
    }
    m_list.SetHeaderHeightFactor(1.5f);
    m_list.SetHeaderFontSize(16, 0);
    m_list.SetHeaderBackColor(100, 255, 100, 8);
    m_list.SetHeaderTitleColor(RGB(255, 200, 100));
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    m_list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    return TRUE;
}
