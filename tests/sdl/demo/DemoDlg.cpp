#include "tests/sdl/demo/DemoDlg.h"

#include "platform/system/controls/button/Button.h"
#include "platform/system/controls/edit/Edit.h"
#include "platform/system/dialog/Resource.h"

#include <cstdio>

BEGIN_MESSAGE_MAP(CDemoDlg, CDialog)
ON_BN_CLICKED(IDC_DEMO_FILL, OnFill)
ON_WM_TIMER()
END_MESSAGE_MAP()

void RegisterDemoTemplate()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT;
    t.cx = 200;
    t.cy = 60;
    t.caption = "Corvane demo dialog";
    t.pointSize = 9;
    t.faceName = "MS Sans Serif";
    t.items = {
        {.className = "Edit",
         .text = "",
         .id = IDC_DEMO_EDIT,
         .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL,
         .x = 7,
         .y = 7,
         .cx = 130,
         .cy = 14},
        {.className = "Button",
         .text = "Fill",
         .id = IDC_DEMO_FILL,
         .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
         .x = 143,
         .y = 7,
         .cx = 50,
         .cy = 14},
        {.className = "Button",
         .text = "Close",
         .id = IDOK,
         .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON,
         .x = 143,
         .y = 39,
         .cx = 50,
         .cy = 14},
    };
    sys::RegisterDialogTemplate(IDD_DEMO, t);
}

BOOL CDemoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A fixed place, so a screenshot knows where to look.
    SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CRect rtWindow, rtClient;
    GetWindowRect(&rtWindow);
    GetClientRect(&rtClient);
    ClientToScreen(&rtClient);
    std::printf("window %ld %ld %ld %ld\n", static_cast<long>(rtWindow.left), static_cast<long>(rtWindow.top),
                static_cast<long>(rtWindow.right), static_cast<long>(rtWindow.bottom));
    std::printf("client %ld %ld %ld %ld\n", static_cast<long>(rtClient.left), static_cast<long>(rtClient.top),
                static_cast<long>(rtClient.right), static_cast<long>(rtClient.bottom));
    ReportItem("edit", IDC_DEMO_EDIT);
    ReportItem("fill", IDC_DEMO_FILL);
    ReportItem("close", IDOK);
    SetTimer(1, 100, nullptr);
    std::printf("ready\n");
    std::fflush(stdout);
    return TRUE;
}

void CDemoDlg::ReportItem(const char* pszName, int nID) const
{
    CRect rt;
    GetDlgItem(nID)->GetWindowRect(&rt);
    std::printf("%s %ld %ld %ld %ld\n", pszName, static_cast<long>(rt.left), static_cast<long>(rt.top),
                static_cast<long>(rt.right), static_cast<long>(rt.bottom));
}

void CDemoDlg::OnFill()
{
    SetDlgItemText(IDC_DEMO_EDIT, "filled");
    std::printf("fill clicked\n");
    std::fflush(stdout);
}

void CDemoDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == 1) ++m_nTicks;
}

void CDemoDlg::ReportEnd(const char* pszHow)
{
    KillTimer(1);
    CString strText;
    GetDlgItemText(IDC_DEMO_EDIT, strText);
    CRect rtWindow;
    GetWindowRect(&rtWindow);
    std::printf("moved to %ld %ld\n", static_cast<long>(rtWindow.left), static_cast<long>(rtWindow.top));
    std::printf("text [%s]\n", static_cast<LPCSTR>(strText));
    std::printf("ticks %d\n", m_nTicks);
    std::printf("%s\n", pszHow);
    std::fflush(stdout);
}

void CDemoDlg::OnOK()
{
    ReportEnd("closed");
    CDialog::OnOK();
}

void CDemoDlg::OnCancel()
{
    ReportEnd("cancelled");
    CDialog::OnCancel();
}
