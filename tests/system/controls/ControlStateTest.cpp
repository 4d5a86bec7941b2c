// Every control that keeps state outside its window bytes survives a program
// writing over those bytes: it finds no state rather than a wild pointer, and
// the state made at creation is still freed at destruction.
#include "platform/system/CommCtrl.h"
#include "platform/system/controls/combobox/ComboBox.h"
#include "platform/system/controls/combobox/ComboBoxClass.h"
#include "platform/system/controls/listbox/ListBox.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/controls/tab/TabClass.h"
#include "tests/system/support/ControlFixture.h"

namespace ctltest {
namespace {

using StateTest = ControlTest;

TEST_F(StateTest, AWindowWhoseSlotWasOverwrittenFindsNoStateAndStillFreesIt)
{
    ASSERT_TRUE(sys::RegisterListBoxClass());
    ASSERT_TRUE(sys::RegisterComboBoxClass());
    ASSERT_TRUE(sys::RegisterTabClass());
    ASSERT_TRUE(sys::RegisterListViewClasses());
    const char* classes[] = {"ListBox", "ComboBox", "SysTabControl32", "SysHeader32", "SysListView32", "Edit"};
    for (const char* cls : classes) {
        SCOPED_TRACE(cls);
        HWND a = Make(cls, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 10, 120, 80, 1);
        HWND b = Make(cls, "", WS_CHILD | WS_VISIBLE | WS_VSCROLL, 10, 100, 120, 80, 2);
        ASSERT_TRUE(a && b);
        const LONG_PTR own = GetWindowLongPtr(a, 0);
        ASSERT_NE(own, 0);
        // A garbage value, then another window's serial: neither may be taken for a state.
        for (LONG_PTR written : {static_cast<LONG_PTR>(0x5A5A5A5A), GetWindowLongPtr(b, 0)}) {
            SetWindowLongPtr(a, 0, written);
            InvalidateRect(a, nullptr, TRUE);
            UpdateWindow(a);
            SendMessage(a, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("x"));
            SendMessage(a, WM_KEYDOWN, VK_DOWN, 0);
            SendMessage(a, WM_LBUTTONDOWN, 0, MAKELPARAM(5, 5));
            SendMessage(a, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
            Pump();
        }
        // The other window still works on its own state.
        char text[8] = {};
        SendMessage(b, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ok"));
        if (std::string(cls) == "Edit") {
            GetWindowText(b, text, sizeof text);
            EXPECT_STREQ(text, "ok");
        }
        // Put back, the slot finds the state again; destruction frees it (the leak checker watches).
        SetWindowLongPtr(a, 0, own);
        UpdateWindow(a);
        EXPECT_TRUE(DestroyWindow(a));
        EXPECT_TRUE(DestroyWindow(b));
    }
}

} // namespace
} // namespace ctltest
