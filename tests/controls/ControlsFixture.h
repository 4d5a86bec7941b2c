// A headless desktop with a framework parent window for the self-drawn
// controls, a stand-in for the tracking call that can refuse to arm, and
// pixel read-back in window coordinates.
#pragma once

#include "controls/TrackMouse.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/framework/Afxwin.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace xptest {

class ControlsTest : public ::testing::Test {
public:
    display::HeadlessBackend screen;
    CWnd parent;
    CFont font;

    // Every arming request, as the control made it.
    static std::vector<TRACKMOUSEEVENT> armings;
    // Armings still to refuse before the system is asked.
    static int refuseArmings;

protected:
    void SetUp() override;
    void TearDown() override;

public:
    // A child of the parent made with a system class, ready to be bound.
    HWND MakeChild(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
                   DWORD exStyle = 0);
    void Pump() { sys::PumpUntilIdle(); }
    // Moves the pointer to a point of hwnd's window rectangle.
    void PointAt(HWND hwnd, int x, int y);
    // Lets the clock run past the 1 ms hover time.
    void Rest();
    COLORREF Pixel(HWND hwnd, int x, int y) const;
    COLORREF ParentPixel(int x, int y) const;

    static BOOL FakeTrack(LPTRACKMOUSEEVENT tme);
};

// Copies the window's pixels from the screen, for comparing two looks.
std::vector<COLORREF> Snapshot(const ControlsTest& t, HWND hwnd);

} // namespace xptest
