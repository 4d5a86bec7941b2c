// The painted window frame: caption band, borders, icon, title and the four
// caption buttons, repainted after every message that may have overdrawn it.
// Painting, hover and clicks take the icon and buttons from one layout.
#include "app/CorvaneDlg.h"
#include "platform/framework/DcStateSaver.h"
#include "platform/system/Windows.h"
#include "res/ResourceIds.h"

namespace {

constexpr COLORREF kFrameColor = RGB(187, 200, 143);
constexpr COLORREF kTitleColor = RGB(255, 255, 255);
constexpr int kIconWidth = 16;
constexpr int kIconHeight = 15;
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
constexpr int kButtonGap = 3;
constexpr int kTitleGap = 3;
constexpr int kTitleHeight = 30;

} // namespace

void CCorvaneDlg::CreateFrameObjects()
{
    m_brFrame.CreateSolidBrush(kFrameColor);
    m_fontTitle.CreateFont(18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
}

void CCorvaneDlg::DeleteFrameObjects()
{
    m_fontTitle.DeleteObject();
    m_brFrame.DeleteObject();
}

UINT CCorvaneDlg::ButtonBitmap(int nButton, BOOL bHover) const
{
    switch (nButton) {
    case kCaptionClose: return bHover ? IDB_CLOSE_GREEN : IDB_CLOSE_RED;
    case kCaptionMaxRestore:
        if (IsZoomed()) return bHover ? IDB_RESTORE_RED : IDB_RESTORE_GREEN;
        return bHover ? IDB_MAX_RED : IDB_MAX_GREEN;
    case kCaptionMinimize: return bHover ? IDB_MIN_RED : IDB_MIN_GREEN;
    default: return bHover ? IDB_HELP_GREEN : IDB_HELP_RED;
    }
}

CRect CCorvaneDlg::CaptionPartRect(int nPart, const CRect& rtWnd)
{
    const int fx = GetSystemMetrics(SM_CXFRAME);
    const int fy = GetSystemMetrics(SM_CYFRAME);
    if (nPart == kCaptionIcon) return CRect(fx, fy, fx + kIconWidth, fy + kIconHeight);
    // The buttons from the right frame edge leftwards, a pixel above the caption's top.
    const int right = rtWnd.Width() - fx - nPart * (kButtonWidth + kButtonGap);
    return CRect(right - kButtonWidth, fy - 1, right, fy - 1 + kButtonHeight);
}

CRect CCorvaneDlg::LayoutCaption()
{
    CRect rtWnd;
    GetWindowRect(&rtWnd);
    CRect* pStored[kCaptionPartCount] = {&m_rtButtExit, &m_rtButtMax, &m_rtButtMin, &m_rtButtHelp, &m_rtIcon};
    for (int i = 0; i < kCaptionPartCount; ++i) {
        *pStored[i] = CaptionPartRect(i, rtWnd);
        pStored[i]->OffsetRect(rtWnd.TopLeft());
    }
    return rtWnd;
}

void CCorvaneDlg::DrawCaptionButtons(CDC* pDC, const CRect& rtWnd, const CPoint* pHover)
{
    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap bmp;
    for (int i = 0; i < kCaptionButtonCount; ++i) {
        CRect rtButt = CaptionPartRect(i, rtWnd);
        CRect rtScreen = rtButt;
        rtScreen.OffsetRect(rtWnd.TopLeft());
        BOOL bHover = pHover && rtScreen.PtInRect(*pHover);
        if (bmp.LoadBitmap(ButtonBitmap(i, bHover))) {
            CDCStateSaver memState(memDC);
            memDC.SelectObject(&bmp);
            pDC->BitBlt(rtButt.left, rtButt.top, rtButt.Width(), rtButt.Height(), &memDC, 0, 0, SRCCOPY);
        }
        bmp.DeleteObject();
    }
    memDC.DeleteDC();
}

LRESULT CCorvaneDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CDialog::DefWindowProc(message, wParam, lParam);
    if (!::IsWindow(m_hWnd)) return lResult;
    if (message == WM_MOVE || message == WM_PAINT || message == WM_NCPAINT || message == WM_NCACTIVATE ||
        message == WM_NOTIFY) {
        CDC* pDC = GetWindowDC();
        if (pDC) {
            try {
                DrawTitleBar(pDC);
            } catch (CException* e) {
                e->Delete();
            }
            ReleaseDC(pDC);
        }
    }
    return lResult;
}

void CCorvaneDlg::DrawTitleBar(CDC* pDC)
{
    if (!m_hWnd) return;
    CDCStateSaver state(pDC);
    const CRect rtWnd = LayoutCaption();
    const int fx = GetSystemMetrics(SM_CXFRAME);
    const int fy = GetSystemMetrics(SM_CYFRAME);
    const int cs = GetSystemMetrics(SM_CYSIZE);
    const int w = rtWnd.Width();
    const int h = rtWnd.Height();

    pDC->SelectObject(&m_brFrame);
    pDC->PatBlt(0, 0, w, cs + fy, PATCOPY);
    pDC->PatBlt(0, 0, fx - 1, h - 1, PATCOPY);
    pDC->PatBlt(0, h - fy, w, fy, PATCOPY);
    pDC->PatBlt(w - fx, 0, fx, h, PATCOPY);

    const CRect rtIcon = CaptionPartRect(kCaptionIcon, rtWnd);
    CWinApp* pApp = AfxGetApp();
    HICON hIcon = pApp ? pApp->LoadIcon(IDR_MAINFRAME) : nullptr;
    if (hIcon)
        DrawIconEx(pDC->GetSafeHdc(), rtIcon.left, rtIcon.top, hIcon, rtIcon.Width(), rtIcon.Height(), 0, nullptr,
                   DI_NORMAL);

    DrawCaptionButtons(pDC, rtWnd, nullptr);

    // The title reaches the right frame edge, over the buttons when it is long enough.
    CRect rtTitle(rtIcon.left + rtIcon.Width() + kTitleGap, fy, w - fx, fy + kTitleHeight);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(kTitleColor);
    pDC->SelectObject(&m_fontTitle);
    CString strTitle;
    GetWindowText(strTitle);
    pDC->DrawText(strTitle, &rtTitle, 0);
}

void CCorvaneDlg::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    const CRect rtWnd = LayoutCaption();
    CDC* pDC = GetWindowDC();
    if (pDC) {
        DrawCaptionButtons(pDC, rtWnd, &point);
        ReleaseDC(pDC);
    }
    CDialog::OnNcMouseMove(nHitTest, point);
}

void CCorvaneDlg::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    LayoutCaption();
    const LPARAM lPoint = MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y));
    if (m_rtButtExit.PtInRect(point)) {
        SendMessage(WM_CLOSE, 0, 0);
    } else if (m_rtButtMin.PtInRect(point)) {
        SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, lPoint);
    } else if (m_rtButtMax.PtInRect(point)) {
        SendMessage(WM_SYSCOMMAND, IsZoomed() ? SC_RESTORE : SC_MAXIMIZE, lPoint);
        SetRoundRegion(5);
        Invalidate(TRUE);
    } else if (m_rtButtHelp.PtInRect(point)) {
        SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, lPoint);
    } else if (!IsZoomed()) {
        // Dragging by the caption is the default processing's.
        CDialog::OnNcLButtonDown(nHitTest, point);
    }
}
