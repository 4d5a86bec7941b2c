// Where rows and cells are, the header's place, the scroll bars and scrolling.
#include "platform/system/controls/ControlState.h"
#include "platform/system/controls/OwnerDraw.h"
#include "platform/system/controls/listview/ListViewInternal.h"
#include "platform/system/gdi/Gdi.h"

#include <algorithm>

namespace sys::lv {

namespace {

RECT Client(const ListView& lv)
{
    RECT r{};
    GetClientRect(lv.hwnd, &r);
    return r;
}

} // namespace

ListView* From(HWND hwnd)
{
    return ControlState<ListView>::Find(hwnd);
}

DWORD Style(const ListView& lv)
{
    return static_cast<DWORD>(GetWindowLong(lv.hwnd, GWL_STYLE));
}

int TotalWidth(const ListView& lv)
{
    long long total = 0;
    for (const Column& c : lv.columns)
        total += c.width;
    return static_cast<int>(std::min<long long>(total, 1 << 30));
}

int ColumnLeft(const ListView& lv, int column)
{
    long long left = 0;
    for (int i = 0; i < column && i < static_cast<int>(lv.columns.size()); ++i)
        left += lv.columns[static_cast<std::size_t>(i)].width;
    return static_cast<int>(std::min<long long>(left, 1 << 30));
}

int ColumnOfSubItem(const ListView& lv, int subItem)
{
    for (int i = 0; i < static_cast<int>(lv.columns.size()); ++i)
        if (lv.columns[static_cast<std::size_t>(i)].subItem == subItem) return i;
    return -1;
}

RECT RowsArea(const ListView& lv)
{
    RECT r = Client(lv);
    r.top = std::min(r.bottom, r.top + lv.headerHeight);
    return r;
}

int FullRowsVisible(const ListView& lv)
{
    RECT area = RowsArea(lv);
    return std::max(0, (area.bottom - area.top) / std::max(1, lv.rowHeight));
}

int RowTop(const ListView& lv, int row)
{
    long long y = static_cast<long long>(row - lv.top) * lv.rowHeight + lv.headerHeight;
    return static_cast<int>(std::clamp<long long>(y, -(1 << 30), 1 << 30));
}

RECT ItemBounds(const ListView& lv, int row)
{
    int y = RowTop(lv, row);
    return RECT{-lv.scrollX, y, TotalWidth(lv) - lv.scrollX, y + lv.rowHeight};
}

RECT CellRect(const ListView& lv, int row, int column)
{
    int y = RowTop(lv, row);
    int left = ColumnLeft(lv, column) - lv.scrollX;
    return RECT{left, y, left + lv.columns[static_cast<std::size_t>(column)].width, y + lv.rowHeight};
}

bool SubItemRect(const ListView& lv, int row, int subItem, int code, RECT* out)
{
    if (!out || row < 0 || row >= lv.rows.Count()) return false;
    if (code != LVIR_BOUNDS && code != LVIR_ICON && code != LVIR_LABEL && code != LVIR_SELECTBOUNDS) return false;
    if (subItem == 0 && code == LVIR_BOUNDS) {
        *out = ItemBounds(lv, row);
        return true;
    }
    int column = ColumnOfSubItem(lv, subItem);
    if (column < 0) {
        if (subItem != 0 || lv.columns.empty()) return false;
        column = 0;
    }
    RECT cell = CellRect(lv, row, column);
    if (subItem == 0) {
        // Column 0 holds an empty icon area, then the label.
        RECT icon{cell.left, cell.top, std::min(cell.right, cell.left + kLabelMargin), cell.bottom};
        RECT label{icon.right, cell.top, std::max(icon.right, cell.right), cell.bottom};
        if (code == LVIR_ICON)
            *out = icon;
        else if (code == LVIR_LABEL)
            *out = label;
        else
            *out = (lv.exStyle & LVS_EX_FULLROWSELECT) ? ItemBounds(lv, row)
                                                       : RECT{cell.left, cell.top, label.right, cell.bottom};
        return true;
    }
    if (code == LVIR_ICON) cell.right = cell.left;
    *out = cell;
    return true;
}

int HitRow(const ListView& lv, POINT p)
{
    RECT area = RowsArea(lv);
    if (p.y < area.top || p.y >= area.bottom) return -1;
    long long row = lv.top + (p.y - area.top) / std::max(1, lv.rowHeight);
    return row < lv.rows.Count() ? static_cast<int>(row) : -1;
}

int HitColumn(const ListView& lv, POINT p)
{
    int x = p.x + lv.scrollX;
    int left = 0;
    for (int i = 0; i < static_cast<int>(lv.columns.size()); ++i) {
        int right = left + lv.columns[static_cast<std::size_t>(i)].width;
        if (x >= left && x < right) return i;
        left = right;
    }
    return -1;
}

UINT HitFlags(const ListView& lv, POINT p, int* rowOut, int* subItemOut)
{
    RECT client = Client(lv);
    UINT flags = 0;
    if (p.y < RowsArea(lv).top) flags |= LVHT_ABOVE;
    if (p.y >= client.bottom) flags |= LVHT_BELOW;
    if (p.x < 0) flags |= LVHT_TOLEFT;
    if (p.x >= client.right) flags |= LVHT_TORIGHT;
    int row = flags ? -1 : HitRow(lv, p);
    int column = row >= 0 ? HitColumn(lv, p) : -1;
    if (rowOut) *rowOut = row;
    if (subItemOut) *subItemOut = column >= 0 ? lv.columns[static_cast<std::size_t>(column)].subItem : 0;
    if (flags) return flags;
    if (row < 0) return LVHT_NOWHERE;
    if (column < 0) return LVHT_NOWHERE;
    if (column == 0) {
        RECT icon{};
        SubItemRect(lv, row, 0, LVIR_ICON, &icon);
        return PtInRect(&icon, p) ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    }
    // Past the label: the row counts only when whole rows select.
    return (lv.exStyle & LVS_EX_FULLROWSELECT) ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
}

void MeasureFont(ListView& lv)
{
    HDC hdc = GetDC(lv.hwnd);
    int height = 13;
    if (hdc) {
        HGDIOBJ old = SelectObject(hdc, lv.font ? static_cast<HGDIOBJ>(lv.font) : GetStockObject(DEFAULT_GUI_FONT));
        TEXTMETRICA tm{};
        if (GetTextMetrics(hdc, &tm)) height = tm.tmHeight;
        SelectObject(hdc, old);
        ReleaseDC(lv.hwnd, hdc);
    }
    lv.fontHeight = height;
    lv.rowHeight = height + 1;
}

void Measure(ListView& lv)
{
    if (!(Style(lv) & LVS_OWNERDRAWFIXED)) return;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTVIEW;
    mis.CtlID = static_cast<UINT>(lv.id);
    mis.itemID = 0;
    mis.itemWidth = 0;
    mis.itemHeight = static_cast<UINT>(lv.fontHeight + 1);
    HWND self = lv.hwnd;
    SendMessage(lv.notify, WM_MEASUREITEM, static_cast<WPARAM>(lv.id), reinterpret_cast<LPARAM>(&mis));
    ListView* again = From(self);
    if (!again) return;
    // A height of 0 or an absurd one keeps the proposal.
    int height = static_cast<int>(mis.itemHeight);
    if (height <= 0 || height > 4096) height = again->fontHeight + 1;
    if (height != again->rowHeight) {
        again->rowHeight = height;
        Layout(*again);
        InvalidateRect(self, nullptr, TRUE);
    }
}

void Layout(ListView& lv)
{
    if (lv.inLayout) return;
    lv.inLayout = true;
    HWND self = lv.hwnd;
    DWORD style = Style(lv);
    bool report = (style & LVS_TYPEMASK) == LVS_REPORT;
    bool noScroll = (style & LVS_NOSCROLL) != 0;
    // Showing one bar narrows the other's room: settle in a few rounds.
    for (int round = 0; round < 3; ++round) {
        RECT client = Client(lv);
        int headerHeight = 0;
        if (lv.header) {
            bool showHeader = report && !(style & LVS_NOCOLUMNHEADER);
            if (showHeader) {
                RECT room{client.left - lv.scrollX, client.top, client.right, client.bottom};
                WINDOWPOS wp{};
                HDLAYOUT layout{&room, &wp};
                if (SendMessage(lv.header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)) && From(self)) {
                    headerHeight = std::max(0, room.top - client.top);
                    SetWindowPos(lv.header, nullptr, wp.x, wp.y, wp.cx, wp.cy,
                                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
                }
            } else {
                ShowWindow(lv.header, SW_HIDE);
            }
        }
        if (!From(self)) return;
        lv.headerHeight = headerHeight;
        int clientW = client.right - client.left;
        int rowsH = std::max(0, client.bottom - client.top - headerHeight);
        int perPage = std::max(0, rowsH / std::max(1, lv.rowHeight));
        int count = lv.rows.Count();
        int total = TotalWidth(lv);
        bool needV = !noScroll && count > perPage;
        bool needH = !noScroll && total > clientW;
        lv.bars.Model(SB_VERT).Set(0, std::max(0, count - 1), std::max(1, perPage), lv.top);
        lv.bars.Model(SB_HORZ).Set(0, std::max(0, total - 1), std::max(1, clientW), lv.scrollX);
        lv.top = std::clamp(lv.top, 0, std::max(0, count - perPage));
        lv.scrollX = std::clamp(lv.scrollX, 0, std::max(0, total - clientW));
        lv.bars.Model(SB_VERT).pos = lv.bars.Model(SB_VERT).ClampPos(lv.top);
        lv.bars.Model(SB_HORZ).pos = lv.bars.Model(SB_HORZ).ClampPos(lv.scrollX);
        bool changed = WindowScrollBars::Show(self, SB_VERT, needV);
        if (!From(self)) return;
        changed = WindowScrollBars::Show(self, SB_HORZ, needH) || changed;
        if (!From(self)) return;
        if (!changed) break;
        InvalidateRect(self, nullptr, TRUE);
    }
    WindowScrollBars::Invalidate(self);
    lv.inLayout = false;
}

void ScrollTo(ListView& lv, int top, int scrollX)
{
    int count = lv.rows.Count();
    int perPage = FullRowsVisible(lv);
    RECT client = Client(lv);
    top = std::clamp(top, 0, std::max(0, count - perPage));
    scrollX = std::clamp(scrollX, 0, std::max(0, TotalWidth(lv) - (client.right - client.left)));
    if (top == lv.top && scrollX == lv.scrollX) return;
    bool horizontal = scrollX != lv.scrollX;
    lv.top = top;
    lv.scrollX = scrollX;
    lv.bars.Model(SB_VERT).pos = lv.bars.Model(SB_VERT).ClampPos(top);
    lv.bars.Model(SB_HORZ).pos = lv.bars.Model(SB_HORZ).ClampPos(scrollX);
    if (horizontal) Layout(lv); // the header moves with the columns
    InvalidateRect(lv.hwnd, nullptr, TRUE);
    lv.invalidFrom = 0;
    WindowScrollBars::Invalidate(lv.hwnd);
}

void EnsureVisible(ListView& lv, int row, bool partialOk)
{
    if (row < 0 || row >= lv.rows.Count()) return;
    int perPage = std::max(1, FullRowsVisible(lv));
    if (row < lv.top)
        ScrollTo(lv, row, lv.scrollX);
    else if (row >= lv.top + perPage) {
        if (partialOk && row == lv.top + perPage) {
            RECT area = RowsArea(lv);
            if (RowTop(lv, row) < area.bottom) return;
        }
        ScrollTo(lv, row - perPage + 1, lv.scrollX);
    }
}

void OnScroll(ListView& lv, int bar, WORD code)
{
    const ScrollModel& m = lv.bars.Model(bar);
    bool vertical = bar == SB_VERT;
    int line = vertical ? 1 : 8;
    int page = vertical ? std::max(1, FullRowsVisible(lv)) : std::max(1, m.page);
    long long pos = vertical ? lv.top : lv.scrollX;
    switch (code) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    // The message carries 16 bits; the model keeps the whole position.
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = m.trackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = m.max; break;
    default: return;
    }
    int target = static_cast<int>(std::clamp<long long>(pos, 0, 1 << 30));
    if (vertical)
        ScrollTo(lv, target, lv.scrollX);
    else
        ScrollTo(lv, lv.top, target);
}

