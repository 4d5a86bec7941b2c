// The header control's state and the pieces its procedure is made of.
#pragma once

#include "platform/base/CString.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/controls/PressTracker.h"

#include <vector>

namespace sys::hd {

struct Item {
    int width = 0;
    CString text;
    int fmt = HDF_LEFT | HDF_STRING;
    LPARAM lParam = 0;
    int image = 0;
    int order = 0;
};

// A divider drag; an item press is tracked by `press`.
enum class Mode { None, Divider };

struct Header {
    HWND hwnd = nullptr;
    HFONT font = nullptr;
    std::vector<Item> items;
    int hot = -1;
    bool leaveArmed = false;
    Mode mode = Mode::None;
    PressTracker press;
    int trackItem = -1; // the item dragged or pressed
    int startX = 0;
    int startWidth = 0;
    int trackWidth = 0;
};

// Pixels either side of an item's right edge that grab its divider.
constexpr int kDividerGrab = 4;
// Space between an item's edge and its text.
constexpr int kTextPad = 6;

Header* From(HWND hwnd);
RECT ItemRect(const Header& h, HWND hwnd, int index);
// Item under a client point and whether it is on that item's divider.
int HitTest(const Header& h, HWND hwnd, POINT p, UINT* flags);
int FontHeight(HWND hwnd, HFONT font);
void Paint(Header& h, HWND hwnd, HDC hdc);
LRESULT Notify(HWND hwnd, UINT code, int item, int button, HDITEM* pitem);
// Sets an item's width with HDN_ITEMCHANGING / HDN_ITEMCHANGED; false if vetoed.
bool SetWidth(Header& h, HWND hwnd, int index, int width);
// Mouse handling.
LRESULT OnMouse(Header& h, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace sys::hd
