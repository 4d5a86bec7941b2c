// The list box's state and the pieces its procedure is made of.
#pragma once

#include "platform/base/CString.h"
#include "platform/system/controls/listbox/ListBox.h"
#include "platform/system/controls/scrollbar/ScrollBar.h"

#include <vector>

namespace sys::lb {

struct Item {
    CString text;
    LPARAM data = 0;
};

// The strings of a list box, and those a drop-down list keeps itself. An
// index is an int, whatever the width of WPARAM.
inline bool ValidIndex(const std::vector<Item>& items, WPARAM index)
{
    return static_cast<int>(index) >= 0 && static_cast<std::size_t>(static_cast<int>(index)) < items.size();
}
// The item at an index ValidIndex accepted.
inline const Item& ItemAt(const std::vector<Item>& items, WPARAM index)
{
    return items[static_cast<std::size_t>(static_cast<int>(index))];
}
inline Item& ItemAt(std::vector<Item>& items, WPARAM index)
{
    return items[static_cast<std::size_t>(static_cast<int>(index))];
}
// Where a new string goes: its sorted place, or index (-1: the end); -1 when
// index is out of range.
int InsertPlace(const std::vector<Item>& items, int index, const CString& text, bool sorted);
// The first item after start, wrapping, whose text begins with, or equals,
// text; -1 when none.
int FindText(const std::vector<Item>& items, WPARAM start, LPCSTR text, bool exact);
// Copies an item's text and its NUL to out: the text's length, or -1 for a bad
// index or no buffer.
int CopyItemText(const std::vector<Item>& items, WPARAM index, LPSTR out);

struct ListBox {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    std::vector<Item> items;
    int sel = -1;
    int caret = 0;
    int top = 0;
    int itemHeight = 0; // 0: from the font
    bool focused = false;
    bool tracking = false; // left button held in the list
    WindowScrollBars bars;
};

ListBox* From(HWND hwnd);
int ItemHeight(const ListBox& lb);
// Whole items that fit in the client area (at least 1).
int PerPage(const ListBox& lb);
RECT ItemRect(const ListBox& lb, int index);
int ItemFromPoint(const ListBox& lb, POINT p);
// Recomputes the scroll range, shows or hides the bar, clamps the top item.
void UpdateScroll(ListBox& lb);
void ScrollTo(ListBox& lb, int top);
void EnsureVisible(ListBox& lb, int index);
// Moves the selection and caret; with notify sends LBN_SELCHANGE when it moved.
void Select(ListBox& lb, int index, bool notify);
void NotifyParent(HWND hwnd, WORD code);
void Paint(const ListBox& lb, HDC hdc);
LRESULT OnKeyDown(ListBox& lb, WPARAM key);
LRESULT OnChar(ListBox& lb, WPARAM ch);
LRESULT OnMouse(ListBox& lb, UINT message, WPARAM wParam, LPARAM lParam);
// Text comparison the sorted list and the searches use: case-insensitive bytes.
int CompareText(const CString& a, LPCSTR b);

} // namespace sys::lb
