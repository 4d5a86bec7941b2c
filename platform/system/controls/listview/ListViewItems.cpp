// The list view's item messages: insert, delete, texts, states, rectangles,
// hit tests and scrolling requests.
#include "platform/system/controls/listview/ListViewInternal.h"
#include "platform/system/gdi/Gdi.h"

#include <algorithm>
#include <cstring>

namespace sys::lv {

namespace {

bool IsTextPointer(LPCSTR p)
{
    return p && p != LPSTR_TEXTCALLBACK;
}

// The text an LVITEM carries: the caller's shared CString itself, or its
// bytes copied into `copy`. Shared text is not copied here: the cell takes
// its own reference once, when it is stored.
const CString& TextOf(const LVITEM& item, CString& copy)
{
    if (item.mask & LVIF_SHAREDTEXT) {
        if (const auto* shared = reinterpret_cast<const CString*>(item.pszText)) return *shared;
        return copy;
    }
    if (IsTextPointer(item.pszText)) copy = item.pszText;
    return copy;
}

int CopyOut(const CString& text, LPSTR buffer, int size)
{
    if (!buffer || size <= 0) return 0;
    int n = static_cast<int>(std::min<std::ptrdiff_t>(text.GetLength(), size - 1));
    std::memcpy(buffer, text.GetString(), static_cast<std::size_t>(n));
    buffer[n] = '\0';
    return n;
}

void ShiftIndexes(ListView& lv, int at, int delta)
{
    auto shift = [&](int& index) {
        if (index < 0) return;
        if (delta > 0 && index >= at)
            index += delta;
        else if (delta < 0) {
            if (index == at)
                index = -1;
            else if (index > at)
                index += delta;
        }
    };
    shift(lv.focused);
    shift(lv.mark);
    shift(lv.lastSelected);
    shift(lv.clickItem);
}

int SortedPosition(const ListView& lv, const CString& text, bool descending)
{
    int lo = 0, hi = lv.rows.Count();
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        int c = std::strcmp(lv.rows.Text(mid, 0).GetString(), text.GetString());
        bool before = descending ? c >= 0 : c <= 0;
        if (before)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

LRESULT InsertItem(ListView& lv, const LVITEM* item)
{
    if (!item || item->iSubItem != 0 || item->iItem < 0) return -1;
    CString copy;
    const CString& text = (item->mask & LVIF_TEXT) ? TextOf(*item, copy) : copy;
    int at = std::min(item->iItem, lv.rows.Count());
    DWORD style = Style(lv);
    if (style & (LVS_SORTASCENDING | LVS_SORTDESCENDING))
        at = SortedPosition(lv, text, (style & LVS_SORTDESCENDING) != 0);
    if (lv.rows.Count() == 0x7FFFFFFF || !lv.rows.Insert(at)) return -1;
    ShiftIndexes(lv, at, 1);
    if (!text.IsEmpty() && !lv.rows.SetText(at, 0, text)) {
        lv.rows.Erase(at);
        ShiftIndexes(lv, at, -1);
        return -1;
    }
    if (item->mask & LVIF_PARAM) lv.rows.SetParam(at, item->lParam);
    RowsChanged(lv);
    InvalidateRowsFrom(lv, at);
    if ((item->mask & LVIF_STATE) && (item->state & item->stateMask))
        SetItemState(lv, at, item->state, item->stateMask);
    return at;
}

LRESULT DeleteItem(ListView& lv, int row)
{
    if (row < 0 || row >= lv.rows.Count()) return FALSE;
    HWND self = lv.hwnd;
    NotifyItem(lv, LVN_DELETEITEM, row, 0, 0, 0, 0);
    ListView* cur = From(self);
    if (!cur || row >= cur->rows.Count()) return FALSE;
    if (IsSelected(*cur, row)) {
        --cur->selectedCount;
        cur->lastSelected = -1;
    }
    cur->rows.Erase(row);
    ShiftIndexes(*cur, row, -1);
    InvalidateRowsFrom(*cur, row);
    RowsChanged(*cur);
    return TRUE;
}

LRESULT DeleteAllItems(ListView& lv)
{
    HWND self = lv.hwnd;
    NMLISTVIEW nm{};
    nm.iItem = -1;
    LRESULT quiet = Notify(lv, LVN_DELETEALLITEMS, &nm.hdr);
    ListView* cur = From(self);
    if (!cur) return FALSE;
    // Per-row notices only matter to owners who keep data in the rows' params.
    if (!quiet && cur->rows.HasParams()) {
        for (int i = 0; cur && i < cur->rows.Count(); ++i) {
            NotifyItem(*cur, LVN_DELETEITEM, i, 0, 0, 0, 0);
            cur = From(self);
        }
        if (!cur) return FALSE;
    }
    cur->rows.Clear();
    cur->focused = cur->mark = cur->lastSelected = cur->clickItem = -1;
    cur->selectedCount = 0;
    cur->top = 0;
    InvalidateRect(self, nullptr, TRUE);
    cur->invalidFrom = 0;
    Layout(*cur);
    return TRUE;
}

LRESULT GetItem(const ListView& lv, LVITEM* item)
{
    if (!item || item->iItem < 0 || item->iItem >= lv.rows.Count() || item->iSubItem < 0) return FALSE;
    if (item->mask & LVIF_TEXT) {
        if (IsOwnerData(lv))
            CellText(lv, item->iItem, item->iSubItem, item->pszText, item->cchTextMax);
        else
            CopyOut(lv.rows.Text(item->iItem, item->iSubItem), item->pszText, item->cchTextMax);
    }
    if (item->iSubItem == 0) {
        if (item->mask & LVIF_STATE) {
            UINT s = lv.rows.State(item->iItem);
            if (item->iItem == lv.focused) s |= LVIS_FOCUSED;
            item->state = s & item->stateMask;
        }
        if (item->mask & LVIF_PARAM) item->lParam = lv.rows.Param(item->iItem);
        if (item->mask & LVIF_IMAGE) item->iImage = 0;
        if (item->mask & LVIF_INDENT) item->iIndent = 0;
    }
    return TRUE;
}

bool SubItemAllowed(const ListView& lv, int subItem)
{
    if (subItem == 0) return true;
    if (subItem < 0 || subItem >= ListRows::kMaxSubItems) return false;
    return subItem < static_cast<int>(lv.columns.size()) || ColumnOfSubItem(lv, subItem) >= 0;
}

LRESULT SetText(ListView& lv, int row, const LVITEM& item)
{
    if (row < 0 || row >= lv.rows.Count() || !SubItemAllowed(lv, item.iSubItem)) return FALSE;
    CString copy;
    if (!lv.rows.SetText(row, item.iSubItem, TextOf(item, copy))) return FALSE;
    InvalidateRow(lv, row);
    return TRUE;
}

LRESULT SetItem(ListView& lv, const LVITEM* item)
{
    if (!item || item->iItem < 0 || item->iItem >= lv.rows.Count()) return FALSE;
    if (item->mask & LVIF_TEXT && !SetText(lv, item->iItem, *item)) return FALSE;
    if (item->iSubItem != 0) return TRUE;
    if (item->mask & LVIF_PARAM) lv.rows.SetParam(item->iItem, item->lParam);
    if (item->mask & LVIF_STATE) return SetItemState(lv, item->iItem, item->state, item->stateMask) ? TRUE : FALSE;
    return TRUE;
}

LRESULT GetNextItem(const ListView& lv, int start, UINT flags)
{
    int count = lv.rows.Count();
    int step = (flags & LVNI_ABOVE) ? -1 : 1;
    bool wantSelected = (flags & LVNI_SELECTED) != 0;
    bool wantFocused = (flags & LVNI_FOCUSED) != 0;
    UINT other = flags & (LVNI_CUT | LVNI_DROPHILITED);
    int from = start < 0 ? (step > 0 ? 0 : -1) : start + step;
    if (from < 0 || from >= count) return -1;
    if (wantFocused) {
        int f = lv.focused;
        bool ahead = f >= 0 && (step > 0 ? f >= from : f <= from);
        if (!ahead || (wantSelected && !IsSelected(lv, f)) || (other && !(lv.rows.State(f) & other))) return -1;
        return f;
    }
    if (wantSelected && !other) return FindSelected(lv, from, step);
    if (!wantSelected && !other) return from;
    for (int i = from; i >= 0 && i < count; i += step) {
        UINT s = lv.rows.State(i);
        if ((!wantSelected || (s & LVIS_SELECTED)) && (s & other) == other) return i;
    }
    return -1;
}

LRESULT HitTestMessage(const ListView& lv, LVHITTESTINFO* info, bool subItems)
{
    if (!info) return -1;
    int row = -1, subItem = 0;
    info->flags = HitFlags(lv, info->pt, &row, &subItem);
    bool onItem = (info->flags & LVHT_ONITEM) != 0;
    info->iItem = onItem || (subItems && row >= 0) ? row : -1;
    if (subItems) info->iSubItem = row >= 0 ? subItem : 0;
    return info->iItem;
}

LRESULT StringWidth(const ListView& lv, LPCSTR text)
{
    if (!text) return 0;
    HDC hdc = GetDC(lv.hwnd);
    if (!hdc) return 0;
    HGDIOBJ old = SelectObject(hdc, lv.font ? static_cast<HGDIOBJ>(lv.font) : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{0, 0};
    GetTextExtentPoint32(hdc, text, lstrlen(text), &size);
    SelectObject(hdc, old);
    ReleaseDC(lv.hwnd, hdc);
    return size.cx;
}

LRESULT SetItemCount(ListView& lv, int count)
{
    if (IsOwnerData(lv)) return SetVirtualCount(lv, count) ? TRUE : FALSE;
    return lv.rows.Reserve(count) ? TRUE : FALSE;
}

LRESULT GetItemText(const ListView& lv, int row, LVITEM* item)
{
    if (!item) return 0;
    if (row < 0 || row >= lv.rows.Count() || item->iSubItem < 0)
        return CopyOut(CString(), item->pszText, item->cchTextMax);
    if (IsOwnerData(lv)) return CellText(lv, row, item->iSubItem, item->pszText, item->cchTextMax);
    return CopyOut(lv.rows.Text(row, item->iSubItem), item->pszText, item->cchTextMax);
}

LRESULT GetItemState(const ListView& lv, int row, UINT mask)
{
    if (row < 0 || row >= lv.rows.Count()) return 0;
    UINT s = lv.rows.State(row);
    if (row == lv.focused) s |= LVIS_FOCUSED;
    return static_cast<LRESULT>(s & mask);
}

// LVM_SETITEMSTATE: row -1 changes every row.
LRESULT SetItemStateMessage(ListView& lv, WPARAM row, const LVITEM* item)
{
    if (!item) return FALSE;
    return SetItemState(lv, static_cast<int>(static_cast<LONG_PTR>(row)), item->state, item->stateMask) ? TRUE : FALSE;
}

LRESULT SetSelectionMark(ListView& lv, int mark)
{
    int old = lv.mark;
    lv.mark = mark >= -1 && mark < lv.rows.Count() ? mark : -1;
    return old;
}

// The caller's rectangle names the part in left and, for a sub-item, the sub-item in top.
LRESULT ItemRectMessage(const ListView& lv, int row, RECT* r, bool subItem)
{
    if (!r) return FALSE;
    return SubItemRect(lv, row, subItem ? r->top : 0, r->left, r) ? TRUE : FALSE;
}

LRESULT EnsureVisibleMessage(ListView& lv, int row, bool partialOk)
{
    if (row < 0 || row >= lv.rows.Count()) return FALSE;
    EnsureVisible(lv, row, partialOk);
    return TRUE;
}

LRESULT Scroll(ListView& lv, WPARAM dxParam, LPARAM dyParam)
{
    int dx = static_cast<int>(static_cast<LONG_PTR>(dxParam));
    int dy = static_cast<int>(dyParam);
    // Vertical scrolling goes by whole rows, rounded to the nearest.
    int h = std::max(1, lv.rowHeight);
    int rows = dy >= 0 ? (dy + h / 2) / h : -((-dy + h / 2) / h);
    ScrollTo(lv, lv.top + rows, lv.scrollX + dx);
    return TRUE;
}

LRESULT RedrawItems(ListView& lv, int first, int last)
{
    for (int i = std::max(first, lv.top); i <= last && i <= lv.top + FullRowsVisible(lv); ++i)
        InvalidateRow(lv, i);
    return TRUE;
}

LRESULT UpdateItem(ListView& lv, int row)
{
    if (row >= 0 && row < lv.rows.Count()) InvalidateRow(lv, row);
    UpdateWindow(lv.hwnd);
    return TRUE;
}

} // namespace

LRESULT ItemMessage(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool* handled)
{
    *handled = true;
    int index = static_cast<int>(wParam);
    auto* item = reinterpret_cast<LVITEM*>(lParam);
    switch (message) {
    case LVM_GETITEMCOUNT: return lv.rows.Count();
    case LVM_SETITEMCOUNT: return SetItemCount(lv, index);
    case LVM_INSERTITEM: return InsertItem(lv, item);
    case LVM_DELETEITEM: return DeleteItem(lv, index);
    case LVM_DELETEALLITEMS: return DeleteAllItems(lv);
    case LVM_GETITEM: return GetItem(lv, item);
    case LVM_SETITEM: return SetItem(lv, item);
    case LVM_GETITEMTEXT: return GetItemText(lv, index, item);
    case LVM_SETITEMTEXT: return item ? SetText(lv, index, *item) : FALSE;
    case LVM_GETITEMSTATE: return GetItemState(lv, index, static_cast<UINT>(lParam));
    case LVM_SETITEMSTATE: return SetItemStateMessage(lv, wParam, item);
    case LVM_GETNEXTITEM: return GetNextItem(lv, index, static_cast<UINT>(LOWORD(static_cast<std::uintptr_t>(lParam))));
    case LVM_GETSELECTEDCOUNT: return lv.selectedCount;
    case LVM_GETSELECTIONMARK: return lv.mark;
    case LVM_SETSELECTIONMARK: return SetSelectionMark(lv, static_cast<int>(lParam));
    case LVM_GETITEMRECT: return ItemRectMessage(lv, index, reinterpret_cast<RECT*>(lParam), false);
    case LVM_GETSUBITEMRECT: return ItemRectMessage(lv, index, reinterpret_cast<RECT*>(lParam), true);
    case LVM_HITTEST: return HitTestMessage(lv, reinterpret_cast<LVHITTESTINFO*>(lParam), false);
    case LVM_SUBITEMHITTEST: return HitTestMessage(lv, reinterpret_cast<LVHITTESTINFO*>(lParam), true);
    case LVM_ENSUREVISIBLE: return EnsureVisibleMessage(lv, index, lParam != 0);
    case LVM_GETTOPINDEX: return lv.top;
    case LVM_GETCOUNTPERPAGE: return FullRowsVisible(lv);
    case LVM_SCROLL: return Scroll(lv, wParam, lParam);
    case LVM_REDRAWITEMS: return RedrawItems(lv, index, static_cast<int>(lParam));
    case LVM_UPDATE: return UpdateItem(lv, index);
    case LVM_GETSTRINGWIDTH: return StringWidth(lv, reinterpret_cast<LPCSTR>(lParam));
    default: *handled = false; return 0;
    }
}

} // namespace sys::lv
