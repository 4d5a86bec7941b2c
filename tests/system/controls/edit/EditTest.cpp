#include "platform/system/controls/edit/Edit.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/input/Clipboard.h"
#include "tests/system/support/ControlFixture.h"

#include <string>

namespace ctltest {
namespace {

using EditTest = ControlTest;

const std::string kZhong = "\xD6\xD0"; // 中
const std::string kWen = "\xCE\xC4";   // 文

std::string TextOf(HWND hwnd)
{
    char buffer[512] = {};
    GetWindowText(hwnd, buffer, sizeof buffer);
    return buffer;
}

std::pair<DWORD, DWORD> Sel(HWND hwnd)
{
    DWORD s = 0, e = 0;
    SendMessage(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    return {s, e};
}

int XOf(HWND hwnd, std::size_t pos)
{
    return static_cast<short>(LOWORD(SendMessage(hwnd, EM_POSFROMCHAR, pos, 0)));
}

TEST_F(EditTest, TextMessagesAndNotifications)
{
    HWND e = Make("Edit", "start", ES_AUTOHSCROLL, 10, 10, 200, 24, 1000, WS_EX_CLIENTEDGE);
    EXPECT_EQ(TextOf(e), "start");
    EXPECT_EQ(SendMessage(e, WM_GETDLGCODE, 0, 0), DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS);
    commands.clear();
    SetWindowText(e, ("ab" + kZhong).c_str());
    EXPECT_EQ(CodesFrom(e), (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
    EXPECT_EQ(GetWindowTextLength(e), 4);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 0}));
    // A short buffer never ends with half a character.
    char small[4] = {};
    EXPECT_EQ(GetWindowText(e, small, 4), 2);
    EXPECT_STREQ(small, "ab");

    commands.clear();
    SetFocus(e);
    SetFocus(parent);
    EXPECT_EQ(CodesFrom(e), (std::vector<WORD>{EN_SETFOCUS, EN_KILLFOCUS}));
}

TEST_F(EditTest, TypingDoubleByteCharactersAndDeleting)
{
    HWND e = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 24, 1000, WS_EX_CLIENTEDGE);
    SetFocus(e);
    screen.TypeText("a" + kZhong + "b");
    Pump();
    EXPECT_EQ(TextOf(e), "a" + kZhong + "b");
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{4, 4}));
    // The same character as two separate WM_CHAR bytes.
    PostMessage(e, WM_CHAR, 0xCE, 1);
    PostMessage(e, WM_CHAR, 0xC4, 1);
    Pump();
    EXPECT_EQ(TextOf(e), "a" + kZhong + "b" + kWen);
    // Backspace takes the whole character; arrows step over characters.
    screen.KeyDown(VK_BACK);
    Pump();
    EXPECT_EQ(TextOf(e), "a" + kZhong + "b");
    screen.KeyDown(VK_LEFT);
    screen.KeyDown(VK_LEFT);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 1}));
    screen.KeyDown(VK_DELETE);
    Pump();
    EXPECT_EQ(TextOf(e), "ab");
    // Enter, Escape and Tab type nothing.
    commands.clear();
    PostMessage(e, WM_CHAR, '\r', 1);
    PostMessage(e, WM_CHAR, 0x1B, 1);
    PostMessage(e, WM_CHAR, '\t', 1);
    Pump();
    EXPECT_EQ(TextOf(e), "ab");
    EXPECT_TRUE(CodesFrom(e).empty());
    EXPECT_EQ(SendMessage(e, EM_GETMODIFY, 0, 0), TRUE);
}

TEST_F(EditTest, KeyboardSelection)
{
    HWND e = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 24, 1000, WS_EX_CLIENTEDGE);
    SetWindowText(e, ("x" + kZhong + "yz").c_str());
    SetFocus(e);
    screen.KeyDown(VK_END);
    screen.KeyDown(VK_LEFT, display::kModShift);
    screen.KeyDown(VK_LEFT, display::kModShift);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{3, 5}));
    screen.KeyDown(VK_LEFT, display::kModShift);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 5})) << "over the whole double-byte character";
    screen.KeyDown(VK_HOME, display::kModShift);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 5}));
    // A plain arrow collapses the selection to its side.
    screen.KeyDown(VK_RIGHT);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{5, 5}));
    // Ctrl+A selects everything.
    screen.KeyDown('A', display::kModControl);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{0, 5}));
    // Typing replaces the selection.
    screen.TypeText("Q");
    Pump();
    EXPECT_EQ(TextOf(e), "Q");
}

