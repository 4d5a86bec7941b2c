// The painted window frame: caption band, borders, icon, title and the four
// caption buttons, repainted after every message that may have overdrawn it.
#include "app/CorvaneDlg.h"
#include "platform/system/Windows.h"
#include "res/ResourceIds.h"

namespace {

constexpr COLORREF kFrameColor = RGB(187, 200, 143);
constexpr COLORREF kTitleColor = RGB(255, 255, 255);
constexpr int kButtonWidth = 16;
constexpr int kButtonHeight = 15;
constexpr int kButtonGap = 3;
constexpr int kTitleHeight = 30;

enum Button { kClose, kMaxRestore, kMinimize, kHelp, kButtonCount };

} // namespace

UINT CCorvaneDlg::ButtonBitmap(int nButton, BOOL bHover) const
{
    switch (nButton) {
    case kClose: return bHover ? IDB_CLOSE_GREEN : IDB_CLOSE_RED;
    case kMaxRestore:
        if (IsZoomed()) return bHover ? IDB_RESTORE_RED : IDB_RESTORE_GREEN;
        return bHover ? IDB_MAX_RED : IDB_MAX_GREEN;
    case kMinimize: return bHover ? IDB_MIN_RED : IDB_MIN_GREEN;
    default: return bHover ? IDB_HELP_GREEN : IDB_HELP_RED;
    }
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

    CBrush brush;
    brush.CreateSolidBrush(kFrameColor);
    CBrush* pOldBrush = pDC->SelectObject(&brush);

    CRect rtWnd;
    GetWindowRect(&rtWnd);
    const int fx = GetSystemMetrics(SM_CXFRAME);
    const int fy = GetSystemMetrics(SM_CYFRAME);
    const int cs = GetSystemMetrics(SM_CYSIZE);
    const int w = rtWnd.Width();
    const int h = rtWnd.Height();
    CRect rtTitle(fx, fy, w - fx, fy + cs);

    pDC->PatBlt(0, 0, w, cs + fy, PATCOPY);
    pDC->PatBlt(0, 0, fx - 1, h - 1, PATCOPY);
    pDC->PatBlt(0, h - fy, w, fy, PATCOPY);
    pDC->PatBlt(w - fx, 0, fx, h, PATCOPY);

    m_rtIcon.SetRect(fx, fy, fx + 16, fy + 15);
    CWinApp* pApp = AfxGetApp();
    HICON hIcon = pApp ? pApp->LoadIcon(IDR_MAINFRAME) : nullptr;
    if (hIcon)
        DrawIconEx(pDC->GetSafeHdc(), m_rtIcon.left, m_rtIcon.top, hIcon, m_rtIcon.Width(), m_rtIcon.Height(), 0,
                   nullptr, DI_NORMAL);
    m_rtIcon.OffsetRect(rtWnd.TopLeft());

    CDC memDC;
    memDC.CreateCompatibleDC(pDC);
    CBitmap bmp;
    CRect rtButt(rtTitle.right - kButtonWidth, rtTitle.top - 1, rtTitle.right, rtTitle.top - 1 + kButtonHeight);
    CRect* pStored[kButtonCount] = {&m_rtButtExit, &m_rtButtMax, &m_rtButtMin, &m_rtButtHelp};
    for (int i = 0; i < kButtonCount; ++i) {
        if (bmp.LoadBitmap(ButtonBitmap(i, FALSE))) {
            CBitmap* pOldBmp = memDC.SelectObject(&bmp);
            pDC->BitBlt(rtButt.left, rtButt.top, rtButt.Width(), rtButt.Height(), &memDC, 0, 0, SRCCOPY);
            memDC.SelectObject(pOldBmp);
        }
        *pStored[i] = rtButt;
        pStored[i]->OffsetRect(rtWnd.TopLeft());
        bmp.DeleteObject();
        rtButt.right = rtButt.left - kButtonGap;
        rtButt.left = rtButt.right - kButtonWidth;
    }

    int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrOldText = pDC->SetTextColor(kTitleColor);
    CFont font;
    font.CreateFont(18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, FF_SWISS, "Arial");
    CFont* pOldFont = pDC->SelectObject(&font);
    rtTitle.left += m_rtIcon.Width() + 3;
    rtTitle.bottom = rtTitle.top + kTitleHeight;
    CString strTitle;
    GetWindowText(strTitle);
    pDC->DrawText(strTitle, &rtTitle, 0);
    pDC->SetBkMode(nOldMode);
    pDC->SetTextColor(clrOldText);

    pDC->SelectObject(pOldBrush);
    pDC->SelectObject(pOldFont);
    memDC.DeleteDC();
    bmp.DeleteObject();
    font.DeleteObject();
    brush.DeleteObject();
}

void CCorvaneDlg::OnNcMouseMove(UINT nHitTest, CPoint point)
{
    CDC* pDC = GetWindowDC();
    if (pDC) {
        CDC memDC;
        memDC.CreateCompatibleDC(pDC);
        CBitmap bmp;
        CRect rtWnd;
        GetWindowRect(&rtWnd);
        const CRect* pStored[kButtonCount] = {&m_rtButtExit, &m_rtButtMax, &m_rtButtMin, &m_rtButtHelp};
        for (int i = 0; i < kButtonCount; ++i) {
            CRect rtButt = *pStored[i];
            BOOL bHover = rtButt.PtInRect(point);
            if (bmp.LoadBitmap(ButtonBitmap(i, bHover))) {
                rtButt.OffsetRect(-rtWnd.left, -rtWnd.top);
                CBitmap* pOldBmp = memDC.SelectObject(&bmp);
                pDC->BitBlt(rtButt.left, rtButt.top, rtButt.Width(), rtButt.Height(), &memDC, 0, 0, SRCCOPY);
                memDC.SelectObject(pOldBmp);
            }
            bmp.DeleteObject();
        }
        memDC.DeleteDC();
        ReleaseDC(pDC);
    }
    CDialog::OnNcMouseMove(nHitTest, point);
}

void CCorvaneDlg::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
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
