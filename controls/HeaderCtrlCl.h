// CHeaderCtrlCl: the column header of CListCtrlCl. Paints a vertical colour
// gradient behind every title and behind the room right of the last column,
// draws the titles in a font and colour of its own, and makes itself taller
// than the system proposes by a factor. Configured by its list, which writes
// the public members below.
#pragma once

#include "platform/base/CStringArray.h"
#include "platform/framework/Afxwin.h"
#include "platform/framework/HeaderCtrl.h"

class CHeaderCtrlCl : public CHeaderCtrl {
    DECLARE_DYNAMIC(CHeaderCtrlCl)
public:
    CHeaderCtrlCl();
    ~CHeaderCtrlCl() override;

    CStringArray m_titles;  // one title per column, in insertion order
    CString m_alignDigits;  // one digit per column: '0' left, '1' centre, '2' right
    int m_red;              // base colour of the top pixel row
    int m_green;
    int m_blue;
    int m_gradientStep;     // taken off each part per pixel row, down to 0
    float m_heightFactor;   // applied to the height the system proposes
    int m_fontHeight;       // title font
    int m_fontWidth;
    COLORREF m_textColor;   // title colour

protected:
    // The title font of m_fontHeight and m_fontWidth: made with the header, and
    // again only when a paint finds those changed.
    CFont m_fontTitle;
    int m_nTitleFontHeight = 0; // the size m_fontTitle was made with
    int m_nTitleFontWidth = 0;
    CFont* TitleFont();

    // Fills rows nTop to nBottom (inclusive) of the columns nLeft to nRight with
    // the gradient, one colour per pixel row, starting from the base colour.
    void FillGradient(CDC* pDC, int nLeft, int nRight, int nTop, int nBottom) const;
    void DrawTitle(CDC* pDC, int nItem, const CRect& rtItem);

    void OnPaint();
    LRESULT OnLayout(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
