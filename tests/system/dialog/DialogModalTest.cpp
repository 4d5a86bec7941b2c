#include "platform/system/input/VirtualKeys.h"
#include "tests/system/support/DialogFixture.h"

namespace dlgtest {
namespace {

DialogTemplate AboutLike()
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
    t.cx = 235;
    t.cy = 55;
    t.caption = "About";
    t.pointSize = 9;
    t.faceName = "宋体";
    t.items = {DialogItem(kCustom, -1, WS_VISIBLE, 11, 17, 20, 20, "#128"),
               DialogItem(kButton, IDOK, WS_VISIBLE | WS_GROUP | WS_TABSTOP | kDefPush, 178, 7, 50, 14, "OK")};
    return t;
}

// Ends the dialog with the command id, as a dialog's OK and Cancel handlers do.
INT_PTR EndOnCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    Log().push_back({dialog, message, wParam, lParam});
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

HWND g_dialog = nullptr;
INT_PTR Remember(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) g_dialog = dialog;
    return EndOnCommand(dialog, message, wParam, lParam);
}

using DialogModalTest = DialogTest;

TEST_F(DialogModalTest, LoopIsSteppedUntilEndDialogWithTheOwnerDisabledMeanwhile)
{
    HWND owner = MakeOwner();
    DialogTemplate t = AboutLike();
    g_dialog = nullptr;
    bool ownerEnabledDuring = true;
    bool visibleDuring = false;
    bool focusOnOk = false;
    Script({
        [&] {
            ownerEnabledDuring = IsWindowEnabled(owner);
            visibleDuring = IsWindowVisible(g_dialog);
            focusOnOk = GetFocus() == GetDlgItem(g_dialog, IDOK);
            PostMessage(g_dialog, WM_USER + 5, 0, 0);
        },
        [&] { EndDialog(g_dialog, 77); },
        [&] { ADD_FAILURE() << "the loop ran on after EndDialog"; },
    });
    INT_PTR result = DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0);
    EXPECT_EQ(result, 77);
    EXPECT_EQ(StepsRun(), 2);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(visibleDuring);
    EXPECT_TRUE(focusOnOk);
    EXPECT_EQ(LogOf(WM_USER + 5).size(), 1u);  // the posted message was dispatched by the loop
    EXPECT_FALSE(LogOf(WM_ENTERIDLE).empty()); // the owner heard that the loop went idle
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(g_dialog));
    EXPECT_EQ(GetActiveWindow(), owner);
}

TEST_F(DialogModalTest, EndDialogInsideInitDialogEndsBeforeTheLoopRuns)
{
    HWND owner = MakeOwner();
    DialogTemplate t = AboutLike();
    t.style |= WS_VISIBLE;
    static bool s_ownerDisabledAtInit = false;
    auto proc = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            s_ownerDisabledAtInit = !IsWindowEnabled(GetWindow(dialog, GW_OWNER));
            g_dialog = dialog;
            EndDialog(dialog, 5);
            return TRUE;
        }
        if (message == WM_SHOWWINDOW && wParam != 0) ADD_FAILURE() << "an ended dialog was shown";
        return FALSE;
    };
    Script({[] { ADD_FAILURE() << "the loop waited"; }});
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, proc, 0), 5);
    EXPECT_EQ(StepsRun(), 0);
    EXPECT_TRUE(s_ownerDisabledAtInit);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(g_dialog));
}

