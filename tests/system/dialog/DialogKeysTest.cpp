#include "platform/system/input/VirtualKeys.h"
#include "tests/system/support/DialogFixture.h"

namespace dlgtest {
namespace {

std::vector<WPARAM> g_commands;

INT_PTR CommandProc(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND) g_commands.push_back(LOWORD(wParam));
    return message == WM_INITDIALOG;
}

class DialogKeysTest : public DialogTest {
protected:
    HWND Make(DialogTemplate t)
    {
        g_commands.clear();
        t.style |= WS_POPUP | WS_VISIBLE | DS_SETFONT;
        t.cx = 200;
        t.cy = 100;
        t.pointSize = 9;
        t.faceName = "宋体";
        HWND dialog = CreateDialogIndirectParam(nullptr, &t, nullptr, CommandProc, 0);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    // A key press as the message loop hands it over, to the focus window.
    BOOL Key(HWND dialog, unsigned vk)
    {
        MSG msg{GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, vk, 0, 0, {0, 0}};
        return IsDialogMessage(dialog, &msg);
    }
    int FocusId() { return GetFocus() ? GetDlgCtrlID(GetFocus()) : 0; }
};

TEST_F(DialogKeysTest, TabAndShiftTabCycleOverUsableTabStopsInTemplateOrder)
{
    DialogTemplate t;
    t.items = {DialogItem(kEdit, 1, WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 10),
               DialogItem(kCustom, 2, WS_VISIBLE, 0, 12, 50, 10), // no tab stop
               DialogItem(kEdit, 3, WS_VISIBLE | WS_TABSTOP | WS_DISABLED, 0, 24, 50, 10),
               DialogItem(kEdit, 4, WS_TABSTOP, 0, 36, 50, 10), // hidden
               DialogItem(kButton, 5, WS_VISIBLE | WS_TABSTOP, 0, 48, 50, 10),
               DialogItem(kEdit, 6, WS_VISIBLE | WS_TABSTOP, 0, 60, 50, 10)};
    HWND dialog = Make(t);
    EXPECT_EQ(FocusId(), 1);
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, FALSE), GetDlgItem(dialog, 1));
    EXPECT_EQ(GetNextDlgTabItem(dialog, nullptr, TRUE), GetDlgItem(dialog, 6));

