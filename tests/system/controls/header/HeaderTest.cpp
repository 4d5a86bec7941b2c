// The header: layout, item rectangles, divider dragging with its
// notifications, clicks and hot tracking.
#include "platform/system/controls/header/HeaderInternal.h"
#include "tests/system/support/ListViewFixture.h"

#include <algorithm>

namespace corvane::test {
namespace {

class HeaderTest : public ListViewTest {
protected:
    HWND list = nullptr;
    HWND header = nullptr;
    int height = 0;

    void Build(DWORD extra = 0)
    {
        list = MakeList(LVS_REPORT | extra, 0, 0, 300, 200);
        AddColumn(list, 0, "ID", 50);
        AddColumn(list, 1, "Text", 100);
        for (int i = 0; i < 5; ++i) InsertRow(list, 0, "r");
        header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
        RECT r{};
        GetWindowRect(header, &r);
        height = r.bottom - r.top;
        Pump();
        notes.clear();
    }
    void MoveTo(POINT p)
    {
        screen.MoveMouse(p.x, p.y);
        Pump();
    }
    std::vector<UINT> Only(std::initializer_list<UINT> codes) const
    {
        std::vector<UINT> out;
        for (UINT c : notes)
            if (std::find(codes.begin(), codes.end(), c) != codes.end()) out.push_back(c);
        return out;
    }
};

TEST_F(HeaderTest, LayoutGivesTheFontsHeightAndTakesItFromTheRectangle)
{
    Build();
    HDC hdc = GetDC(header);
    SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA tm{};
    ASSERT_TRUE(GetTextMetrics(hdc, &tm));
    ReleaseDC(header, hdc);
    int expected = tm.tmHeight + 2 * GetSystemMetrics(SM_CYEDGE);

    RECT room{5, 7, 205, 107};
    WINDOWPOS wp{};
    HDLAYOUT layout{&room, &wp};
    ASSERT_TRUE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_EQ(wp.hwnd, header);
    EXPECT_EQ(wp.x, 5);
    EXPECT_EQ(wp.y, 7);
    EXPECT_EQ(wp.cx, 200);
    EXPECT_EQ(wp.cy, expected);
    EXPECT_EQ(room.top, 7 + expected);
    EXPECT_EQ(room.bottom, 107);
    EXPECT_EQ(height, expected); // the list placed its header by the same answer
    EXPECT_EQ(ItemRect(list, 0).top, expected);

    HDLAYOUT broken{nullptr, &wp};
    EXPECT_FALSE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&broken)));
    EXPECT_FALSE(SendMessage(header, HDM_LAYOUT, 0, 0));
    SetWindowLong(header, GWL_STYLE, GetWindowLong(header, GWL_STYLE) | static_cast<LONG>(HDS_HIDDEN));
    room = RECT{0, 0, 100, 100};
    ASSERT_TRUE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&layout)));
    EXPECT_EQ(wp.cy, 0);
    EXPECT_EQ(room.top, 0);

    RECT item{};
    ASSERT_TRUE(SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.left, 50);
    EXPECT_EQ(item.right, 150);
    EXPECT_FALSE(SendMessage(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(HeaderTest, DraggingADividerResizesTheColumnWithTrackNotifications)
{
    Build();
    POINT at = ScreenOf(header, 50, height / 2);
    screen.MoveMouse(at.x, at.y);
    screen.Press();
    Pump();
    screen.MoveMouse(at.x + 10, at.y);
    Pump();
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 60); // the column follows while dragging
    screen.MoveMouse(at.x + 30, at.y);
    Pump();
    screen.Release();
    Pump();
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 80);
    RECT cell{LVIR_LABEL, 1, 0, 0};
    SendMessage(list, LVM_GETSUBITEMRECT, 0, reinterpret_cast<LPARAM>(&cell));
    EXPECT_EQ(cell.left, 80);
    std::vector<UINT> seen = Only({HDN_BEGINTRACK, HDN_TRACK, HDN_ENDTRACK});
    std::vector<UINT> order{HDN_BEGINTRACK, HDN_TRACK, HDN_TRACK, HDN_ENDTRACK};
    EXPECT_EQ(seen, order);
    EXPECT_EQ(trackWidths, (std::vector<int>{60, 80}));
    EXPECT_EQ(Count(HDN_ITEMCHANGED), 2);
    EXPECT_EQ(GetCapture(), nullptr);

    // The owner can refuse the drag.
    vetoCode = HDN_BEGINTRACK;
    at = ScreenOf(header, 80, height / 2);
    screen.MoveMouse(at.x, at.y);
    screen.Press();
    screen.MoveMouse(at.x + 25, at.y);
    screen.Release();
    Pump();
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 80);
    // ... or every change of width, which leaves the column as it was.
    vetoCode = HDN_ITEMCHANGING;
    screen.MoveMouse(at.x, at.y);
    screen.Press();
    screen.MoveMouse(at.x - 40, at.y);
    screen.Release();
    Pump();
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 80);
    // Dragging left past the item's edge stops at zero width.
    vetoCode = 0;
    screen.MoveMouse(at.x, at.y);
    screen.Press();
    screen.MoveMouse(at.x - 200, at.y);
    screen.Release();
    Pump();
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 0);
}

