// The list view's state and the pieces its procedure is made of. Report view
// only: rows top to bottom under a header child, scrolled by whole rows
// vertically and by pixels horizontally.
#pragma once

#include "platform/system/CommCtrl.h"
#include "platform/system/controls/listview/ListViewRows.h"
#include "platform/system/controls/scrollbar/ScrollBar.h"

#include <vector>

namespace sys::lv {

struct Column {
    int fmt = LVCFMT_LEFT;
    int width = 0;
    CString text;
    int subItem = 0;
    int image = 0;
};

struct ListView {
    HWND hwnd = nullptr;
    HWND header = nullptr;
    HWND notify = nullptr; // the parent at creation
    int id = 0;
    DWORD exStyle = 0;
    std::vector<Column> columns;
    ListRows rows;
    COLORREF bkColor = 0;
    COLORREF textColor = 0;
    COLORREF textBkColor = CLR_DEFAULT;
    HFONT font = nullptr;
    int fontHeight = 13;
    int rowHeight = 14;
    int headerHeight = 0;
    int top = 0;     // first visible row
    int scrollX = 0; // pixels scrolled to the left
    int wheelRest = 0;
    int focused = -1;
    int mark = -1; // selection anchor
    int selectedCount = 0;
    int lastSelected = -1; // the selected row when selectedCount is 1
    WindowScrollBars bars;
    bool inLayout = false;
    bool hasFocus = false;
    // Rows from this index down are already invalid for the next paint.
    int invalidFrom = -1;
    bool barsDirty = false;
    int clickItem = -1; // row pressed with the left button, for NM_CLICK
    bool clickPending = false;
};

constexpr int kLabelMargin = 2; // column 0's label starts this far into its cell
constexpr int kCellPad = 6;     // text inset of sub-item cells
constexpr int kWheelLines = 3;

ListView* From(HWND hwnd);
DWORD Style(const ListView& lv);

// Geometry (client coordinates).
int TotalWidth(const ListView& lv);
int ColumnLeft(const ListView& lv, int column); // before horizontal scrolling
int ColumnOfSubItem(const ListView& lv, int subItem);
RECT RowsArea(const ListView& lv);
int FullRowsVisible(const ListView& lv);
int RowTop(const ListView& lv, int row);
RECT ItemBounds(const ListView& lv, int row);
RECT CellRect(const ListView& lv, int row, int column);
bool SubItemRect(const ListView& lv, int row, int subItem, int code, RECT* out);
// Row and column under a client point; -1 when none.
int HitRow(const ListView& lv, POINT p);
int HitColumn(const ListView& lv, POINT p);
UINT HitFlags(const ListView& lv, POINT p, int* row, int* subItem);

// Layout and scrolling.
void MeasureFont(ListView& lv);
void Measure(ListView& lv); // WM_MEASUREITEM for owner-drawn rows
void Layout(ListView& lv);
void ScrollTo(ListView& lv, int top, int scrollX);
void EnsureVisible(ListView& lv, int row, bool partialOk);
void OnScroll(ListView& lv, int bar, WORD code);
void OnWheel(ListView& lv, int delta);
void InvalidateRowsFrom(ListView& lv, int row);
void InvalidateRow(ListView& lv, int row);
void RowsChanged(ListView& lv); // count changed: bars and clamping
// Lays the list out again and marks all of it for the next paint.
void Refresh(ListView& lv);

// Painting.
void Paint(ListView& lv, HDC hdc, const RECT& area);
void EraseBackground(const ListView& lv, HDC hdc);

// Items and columns (the LVM_ messages).
LRESULT ItemMessage(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
LRESULT ColumnMessage(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam, bool* handled);
// A WM_NOTIFY from the header: widths follow it, the owner sees it too.
LRESULT OnHeaderNotify(ListView& lv, NMHDR* hdr, LPARAM lParam);

// Owner-data lists (LVS_OWNERDATA) keep only a row count and row states; the
// owner gives the texts through LVN_GETDISPINFO.
bool IsOwnerData(const ListView& lv);
// Copies a cell's text into buffer (size bytes, NUL included); its length.
int CellText(const ListView& lv, int row, int subItem, LPSTR buffer, int size);
// LVM_SETITEMCOUNT: an owner-data list takes n rows, all unselected.
bool SetVirtualCount(ListView& lv, int n);

// Selection and focus.
bool IsSelected(const ListView& lv, int row);
// The first selected row from `from` in steps of `step` (1 or -1); -1 if none.
int FindSelected(const ListView& lv, int from, int step);
// Changes the state bits in mask of one row (-1: every row), with LVN_ITEMCHANGING/CHANGED.
bool SetItemState(ListView& lv, int row, UINT state, UINT mask);
void SelectOnly(ListView& lv, int row);
void SelectRange(ListView& lv, int from, int to);
void SetFocusItem(ListView& lv, int row);

// Input.
LRESULT OnMouse(ListView& lv, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnKeyDown(ListView& lv, WPARAM key);

// Notifications to the parent.
LRESULT Notify(const ListView& lv, UINT code, NMHDR* hdr);
LRESULT NotifyItem(const ListView& lv, UINT code, int item, int subItem, UINT newState, UINT oldState, UINT changed,
                   POINT at = POINT{0, 0});

} // namespace sys::lv