    std::vector<int> forward;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Key(dialog, VK_TAB));
        forward.push_back(FocusId());
    }
    EXPECT_EQ(forward, (std::vector<int>{5, 6, 1, 5}));

    m_backend.KeyDown(VK_SHIFT, display::kModShift);
    sys::PumpUntilIdle();
    std::vector<int> backward;
    for (int i = 0; i < 3; ++i) {
        Key(dialog, VK_TAB);
        backward.push_back(FocusId());
    }
    m_backend.KeyUp(VK_SHIFT);
    sys::PumpUntilIdle();
    EXPECT_EQ(backward, (std::vector<int>{1, 6, 5}));

    // Enabling and showing controls puts them back in the cycle.
    EnableWindow(GetDlgItem(dialog, 3), TRUE);
    ShowWindow(GetDlgItem(dialog, 4), SW_SHOW);
    SetFocus(GetDlgItem(dialog, 1));
    Key(dialog, VK_TAB);
    EXPECT_EQ(FocusId(), 3);
    Key(dialog, VK_TAB);
    EXPECT_EQ(FocusId(), 4);
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(DialogKeysTest, ControlsThatAskForKeysGetThem)
{
    DialogTemplate t;
    t.items = {DialogItem(kCustom, 1, WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 10),
               DialogItem(kEdit, 2, WS_VISIBLE | WS_TABSTOP, 0, 12, 50, 10),
               DialogItem(kButton, IDOK, WS_VISIBLE | WS_TABSTOP | kDefPush, 0, 24, 50, 10)};
    HWND dialog = Make(t);
    HWND custom = GetDlgItem(dialog, 1);
    SetFocus(custom);

    SetWindowLongPtr(custom, GWLP_USERDATA, DLGC_WANTTAB);
    Log().clear();
    Key(dialog, VK_TAB);
    EXPECT_EQ(GetFocus(), custom);
    ASSERT_EQ(LogOf(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(LogOf(WM_KEYDOWN)[0].wParam, VK_TAB);

    SetWindowLongPtr(custom, GWLP_USERDATA, DLGC_WANTALLKEYS);
    Key(dialog, VK_RETURN);
    Key(dialog, VK_ESCAPE);
    EXPECT_TRUE(g_commands.empty());
    EXPECT_EQ(LogOf(WM_KEYDOWN).size(), 3u);

    // Without either, Tab moves on and Enter presses the default button.
    SetWindowLongPtr(custom, GWLP_USERDATA, 0);
    Key(dialog, VK_TAB);
    EXPECT_EQ(FocusId(), 2);
    Key(dialog, VK_RETURN);
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{IDOK}));

    // Arrow keys stay with an edit that wants them.
    Log().clear();
    Key(dialog, VK_DOWN);
    EXPECT_EQ(FocusId(), 2);
    EXPECT_EQ(LogOf(WM_KEYDOWN).size(), 1u);

    // Messages for other windows are not the dialog's business.
    HWND other = MakeOwner();
    MSG msg{other, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(IsDialogMessage(dialog, &msg));
    EXPECT_FALSE(IsDialogMessage(dialog, nullptr));
    EXPECT_FALSE(IsDialogMessage(nullptr, &msg));
}

TEST_F(DialogKeysTest, EnterAndEscapeRouting)
{
    // No default button: Enter is IDOK, Esc is IDCANCEL, even without such buttons.
    DialogTemplate t;
    t.items = {DialogItem(kEdit, 10, WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 10),
               DialogItem(kButton, 20, WS_VISIBLE | WS_TABSTOP, 0, 12, 50, 10)};
    HWND dialog = Make(t);
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), 0);
    Key(dialog, VK_RETURN);
    Key(dialog, VK_ESCAPE);
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{IDOK, IDCANCEL}));

    // A focused push button is what Enter presses.
    SetFocus(GetDlgItem(dialog, 20));
    g_commands.clear();
    Key(dialog, VK_RETURN);
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{20}));

    // With a default push button, Enter from an edit presses it.
    t.items.push_back(DialogItem(kButton, 30, WS_VISIBLE | WS_TABSTOP | kDefPush, 0, 24, 50, 10));
    t.items.push_back(DialogItem(kButton, IDCANCEL, WS_VISIBLE | WS_TABSTOP, 0, 36, 50, 10));
    dialog = Make(t);
    EXPECT_EQ(SendMessage(dialog, DM_GETDEFID, 0, 0), MAKELONG(30, DC_HASDEFID));
    EXPECT_EQ(FocusId(), 10);
    Key(dialog, VK_RETURN);
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{30}));

    // DM_SETDEFID moves the default.
    SendMessage(dialog, DM_SETDEFID, 20, 0);
    g_commands.clear();
    Key(dialog, VK_RETURN);
    EXPECT_EQ(g_commands, (std::vector<WPARAM>{20}));
    EXPECT_EQ(GetWindowLong(GetDlgItem(dialog, 20), GWL_STYLE) & 0xF, static_cast<LONG>(kDefPush));
    EXPECT_EQ(GetWindowLong(GetDlgItem(dialog, 30), GWL_STYLE) & 0xF, static_cast<LONG>(kPush));

    // Disabled default or Cancel buttons swallow the key instead of acting.
    EnableWindow(GetDlgItem(dialog, 20), FALSE);
    EnableWindow(GetDlgItem(dialog, IDCANCEL), FALSE);
    g_commands.clear();
    Key(dialog, VK_RETURN);
    Key(dialog, VK_ESCAPE);
    EXPECT_TRUE(g_commands.empty());
    // So does closing: WM_CLOSE would post Cancel.
    SendMessage(dialog, WM_CLOSE, 0, 0);
    sys::PumpUntilIdle();
    EXPECT_TRUE(g_commands.empty());
}

