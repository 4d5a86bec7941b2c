#include "platform/system/controls/button/Button.h"

#include "platform/system/dialog/Dialog.h"
#include "tests/system/support/ControlFixture.h"

#include <functional>

namespace ctltest {
namespace {

using ButtonTest = ControlTest;

TEST_F(ButtonTest, MouseClickNotifiesOnlyOnReleaseInsideAndHoldsCapture)
{
    HWND b = Make("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 7);
    POINT in = Screen(b, 40, 12);
    screen.MoveMouse(in.x, in.y);
    screen.Press();
    Pump();
    EXPECT_TRUE(CodesFrom(b).empty()) << "no click on press";
    EXPECT_EQ(GetCapture(), b);
    EXPECT_EQ(GetFocus(), b);
    EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);

    // Leaving unpresses, coming back presses again, all without a click.
    screen.MoveMouse(in.x + 200, in.y);
    Pump();
    EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(GetCapture(), b);
    screen.MoveMouse(in.x, in.y);
    Pump();
    EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    screen.Release();
    Pump();
    ASSERT_EQ(CodesFrom(b), std::vector<WORD>{BN_CLICKED});
    EXPECT_EQ(commands[0].id, 7);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);

    // Released outside: nothing.
    commands.clear();
    screen.MoveMouse(in.x, in.y);
    screen.Press();
    screen.MoveMouse(in.x + 200, in.y + 50);
    screen.Release();
    Pump();
    EXPECT_TRUE(CodesFrom(b).empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

// Every way a mouse press can end: only a release over the button clicks, and
// none leaves the button pushed or holding the capture.
TEST_F(ButtonTest, APressClicksOnlyWhenReleasedOverTheButton)
{
    HWND b = Make("Button", "OK", BS_PUSHBUTTON, 10, 10, 80, 24, 7);
    HWND other = Make("Button", "X", BS_PUSHBUTTON, 100, 10, 80, 24, 8);
    const POINT in = Screen(b, 40, 12), out = Screen(b, 40, 80);
    struct Case {
        const char* name;
        std::function<void()> meanwhile; // between the press and the release
        bool clicks;
    };
    const Case cases[] = {
        {"released where pressed", [] {}, true},
        {"left and released away", [&] { screen.MoveMouse(out.x, out.y); }, false},
        {"left and came back",
         [&] {
             screen.MoveMouse(out.x, out.y);
             screen.MoveMouse(in.x, in.y);
         },
         true},
        {"capture taken by another window", [&] { SetCapture(other); }, false},
        {"focus moved away", [&] { SetFocus(other); }, false},
        {"disabled", [&] { EnableWindow(b, FALSE); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnableWindow(b, TRUE);
        commands.clear();
        screen.MoveMouse(in.x, in.y);
        screen.Press();
        Pump();
        ASSERT_EQ(GetCapture(), b);
        c.meanwhile();
        Pump();
        screen.Release();
        Pump();
        EXPECT_EQ(CodesFrom(b), c.clicks ? std::vector<WORD>{BN_CLICKED} : std::vector<WORD>{});
        EXPECT_TRUE(CodesFrom(other).empty());
        EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
        EXPECT_NE(GetCapture(), b);
        ReleaseCapture();
    }
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndFocusLossCancels)
{
    HWND b = Make("Button", "OK", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 80, 24, 3);
    HWND other = Make("Button", "X", BS_PUSHBUTTON, 100, 10, 80, 24, 4);
    SetFocus(b);
    screen.KeyDown(VK_SPACE);
    Pump();
    EXPECT_TRUE(CodesFrom(b).empty());
    EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
    screen.KeyUp(VK_SPACE);
    Pump();
    EXPECT_EQ(CodesFrom(b), std::vector<WORD>{BN_CLICKED});

    commands.clear();
    screen.KeyDown(VK_SPACE);
    Pump();
    SetFocus(other);
    screen.KeyUp(VK_SPACE);
    Pump();
    EXPECT_TRUE(commands.empty()) << "a press broken by a focus change never clicks";
    EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);

    // BM_CLICK clicks an enabled button and nothing else.
    SendMessage(b, BM_CLICK, 0, 0);
    EnableWindow(other, FALSE);
    SendMessage(other, BM_CLICK, 0, 0);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].control, b);
}

TEST_F(ButtonTest, DialogCodesAndStyleChanges)
{
    HWND push = Make("Button", "A", BS_PUSHBUTTON, 0, 0, 50, 20, 1);
    HWND def = Make("Button", "B", BS_DEFPUSHBUTTON, 60, 0, 50, 20, 2);
    HWND od = Make("Button", "C", BS_OWNERDRAW, 120, 0, 50, 20, 3);
    HWND check = Make("Button", "D", BS_AUTOCHECKBOX, 180, 0, 80, 20, 4);
    EXPECT_EQ(SendMessage(push, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessage(def, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessage(od, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    EXPECT_EQ(SendMessage(check, WM_GETDLGCODE, 0, 0), DLGC_BUTTON);

    SendMessage(push, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLong(push, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON));
    EXPECT_TRUE(GetWindowLong(push, GWL_STYLE) & WS_VISIBLE) << "only the kind changes";
    // The owner-draw button keeps its kind and becomes the default.
    SendMessage(od, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(GetWindowLong(od, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_OWNERDRAW));
    EXPECT_EQ(SendMessage(od, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);

    // An automatic check box toggles on each click; push buttons have no check.
    ClickAt(check, 5, 10);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_CHECKED);
    ClickAt(check, 5, 10);
    EXPECT_EQ(SendMessage(check, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessage(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessage(push, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

// Counts pixels of a row that differ from the face colour.
int Marks(ControlTest& t, HWND b, int y, int from, int to)
{
    int n = 0;
    for (int x = from; x < to; ++x)
        n += t.Pixel(b, x, y) != GetSysColor(COLOR_BTNFACE);
    return n;
}

TEST_F(ButtonTest, PushButtonPixels)
{
    HWND b = Make("Button", "", BS_PUSHBUTTON, 10, 10, 60, 24, 1);
    const int w = 60, h = 24;
    EXPECT_EQ(Pixel(b, 0, 0), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(Pixel(b, w - 1, h - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(Pixel(b, w - 2, h - 2), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(Pixel(b, 1, 1), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(Pixel(b, w / 2, h / 2), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(Marks(*this, b, 4, 4, w - 4), 0) << "no focus rectangle without focus";

    // Focused: a dotted rectangle three pixels inside the edge.
    SetFocus(b);
    Pump();
    EXPECT_GT(Marks(*this, b, 3, 4, w - 4), 5);

    // Pressed: black frame, shadow frame inside it.
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    Pump();
    EXPECT_EQ(Pixel(b, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(Pixel(b, 1, 1), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(Pixel(b, w - 2, h - 2), GetSysColor(COLOR_BTNSHADOW));

    // Default, not pressed: black frame around the raised edge.
    SendMessage(b, BM_SETSTATE, FALSE, 0);
    SendMessage(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    Pump();
    EXPECT_EQ(Pixel(b, 0, 0), GetSysColor(COLOR_WINDOWFRAME));
    EXPECT_EQ(Pixel(b, 1, 1), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(Pixel(b, w - 2, h - 2), GetSysColor(COLOR_3DDKSHADOW));
}

TEST_F(ButtonTest, CaptionShiftsWhenPressedAndEmbossesWhenDisabled)
{
    HWND b = Make("Button", "HH", BS_PUSHBUTTON, 10, 10, 80, 30, 1);
    auto ink = [&](COLORREF c, int* left) {
        int n = 0;
        *left = 1000;
        for (int y = 3; y < 27; ++y)
            for (int x = 3; x < 77; ++x)
                if (Pixel(b, x, y) == c) {
                    ++n;
                    *left = std::min(*left, x);
                }
        return n;
    };
    int upLeft = 0, downLeft = 0, dummy = 0;
    ASSERT_GT(ink(GetSysColor(COLOR_BTNTEXT), &upLeft), 0);
    SendMessage(b, BM_SETSTATE, TRUE, 0);
    Pump();
    ASSERT_GT(ink(GetSysColor(COLOR_BTNTEXT), &downLeft), 0);
    EXPECT_EQ(downLeft, upLeft + 1);
    SendMessage(b, BM_SETSTATE, FALSE, 0);
    EnableWindow(b, FALSE);
    Pump();
    EXPECT_EQ(ink(GetSysColor(COLOR_BTNTEXT), &dummy), 0) << "no normal text when disabled";
    EXPECT_GT(ink(GetSysColor(COLOR_3DHIGHLIGHT), &dummy), 0) << "embossed highlight";
    EXPECT_GT(ink(GetSysColor(COLOR_3DSHADOW), &dummy), 0) << "embossed shadow";
}

TEST_F(ButtonTest, DialogManagerMovesTheDefaultLook)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_VISIBLE | WS_CAPTION;
    t.cx = 200;
    t.cy = 60;
    auto item = [](int id, DWORD style, short x) {
        DialogItemTemplate i;
        i.className = "Button";
        i.text = "B";
        i.id = id;
        i.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | style;
        i.x = x;
        i.y = 10;
        i.cx = 50;
        i.cy = 14;
        return i;
    };
    t.items = {item(IDOK, BS_DEFPUSHBUTTON, 10), item(IDCANCEL, BS_PUSHBUTTON, 70)};
    HWND dlg = CreateDialogIndirectParamA(nullptr, &t, nullptr, nullptr, 0);
    ASSERT_NE(dlg, nullptr);
    Pump();
    HWND ok = GetDlgItem(dlg, IDOK), cancel = GetDlgItem(dlg, IDCANCEL);
    SendMessage(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
    Pump();
    EXPECT_EQ(GetWindowLong(cancel, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_DEFPUSHBUTTON));
    EXPECT_EQ(GetWindowLong(ok, GWL_STYLE) & BS_TYPEMASK, static_cast<LONG>(BS_PUSHBUTTON));
    DestroyWindow(dlg);
}

} // namespace
} // namespace ctltest
