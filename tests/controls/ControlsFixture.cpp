#include "tests/controls/ControlsFixture.h"

#include "platform/gfx/Surface.h"
#include "platform/system/controls/ControlClasses.h"

namespace xptest {

std::vector<TRACKMOUSEEVENT> ControlsTest::armings;
int ControlsTest::refuseArmings = 0;

BOOL ControlsTest::FakeTrack(LPTRACKMOUSEEVENT tme)
{
    armings.push_back(*tme);
    if (refuseArmings > 0) {
        --refuseArmings;
        return FALSE;
    }
    return _TrackMouseEvent(tme);
}

void ControlsTest::SetUp()
{
    armings.clear();
    refuseArmings = 0;
    g_pfnTrackMouseEvent = &ControlsTest::FakeTrack;
    sys::SetBackend(&screen);
    ASSERT_TRUE(sys::RegisterEditButtonStaticClasses());
    // A parent painted like a dialog, so what shows through the button's corners is known.
    WNDCLASS wc{};
    wc.lpfnWndProc = &DefWindowProc;
    wc.lpszClassName = "XpTestParent";
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(RegisterClass(&wc), 0);
    ASSERT_TRUE(
        parent.CreateEx(0, "XpTestParent", "parent", WS_POPUP | WS_VISIBLE, 40, 40, 360, 200, nullptr, nullptr));
    ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
    screen.MoveMouse(5, 5);
    Pump();
}

void ControlsTest::TearDown()
{
    parent.DestroyWindow();
    Pump();
    AfxDeleteTempMaps();
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
    g_pfnTrackMouseEvent = &_TrackMouseEvent;
}

HWND ControlsTest::MakeChild(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id,
                             DWORD exStyle)
{
    HWND hwnd = CreateWindowEx(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent.m_hWnd,
                               reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
    if (hwnd) SendMessage(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.m_hObject), TRUE);
    return hwnd;
}

void ControlsTest::PointAt(HWND hwnd, int x, int y)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    screen.MoveMouse(r.left + x, r.top + y);
    Pump();
}

void ControlsTest::Rest()
{
    screen.Advance(5);
    Pump();
}

COLORREF ControlsTest::Pixel(HWND hwnd, int x, int y) const
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return gfx::ColorFromPixel(screen.PixelAt(r.left + x, r.top + y));
}

COLORREF ControlsTest::ParentPixel(int x, int y) const
{
    return Pixel(parent.m_hWnd, x, y);
}

std::vector<COLORREF> Snapshot(const ControlsTest& t, HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    std::vector<COLORREF> out;
    for (int y = 0; y < r.bottom - r.top; ++y)
        for (int x = 0; x < r.right - r.left; ++x)
            out.push_back(t.Pixel(hwnd, x, y));
    return out;
}

} // namespace xptest
