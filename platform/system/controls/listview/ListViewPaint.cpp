// Painting the rows: only those the update area touches, each either by the
// owner through WM_DRAWITEM or by the list itself, then the grid lines.
#include "platform/system/controls/OwnerDraw.h"
#include "platform/system/controls/listview/ListViewInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>

namespace sys::lv {

namespace {

// What a self-painted owner-data cell shows at most (its text is asked for).
constexpr int kOwnerTextBytes = 260;

void FillColor(HDC hdc, const RECT& r, COLORREF color)
{
    if (r.right <= r.left || r.bottom <= r.top) return;
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(hdc, &r, brush);
    DeleteObject(brush);
}

UINT AlignOf(int fmt, int column)
{
    // The leftmost column always reads from the left.
    if (column == 0) return DT_LEFT;
    switch (fmt & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT: return DT_RIGHT;
    case LVCFMT_CENTER: return DT_CENTER;
    default: return DT_LEFT;
    }
}

void DrawRowOwner(const ListView& lv, HDC hdc, int row, bool showSelected)
{
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_LISTVIEW;
    dis.CtlID = static_cast<UINT>(lv.id);
    dis.itemID = static_cast<UINT>(row);
    dis.itemAction = ODA_DRAWENTIRE;
    if (showSelected && IsSelected(lv, row)) dis.itemState |= ODS_SELECTED;
    if (lv.hasFocus && row == lv.focused) dis.itemState |= ODS_FOCUS;
    dis.hwndItem = lv.hwnd;
    dis.hDC = hdc;
    dis.rcItem = ItemBounds(lv, row);
    dis.itemData = static_cast<ULONG_PTR>(lv.rows.Param(row));
    int saved = SaveDC(hdc);
    SendMessage(lv.notify, WM_DRAWITEM, static_cast<WPARAM>(lv.id), reinterpret_cast<LPARAM>(&dis));
    RestoreDC(hdc, saved);
}

void DrawRowSelf(const ListView& lv, HDC hdc, int row, const RECT& area, bool showSelected)
{
    bool selected = showSelected && IsSelected(lv, row);
    bool fullRow = (lv.exStyle & LVS_EX_FULLROWSELECT) != 0;
    COLORREF highBk = GetSysColor(lv.hasFocus ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
    COLORREF highText = GetSysColor(lv.hasFocus ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
    COLORREF text = lv.textColor;
    bool textBk = lv.textBkColor != CLR_NONE && lv.textBkColor != CLR_DEFAULT;
    for (int k = 0; k < static_cast<int>(lv.columns.size()); ++k) {
        RECT cell = CellRect(lv, row, k);
        if (cell.right <= area.left || cell.left >= area.right || cell.right <= cell.left) continue;
        const Column& c = lv.columns[static_cast<std::size_t>(k)];
        RECT label = cell;
        if (k == 0) SubItemRect(lv, row, 0, LVIR_LABEL, &label);
        bool lit = selected && (fullRow || k == 0);
        if (lit)
            FillColor(hdc, label, highBk);
        else if (textBk)
            FillColor(hdc, label, lv.textBkColor);
        char owned[kOwnerTextBytes];
        CString stored;
        if (IsOwnerData(lv)) {
            int n = CellText(lv, row, c.subItem, owned, kOwnerTextBytes);
            stored = CString(owned, n);
        } else {
            stored = lv.rows.Text(row, c.subItem);
        }
        const CString& s = stored;
        if (s.IsEmpty()) continue;
        RECT box = label;
        box.left += k == 0 ? kLabelMargin : kCellPad;
        box.right -= k == 0 ? kLabelMargin : kCellPad;
        if (box.right <= box.left) continue;
        SetTextColor(hdc, lit ? highText : text);
        DrawText(hdc, s.GetString(), static_cast<int>(s.GetLength()), &box,
                 AlignOf(c.fmt, k) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (lv.hasFocus && row == lv.focused) {
        RECT focus{};
        if (fullRow)
            focus = ItemBounds(lv, row);
        else
            SubItemRect(lv, row, 0, LVIR_LABEL, &focus);
        if (focus.right > focus.left) DrawFocusRect(hdc, &focus);
    }
}

void DrawGrid(const ListView& lv, HDC hdc, const RECT& rows)
{
    HBRUSH brush = GetSysColorBrush(COLOR_BTNFACE);
    int x = -lv.scrollX;
    for (const Column& c : lv.columns) {
        x += c.width;
        RECT line{x - 1, rows.top, x, rows.bottom};
        if (c.width > 0) FillRect(hdc, &line, brush);
    }
    for (int y = rows.top + lv.rowHeight - 1; y < rows.bottom; y += std::max(1, lv.rowHeight)) {
        RECT line{rows.left, y, rows.right, y + 1};
        FillRect(hdc, &line, brush);
    }
}

} // namespace

void EraseBackground(const ListView& lv, HDC hdc)
{
    if (lv.bkColor == CLR_NONE) return;
    RECT client{};
    GetClientRect(lv.hwnd, &client);
    FillColor(hdc, client, lv.bkColor);
}

void Paint(ListView& lv, HDC hdc, const RECT& area)
{
    HWND self = lv.hwnd;
    DWORD style = Style(lv);
    RECT rows = RowsArea(lv);
    RECT clip{};
    if (!IntersectRect(&clip, &area, &rows)) return;
    int h = std::max(1, lv.rowHeight);
    long long first = lv.top + (clip.top - rows.top) / h;
    long long last = std::min<long long>(lv.rows.Count() - 1, lv.top + (clip.bottom - 1 - rows.top) / h);
    bool ownerDraw = (style & LVS_OWNERDRAWFIXED) != 0;
    bool showSelected = lv.hasFocus || (style & LVS_SHOWSELALWAYS);
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, rows.left, rows.top, rows.right, rows.bottom);
    HGDIOBJ oldFont = SelectObject(hdc, lv.font ? static_cast<HGDIOBJ>(lv.font) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(hdc, TRANSPARENT);
    for (long long row = first; row <= last; ++row) {
        ListView* cur = From(self);
        if (!cur || row >= cur->rows.Count()) break;
        if (ownerDraw)
            DrawRowOwner(*cur, hdc, static_cast<int>(row), showSelected);
        else
            DrawRowSelf(*cur, hdc, static_cast<int>(row), clip, showSelected);
    }
    if (ListView* cur = From(self); cur && (cur->exStyle & LVS_EX_GRIDLINES)) DrawGrid(*cur, hdc, rows);
    SelectObject(hdc, oldFont);
    RestoreDC(hdc, saved);
}

} // namespace sys::lv
