#include "tools/pagedump/PageDump.h"

#include "controls/ListCtrlCl.h"

#include <cstdio>
#include <vector>

namespace corvane::tools {

namespace {

struct BackColor {
    bool recorded = false;
    COLORREF clr = 0;
    bool operator==(const BackColor&) const = default;
};

// The background a cell is painted with: its own colour, else its column's.
BackColor CellBackColor(const CListCtrlCl& list, int column, int row)
{
    BackColor back;
    back.recorded = list.FindCellBackColor(column, row, back.clr) || list.FindColumnBackColor(column, back.clr);
    return back;
}

int ColumnCount(const CListCtrlCl& list)
{
    CHeaderCtrl* header = list.GetHeaderCtrl();
    return header ? header->GetItemCount() : 0;
}

} // namespace

void AppendEscaped(std::string& out, const char* text, std::size_t length)
{
    // Runs without an escaped byte are appended whole.
    std::size_t run = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char* escape = nullptr;
        switch (text[i]) {
        case '\\': escape = "\\\\"; break;
        case '\t': escape = "\\t"; break;
        case '\r': escape = "\\r"; break;
        case '\n': escape = "\\n"; break;
        default: continue;
        }
        out.append(text + run, i - run);
        out.append(escape, 2);
        run = i + 1;
    }
    out.append(text + run, length - run);
}

bool AppendPage(std::string& out, int page, const CListCtrlCl& list, std::string& why)
{
    int columns = ColumnCount(list);
    int rows = list.GetItemCount();
    // One buffer for every cell, grown when a text fills it.
    std::vector<char> text(256);
    for (int row = 0; row < rows; ++row) {
        BackColor colour = columns > 0 ? CellBackColor(list, 0, row) : BackColor();
        for (int c = 1; c < columns; ++c)
            if (CellBackColor(list, c, row) != colour) {
                why = "page " + std::to_string(page) + " row " + std::to_string(row) +
                      ": its cells are painted in different colours";
                return false;
            }
        char number[32];
        std::snprintf(number, sizeof number, "%d\t%d\t", page, row);
        out += number;
        if (colour.recorded) {
            std::snprintf(number, sizeof number, "0x%06X", static_cast<unsigned>(colour.clr));
            out += number;
        } else {
            out += '-';
        }
        for (int c = 0; c < columns; ++c) {
            int n = 0;
            for (;;) {
                n = list.GetItemText(row, c, text.data(), static_cast<int>(text.size()));
                if (n < static_cast<int>(text.size()) - 1) break;
                text.resize(text.size() * 2);
            }
            out += '\t';
            AppendEscaped(out, text.data(), static_cast<std::size_t>(n < 0 ? 0 : n));
        }
        out += '\n';
    }
    return true;
}

} // namespace corvane::tools
