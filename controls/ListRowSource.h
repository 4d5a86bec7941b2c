// CListRowSource: rows a CListCtrlCl shows without holding them. The list
// asks for a cell's text when it paints or is read, and for a row's colour.
#pragma once

#include "platform/base/Color.h"
#include "platform/base/WinDef.h"

class CListRowSource {
public:
    virtual ~CListRowSource() = default;

    // Writes the text of one cell into pszBuffer (nSize bytes, NUL included)
    // and returns its length; a row past the end gives an empty text.
    virtual int GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const = 0;
    // The background of every cell of a row, when the source colours rows.
    virtual bool GetRowBackColor(int nRow, COLORREF& clr) const
    {
        (void)nRow;
        (void)clr;
        return false;
    }
};