TEST_F(DialogModalTest, ModalDialogsNestOverTheSameQueue)
{
    HWND owner = MakeOwner();
    static DialogTemplate s_inner;
    s_inner = AboutLike();
    static HWND s_outer = nullptr;
    static HWND s_innerDialog = nullptr;
    static INT_PTR s_innerResult = 0;
    s_outer = s_innerDialog = nullptr;
    auto outerProc = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) {
            s_outer = dialog;
            return TRUE;
        }
        if (message == WM_COMMAND && LOWORD(wParam) == 500) {
            auto innerProc = [](HWND inner, UINT m, WPARAM w, LPARAM) -> INT_PTR {
                if (m == WM_INITDIALOG) s_innerDialog = inner;
                if (m == WM_COMMAND && LOWORD(w) == IDOK) EndDialog(inner, 11);
                return m == WM_INITDIALOG;
            };
            s_innerResult = DialogBoxIndirectParam(nullptr, &s_inner, dialog, innerProc, 0);
            EndDialog(dialog, 22);
            return TRUE;
        }
        return FALSE;
    };
    bool outerDisabled = false;
    bool ownerDisabled = false;
    Script({
        [] { PostMessage(s_outer, WM_COMMAND, 500, 0); },
        [&] {
            outerDisabled = !IsWindowEnabled(s_outer);
            ownerDisabled = !IsWindowEnabled(owner);
            EXPECT_EQ(GetWindow(s_innerDialog, GW_OWNER), s_outer);
            // Enter reaches the inner dialog's default button through the real input path.
            m_backend.KeyDown(VK_RETURN);
            m_backend.KeyUp(VK_RETURN);
        },
    });
    DialogTemplate outer = AboutLike();
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &outer, owner, outerProc, 0), 22);
    EXPECT_EQ(s_innerResult, 11);
    EXPECT_TRUE(outerDisabled);
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(s_outer));
    EXPECT_FALSE(IsWindow(s_innerDialog));
}

TEST_F(DialogModalTest, QuitDuringTheLoopEndsItAndReachesTheOuterLoop)
{
    HWND owner = MakeOwner();
    DialogTemplate t = AboutLike();
    Script({[] { PostQuitMessage(3); }});
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(owner));
    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(DialogModalTest, CloseEscapeAndDestructionAllEndTheLoop)
{
    HWND owner = MakeOwner();
    DialogTemplate t = AboutLike();
    // WM_CLOSE becomes a Cancel command.
    Script({[] { PostMessage(g_dialog, WM_CLOSE, 0, 0); }});
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0), IDCANCEL);

    // Esc through the real input path.
    Script({[&] {
        m_backend.KeyDown(VK_ESCAPE);
        m_backend.KeyUp(VK_ESCAPE);
    }});
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0), IDCANCEL);

    // Enter goes to the default OK button.
    Script({[&] {
        m_backend.KeyDown(VK_RETURN);
        m_backend.KeyUp(VK_RETURN);
    }});
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0), IDOK);

    // Destroyed without EndDialog: the loop ends and the owner is usable again.
    Script({[owner] {
        DestroyWindow(g_dialog);
        PostMessage(owner, WM_NULL, 0, 0);
    }});
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(owner));

    // A missing template or a failed control leaves the owner enabled and gives -1.
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, nullptr, owner, Remember, 0), -1);
    t.items.push_back(DialogItem("NoSuchClass", 9, 0, 0, 0, 1, 1));
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0), -1);
    EXPECT_TRUE(IsWindowEnabled(owner));

    // An owner disabled beforehand stays disabled afterwards.
    t.items.pop_back();
    EnableWindow(owner, FALSE);
    Script({[] { EndDialog(g_dialog, 1); }});
    EXPECT_EQ(DialogBoxIndirectParam(nullptr, &t, owner, Remember, 0), 1);
    EXPECT_FALSE(IsWindowEnabled(owner));
}

TEST_F(DialogModalTest, EndDialogOnAModelessDialogHidesItAndOnOtherWindowsFails)
{
    DialogTemplate t = AboutLike();
    t.style |= WS_VISIBLE;
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, nullptr, Remember, 0);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_TRUE(EndDialog(dialog, 1));
    EXPECT_FALSE(IsWindowVisible(dialog));
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_FALSE(EndDialog(GetDlgItem(dialog, IDOK), 1));
    EXPECT_FALSE(EndDialog(nullptr, 1));
}

} // namespace
} // namespace dlgtest
