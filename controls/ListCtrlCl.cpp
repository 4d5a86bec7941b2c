#include "controls/ListCtrlCl.h"

#include "platform/framework/AfxMsg.h"
#include "platform/framework/DcStateSaver.h"
#include "platform/system/window/SysMetrics.h"

IMPLEMENT_DYNAMIC(CListCtrlCl, CListCtrl)

namespace {

// Column 0's fill reaches this far left of its label, over the list's margin.
constexpr int kFirstColumnMargin = 2;
constexpr int kCellTextBuffer = 256;
constexpr UINT kRemeasureFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;

UINT CellAlignment(const CString& strDigits, int nColumn)
{
    // Columns without a digit (not inserted through InsertColumn) are centred.
    char cDigit = nColumn >= 0 && nColumn < strDigits.GetLength() ? strDigits[nColumn] : '1';
    switch (cDigit) {
    case '0': return DT_LEFT;
    case '2': return DT_RIGHT;
    default: return DT_CENTER;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CListCtrlCl, CListCtrl)
    ON_WM_MEASUREITEM()
    ON_WM_MEASUREITEM_REFLECT()
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, OnGetDispInfo)
    ON_WM_KEYDOWN()
    ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

CListCtrlCl::CListCtrlCl() : m_nRowHeight(0), m_textColor(0), m_fontHeight(12), m_fontWidth(0)
{
    CreateCellFont();
}

CListCtrlCl::~CListCtrlCl()
{
    m_fontCell.DeleteObject();
}

void CListCtrlCl::CreateCellFont()
{
    m_fontCell.DeleteObject();
    m_fontCell.CreateFont(m_fontHeight, m_fontWidth, 0, 0, 0, FALSE, FALSE, 0, 0, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "宋体");
}

void CListCtrlCl::PreSubclassWindow()
{
    ModifyStyle(0, LVS_OWNERDRAWFIXED);
    CListCtrl::PreSubclassWindow();
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader && pHeader->GetSafeHwnd() && !m_header.GetSafeHwnd()) m_header.SubclassWindow(pHeader->GetSafeHwnd());
}

int CListCtrlCl::InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat, int nWidth, int nSubItem)
{
    m_header.m_titles.Add(CString(lpszColumnHeading ? lpszColumnHeading : ""));
    switch (nFormat) {
    case LVCFMT_LEFT: m_header.m_alignDigits += "0"; break;
    case LVCFMT_CENTER: m_header.m_alignDigits += "1"; break;
    case LVCFMT_RIGHT: m_header.m_alignDigits += "2"; break;
    default: m_header.m_alignDigits += "1"; break;
    }
    return CListCtrl::InsertColumn(nCol, lpszColumnHeading, nFormat, nWidth, nSubItem);
}

void CListCtrlCl::SetColumnBackColor(int nColumn, COLORREF clr) { m_columnBackColors.Add(0, nColumn, clr); }
void CListCtrlCl::SetCellBackColor(int nColumn, int nRow, COLORREF clr) { m_cellBackColors.Add(nRow, nColumn, clr); }
void CListCtrlCl::SetColumnTextColor(int nColumn, COLORREF clr) { m_columnTextColors.Add(0, nColumn, clr); }
void CListCtrlCl::SetCellTextColor(int nColumn, int nRow, COLORREF clr) { m_cellTextColors.Add(nRow, nColumn, clr); }

bool CListCtrlCl::FindColumnBackColor(int nColumn, COLORREF& clr) const
{
    return m_columnBackColors.Lookup(0, nColumn, clr);
}

bool CListCtrlCl::FindCellBackColor(int nColumn, int nRow, COLORREF& clr) const
{
    if (m_cellBackColors.Lookup(nRow, nColumn, clr)) return true;
    return m_pRowSource && nRow >= 0 && nRow < GetItemCount() && m_pRowSource->GetRowBackColor(nRow, clr);
}

BOOL CListCtrlCl::SetRowSource(std::unique_ptr<CListRowSource> pSource, int nRows)
{
    if (!m_hWnd) return FALSE;
    DeleteAllItems();
    m_pRowSource = std::move(pSource);
    if (!m_pRowSource) {
        ModifyStyle(LVS_OWNERDATA, 0);
        return TRUE;
    }
    ModifyStyle(0, LVS_OWNERDATA);
    return SetItemCount(nRows < 0 ? 0 : nRows);
}

void CListCtrlCl::OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    *pResult = 0;
    if (!pInfo || !(pInfo->item.mask & LVIF_TEXT) || !pInfo->item.pszText || pInfo->item.cchTextMax <= 0) return;
    pInfo->item.pszText[0] = '\0';
    if (m_pRowSource)
        m_pRowSource->GetCellText(pInfo->item.iItem, pInfo->item.iSubItem, pInfo->item.pszText, pInfo->item.cchTextMax);
}

