// Selection by mouse and keyboard, and what the owner hears of it.
#include "tests/system/support/ListViewFixture.h"

namespace corvane::test {
namespace {

class SelectTest : public ListViewTest {
protected:
    HWND list = nullptr;
    void Build(DWORD style, DWORD exStyle)
    {
        list = MakeList(LVS_REPORT | style, 0, 0, 300, 200);
        AddColumn(list, 0, "ID", 50);
        AddColumn(list, 1, "Text", 150);
        for (int i = 0; i < 30; ++i) InsertRow(list, 0, "r");
        SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle));
        Pump();
        notes.clear();
    }
    POINT RowPoint(int row, int x)
    {
        RECT r = ItemRect(list, row);
        return ScreenOf(list, x, (r.top + r.bottom) / 2);
    }
    std::vector<int> Selected()
    {
        std::vector<int> out;
        for (int i = -1; (i = static_cast<int>(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
            out.push_back(i);
        return out;
    }
    int Focused() { return static_cast<int>(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)); }
};

TEST_F(SelectTest, ClicksSelectRowsAndTellTheOwner)
{
    Build(0, LVS_EX_FULLROWSELECT);
    POINT p = RowPoint(3, 120);
    screen.Click(p.x, p.y);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{3}));
    EXPECT_EQ(Focused(), 3);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(Count(NM_CLICK), 1);
    EXPECT_GE(Count(LVN_ITEMCHANGED), 1);
    EXPECT_EQ(Count(NM_SETFOCUS), 1);

    p = RowPoint(5, 20);
    screen.Click(p.x, p.y);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{5}));

    // Ctrl adds and removes single rows, shift takes the range from the anchor.
    screen.KeyDown(VK_CONTROL);
    p = RowPoint(7, 20);
    screen.Click(p.x, p.y);
    p = RowPoint(5, 20);
    screen.Click(p.x, p.y);
    screen.KeyUp(VK_CONTROL);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{7}));
    screen.KeyDown(VK_SHIFT);
    p = RowPoint(9, 20);
    screen.Click(p.x, p.y);
    screen.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 5);
}

TEST_F(SelectTest, WithoutFullRowSelectOnlyTheFirstColumnSelects)
{
    Build(0, 0);
    POINT sub = RowPoint(2, 120);
    screen.Click(sub.x, sub.y);
    Pump();
    EXPECT_TRUE(Selected().empty());
    LVHITTESTINFO hit{};
    hit.pt = POINT{120, (ItemRect(list, 2).top + ItemRect(list, 2).bottom) / 2};
    EXPECT_EQ(SendMessage(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(SendMessage(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 2);
    EXPECT_EQ(hit.iSubItem, 1);
    POINT first = RowPoint(2, 20);
    screen.Click(first.x, first.y);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    // A click beside the label clears the selection.
    screen.Click(sub.x, sub.y + 20);
    Pump();
    EXPECT_TRUE(Selected().empty());
}

TEST_F(SelectTest, KeysMoveTheFocusAndTheSelection)
{
    Build(0, LVS_EX_FULLROWSELECT);
    POINT p = RowPoint(1, 100);
    screen.Click(p.x, p.y);
    screen.KeyDown(VK_DOWN);
    screen.KeyUp(VK_DOWN);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{2}));
    EXPECT_EQ(Focused(), 2);
    screen.KeyDown(VK_SHIFT);
    screen.KeyDown(VK_DOWN);
    screen.KeyDown(VK_DOWN);
    screen.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{2, 3, 4}));
    EXPECT_GE(Count(LVN_KEYDOWN), 3);
    screen.KeyDown(VK_NEXT);
    Pump();
    int perPage = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    EXPECT_EQ(Selected(), (std::vector<int>{4 + perPage - 1}));
    screen.KeyDown(VK_UP);
    screen.KeyDown(VK_HOME);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{0}));
    screen.KeyDown(VK_UP); // nothing above the first row
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{0}));
}

TEST_F(SelectTest, SingleSelectionKeepsOneRow)
{
    Build(LVS_SINGLESEL, LVS_EX_FULLROWSELECT);
    screen.KeyDown(VK_CONTROL);
    POINT p = RowPoint(1, 20);
    screen.Click(p.x, p.y);
    p = RowPoint(4, 20);
    screen.Click(p.x, p.y);
    screen.KeyUp(VK_CONTROL);
    screen.KeyDown(VK_SHIFT);
    screen.KeyDown(VK_DOWN);
    screen.KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ(Selected(), (std::vector<int>{5}));
}

} // namespace
} // namespace corvane::test
