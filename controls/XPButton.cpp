#include "controls/XPButton.h"

#include "controls/TrackMouse.h"
#include "platform/framework/AfxMsg.h"
#include "platform/framework/DcStateSaver.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>

namespace {

constexpr int kBands = 64;
constexpr int kCaptionMax = 260;

// Band i of the face: red and green fall by i / 3 (i / 4 while hovered), blue by the
// divisor the look gives it.
COLORREF FaceBand(int i, BOOL bOver, BOOL bActive)
{
    int nRedGreen = 255 - i / (bOver ? 4 : 3);
    int nBlue = 255 - i / (bOver ? (bActive ? 3 : 5) : (bActive ? 4 : 5));
    return RGB(nRedGreen, nRedGreen, nBlue);
}

} // namespace

BEGIN_MESSAGE_MAP(CXPButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CXPButton::CXPButton() : m_bOver(FALSE), m_bTracking(FALSE), m_bFocus(FALSE), m_bActive(FALSE)
{
    m_penBorder.CreatePen(PS_INSIDEFRAME, 1, RGB(55, 98, 6));
    m_penHoverLeft.CreatePen(PS_INSIDEFRAME, 5, RGB(159, 175, 127));
    m_penHoverRight.CreatePen(PS_INSIDEFRAME, 5, RGB(160, 180, 130));
    m_penHoverTop.CreatePen(PS_INSIDEFRAME, 3, RGB(161, 190, 143));
    m_penHoverBottom.CreatePen(PS_INSIDEFRAME, 3, RGB(150, 155, 0));
    m_penFocusLeft.CreatePen(PS_INSIDEFRAME, 5, RGB(153, 198, 252));
    m_penFocusRight.CreatePen(PS_INSIDEFRAME, 5, RGB(162, 189, 252));
    m_penFocusTop.CreatePen(PS_INSIDEFRAME, 2, RGB(162, 201, 255));
    m_penFocusBottom.CreatePen(PS_INSIDEFRAME, 2, RGB(162, 201, 255));
}

CXPButton::~CXPButton()
{
    m_penBorder.DeleteObject();
    m_penHoverLeft.DeleteObject();
    m_penHoverRight.DeleteObject();
    m_penHoverTop.DeleteObject();
    m_penHoverBottom.DeleteObject();
    m_penFocusLeft.DeleteObject();
    m_penFocusRight.DeleteObject();
    m_penFocusTop.DeleteObject();
    m_penFocusBottom.DeleteObject();
}

void CXPButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    ModifyStyle(0, BS_OWNERDRAW, 0);
    CRect rt;
    GetClientRect(&rt);
    CRgn rgn;
    if (rgn.CreateRoundRectRgn(rt.left, rt.top, rt.right, rt.bottom, 5, 5)) {
        // The window owns the region from here on.
        if (SetWindowRgn(static_cast<HRGN>(rgn.m_hObject), TRUE)) rgn.Detach();
    }
}

void CXPButton::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bTracking) m_bTracking = TrackHoverAndLeave(m_hWnd);
    CButton::OnMouseMove(nFlags, point);
}

LRESULT CXPButton::OnMouseHover(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bOver = TRUE;
    Invalidate();
    return 0;
}

LRESULT CXPButton::OnMouseLeave(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bOver = FALSE;
    m_bTracking = FALSE;
    Invalidate();
    return 0;
}

BOOL CXPButton::OnEraseBkgnd(CDC* /*pDC*/)
{
    return TRUE;
}

void CXPButton::DrawItem(DRAWITEMSTRUCT* lpDrawItemStruct)
{
    if (!lpDrawItemStruct) return;
    CRect rt(lpDrawItemStruct->rcItem);
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC) return;
    UINT nState = lpDrawItemStruct->itemState;
    CDCStateSaver state(pDC);

    char szText[kCaptionMax] = {};
    GetWindowText(szText, kCaptionMax);

    {
        // The border's inside keeps whatever brush the DC holds.
        CDCStateSaver border(pDC);
        pDC->SelectObject(&m_penBorder);
        pDC->RoundRect(&lpDrawItemStruct->rcItem, CPoint(3, 3));
    }
    m_bFocus = m_bActive = (nState & ODS_FOCUS) ? TRUE : FALSE;
    if (nState & (ODS_SELECTED | ODS_DEFAULT)) m_bActive = TRUE;

    rt.DeflateRect(GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
    DrawFace(pDC, &rt);
    if (m_bOver || m_bFocus) DrawFrame(pDC, &rt);

    // The caption in the button's font, in whatever text colour the DC holds.
    if (CFont* pFont = GetFont()) pDC->SelectObject(pFont);
    CSize sz = pDC->GetTextExtent(szText, lstrlenA(szText));
    CPoint pt = rt.CenterPoint();
    pt.x -= sz.cx / 2;
    pt.y -= sz.cy / 2;
    if (nState & ODS_SELECTED) pt.Offset(1, 1);
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawState(pt, sz, szText, (nState & ODS_DISABLED) ? DSS_DISABLED : DSS_NORMAL, TRUE, 0,
                   static_cast<CBrush*>(nullptr));
}

void CXPButton::DrawFace(CDC* pDC, const CRect* pRect)
{
    if (!pDC || !pRect) return;
    int nWidth = pRect->Width();
    int nHeight = pRect->Height();
    // A face with no height has no gradient to spread.
    if (nHeight <= 0) return;
    // Each row is filled with its band's colour, which the fill leaves as the
    // background colour: the saver puts the DC's own back.
    CDCStateSaver state(pDC);
    for (int y = pRect->top; y <= nHeight + 2; ++y) {
        // Rows below a short face would pass the last band; they keep it.
        int nBand = std::clamp(y * (kBands - 1) / nHeight, 0, kBands - 1);
        CRect rtRow(pRect->left, y, nWidth + 2, y + 1);
        if (!rtRow.IsRectEmpty()) pDC->FillSolidRect(&rtRow, FaceBand(nBand, m_bOver, m_bActive));
    }
}

void CXPButton::DrawFrame(CDC* pDC, const CRect* pRect)
{
    if (!pDC || !pRect) return;
    BOOL bFocusLook = m_bFocus && !m_bOver;
    CPen* pLeft = bFocusLook ? &m_penFocusLeft : &m_penHoverLeft;
    CPen* pRight = bFocusLook ? &m_penFocusRight : &m_penHoverRight;
    CPen* pTop = bFocusLook ? &m_penFocusTop : &m_penHoverTop;
    CPen* pBottom = bFocusLook ? &m_penFocusBottom : &m_penHoverBottom;
    int l = pRect->left, t = pRect->top, r = pRect->right, b = pRect->bottom;

    {
        // The pens and the current position go back when the lines are drawn.
        CDCStateSaver state(pDC);
        pDC->MoveTo(l, b - 1);
        pDC->SelectObject(pLeft);
        pDC->LineTo(l, t + 1);

        pDC->SelectObject(pRight);
        pDC->MoveTo(r - 1, b - 1);
        pDC->LineTo(r - 1, t);

        pDC->SelectObject(pTop);
        pDC->MoveTo(l - 1, t);
        pDC->LineTo(r - 1, t);

        pDC->SelectObject(pBottom);
        pDC->MoveTo(l, b);
        pDC->LineTo(r - 1, b);
    }
    if (bFocusLook) pDC->DrawFocusRect(pRect);
}
