// CListCtrlCl: a report list that paints every row itself, so each cell can
// carry its own background and text colour, under a CHeaderCtrlCl header.
// Colours fall back cell -> column -> list default; for any cell or column the
// colour recorded first stays in force.
#pragma once

#include "controls/HeaderCtrlCl.h"
#include "controls/ListCtrlClColors.h"
#include "controls/ListRowSource.h"
#include "platform/framework/Afxwin.h"
#include "platform/framework/ListCtrl.h"

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

class CListCtrlCl : public CListCtrl {
    DECLARE_DYNAMIC(CListCtrlCl)
public:
    CListCtrlCl();
    ~CListCtrlCl() override;

    CHeaderCtrlCl m_header; // takes over the list's own header when the list is attached

    // Records the title and alignment digit for the header, then inserts the
    // list column with the arguments unchanged. Call with indexes 0, 1, 2, ...
    using CListCtrl::InsertColumn;
    int InsertColumn(int nCol, LPCSTR lpszColumnHeading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);

    void SetColumnBackColor(int nColumn, COLORREF clr);
    void SetCellBackColor(int nColumn, int nRow, COLORREF clr);
    void SetColumnTextColor(int nColumn, COLORREF clr);
    void SetCellTextColor(int nColumn, int nRow, COLORREF clr);
    bool FindColumnBackColor(int nColumn, COLORREF& clr) const;
    bool FindCellBackColor(int nColumn, int nRow, COLORREF& clr) const;
    bool FindColumnTextColor(int nColumn, COLORREF& clr) const;
    bool FindCellTextColor(int nColumn, int nRow, COLORREF& clr) const;
    // Forgets every cell colour (background and text), so a refilled list
    // shows only the colours of its new rows. Column colours stay.
    void RemoveAllCellColors();
    // Cell colours recorded now, background and text together.
    std::size_t GetCellColorCount() const;

    // Shows nRows rows of pSource in place of stored ones: the list keeps no
    // text, so a row costs one byte whatever its size. The list owns the
    // source; null goes back to stored rows (none).
    BOOL SetRowSource(std::unique_ptr<CListRowSource> pSource, int nRows);
    const CListRowSource* GetRowSource() const { return m_pRowSource.get(); }

    // Taking rows out: Ctrl+A, Ctrl+C and the context menu (right button, the
    // menu key, Shift+F10) call these. Cells are taken whole from the rows'
    // source as they go out, less the space the pages put before a field.
    // Selects every row; one byte a row, however many there are.
    void SelectAllRows();
    // Puts the selected rows on the clipboard, one tab-separated line a row.
    // FALSE when none is selected, or (with a message) when they are too many.
    BOOL CopySelectedRows();
    // Writes the rows as CSV to lpszPath (code page 936): the selected ones when
    // several are selected, else all, under the column titles. The file is
    // written whole or not at all; FALSE with the reason in strError.
    BOOL ExportRowsCsv(LPCSTR lpszPath, CString& strError);
    // Asks for a file with the save dialog, then exports; a failure is shown.
    void ExportRowsWithDialog();
    // The file name the save dialog proposes.
    CString m_strExportName = "rows.csv";

    // Stores the row height and makes the list measure its rows again.
    void SetRowHeight(int nHeight);
    BOOL SetDefaultTextColor(COLORREF clr);
    void SetCellFontSize(int nHeight, int nWidth);

    void SetHeaderBackColor(int nRed, int nGreen, int nBlue, int nGradientStep);
    void SetHeaderHeightFactor(float fFactor);
    void SetHeaderFontSize(int nHeight, int nWidth);
    void SetHeaderTitleColor(COLORREF clr);

    int m_nRowHeight; // > 0: the height handed out when rows are measured

protected:
    CListColorMap m_columnBackColors; // keyed by column alone (row 0)
    CListColorMap m_cellBackColors;
    CListColorMap m_columnTextColors;
    CListColorMap m_cellTextColors;
    COLORREF m_textColor; // default text colour of every cell
    int m_fontHeight;     // cell font
    int m_fontWidth;
    CFont m_fontCell;     // made from the two above, again when they change
    void CreateCellFont();

    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    // Fills a cell with its background (highlight, list, column, cell colour in
    // turn) and sets its text colour the same way; the DC keeps the last fill's colour.
    void FillCell(CDC* pDC, const CRect& rtFill, int nColumn, int nRow, bool bSelected);
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    void OnGetDispInfo(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnContextMenu(CWnd* pWnd, CPoint point);

    // The source the rows are read from: the list's own, or its stored cells.
    const CListRowSource& RowsForExport() const;
    std::vector<std::string_view> ColumnTitles() const;
    // The rows an export or a copy takes, in list order.
    std::function<int(int)> SelectedRowWalk() const;
    std::unique_ptr<CListRowSource> m_pStoredRows;

    std::unique_ptr<CListRowSource> m_pRowSource;

    DECLARE_MESSAGE_MAP()
};
