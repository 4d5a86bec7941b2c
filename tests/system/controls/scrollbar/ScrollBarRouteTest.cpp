// The list box and the list view hand their standard bars the same messages:
// the bars are painted with the frame, a press or double click on an arrow
// scrolls and repeats on the clock, a press in the rows waits while the bar
// tracks, and a lost capture ends both the bar's tracking and the window's.
#include "platform/gfx/Surface.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/controls/listbox/ListBoxClass.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/controls/scrollbar/ScrollBar.h"
#include "tests/system/support/ControlFixture.h"

#include <string>

namespace ctltest {
namespace {

constexpr int kRows = 100;

struct Subject {
    const char* name;
    HWND (*make)(ControlTest& t);
    UINT getTop, getItemRect;
    int (*selected)(HWND list);
};

int Top(const Subject& s, HWND list)
{
    return static_cast<int>(SendMessage(list, s.getTop, 0, 0));
}

// The client point in the middle of a row, a little in from its left.
LPARAM RowPoint(const Subject& s, HWND list, int row)
{
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessage(list, s.getItemRect, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return MAKELPARAM(static_cast<WORD>(r.left + 10), static_cast<WORD>((r.top + r.bottom) / 2));
}

HWND MakeListBox(ControlTest& t)
{
    if (!sys::RegisterListBoxClass()) return nullptr;
    HWND list = t.Make("ListBox", "", WS_BORDER, 10, 10, 150, 120, 7);
    for (int i = 0; i < kRows; ++i)
        SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
    return list;
}

HWND MakeListView(ControlTest& t)
{
    if (!sys::RegisterListViewClasses()) return nullptr;
    HWND list = t.Make("SysListView32", "", WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 10, 10, 150, 120, 7);
    LVCOLUMN column{};
    column.mask = LVCF_WIDTH;
    column.cx = 100;
    SendMessage(list, LVM_INSERTCOLUMN, 0, reinterpret_cast<LPARAM>(&column));
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.pszText = const_cast<LPSTR>("row");
    for (int i = 0; i < kRows; ++i)
        SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    return list;
}

int ListBoxSelection(HWND list)
{
    return static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0));
}

int ListViewSelection(HWND list)
{
    return static_cast<int>(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

const Subject kSubjects[] = {
    {"list box", &MakeListBox, LB_GETTOPINDEX, LB_GETITEMRECT, &ListBoxSelection},
    {"list view", &MakeListView, LVM_GETTOPINDEX, LVM_GETITEMRECT, &ListViewSelection},
};

using ScrollBarRouteTest = ControlTest;

TEST_F(ScrollBarRouteTest, ListsShareTheBarsPaintingTrackingAndCaptureLoss)
{
    for (const Subject& s : kSubjects) {
        SCOPED_TRACE(s.name);
        HWND list = s.make(*this);
        ASSERT_NE(list, nullptr);
        Pump();
        ASSERT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);
        RECT bar = sys::WindowScrollBars::BarRect(list, SB_VERT);
        RECT window{};
        GetWindowRect(list, &window);
        OffsetRect(&bar, window.left, window.top);
        int x = (bar.left + bar.right) / 2;
        POINT downArrow{x, bar.bottom - 4};

        // Painted after the frame: the down arrow shows its glyph.
        int ink = 0;
        for (int y = bar.bottom - GetSystemMetrics(SM_CYVSCROLL); y < bar.bottom; ++y)
            for (int across = bar.left; across < bar.right; ++across)
                ink += gfx::ColorFromPixel(screen.PixelAt(across, y)) == GetSysColor(COLOR_BTNTEXT);
        EXPECT_GT(ink, 3);

        // A double click on the arrow is two presses.
        screen.DoubleClick(downArrow.x, downArrow.y);
        Pump();
        EXPECT_EQ(Top(s, list), 2);

        // Held: a press in the rows is ignored, the clock repeats the arrow.
        screen.MoveMouse(downArrow.x, downArrow.y);
        screen.Press();
        Pump();
        EXPECT_EQ(Top(s, list), 3);
        EXPECT_EQ(GetCapture(), list);
        SendMessage(list, WM_LBUTTONDOWN, MK_LBUTTON, RowPoint(s, list, 4));
        SendMessage(list, WM_LBUTTONDBLCLK, MK_LBUTTON, RowPoint(s, list, 4));
        EXPECT_EQ(s.selected(list), -1);
        EXPECT_EQ(GetCapture(), list);
        screen.Advance(sys::WindowScrollBars::kFirstDelayMs);
        Pump();
        EXPECT_EQ(Top(s, list), 4);

        // Another window takes the capture: the repeat stops for good.
        SetCapture(parent);
        screen.Advance(sys::WindowScrollBars::kRepeatMs * 4);
        Pump();
        screen.Release();
        ReleaseCapture();
        Pump();
        EXPECT_EQ(Top(s, list), 4);

        // Rows take presses again; a drag whose capture was taken selects no further.
        LPARAM row = RowPoint(s, list, 5);
        POINT at = Screen(list, GET_X_LPARAM(row), GET_Y_LPARAM(row));
        screen.MoveMouse(at.x, at.y);
        screen.Press();
        Pump();
        EXPECT_EQ(s.selected(list), 5);
        SetCapture(parent);
        SendMessage(list, WM_MOUSEMOVE, MK_LBUTTON, RowPoint(s, list, 7));
        EXPECT_EQ(s.selected(list), 5);
        screen.Release();
        ReleaseCapture();
        Pump();
        DestroyWindow(list);
    }
}

WNDPROC g_listProc = nullptr;
WORD g_destroyOn = 0;

// A program's subclass that closes the list when the bar reports g_destroyOn.
LRESULT DestroyingList(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_VSCROLL && LOWORD(wParam) == g_destroyOn) {
        DestroyWindow(hwnd);
        return 0;
    }
    return CallWindowProc(g_listProc, hwnd, message, wParam, lParam);
}

// The bars' state goes with the window; the release that ends a drag must not
// read it, nor send to the window, once a handler has destroyed it.
TEST_F(ScrollBarRouteTest, AListDestroyedByItsScrollHandlerEndsTheDragCleanly)
{
    for (const Subject& s : kSubjects) {
        for (WORD code : {SB_THUMBPOSITION, SB_ENDSCROLL}) {
            SCOPED_TRACE(std::string(s.name) + (code == SB_ENDSCROLL ? " on end" : " on position"));
            HWND list = s.make(*this);
            ASSERT_NE(list, nullptr);
            Pump();
            g_destroyOn = code;
            g_listProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtr(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DestroyingList)));
            RECT bar = sys::WindowScrollBars::BarRect(list, SB_VERT);
            RECT window{};
            GetWindowRect(list, &window);
            OffsetRect(&bar, window.left, window.top);
            int x = (bar.left + bar.right) / 2;
            int thumbTop = bar.top + GetSystemMetrics(SM_CYVSCROLL) + 2; // at the top: nothing scrolled yet
            screen.MoveMouse(x, thumbTop);
            screen.Press();
            Pump();
            ASSERT_EQ(GetCapture(), list);
            screen.MoveMouse(x, thumbTop + 30);
            Pump();
            EXPECT_GT(Top(s, list), 0) << "the drag scrolled nothing";
            screen.Release();
            Pump();
            EXPECT_FALSE(IsWindow(list));
            EXPECT_EQ(GetCapture(), nullptr);
        }
    }
}

} // namespace
} // namespace ctltest
