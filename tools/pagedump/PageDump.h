// The page dump's lines: one a list row, `page<TAB>row<TAB>colour<TAB>cells...`,
// the colour the row's cells are painted with as 0x%06X of the COLORREF (or
// `-` where none is recorded), the cells as stored with backslash, tab, CR and
// LF written as \\, \t, \r, \n. Bytes are the list's own, code page 936.
#pragma once

#include <cstddef>
#include <string>

class CListCtrlCl;

namespace corvane::tools {

// Appends text with backslash, tab, CR and LF escaped.
void AppendEscaped(std::string& out, const char* text, std::size_t length);

// Appends a line for every row of list (page is the page's index). False when
// a row's cells are painted in different colours; why then says which row.
bool AppendPage(std::string& out, int page, const CListCtrlCl& list, std::string& why);

} // namespace corvane::tools
