// The tab control's state and the pieces its procedure is made of.
#pragma once

#include "platform/base/CString.h"
#include "platform/system/CommCtrl.h"

#include <vector>

namespace sys::tab {

struct Item {
    CString text;
    int image = -1;
    LPARAM lParam = 0;
    DWORD state = 0;
};

struct Tab {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    std::vector<Item> items;
    int cur = -1;
    int hot = -1;
    bool leaveArmed = false;
    bool focused = false;
    int padX = 6;
    int padY = 3;
    int fixedWidth = 0; // TCM_SETITEMSIZE; used with TCS_FIXEDWIDTH
    int fixedHeight = 0;
    int minWidth = -1;
};

// Space above the row, so the selected tab can stand 2 pixels taller.
constexpr int kRowTop = 2;
// Space left of the first tab, for the same reason.
constexpr int kRowLeft = 2;
// The selected tab grows by this much left, right and up.
constexpr int kSelGrow = 2;
// Gap between the panel's outer edge and the display area.
constexpr int kDisplayInset = 4;

Tab* From(HWND hwnd);

// Layout (client coordinates).
int ItemHeight(const Tab& t, HWND hwnd);
RECT ItemRect(const Tab& t, HWND hwnd, int index);
// The rectangle the item occupies on screen: grown when selected.
RECT DrawnRect(const Tab& t, HWND hwnd, int index);
// Top of the panel under the row of tabs.
int PanelTop(const Tab& t, HWND hwnd);
int HitTest(const Tab& t, HWND hwnd, POINT p, UINT* flags);
void AdjustRect(const Tab& t, HWND hwnd, bool larger, RECT* rect);

void Paint(const Tab& t, HWND hwnd, HDC hdc);

// Sends a WM_NOTIFY to the parent; returns the parent's answer.
LRESULT Notify(HWND hwnd, UINT code);
// Moves the selection to index the way a user does: TCN_SELCHANGING (a non-zero
// answer keeps the old tab), then TCN_SELCHANGE. False if nothing changed.
bool UserSelect(HWND hwnd, int index);
LRESULT OnMouse(Tab& t, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnKeyDown(Tab& t, HWND hwnd, WPARAM wParam, LPARAM lParam);

} // namespace sys::tab