TEST_F(HeaderTest, ClicksReachTheOwnerAndHotTrackingFollowsThePointer)
{
    Build();
    POINT at = ScreenOf(header, 100, height / 2);
    screen.Click(at.x, at.y);
    Pump();
    EXPECT_EQ(Count(HDN_ITEMCLICK), 1);
    EXPECT_EQ(Count(LVN_COLUMNCLICK), 1);

    sys::hd::Header* h = sys::hd::From(header);
    ASSERT_NE(h, nullptr);
    screen.MoveMouse(at.x, at.y);
    Pump();
    EXPECT_EQ(h->hot, 1);
    POINT first = ScreenOf(header, 20, height / 2);
    screen.MoveMouse(first.x, first.y);
    Pump();
    EXPECT_EQ(h->hot, 0);
    POINT below = ScreenOf(list, 20, 150);
    screen.MoveMouse(below.x, below.y);
    Pump();
    EXPECT_EQ(h->hot, -1);
}

// A pressed item is drawn sunk while the pointer is over it; only a release
// there clicks, and losing the capture ends the press without one.
TEST_F(HeaderTest, AnItemPressShowsWhileOverTheItemAndClicksOnlyThere)
{
    Build();
    const POINT item = ScreenOf(header, 100, height / 2), away = ScreenOf(header, 20, height / 2);
    const POINT corner = ScreenOf(header, 50, 0); // the second item's top-left pixel
    auto sunk = [&] { return Pixel(corner.x, corner.y) == GetSysColor(COLOR_BTNSHADOW); };
    EXPECT_FALSE(sunk());
    MoveTo(item);
    screen.Press();
    Pump();
    EXPECT_TRUE(sunk());
    EXPECT_EQ(GetCapture(), header);
    MoveTo(away);
    EXPECT_FALSE(sunk());
    EXPECT_EQ(GetCapture(), header);
    MoveTo(item);
    EXPECT_TRUE(sunk());
    MoveTo(away);
    screen.Release();
    Pump();
    EXPECT_EQ(Count(HDN_ITEMCLICK), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(sunk());

    MoveTo(item);
    screen.Press();
    Pump();
    SetCapture(parent);
    Pump();
    EXPECT_FALSE(sunk());
    screen.Release();
    Pump();
    EXPECT_EQ(Count(HDN_ITEMCLICK), 0);
    ReleaseCapture();

    // The header is not left half-pressed: the next click is heard.
    screen.Click(item.x, item.y);
    Pump();
    EXPECT_EQ(Count(HDN_ITEMCLICK), 1);
    EXPECT_FALSE(sunk());
}

TEST_F(HeaderTest, DefaultPaintingShowsButtonFacesAndHidesWithTheStyle)
{
    Build();
    POINT filler = ScreenOf(header, 250, height / 2);
    EXPECT_EQ(Pixel(filler.x, filler.y), GetSysColor(COLOR_BTNFACE));
    POINT inItem = ScreenOf(header, 140, height / 2); // right part of "Text", clear of the title
    EXPECT_EQ(Pixel(inItem.x, inItem.y), GetSysColor(COLOR_BTNFACE));

    SetWindowLong(list, GWL_STYLE, GetWindowLong(list, GWL_STYLE) | static_cast<LONG>(LVS_NOCOLUMNHEADER));
    Pump();
    EXPECT_FALSE(IsWindowVisible(header));
    EXPECT_EQ(ItemRect(list, 0).top, 0);
}

} // namespace
} // namespace corvane::test
