// A headless desktop with a framework parent window holding one report list
// bound to a CListCtrlCl, and the pixel tools the colour list and header tests
// share: read-back in window coordinates, the ink of text against a known
// background, and the same text drawn for reference in a memory DC.
#pragma once

#include "controls/ListCtrlCl.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/framework/Afxwin.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace pagestest {

// Where text left ink: the smallest rectangle holding every pixel that differs
// from the background; empty (all zero) when there is none.
struct Ink {
    RECT box{0, 0, 0, 0};
    bool Any() const { return box.right > box.left; }
};

class ListCtrlClTest : public ::testing::Test {
public:
    static constexpr int kListId = 1004;
    static constexpr int kListW = 600;
    static constexpr int kListH = 300;

    display::HeadlessBackend screen;
    CWnd parent;
    CListCtrlCl list;

protected:
    void SetUp() override;
    void TearDown() override;

public:
    // Makes the list window (LVS_REPORT plus style) and binds it to `list`.
    void MakeList(DWORD style = 0, int w = kListW, int h = kListH);
    HWND Header() const { return list.m_header.GetSafeHwnd(); }
    void Pump() { sys::PumpUntilIdle(); }
    // Repaints the list and its header now.
    void Repaint();
    // A pixel of hwnd's window rectangle (no border: the client area).
    COLORREF Pixel(HWND hwnd, int x, int y) const;
    Ink InkIn(HWND hwnd, const RECT& area, const std::function<COLORREF(int x, int y)>& background) const;
    // The cell rectangle the list reports for (row, column), LVIR_LABEL.
    CRect Label(int row, int column);
};

// Text drawn by DrawText with a font of face 宋体 (height, width) into a white
// memory DC of the rectangle's size, in black; the ink's box relative to it.
Ink ReferenceInk(const std::string& text, int fontHeight, int fontWidth, const RECT& rect, UINT format);
// tmHeight of a font selected into a screen-compatible DC (null font: the stock GUI font).
int FontCharHeight(int fontHeight, int fontWidth, bool stockGuiFont = false);
// The gradient colour of pixel row j for base (r, g, b) and step.
COLORREF GradientRow(int r, int g, int b, int step, int j);

} // namespace pagestest
