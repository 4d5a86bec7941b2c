// A headless desktop for the built-in controls: a parent window that records
// the notifications, owner-draw requests and colour questions its children
// send, and helpers that read back pixels in client coordinates.
#pragma once

#include "platform/display/HeadlessBackend.h"
#include "platform/system/Windows.h"
#include "platform/system/controls/OwnerDraw.h"
#include "platform/system/window/Desktop.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace ctltest {

struct Command {
    int id;
    WORD code;
    HWND control;
};

struct DrawRequest {
    UINT action;
    UINT state;
    UINT ctlType;
    UINT ctlId;
    HWND item;
    RECT rect;
    bool hadDc;
};

class ControlTest : public ::testing::Test {
public:
    static ControlTest* current;

    display::HeadlessBackend screen;
    HWND parent = nullptr;
    std::vector<Command> commands;
    std::vector<DrawRequest> draws;
    std::vector<UINT> colorQuestions;
    // What the parent answers to WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC; null for the default.
    HBRUSH colorBrush = nullptr;
    COLORREF colorText = RGB(0, 0, 0);
    // Run for every WM_DRAWITEM the parent receives.
    std::function<void(const DRAWITEMSTRUCT&)> onDraw;

protected:
    void SetUp() override;
    void TearDown() override;

public:
    HWND Make(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id, DWORD exStyle = 0);
    void Pump() { sys::PumpUntilIdle(); }
    // The pixel now on the screen at a client point of hwnd.
    COLORREF Pixel(HWND hwnd, int x, int y) const;
    // The pixel at a point of the window rectangle (non-client included).
    COLORREF WindowPixel(HWND hwnd, int x, int y) const;
    POINT Screen(HWND hwnd, int x, int y) const;
    void ClickAt(HWND hwnd, int x, int y);
    std::vector<WORD> CodesFrom(HWND control) const;

    static LRESULT ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
};

} // namespace ctltest
