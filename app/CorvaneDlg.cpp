#include "app/CorvaneDlg.h"

#include "app/AboutDlg.h"
#include "pages/FDlg.h"
#include "pages/PageColumns.h"
#include "pages/SDlg.h"
#include "platform/system/Windows.h"
#include "platform/system/dialog/Resource.h"
#include "res/ResourceIds.h"

namespace {

constexpr COLORREF kBackground = RGB(236, 233, 216);
constexpr const char kTitle[] = "Corvane1.0 -- Dalmor";

// The tab titles, in tab order.
constexpr const char* kPageTitles[CCorvaneDlg::kPageCount] = {
    "所有内容(ALL)", "百度记录", "Google记录", "有道记录", "SOSO记录", "搜狗记录", "Bing记录",
};

} // namespace

CCorvaneDlg::CCorvaneDlg(CWnd* pParent) : CDialog(IDD_CORVANE_DIALOG, pParent)
{
    CWinApp* pApp = AfxGetApp();
    m_hIcon = pApp ? pApp->LoadIcon(IDR_MAINFRAME) : nullptr;
    CreateFrameObjects();
}

CCorvaneDlg::~CCorvaneDlg()
{
    for (CDialog*& pPage : m_pPages) {
        delete pPage;
        pPage = nullptr;
    }
    DeleteFrameObjects();
}

void CCorvaneDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TAB, m_tab);
    DDX_Control(pDX, IDC_BUTTON_OPEN, m_btnOpen);
    DDX_Control(pDX, IDC_EDIT_PATH, m_editPath);
}

BEGIN_MESSAGE_MAP(CCorvaneDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_BN_CLICKED(IDC_BUTTON_OPEN, OnOpenFile)
ON_WM_CREATE()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_USER + 1, OnShowAll)
ON_MESSAGE(WM_USER + 2, OnShowBaidu)
ON_MESSAGE(WM_USER + 3, OnShowGoogle)
ON_MESSAGE(WM_USER + 4, OnShowYoudao)
ON_MESSAGE(WM_USER + 5, OnShowSoso)
ON_MESSAGE(WM_USER + 6, OnShowSogou)
ON_MESSAGE(WM_USER + 7, OnShowBing)
ON_WM_CTLCOLOR()
ON_WM_LBUTTONDOWN()
ON_WM_ERASEBKGND()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCMOUSEMOVE()
ON_WM_DROPFILES()
ON_MESSAGE(WM_OPENSTARTFILE, OnOpenStartFile)
END_MESSAGE_MAP()

int CCorvaneDlg::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CDialog::OnCreate(lpCreateStruct) == -1) return -1;
    SetWindowText(kTitle);
    SetRoundRegion(30);
    return 0;
}

void CCorvaneDlg::SetRoundRegion(int nEllipse)
{
    CRect rtWnd;
    GetWindowRect(&rtWnd);
    CRgn rgn;
    if (!rgn.CreateRoundRectRgn(0, 0, rtWnd.Width(), rtWnd.Height(), nEllipse, nEllipse)) return;
    // The window owns the region once it is set.
    if (SetWindowRgn(static_cast<HRGN>(rgn), TRUE)) rgn.Detach();
}

BOOL CCorvaneDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // IDM_ABOUTBOX must be in the system command range.
    static_assert((IDM_ABOUTBOX & 0xFFF0) == IDM_ABOUTBOX && IDM_ABOUTBOX < 0xF000);
    CMenu* pSysMenu = GetSystemMenu(FALSE);
    if (pSysMenu) {
        char szAbout[256] = {};
        LoadString(AfxGetInstanceHandle(), IDS_ABOUTBOX, szAbout, sizeof szAbout);
        if (szAbout[0] != '\0') {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, szAbout);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_tab.m_bAnimate = 1;
    m_tab.m_nStep = 30;
    for (int i = 0; i < kPageCount; ++i) {
        CDialog* pPage = nullptr;
        UINT nTemplate = 0;
        if (i == 0) {
            pPage = new CFDlg();
            nTemplate = IDD_FDLG;
        } else {
            pPage = new CSDlg();
            nTemplate = IDD_SDLG;
        }
        m_pPages[i] = pPage;
        pPage->Create(nTemplate, &m_tab);
        CListCtrlCl& list = i == 0 ? static_cast<CFDlg*>(pPage)->m_list : static_cast<CSDlg*>(pPage)->m_list;
        list.m_strExportName = CString(kPageExportNames[i]) + ".csv";
        m_tab.AddPage(pPage, kPageTitles[i]);
    }
    m_tab.SetNotifyWnd(m_hWnd);
    m_bLoaded = FALSE;

    DragAcceptFiles();
    // Posted, so the window is up before the load (and any report of it) runs.
    if (!m_strStartFile.IsEmpty()) PostMessage(WM_OPENSTARTFILE);
    return TRUE;
}

void CCorvaneDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg dlgAbout;
        dlgAbout.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CCorvaneDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        int cxIcon = GetSystemMetrics(SM_CXICON);
        int cyIcon = GetSystemMetrics(SM_CYICON);
        CRect rect;
        GetClientRect(&rect);
        int x = (rect.Width() - cxIcon + 1) / 2;
        int y = (rect.Height() - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        CDialog::OnPaint();
    }
}

HCURSOR CCorvaneDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

HBRUSH CCorvaneDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CCorvaneDlg::OnLButtonDown(UINT nFlags, CPoint point)
{
    // The system's move loop, as if the caption had been grabbed; it returns on release.
    SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    CDialog::OnLButtonDown(nFlags, point);
}

BOOL CCorvaneDlg::OnEraseBkgnd(CDC* pDC)
{
    BOOL bResult = CDialog::OnEraseBkgnd(pDC);
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, kBackground);
    return bResult;
}

BOOL CCorvaneDlg::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Esc never close the window, nor reach the control with the focus.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}