bool CListCtrlCl::FindColumnTextColor(int nColumn, COLORREF& clr) const
{
    return m_columnTextColors.Lookup(0, nColumn, clr);
}

bool CListCtrlCl::FindCellTextColor(int nColumn, int nRow, COLORREF& clr) const
{
    return m_cellTextColors.Lookup(nRow, nColumn, clr);
}

void CListCtrlCl::RemoveAllCellColors()
{
    m_cellBackColors.RemoveAll();
    m_cellTextColors.RemoveAll();
}

std::size_t CListCtrlCl::GetCellColorCount() const
{
    return m_cellBackColors.GetCount() + m_cellTextColors.GetCount();
}

void CListCtrlCl::SetRowHeight(int nHeight)
{
    m_nRowHeight = nHeight;
    if (!m_hWnd) return;
    CRect rtWindow;
    GetWindowRect(&rtWindow);
    WINDOWPOS wp{};
    wp.hwnd = m_hWnd;
    wp.cx = rtWindow.Width();
    wp.cy = rtWindow.Height();
    wp.flags = kRemeasureFlags;
    SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
}

BOOL CListCtrlCl::SetDefaultTextColor(COLORREF clr)
{
    m_textColor = clr;
    return TRUE;
}

void CListCtrlCl::SetCellFontSize(int nHeight, int nWidth)
{
    m_fontHeight = nHeight;
    m_fontWidth = nWidth;
    CreateCellFont();
}

void CListCtrlCl::SetHeaderBackColor(int nRed, int nGreen, int nBlue, int nGradientStep)
{
    m_header.m_red = nRed;
    m_header.m_green = nGreen;
    m_header.m_blue = nBlue;
    m_header.m_gradientStep = nGradientStep;
}

void CListCtrlCl::SetHeaderHeightFactor(float fFactor) { m_header.m_heightFactor = fFactor; }

void CListCtrlCl::SetHeaderFontSize(int nHeight, int nWidth)
{
    m_header.m_fontHeight = nHeight;
    m_header.m_fontWidth = nWidth;
}

void CListCtrlCl::SetHeaderTitleColor(COLORREF clr) { m_header.m_textColor = clr; }

void CListCtrlCl::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && m_nRowHeight > 0) lpMeasureItemStruct->itemHeight = static_cast<UINT>(m_nRowHeight);
}

void CListCtrlCl::FillCell(CDC* pDC, const CRect& rtFill, int nColumn, int nRow, bool bSelected)
{
    if (bSelected) {
        pDC->FillSolidRect(&rtFill, ::GetSysColor(COLOR_HIGHLIGHT));
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        return;
    }
    COLORREF clr = 0;
    pDC->FillSolidRect(&rtFill, GetBkColor());
    if (FindColumnBackColor(nColumn, clr)) pDC->FillSolidRect(&rtFill, clr);
    if (FindCellBackColor(nColumn, nRow, clr)) pDC->FillSolidRect(&rtFill, clr);
    COLORREF clrText = m_textColor;
    if (FindColumnTextColor(nColumn, clr)) clrText = clr;
    if (FindCellTextColor(nColumn, nRow, clr)) clrText = clr;
    pDC->SetTextColor(clrText);
}

void CListCtrlCl::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (!lpDrawItemStruct) return;
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (!pDC) return;
    int nItem = static_cast<int>(lpDrawItemStruct->itemID);
    bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    // Fonts and colours change cell by cell; the DC leaves as it came.
    CDCStateSaver state(pDC);

    LVCOLUMN lvc{};
    lvc.mask = LVCF_FMT | LVCF_WIDTH;
    for (int k = 0; GetColumn(k, &lvc); ++k) {
        CRect rtCell;
        if (!GetSubItemRect(nItem, k, LVIR_LABEL, rtCell)) continue;
        char szText[kCellTextBuffer];
        szText[0] = '\0';
        GetItemText(nItem, k, szText, kCellTextBuffer);

        CRect rtFill = rtCell;
        if (k == 0) rtFill.left -= kFirstColumnMargin;
        FillCell(pDC, rtFill, k, nItem, bSelected);

        pDC->SelectStockObject(DEFAULT_GUI_FONT);
        UINT nFormat = CellAlignment(m_header.m_alignDigits, k);
        // Centred by the stock font's height, though the text is drawn in the cell font.
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        CRect rtText = rtCell;
        rtText.OffsetRect(0, (rtCell.Height() - tm.tmHeight) / 2);

        pDC->SelectObject(&m_fontCell);
        pDC->DrawText(szText, -1, &rtText, nFormat);
    }
}
