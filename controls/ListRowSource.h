// CListRowSource: rows a CListCtrlCl shows without holding them. The list
// asks for a cell's text when it paints or is read, and for a row's colour.
#pragma once

#include "platform/base/Color.h"
#include "platform/base/WinDef.h"

#include <string>
#include <string_view>

class CListRowSource {
public:
    virtual ~CListRowSource() = default;

    // Writes the text of one cell into pszBuffer (nSize bytes, NUL included)
    // and returns its length; a row past the end gives an empty text.
    virtual int GetCellText(int nRow, int nColumn, char* pszBuffer, int nSize) const = 0;
    // The whole text of a cell as the list shows it, less the one space the
    // pages put before a field: what copying and export take. It may lie in
    // scratch, and stays valid until the next call.
    virtual std::string_view GetCellValue(int nRow, int nColumn, std::string& scratch) const
    {
        if (scratch.size() < 256) scratch.resize(256);
        int n = 0;
        for (;;) {
            n = GetCellText(nRow, nColumn, scratch.data(), static_cast<int>(scratch.size()));
            if (n < static_cast<int>(scratch.size()) - 1 || scratch.size() > (1u << 30)) break;
            scratch.resize(scratch.size() * 2);
        }
        std::string_view text(scratch.data(), static_cast<std::size_t>(n < 0 ? 0 : n));
        if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        return text;
    }
    // The background of every cell of a row, when the source colours rows.
    virtual bool GetRowBackColor(int nRow, COLORREF& clr) const
    {
        (void)nRow;
        (void)clr;
        return false;
    }
};
