// The list box and the drop-down list the file dialog is built from: sorted
// strings, searches, keyboard and mouse selection with their notifications,
// and the dropped list chosen from by key and by click.
#include "platform/system/controls/combobox/ComboBoxClass.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/input/VirtualKeys.h"
#include "tests/system/support/TabTestSupport.h"

#include <algorithm>

namespace tabfile {
namespace {

using ListComboTest = HeadlessTest;

HWND Make(HWND parent, const char* cls, DWORD style, int y, int height)
{
    HWND h = CreateWindowEx(0, cls, "", WS_CHILD | WS_VISIBLE | style, 10, y, 200, height, parent,
                            reinterpret_cast<HMENU>(7), nullptr, nullptr);
    EXPECT_NE(h, nullptr);
    return h;
}

TEST_F(ListComboTest, ListBoxSortsSearchesAndSelectsByKeyAndClick)
{
    ASSERT_TRUE(sys::RegisterListBoxClass());
    HWND parent = MakeParent();
    HWND list = Make(parent, "ListBox", LBS_NOTIFY | LBS_SORT | WS_BORDER, 10, 60);
    for (const char* s : {"delta", "Alpha", "charlie", "bravo", "echo", "foxtrot", "golf"})
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    char text[32] = {};
    SendMessage(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Alpha");
    SendMessage(list, LB_GETTEXT, 3, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "delta");
    EXPECT_EQ(SendMessage(list, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("CH")), 2);
    EXPECT_EQ(SendMessage(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("ch")), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, 99, reinterpret_cast<LPARAM>(text)), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_GETTEXT, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessage(list, LB_SETCURSEL, 99, 0), LB_ERR);

    // Keys move the selection and tell the parent; the view follows it down.
    SetFocus(list);
    Commands().clear();
    m_screen.KeyDown(VK_END);
    sys::PumpUntilIdle();
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 6);
    EXPECT_GT(SendMessage(list, LB_GETTOPINDEX, 0, 0), 0);
    m_screen.KeyDown(VK_UP);
    m_screen.TypeText("b");
    sys::PumpUntilIdle();
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(std::count(Commands().begin(), Commands().end(), LBN_SELCHANGE), 3);

    // A click selects; a double click also reports LBN_DBLCLK.
    m_screen.KeyDown(VK_HOME);
    sys::PumpUntilIdle();
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    POINT p = Screen(list, r.left + 5, (r.top + r.bottom) / 2);
    Commands().clear();
    m_screen.DoubleClick(p.x, p.y);
    sys::PumpUntilIdle();
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 1);
    EXPECT_NE(std::find(Commands().begin(), Commands().end(), LBN_DBLCLK), Commands().end());

    EXPECT_EQ(SendMessage(list, LB_DELETESTRING, 1, 0), 6);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), LB_ERR);
}

TEST_F(ListComboTest, DropDownListChoosesByArrowsByTheDroppedListAndCancelsWithEsc)
{
    ASSERT_TRUE(sys::RegisterComboBoxClass());
    HWND parent = MakeParent();
    HWND combo = Make(parent, "ComboBox", CBS_DROPDOWNLIST, 10, 120);
    RECT face{};
    GetWindowRect(combo, &face);
    EXPECT_LT(face.bottom - face.top, 120) << "the window is as tall as its face";
    for (const char* s : {"TXT Files(*.txt)", "Log Files(*.log)", "All Files(*.*)"})
        SendMessage(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 0, 0), 0);

    SetFocus(combo);
    Commands().clear();
    m_screen.KeyDown(VK_DOWN);
    sys::PumpUntilIdle();
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Commands(), (std::vector<WORD>{CBN_SELCHANGE}));

    // F4 drops the list; while dropped the control wants every key; Esc closes without a change.
    m_screen.KeyDown(VK_F4);
    sys::PumpUntilIdle();
    EXPECT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(combo, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
    m_screen.KeyDown(VK_DOWN);
    m_screen.KeyDown(VK_ESCAPE);
    sys::PumpUntilIdle();
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);

    // Dropped again, Down and Enter take the next string.
    m_screen.KeyDown(VK_DOWN, display::kModAlt);
    sys::PumpUntilIdle();
    ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    m_screen.KeyDown(VK_DOWN);
    m_screen.KeyDown(VK_RETURN);
    sys::PumpUntilIdle();
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 2);

    // A click on the face drops it; a click on the first row of the list chooses it.
    GetWindowRect(combo, &face);
    m_screen.Click(face.left + 10, (face.top + face.bottom) / 2);
    sys::PumpUntilIdle();
    ASSERT_TRUE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    m_screen.Click(face.left + 10, face.bottom + 5);
    sys::PumpUntilIdle();
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);

    // A click elsewhere closes it unchanged.
    m_screen.Click(face.left + 10, (face.top + face.bottom) / 2);
    sys::PumpUntilIdle();
    m_screen.Click(face.right + 100, face.bottom + 100);
    sys::PumpUntilIdle();
    EXPECT_FALSE(SendMessage(combo, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 0);
    char text[64] = {};
    EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(text)), 14);
    EXPECT_STREQ(text, "All Files(*.*)");
    EXPECT_EQ(SendMessage(combo, CB_GETLBTEXT, 9, reinterpret_cast<LPARAM>(text)), CB_ERR);
}

// An index is an int: with bits set above them, its low 32 bits name the same
// item for every message, reads and writes of texts and data alike.
TEST_F(ListComboTest, IndexesAreIntsWhateverTheWidthOfTheParameter)
{
    ASSERT_TRUE(sys::RegisterComboBoxClass());
    HWND parent = MakeParent();
    struct Messages {
        const char* cls;
        UINT add, getLen, getText, getData, setData, remove;
    };
    const Messages kinds[] = {
        {"ListBox", LB_ADDSTRING, LB_GETTEXTLEN, LB_GETTEXT, LB_GETITEMDATA, LB_SETITEMDATA, LB_DELETESTRING},
        {"ComboBox", CB_ADDSTRING, CB_GETLBTEXTLEN, CB_GETLBTEXT, CB_GETITEMDATA, CB_SETITEMDATA, CB_DELETESTRING},
    };
    const WPARAM high = WPARAM{1} << 32;
    for (const Messages& k : kinds) {
        SCOPED_TRACE(k.cls);
        HWND h = Make(parent, k.cls, 0, 10, 100);
        for (const char* s : {"first", "second!", "third"})
            SendMessage(h, k.add, 0, reinterpret_cast<LPARAM>(s));
        EXPECT_EQ(SendMessage(h, k.getLen, high | 1, 0), 7);
        char text[16] = {};
        EXPECT_EQ(SendMessage(h, k.getText, high | 1, reinterpret_cast<LPARAM>(text)), 7);
        EXPECT_STREQ(text, "second!");
        EXPECT_EQ(SendMessage(h, k.setData, high | 2, 42), TRUE);
        EXPECT_EQ(SendMessage(h, k.getData, 2, 0), 42);
        EXPECT_EQ(SendMessage(h, k.getData, high | 2, 0), 42);
        EXPECT_EQ(SendMessage(h, k.getLen, high | 3, 0), LB_ERR);
        EXPECT_EQ(SendMessage(h, k.getLen, static_cast<WPARAM>(-1), 0), LB_ERR);
        // Deleting takes the same item the reads name.
        EXPECT_EQ(SendMessage(h, k.remove, high, 0), 2);
        EXPECT_EQ(SendMessage(h, k.getLen, 0, 0), 7);
        DestroyWindow(h);
    }
}

} // namespace
} // namespace tabfile
