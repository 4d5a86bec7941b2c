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
