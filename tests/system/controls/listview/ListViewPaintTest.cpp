// The list's own painting, read back as pixels: background, selection across
// the row or the label only, grid lines.
#include "tests/system/support/ListViewFixture.h"

namespace corvane::test {
namespace {

class PaintTest : public ListViewTest {
protected:
    HWND list = nullptr;
    void Build(DWORD exStyle)
    {
        list = MakeList(LVS_REPORT, 0, 0, 300, 200);
        AddColumn(list, 0, "ID", 60);
        AddColumn(list, 1, "Text", 120);
        for (int i = 0; i < 4; ++i) InsertRow(list, 0, "");
        SendMessage(list, LVM_SETBKCOLOR, 0, RGB(10, 20, 30));
        SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(exStyle));
        LVITEM sel{};
        sel.state = sel.stateMask = LVIS_SELECTED;
        SendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&sel));
        SetFocus(list);
        Pump();
    }
    COLORREF At(int x, int y)
    {
        POINT p = ScreenOf(list, x, y);
        return Pixel(p.x, p.y);
    }
    int Mid(int row)
    {
        RECT r = ItemRect(list, row);
        return (r.top + r.bottom) / 2;
    }
};

TEST_F(PaintTest, FullRowSelectionLightsEveryCell)
{
    Build(LVS_EX_FULLROWSELECT);
    EXPECT_EQ(SendMessage(list, LVM_GETBKCOLOR, 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(At(30, Mid(1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(At(150, Mid(1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(At(250, Mid(1)), RGB(10, 20, 30)); // right of the last column
    EXPECT_EQ(At(150, Mid(0)), RGB(10, 20, 30));
    EXPECT_EQ(At(150, 190), RGB(10, 20, 30));    // below the rows
}

TEST_F(PaintTest, WithoutFullRowOnlyTheLabelIsLitAndGridLinesShow)
{
    Build(LVS_EX_GRIDLINES);
    EXPECT_EQ(At(30, Mid(1)), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(At(150, Mid(1)), RGB(10, 20, 30));
    COLORREF grid = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(At(59, Mid(2)), grid);  // right edge of column 0
    EXPECT_EQ(At(179, Mid(2)), grid); // right edge of column 1
    EXPECT_EQ(At(150, ItemRect(list, 2).bottom - 1), grid);
    EXPECT_EQ(At(150, ItemRect(list, 2).bottom - 2), RGB(10, 20, 30));
    // Losing the focus hides the selection.
    SetFocus(parent);
    Pump();
    EXPECT_EQ(At(30, Mid(1)), RGB(10, 20, 30));
}

} // namespace
} // namespace corvane::test
