// Owner-data lists: the list keeps a row count and the rows' states, the owner
// keeps the texts and hands them out one cell at a time, so a list of tens of
// millions of rows costs one byte a row.
#include "platform/system/controls/listview/ListViewInternal.h"

#include <algorithm>
#include <cstring>

namespace sys::lv {

bool IsOwnerData(const ListView& lv)
{
    return (Style(lv) & LVS_OWNERDATA) != 0;
}

int CellText(const ListView& lv, int row, int subItem, LPSTR buffer, int size)
{
    if (!buffer || size <= 0) return 0;
    buffer[0] = '\0';
    if (row < 0 || row >= lv.rows.Count() || subItem < 0) return 0;
    NMLVDISPINFO info{};
    info.item.mask = LVIF_TEXT;
    info.item.iItem = row;
    info.item.iSubItem = subItem;
    info.item.pszText = buffer;
    info.item.cchTextMax = size;
    Notify(lv, LVN_GETDISPINFO, &info.hdr);
    const char* text = info.item.pszText;
    if (text == buffer) {
        buffer[size - 1] = '\0';
        return static_cast<int>(std::strlen(buffer));
    }
    if (!text || text == LPSTR_TEXTCALLBACK) {
        buffer[0] = '\0';
        return 0;
    }
    // The owner pointed at its own text: copy what fits.
    int n = static_cast<int>(strnlen(text, static_cast<std::size_t>(size - 1)));
    std::memmove(buffer, text, static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

bool SetVirtualCount(ListView& lv, int n)
{
    if (n < 0) n = 0;
    // Without memory for the rows' states the list is left empty, and says so.
    bool fits = lv.rows.SetTextlessCount(n);
    if (!fits) lv.rows.SetTextlessCount(0);
    lv.focused = lv.mark = lv.lastSelected = lv.clickItem = -1;
    lv.selectedCount = 0;
    lv.top = std::min(lv.top, std::max(0, lv.rows.Count() - 1));
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    lv.invalidFrom = 0;
    RowsChanged(lv);
    return fits && lv.rows.Count() == n;
}

} // namespace sys::lv
