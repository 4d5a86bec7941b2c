#include "controls/ListRowsCsv.h"

CListRowWalk AllListRows(int nRows)
{
    return [nRows](int nRow) { return nRow + 1 < nRows ? nRow + 1 : -1; };
}

void WriteRowsCsv(CCsvWriter& out, const std::vector<std::string_view>& titles, const CListRowSource& rows,
                  const CListRowWalk& walk)
{
    out.WriteBom();
    for (std::string_view title : titles)
        out.Cell(title);
    out.EndRow();
    const int nColumns = static_cast<int>(titles.size());
    std::string scratch;
    for (int nRow = walk(-1); nRow >= 0; nRow = walk(nRow)) {
        for (int c = 0; c < nColumns; ++c)
            out.Cell(rows.GetCellValue(nRow, c, scratch));
        out.EndRow();
        if (out.Error()) return; // the rest would go nowhere
    }
}

bool AppendRowsText(std::string& out, int nColumns, const CListRowSource& rows, const CListRowWalk& walk,
                    std::size_t nMaxBytes)
{
    const std::size_t nStart = out.size();
    std::string scratch;
    for (int nRow = walk(-1); nRow >= 0; nRow = walk(nRow)) {
        for (int c = 0; c < nColumns; ++c) {
            std::string_view cell = rows.GetCellValue(nRow, c, scratch);
            if (!cell.empty() && cell.back() == '\r') cell.remove_suffix(1);
            if (out.size() - nStart + cell.size() + 3 > nMaxBytes) {
                out.resize(nStart);
                return false;
            }
            if (c > 0) out += '\t';
            const std::size_t nAt = out.size();
            out.append(cell);
            for (std::size_t i = nAt; i < out.size(); ++i)
                if (out[i] == '\t' || out[i] == '\r' || out[i] == '\n') out[i] = ' ';
        }
        out += "\r\n";
    }
    return true;
}
