// A headless desktop with a parent window that records the notifications of
// its children and can veto a tab change.
#pragma once

#include "platform/display/HeadlessBackend.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/Windows.h"
#include "platform/system/dialog/Dialog.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tabfile {

struct Seen {
    UINT code;
    int curSel; // the tab control's selection when the parent saw it
};

class HeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Screen point of a client point of hwnd.
    POINT Screen(HWND hwnd, int x, int y) const;
    void ClickAt(HWND hwnd, int x, int y);
    // A visible top-level window that records WM_NOTIFY and WM_COMMAND from its children.
    HWND MakeParent(int width = 420, int height = 260);
    HWND MakeTab(HWND parent, DWORD style, const std::vector<std::string>& titles, int width = 400, int height = 200);

    display::HeadlessBackend m_screen;
};

// What the recording parent saw, in order (tab notifications only).
std::vector<Seen>& Notes();
// WM_COMMAND notification codes from children, in order.
std::vector<WORD>& Commands();
// The answer the parent gives to TCN_SELCHANGING.
LRESULT& VetoAnswer();
// When set, the parent empties the tab control while it asks about leaving a tab.
bool& EmptyOnChanging();

int CountPixels(const display::HeadlessBackend& screen, HWND hwnd, RECT clientRect, COLORREF color);

} // namespace tabfile
