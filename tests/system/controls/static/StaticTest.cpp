#include "platform/system/controls/static/Static.h"
#include "platform/system/dialog/Dialog.h"
#include "platform/system/dialog/Resource.h"
#include "tests/system/support/ControlFixture.h"

#include <cstring>
#include <string>

namespace ctltest {
namespace {

using StaticTest = ControlTest;

// A 32 x 32 icon file of one colour (32 bits per pixel, opaque mask).
std::string SolidIco(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    const int size = 32;
    std::string pixels;
    for (int i = 0; i < size * size; ++i)
        pixels += std::string{char(b), char(g), char(r), char(0xFF)};
    std::string mask(static_cast<std::size_t>(size * 4), '\0'); // 1 bit per pixel, rows of 4 bytes
    std::string dib;
    auto put32 = [](std::string& s, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            s += char((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [](std::string& s, std::uint16_t v) {
        s += char(v & 0xFF);
        s += char(v >> 8);
    };
    put32(dib, 40);
    put32(dib, size);
    put32(dib, size * 2);
    put16(dib, 1);
    put16(dib, 32);
    put32(dib, 0);
    put32(dib, static_cast<std::uint32_t>(pixels.size() + mask.size()));
    put32(dib, 0);
    put32(dib, 0);
    put32(dib, 0);
    put32(dib, 0);
    dib += pixels + mask;
    std::string ico;
    put16(ico, 0);
    put16(ico, 1);
    put16(ico, 1);
    ico += char(size);
    ico += char(size);
    ico += char(0);
    ico += char(0);
    put16(ico, 1);
    put16(ico, 32);
    put32(ico, static_cast<std::uint32_t>(dib.size()));
    put32(ico, 6 + 16);
    return ico + dib;
}

// The columns that hold text pixels (anything but the background).
std::pair<int, int> InkColumns(ControlTest& t, HWND hwnd, int width, int height, COLORREF background)
{
    int left = width, right = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (t.Pixel(hwnd, x, y) != background) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    return {left, right};
}

TEST_F(StaticTest, TextAlignmentAndPrefixes)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    HWND left = Make("Static", "WW", SS_LEFT, 10, 10, 120, 20, 1);
    HWND center = Make("Static", "WW", SS_CENTER, 10, 40, 120, 20, 2);
    HWND right = Make("Static", "WW", SS_RIGHT, 10, 70, 120, 20, 3);
    auto l = InkColumns(*this, left, 120, 20, face);
    auto c = InkColumns(*this, center, 120, 20, face);
    auto r = InkColumns(*this, right, 120, 20, face);
    ASSERT_GE(l.second, 0);
    int inkWidth = l.second - l.first;
    EXPECT_LE(l.first, 1);
    EXPECT_GE(r.second, 117);
    EXPECT_EQ(r.second - r.first, inkWidth);
    EXPECT_NEAR((c.first + c.second) / 2, 60, 2);

    // With prefixes "&" disappears and underlines; without, it is drawn.
    HWND prefixed = Make("Static", "W&W", SS_LEFT, 10, 100, 120, 20, 4);
    HWND plain = Make("Static", "W&W", SS_LEFT | SS_NOPREFIX, 10, 130, 120, 20, 5);
    auto p = InkColumns(*this, prefixed, 120, 20, face);
    auto n = InkColumns(*this, plain, 120, 20, face);
    // The underline may reach one pixel past the letter.
    EXPECT_NEAR(p.second - p.first, inkWidth, 1);
    EXPECT_GT(n.second - n.first, inkWidth + 2);
}

TEST_F(StaticTest, ParentColoursAndHitTesting)
{
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 200));
    colorBrush = blue;
    colorText = RGB(255, 255, 255);
    HWND s = Make("Static", "", SS_LEFT, 10, 10, 50, 20, 1);
    EXPECT_EQ(colorQuestions.back(), WM_CTLCOLORSTATIC);
    EXPECT_EQ(Pixel(s, 25, 10), RGB(0, 0, 200));
    // Clicks go through to the parent unless SS_NOTIFY.
    EXPECT_EQ(SendMessage(s, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    HWND notify = Make("Static", "", SS_LEFT | SS_NOTIFY, 10, 40, 50, 20, 2);
    ClickAt(notify, 5, 5);
    EXPECT_EQ(CodesFrom(notify), std::vector<WORD>{STN_CLICKED});
    colorBrush = nullptr;
    DeleteObject(blue);
}

TEST_F(StaticTest, IconFromTemplateTextAndFromStmSetIcon)
{
    std::string red = SolidIco(255, 0, 0);
    sys::RegisterResourceData(RT_GROUP_ICON, 128, red);
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE;
    t.cx = 100;
    t.cy = 60;
    DialogItemTemplate icon;
    icon.className = "Static";
    icon.text = "#128";
    icon.id = -1;
    icon.style = WS_CHILD | WS_VISIBLE | SS_ICON;
    icon.x = 11;
    icon.y = 17;
    icon.cx = 20;
    icon.cy = 20;
    t.items = {icon};
    HWND dlg = CreateDialogIndirectParamA(nullptr, &t, nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);
    Pump();
    HWND s = GetWindow(dlg, GW_CHILD);
    ASSERT_NE(s, nullptr);
    EXPECT_NE(SendMessage(s, STM_GETICON, 0, 0), 0);
    RECT r{};
    GetClientRect(s, &r);
    EXPECT_EQ(r.right, 32) << "sized to the icon";
    EXPECT_EQ(r.bottom, 32);
    EXPECT_EQ(Pixel(s, 16, 16), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(s, 31, 31), RGB(255, 0, 0));
    char text[8] = {};
    EXPECT_EQ(GetWindowText(s, text, sizeof text), 0) << "an icon static shows no text";

    std::string green = SolidIco(0, 255, 0);
    HICON other = sys::CreateIconFromIcoBytes(green.data(), green.size(), 32, 32);
    ASSERT_NE(other, nullptr);
    HICON old = reinterpret_cast<HICON>(SendMessage(s, STM_SETICON, reinterpret_cast<WPARAM>(other), 0));
    EXPECT_NE(old, nullptr);
    Pump();
    EXPECT_EQ(Pixel(s, 16, 16), RGB(0, 255, 0));
    DestroyWindow(dlg);
    DestroyIcon(other);
    DestroyIcon(old);
}

} // namespace
} // namespace ctltest