TEST_F(EditTest, ClipboardAndReadOnly)
{
    HWND e = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 24, 1000, WS_EX_CLIENTEDGE);
    SetWindowText(e, ("copy " + kZhong).c_str());
    SetFocus(e);
    SendMessage(e, EM_SETSEL, 5, 7);
    screen.KeyDown('C', display::kModControl);
    Pump();
    EXPECT_EQ(screen.GetClipboardText(), kZhong);
    screen.KeyDown('X', display::kModControl);
    Pump();
    EXPECT_EQ(TextOf(e), "copy ");
    screen.SetClipboardText("pasted\r\nnot this");
    screen.KeyDown('V', display::kModControl);
    Pump();
    EXPECT_EQ(TextOf(e), "copy pasted") << "a single-line edit takes the first line";

    // Read-only: copying works, changing does not, colours come as for a static.
    SendMessage(e, EM_SETREADONLY, TRUE, 0);
    EXPECT_TRUE(GetWindowLong(e, GWL_STYLE) & ES_READONLY);
    commands.clear();
    SendMessage(e, EM_SETSEL, 0, 4);
    screen.KeyDown('X', display::kModControl);
    screen.KeyDown('V', display::kModControl);
    screen.TypeText("zz");
    screen.KeyDown(VK_BACK);
    screen.KeyDown(VK_DELETE);
    screen.KeyDown('C', display::kModControl);
    Pump();
    EXPECT_EQ(TextOf(e), "copy pasted");
    EXPECT_EQ(screen.GetClipboardText(), "copy");
    colorQuestions.clear();
    InvalidateRect(e, nullptr, TRUE);
    Pump();
    ASSERT_FALSE(colorQuestions.empty());
    EXPECT_EQ(colorQuestions.back(), WM_CTLCOLORSTATIC);
    EXPECT_TRUE(CodesFrom(e).empty()) << "nothing changed, nothing announced";

    // The classic clipboard calls see the same text.
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL block = GetClipboardData(CF_TEXT);
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(block)), "copy");
    GlobalUnlock(block);
    EXPECT_TRUE(CloseClipboard());
    EXPECT_FALSE(CloseClipboard());
    EXPECT_EQ(GetClipboardData(CF_TEXT), nullptr) << "closed";
}

TEST_F(EditTest, ReplaceSelAndLimit)
{
    HWND e = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 200, 24, 1000);
    SendMessage(e, EM_LIMITTEXT, 5, 0);
    SetFocus(e);
    commands.clear();
    screen.TypeText("abcd" + kZhong);
    Pump();
    EXPECT_EQ(TextOf(e), "abcd");
    EXPECT_EQ(CodesFrom(e).back(), EN_MAXTEXT);
    SendMessage(e, EM_SETSEL, 1, 3);
    SendMessage(e, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(kWen.c_str()));
    EXPECT_EQ(TextOf(e), "a" + kWen + "d");
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{3, 3}));
    // Sending EM_SETSEL inside a character snaps to its start.
    SendMessage(e, EM_SETSEL, 2, 2);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{1, 1}));
    EXPECT_EQ(SendMessage(e, EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(EditTest, MouseSelectsWithCaptureAndDoubleClickSelectsAWord)
{
    HWND e = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 300, 24, 1000, WS_EX_CLIENTEDGE);
    SetWindowText(e, "alpha beta gamma");
    Pump();
    int x2 = XOf(e, 2), x8 = XOf(e, 8);
    ASSERT_LT(x2, x8);
    POINT a = Screen(e, x2, 8), b = Screen(e, x8, 8);
    screen.MoveMouse(a.x, a.y);
    screen.Press();
    Pump();
    EXPECT_EQ(GetFocus(), e);
    EXPECT_EQ(GetCapture(), e);
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{2, 2}));
    screen.MoveMouse(b.x, b.y);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{2, 8}));
    screen.Release();
    Pump();
    EXPECT_EQ(GetCapture(), nullptr);
    // Shift+click extends from the anchor.
    POINT c = Screen(e, XOf(e, 12), 8);
    screen.MoveMouse(c.x, c.y);
    screen.KeyDown(VK_SHIFT, display::kModShift);
    Pump();
    screen.Press();
    screen.Release();
    screen.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{2, 12}));
    screen.DoubleClick(b.x, b.y);
    Pump();
    EXPECT_EQ(Sel(e), (std::pair<DWORD, DWORD>{6, 10}));
}

