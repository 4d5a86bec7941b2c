#include "controls/HeaderCtrlCl.h"

#include "platform/framework/AfxMsg.h"
#include "platform/framework/DcStateSaver.h"

#include <cmath>

IMPLEMENT_DYNAMIC(CHeaderCtrlCl, CHeaderCtrl)

namespace {

constexpr int kTitleInset = 3;
// Heights beyond any screen are not laid out.
constexpr float kMaxHeight = 32767.0f;

} // namespace

BEGIN_MESSAGE_MAP(CHeaderCtrlCl, CHeaderCtrl)
    ON_WM_PAINT()
    ON_MESSAGE(HDM_LAYOUT, OnLayout)
END_MESSAGE_MAP()

CHeaderCtrlCl::CHeaderCtrlCl()
    : m_red(171), m_green(199), m_blue(235), m_gradientStep(8), m_heightFactor(1.0f), m_fontHeight(15),
      m_fontWidth(0), m_textColor(0)
{
    TitleFont();
}

CHeaderCtrlCl::~CHeaderCtrlCl()
{
    m_fontTitle.DeleteObject();
}

CFont* CHeaderCtrlCl::TitleFont()
{
    if (!m_fontTitle.GetSafeHandle() || m_nTitleFontHeight != m_fontHeight || m_nTitleFontWidth != m_fontWidth) {
        m_fontTitle.DeleteObject();
        m_fontTitle.CreateFont(m_fontHeight, m_fontWidth, 0, 0, 0, FALSE, FALSE, 0, 0, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
        m_nTitleFontHeight = m_fontHeight;
        m_nTitleFontWidth = m_fontWidth;
    }
    return &m_fontTitle;
}

void CHeaderCtrlCl::FillGradient(CDC* pDC, int nLeft, int nRight, int nTop, int nBottom) const
{
    CRect rtBand(nLeft, nTop, nRight, nTop + 1);
    if (rtBand.IsRectEmpty()) return;
    int r = m_red;
    int g = m_green;
    int b = m_blue;
    for (int y = nTop; y <= nBottom; ++y) {
        pDC->FillSolidRect(&rtBand, RGB(r, g, b));
        r = r - m_gradientStep < 0 ? 0 : r - m_gradientStep;
        g = g - m_gradientStep < 0 ? 0 : g - m_gradientStep;
        b = b - m_gradientStep < 0 ? 0 : b - m_gradientStep;
        rtBand.OffsetRect(0, 1);
    }
}

void CHeaderCtrlCl::DrawTitle(CDC* pDC, int nItem, const CRect& rtItem)
{
    CDCStateSaver state(pDC);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_textColor);
    pDC->SelectObject(TitleFont());

    // A column that did not come through the list's InsertColumn has neither
    // digit nor title: it gets an empty, centred one.
    CRect rtText = rtItem;
    UINT nFormat = DT_CENTER;
    char cDigit = nItem < m_alignDigits.GetLength() ? m_alignDigits[nItem] : '1';
    if (cDigit == '0') {
        nFormat = DT_LEFT;
        rtText.left += kTitleInset;
    } else if (cDigit == '2') {
        nFormat = DT_RIGHT;
        rtText.right -= kTitleInset;
    }

    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    rtText.OffsetRect(0, (rtItem.Height() - tm.tmHeight) / 2);

    CString strTitle = nItem < m_titles.GetSize() ? m_titles.GetAt(nItem) : CString();
    pDC->DrawText(strTitle, &rtText, nFormat);
}

void CHeaderCtrlCl::OnPaint()
{
    CPaintDC dc(this);
    // The gradient's fills leave their colour as the background colour.
    CDCStateSaver state(dc);
    int nCount = GetItemCount();
    for (int i = 0; i < nCount; ++i) {
        CRect rtItem;
        if (!GetItemRect(i, &rtItem)) continue;
        FillGradient(&dc, rtItem.left + 1, rtItem.right, rtItem.top, rtItem.bottom);
        DrawTitle(&dc, i, rtItem);
    }

    // The room right of the last column; a header without columns is all room.
    CRect rtClient;
    GetClientRect(&rtClient);
    CRect rtLast(rtClient.left - 1, rtClient.top, rtClient.left - 1, rtClient.bottom);
    if (nCount > 0 && !GetItemRect(nCount - 1, &rtLast)) return;
    if (rtLast.right + 1 < rtClient.right)
        FillGradient(&dc, rtLast.right + 1, rtClient.right, rtLast.top, rtLast.bottom);
}

LRESULT CHeaderCtrlCl::OnLayout(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CHeaderCtrl::DefWindowProc(HDM_LAYOUT, wParam, lParam);
    auto* pLayout = reinterpret_cast<HDLAYOUT*>(lParam);
    if (!pLayout || !pLayout->pwpos || !pLayout->prc) return lResult;
    float fHeight = static_cast<float>(pLayout->pwpos->cy) * m_heightFactor;
    // A factor that gives no usable height (negative, not a number, huge) is held to the range.
    if (!(fHeight >= 0.0f)) fHeight = 0.0f;
    if (fHeight > kMaxHeight) fHeight = kMaxHeight;
    int nHeight = static_cast<int>(fHeight);
    pLayout->pwpos->cy = nHeight;
    pLayout->prc->top = nHeight;
    return lResult;
}