TEST_F(DialogKeysTest, DefaultLookFollowsTheFocusedPushButton)
{
    DialogTemplate t;
    t.items = {DialogItem(kEdit, 10, WS_VISIBLE | WS_TABSTOP, 0, 0, 50, 10),
               DialogItem(kButton, 20, WS_VISIBLE | WS_TABSTOP, 0, 12, 50, 10),
               DialogItem(kButton, IDOK, WS_VISIBLE | WS_TABSTOP | kDefPush, 0, 24, 50, 10)};
    HWND dialog = Make(t);
    auto type = [&](int id) { return GetWindowLong(GetDlgItem(dialog, id), GWL_STYLE) & 0xF; };
    EXPECT_EQ(type(IDOK), static_cast<LONG>(kDefPush));
    Key(dialog, VK_TAB); // to button 20
    EXPECT_EQ(FocusId(), 20);
    EXPECT_EQ(type(20), static_cast<LONG>(kDefPush));
    EXPECT_EQ(type(IDOK), static_cast<LONG>(kPush));
    Key(dialog, VK_TAB); // to OK
    Key(dialog, VK_TAB); // back to the edit: OK is the default again
    EXPECT_EQ(FocusId(), 10);
    EXPECT_EQ(type(20), static_cast<LONG>(kPush));
    EXPECT_EQ(type(IDOK), static_cast<LONG>(kDefPush));
}

TEST_F(DialogKeysTest, ArrowsMoveWithinAGroupAndClickRadioButtons)
{
    DialogTemplate t;
    t.items = {DialogItem(kRadio, 1, WS_VISIBLE | WS_GROUP | WS_TABSTOP, 0, 0, 50, 10),
               DialogItem(kRadio, 2, WS_VISIBLE, 0, 12, 50, 10),
               DialogItem(kRadio, 3, WS_VISIBLE | WS_DISABLED, 0, 24, 50, 10),
               DialogItem(kRadio, 4, WS_VISIBLE, 0, 36, 50, 10),
               DialogItem(kButton, 5, WS_VISIBLE | WS_GROUP | WS_TABSTOP, 0, 48, 50, 10)};
    HWND dialog = Make(t);
    EXPECT_EQ(FocusId(), 1);
    Log().clear();
    Key(dialog, VK_DOWN);
    EXPECT_EQ(FocusId(), 2);
    Key(dialog, VK_RIGHT);
    EXPECT_EQ(FocusId(), 4); // the disabled one is skipped
    Key(dialog, VK_DOWN);
    EXPECT_EQ(FocusId(), 1); // wraps inside the group, never to the button
    Key(dialog, VK_UP);
    EXPECT_EQ(FocusId(), 4);
    auto clicks = LogOf(0x00F5);
    ASSERT_EQ(clicks.size(), 4u);
    EXPECT_EQ(clicks[0].hwnd, GetDlgItem(dialog, 2));
    EXPECT_EQ(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 5), FALSE), GetDlgItem(dialog, 5));
}

TEST_F(DialogKeysTest, ItemHelpersReadAndWriteControls)
{
    DialogTemplate t;
    t.items = {DialogItem(kCustom, 1, WS_VISIBLE, 0, 0, 50, 10)};
    HWND dialog = Make(t);
    EXPECT_TRUE(SetDlgItemInt(dialog, 1, static_cast<UINT>(-42), TRUE));
    BOOL ok = FALSE;
    EXPECT_EQ(static_cast<int>(GetDlgItemInt(dialog, 1, &ok, TRUE)), -42);
    EXPECT_TRUE(ok);
    GetDlgItemInt(dialog, 1, &ok, FALSE); // a sign is not a digit
    EXPECT_FALSE(ok);
    SetDlgItemText(dialog, 1, " 4294967295 ");
    EXPECT_EQ(GetDlgItemInt(dialog, 1, &ok, FALSE), 4294967295u);
    EXPECT_TRUE(ok);
    SetDlgItemText(dialog, 1, "4294967296");
    GetDlgItemInt(dialog, 1, &ok, FALSE);
    EXPECT_FALSE(ok);
    SetDlgItemText(dialog, 1, "12abc");
    GetDlgItemInt(dialog, 1, &ok, FALSE);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(SetDlgItemText(dialog, 99, "x"));
    char buffer[4] = {'z', 'z', 'z', 'z'};
    EXPECT_EQ(GetDlgItemText(dialog, 99, buffer, sizeof buffer), 0u);
    EXPECT_EQ(buffer[0], '\0');
    GetDlgItemInt(dialog, 99, &ok, TRUE);
    EXPECT_FALSE(ok);
}

} // namespace
} // namespace dlgtest