TEST_F(EditTest, AutoScrollKeepsTheCaretVisibleAndWithoutItTypingStops)
{
    HWND scroll = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 60, 24, 1, WS_EX_CLIENTEDGE);
    HWND fixed = Make("Edit", "", 0, 10, 50, 60, 24, 2, WS_EX_CLIENTEDGE);
    RECT client{};
    GetClientRect(scroll, &client);
    std::string longText(40, 'W');
    SetFocus(scroll);
    screen.TypeText(longText);
    Pump();
    EXPECT_EQ(TextOf(scroll), longText);
    int caretX = XOf(scroll, 40);
    EXPECT_GT(caretX, 0);
    EXPECT_LT(caretX, client.right);
    EXPECT_LT(XOf(scroll, 0), 0) << "the start scrolled out";
    screen.KeyDown(VK_HOME);
    Pump();
    EXPECT_EQ(XOf(scroll, 0), 1);

    SetFocus(fixed);
    screen.TypeText(longText);
    Pump();
    std::string kept = TextOf(fixed);
    EXPECT_FALSE(kept.empty());
    EXPECT_LT(kept.size(), longText.size());
    EXPECT_LT(XOf(fixed, kept.size()), client.right);
}

TEST_F(EditTest, ClientEdgeIsPaintedInNonClientPaintAndASubclassReplacesIt)
{
    // A plain border becomes the client edge.
    HWND e = Make("Edit", "", WS_BORDER, 10, 10, 100, 24, 1);
    EXPECT_FALSE(GetWindowLong(e, GWL_STYLE) & WS_BORDER);
    EXPECT_TRUE(GetWindowLong(e, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT client{};
    GetClientRect(e, &client);
    EXPECT_EQ(client.right, 96);
    EXPECT_EQ(client.bottom, 20);
    EXPECT_EQ(WindowPixel(e, 0, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(WindowPixel(e, 1, 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(WindowPixel(e, 99, 23), GetSysColor(COLOR_3DHIGHLIGHT));
    EXPECT_EQ(WindowPixel(e, 98, 22), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(WindowPixel(e, 50, 12), GetSysColor(COLOR_WINDOW));

    static WNDPROC original = nullptr;
    WNDPROC hook = [](HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) -> LRESULT {
        if (message == WM_NCPAINT) {
            HDC hdc = GetWindowDC(hwnd);
            RECT r{};
            GetWindowRect(hwnd, &r);
            RECT whole{0, 0, r.right - r.left, r.bottom - r.top};
            HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
            FrameRect(hdc, &whole, green);
            InflateRect(&whole, -1, -1);
            FrameRect(hdc, &whole, green);
            DeleteObject(green);
            ReleaseDC(hwnd, hdc);
            return 0;
        }
        return CallWindowProc(original, hwnd, message, wParam, lParam);
    };
    original = reinterpret_cast<WNDPROC>(SetWindowLongPtr(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook)));
    RedrawWindow(e, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    Pump();
    EXPECT_EQ(WindowPixel(e, 0, 0), RGB(0, 255, 0));
    EXPECT_EQ(WindowPixel(e, 1, 1), RGB(0, 255, 0));
    EXPECT_EQ(WindowPixel(e, 98, 22), RGB(0, 255, 0));
    // The client area is still the edit's own.
    EXPECT_EQ(WindowPixel(e, 50, 12), GetSysColor(COLOR_WINDOW));
}

TEST_F(EditTest, ColoursComeFromTheParentAndSelectionIsHighlighted)
{
    HBRUSH yellow = CreateSolidBrush(RGB(255, 255, 0));
    colorBrush = yellow;
    HWND e = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 150, 24, 1, WS_EX_CLIENTEDGE);
    ASSERT_FALSE(colorQuestions.empty());
    EXPECT_EQ(colorQuestions.back(), WM_CTLCOLOREDIT);
    EXPECT_EQ(Pixel(e, 100, 10), RGB(255, 255, 0));
    colorBrush = nullptr;
    SetWindowText(e, "WWWW");
    SetFocus(e);
    SendMessage(e, EM_SETSEL, 0, -1);
    Pump();
    int highlighted = 0;
    for (int x = 1; x < XOf(e, 4); ++x)
        highlighted += Pixel(e, x, 8) == GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_GT(highlighted, 0);
    // Without the focus the selection is hidden.
    SetFocus(parent);
    Pump();
    highlighted = 0;
    for (int x = 1; x < XOf(e, 4); ++x)
        highlighted += Pixel(e, x, 8) == GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(highlighted, 0);
    DeleteObject(yellow);
}

} // namespace
} // namespace ctltest
