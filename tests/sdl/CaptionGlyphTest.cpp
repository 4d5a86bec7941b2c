// The system's own caption close box, painted by the layer on a headless
// desktop: the classic "x" of two-pixel diagonals in the button face.
#include "platform/display/HeadlessBackend.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace corvane::test {
namespace {

// The face inside the raised edge of a 16 by 14 close box: 'x' is button text.
const std::vector<std::string> kCloseFace = {
    "............", //
    "..xx....xx..", //
    "...xx..xx...", //
    "....xxxx....", //
    ".....xx.....", //
    "....xxxx....", //
    "...xx..xx...", //
    "..xx....xx..", //
    "............", //
    "............", //
};

LRESULT PlainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(hwnd, message, wParam, lParam);
}

// The screen rectangle where the window answers HTCLOSE.
RECT CloseBox(HWND hwnd)
{
    RECT w{};
    GetWindowRect(hwnd, &w);
    RECT box{0, 0, 0, 0};
    bool found = false;
    for (int y = w.top; y < w.bottom; ++y)
        for (int x = w.left; x < w.right; ++x) {
            if (SendMessage(hwnd, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != HTCLOSE) continue;
            if (!found) box = RECT{x, y, x + 1, y + 1};
            found = true;
            box.left = std::min<LONG>(box.left, x);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    return box;
}

TEST(CaptionGlyph, CloseBoxShowsTheClassicCrossInItsFace)
{
    display::HeadlessBackend screen;
    sys::SetBackend(&screen);
    WNDCLASS wc{};
    wc.lpfnWndProc = &PlainProc;
    wc.lpszClassName = "CaptionGlyphProbe";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    ASSERT_NE(RegisterClass(&wc), 0);
    // A dialog-like frame and a full overlapped one: both have the close box.
    for (DWORD style : {DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME), DWORD(WS_OVERLAPPEDWINDOW)}) {
        HWND hwnd = CreateWindowEx(0, "CaptionGlyphProbe", "probe", style | WS_VISIBLE, 40, 30, 240, 160, nullptr,
                                   nullptr, nullptr, nullptr);
        ASSERT_NE(hwnd, nullptr);
        sys::PumpUntilIdle();
        RECT box = CloseBox(hwnd);
        ASSERT_EQ(box.right - box.left, 16) << "style " << std::hex << style;
        ASSERT_EQ(box.bottom - box.top, 14);
        gfx::Surface shot = screen.Screenshot();
        const gfx::Pixel ink = gfx::PixelFromColor(GetSysColor(COLOR_BTNTEXT));
        const gfx::Pixel face = gfx::PixelFromColor(GetSysColor(COLOR_BTNFACE));
        ASSERT_NE(ink, face);
        std::vector<std::string> seen;
        for (int y = 0; y < 10; ++y) {
            std::string row;
            for (int x = 0; x < 12; ++x) {
                gfx::Pixel p = shot.At(box.left + 2 + x, box.top + 2 + y);
                row += p == ink ? 'x' : p == face ? '.' : '?';
            }
            seen.push_back(row);
        }
        EXPECT_EQ(seen, kCloseFace) << "style " << std::hex << style;
        DestroyWindow(hwnd);
    }
    UnregisterClass("CaptionGlyphProbe", nullptr);
    sys::SetBackend(nullptr);
}

} // namespace
} // namespace corvane::test