void OnWheel(ListView& lv, int delta)
{
    lv.wheelRest += delta;
    int lines = lv.wheelRest * kWheelLines / WHEEL_DELTA;
    if (lines == 0) return;
    lv.wheelRest -= lines * WHEEL_DELTA / kWheelLines;
    ScrollTo(lv, lv.top - lines, lv.scrollX);
}

void InvalidateRowsFrom(ListView& lv, int row)
{
    int start = std::max(row, lv.top);
    if (lv.invalidFrom >= 0 && lv.invalidFrom <= start) return;
    if (start > lv.top + FullRowsVisible(lv)) return;
    RECT area = RowsArea(lv);
    area.top = std::max(area.top, RowTop(lv, start));
    InvalidateRect(lv.hwnd, &area, TRUE);
    lv.invalidFrom = start == lv.top ? 0 : start;
}

void InvalidateRow(ListView& lv, int row)
{
    if (lv.invalidFrom >= 0 && lv.invalidFrom <= row) return;
    if (row < lv.top || row > lv.top + FullRowsVisible(lv)) return;
    RECT r = ItemBounds(lv, row);
    RECT client = Client(lv);
    r.left = 0;
    r.right = client.right;
    InvalidateRect(lv.hwnd, &r, TRUE);
}

void Refresh(ListView& lv)
{
    HWND self = lv.hwnd;
    Layout(lv);
    if (ListView* cur = From(self)) {
        InvalidateRect(self, nullptr, TRUE);
        cur->invalidFrom = 0;
    }
}

void RowsChanged(ListView& lv)
{
    int count = lv.rows.Count();
    int perPage = FullRowsVisible(lv);
    bool needV = !(Style(lv) & LVS_NOSCROLL) && count > perPage;
    if (needV != WindowScrollBars::Shown(lv.hwnd, SB_VERT) || lv.top > std::max(0, count - perPage)) {
        Layout(lv);
        return;
    }
    ScrollModel& m = lv.bars.Model(SB_VERT);
    m.max = std::max(0, count - 1);
    if (needV && !lv.barsDirty) {
        lv.barsDirty = true;
        WindowScrollBars::Invalidate(lv.hwnd);
    }
}

} // namespace sys::lv
