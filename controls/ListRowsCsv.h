// The rows of a list's source taken out of the program: written as CSV (an
// export) or as tab-separated lines (the clipboard). Cells are what the list
// shows, less the space the pages put before a field, read from the source
// as they are written, so taking a page out costs no copy of it.
#pragma once

#include "analysis/CsvExport.h"
#include "controls/ListRowSource.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The row after nRow (nRow -1 asks for the first); -1 when none is left.
using CListRowWalk = std::function<int(int nRow)>;

// Rows 0 to nRows - 1.
CListRowWalk AllListRows(int nRows);

// The titles as a header row, then nColumns cells of every row walked.
void WriteRowsCsv(CCsvWriter& out, const std::vector<std::string_view>& titles, const CListRowSource& rows,
                  const CListRowWalk& walk);

// Appends every row walked as one line of tab-separated cells ended by CR LF.
// A tab, CR or LF inside a cell becomes a space (a CR ending it is dropped),
// so pasting gives one row a line and one cell a column. False, with out as
// it was, once the text would pass nMaxBytes.
bool AppendRowsText(std::string& out, int nColumns, const CListRowSource& rows, const CListRowWalk& walk,
                    std::size_t nMaxBytes);
