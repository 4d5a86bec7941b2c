// Selection and focus of rows, with LVN_ITEMCHANGING / LVN_ITEMCHANGED. The
// selected rows are counted, and the only one remembered, so single
// selection never scans the rows. An owner-data list changes many rows at
// once as one pass over their state bytes with one notification (iItem -1,
// or LVN_ODSTATECHANGED for a range), so selecting tens of millions of rows
// costs no more than their bytes.
#include "platform/system/controls/listview/ListViewInternal.h"

#include <algorithm>

namespace sys::lv {

namespace {

constexpr BYTE kStoredStates = LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED;

UINT StateOf(const ListView& lv, int row)
{
    UINT s = lv.rows.State(row);
    if (row == lv.focused) s |= LVIS_FOCUSED;
    return s;
}

void Store(ListView& lv, int row, UINT state)
{
    bool was = (lv.rows.State(row) & LVIS_SELECTED) != 0;
    bool now = (state & LVIS_SELECTED) != 0;
    lv.rows.SetState(row, static_cast<BYTE>(state & kStoredStates));
    if (was == now) return;
    if (now) {
        ++lv.selectedCount;
        lv.lastSelected = lv.selectedCount == 1 ? row : -1;
    } else {
        --lv.selectedCount;
        // With one left we no longer know which without looking.
        lv.lastSelected = -1;
    }
}

bool ChangeOne(ListView& lv, int row, UINT state, UINT mask)
{
    UINT old = StateOf(lv, row);
    UINT now = (old & ~mask) | (state & mask);
    now &= kStoredStates | LVIS_FOCUSED;
    if (now == (old & (kStoredStates | LVIS_FOCUSED))) return true;
    HWND self = lv.hwnd;
    if (NotifyItem(lv, LVN_ITEMCHANGING, row, 0, now, old, LVIF_STATE)) return false;
    ListView* again = From(self);
    if (!again || row >= again->rows.Count()) return false;
    if ((now & LVIS_FOCUSED) && !(old & LVIS_FOCUSED)) {
        int previous = again->focused;
        if (previous >= 0 && previous != row) {
            again->focused = -1;
            InvalidateRow(*again, previous);
            NotifyItem(*again, LVN_ITEMCHANGED, previous, 0, StateOf(*again, previous),
                       StateOf(*again, previous) | LVIS_FOCUSED, LVIF_STATE);
            again = From(self);
            if (!again || row >= again->rows.Count()) return false;
        }
        again->focused = row;
    } else if (!(now & LVIS_FOCUSED) && (old & LVIS_FOCUSED)) {
        again->focused = -1;
    }
    Store(*again, row, now);
    InvalidateRow(*again, row);
    NotifyItem(*again, LVN_ITEMCHANGED, row, 0, now, old, LVIF_STATE);
    return true;
}

// Selects or deselects rows lo to hi of an owner-data list in one pass.
void MarkRange(ListView& lv, int lo, int hi, bool select)
{
    if (lo > hi) return;
    auto changed =
        static_cast<int>(lv.rows.SetStateRange(lo, hi, LVIS_SELECTED, select ? LVIS_SELECTED : 0, LVIS_SELECTED));
    lv.selectedCount += select ? changed : -changed;
    lv.lastSelected = lv.selectedCount == 1 && select && lo == hi ? lo : -1;
    InvalidateRowsFrom(lv, lv.top);
}

// Every row of an owner-data list, with one LVN_ITEMCHANGED for item -1.
void MarkAll(ListView& lv, bool select)
{
    if (lv.rows.Count() == 0 || (!select && lv.selectedCount == 0)) return;
    MarkRange(lv, 0, lv.rows.Count() - 1, select);
    NotifyItem(lv, LVN_ITEMCHANGED, -1, 0, select ? LVIS_SELECTED : 0, select ? 0 : LVIS_SELECTED, LVIF_STATE);
}

// Deselects every row, resuming each search where the last one stopped.
void DeselectAll(ListView& lv)
{
    if (IsOwnerData(lv)) {
        MarkAll(lv, false);
        return;
    }
    HWND self = lv.hwnd;
    int from = 0;
    for (ListView* cur = &lv; cur && cur->selectedCount > 0; cur = From(self)) {
        int s = FindSelected(*cur, from, 1);
        if (s < 0) s = FindSelected(*cur, 0, 1); // a handler selected rows behind us
        if (s < 0 || !ChangeOne(*cur, s, 0, LVIS_SELECTED)) break;
        from = s + 1;
    }
}

} // namespace

bool IsSelected(const ListView& lv, int row)
{
    return row >= 0 && row < lv.rows.Count() && (lv.rows.State(row) & LVIS_SELECTED);
}

int FindSelected(const ListView& lv, int from, int step)
{
    int count = lv.rows.Count();
    if (lv.selectedCount == 0) return -1;
    if (lv.selectedCount == 1 && lv.lastSelected >= 0) {
        int s = lv.lastSelected;
        return (step > 0 ? s >= from : s <= from) ? s : -1;
    }
    for (int i = from; i >= 0 && i < count; i += step)
        if (lv.rows.State(i) & LVIS_SELECTED) return i;
    return -1;
}

bool SetItemState(ListView& lv, int row, UINT state, UINT mask)
{
    if (row >= lv.rows.Count()) return false;
    if (row >= 0) return ChangeOne(lv, row, state, mask);
    if (row != -1) return false;
    HWND self = lv.hwnd;
    // Every row: walk only the rows that change where the counts allow.
    if ((mask & LVIS_FOCUSED) && !(state & LVIS_FOCUSED) && lv.focused >= 0)
        ChangeOne(lv, lv.focused, 0, LVIS_FOCUSED);
    ListView* cur = From(self);
    if (!cur) return false;
    UINT rest = mask & kStoredStates;
    if (!rest) return true;
    if (rest == LVIS_SELECTED && !(state & LVIS_SELECTED)) {
        DeselectAll(*cur);
        return true;
    }
    if (rest == LVIS_SELECTED && IsOwnerData(*cur)) {
        MarkAll(*cur, true);
        return true;
    }
    for (int i = 0; cur && i < cur->rows.Count(); ++i) {
        ChangeOne(*cur, i, state, rest);
        cur = From(self);
    }
    return true;
}

void SelectOnly(ListView& lv, int row)
{
    HWND self = lv.hwnd;
    if (lv.selectedCount > 1) DeselectAll(lv);
    while (ListView* cur = From(self)) {
        int s = FindSelected(*cur, 0, 1);
        if (s == row && cur->selectedCount == 1) break;
        if (s < 0) break;
        if (s == row) s = FindSelected(*cur, row + 1, 1);
        if (s < 0) break;
        if (!ChangeOne(*cur, s, 0, LVIS_SELECTED)) break;
    }
    if (ListView* cur = From(self); cur && row >= 0 && row < cur->rows.Count())
        ChangeOne(*cur, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void SelectRange(ListView& lv, int from, int to)
{
    HWND self = lv.hwnd;
    int lo = std::min(from, to), hi = std::max(from, to);
    SetItemState(lv, -1, 0, LVIS_SELECTED);
    if (IsOwnerData(lv)) {
        ListView* cur = From(self);
        if (!cur || lo < 0) return;
        hi = std::min(hi, cur->rows.Count() - 1);
        if (lo > hi) return;
        MarkRange(*cur, lo, hi, true);
        NMLVODSTATECHANGE nm{};
        nm.iFrom = lo;
        nm.iTo = hi;
        nm.uNewState = LVIS_SELECTED;
        Notify(*cur, LVN_ODSTATECHANGED, &nm.hdr);
        return;
    }
    for (int i = lo; i <= hi; ++i) {
        ListView* cur = From(self);
        if (!cur || i >= cur->rows.Count()) break;
        ChangeOne(*cur, i, LVIS_SELECTED, LVIS_SELECTED);
    }
}

void SetFocusItem(ListView& lv, int row)
{
    if (row >= 0 && row < lv.rows.Count()) ChangeOne(lv, row, LVIS_FOCUSED, LVIS_FOCUSED);
}

LRESULT Notify(const ListView& lv, UINT code, NMHDR* hdr)
{
    if (!lv.notify) return 0;
    hdr->hwndFrom = lv.hwnd;
    hdr->idFrom = static_cast<UINT_PTR>(lv.id);
    hdr->code = code;
    return SendMessage(lv.notify, WM_NOTIFY, static_cast<WPARAM>(lv.id), reinterpret_cast<LPARAM>(hdr));
}

LRESULT NotifyItem(const ListView& lv, UINT code, int item, int subItem, UINT newState, UINT oldState, UINT changed,
                   POINT at)
{
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.iSubItem = subItem;
    nm.uNewState = newState;
    nm.uOldState = oldState;
    nm.uChanged = changed;
    nm.ptAction = at;
    nm.lParam = item >= 0 ? lv.rows.Param(item) : 0;
    return Notify(lv, code, &nm.hdr);
}

} // namespace sys::lv
