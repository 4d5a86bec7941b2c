// Scrolling the list with its scroll bars and the wheel, by injected input.
#include "platform/system/controls/scrollbar/ScrollBar.h"
#include "tests/system/support/ListViewFixture.h"

namespace corvane::test {
namespace {

class ScrollTest : public ListViewTest {
protected:
    HWND list = nullptr;
    RECT bar{};
    int perPage = 0;

    void Build()
    {
        list = MakeList(LVS_REPORT, 10, 10, 300, 200);
        AddColumn(list, 0, "ID", 80);
        AddColumn(list, 1, "Text", 150);
        for (int i = 0; i < 500; ++i) InsertRow(list, 0, "row");
        Pump();
        ASSERT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);
        bar = ScreenBar(list, true);
        perPage = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
        ASSERT_GT(perPage, 3);
    }
    int MidX() const { return (bar.left + bar.right) / 2; }
};

TEST_F(ScrollTest, ArrowsPagesAndTheWheelMoveTheTopRow)
{
    Build();
    screen.Click(MidX(), bar.bottom - 4); // down arrow
    Pump();
    EXPECT_EQ(Top(list), 1);
    screen.Click(MidX(), bar.top + 4); // up arrow
    Pump();
    EXPECT_EQ(Top(list), 0);
    screen.Click(MidX(), bar.bottom - 20); // track below the thumb
    Pump();
    EXPECT_EQ(Top(list), perPage);
    screen.Click(MidX(), bar.top + 17); // just below the up arrow, above the thumb
    Pump();
    EXPECT_EQ(Top(list), 0);

    // A held arrow repeats on the clock.
    screen.MoveMouse(MidX(), bar.bottom - 4);
    screen.Press();
    Pump();
    EXPECT_EQ(Top(list), 1);
    screen.Advance(sys::WindowScrollBars::kFirstDelayMs);
    Pump();
    screen.Advance(sys::WindowScrollBars::kRepeatMs);
    Pump();
    screen.Release();
    Pump();
    EXPECT_EQ(Top(list), 3);

    SetFocus(list);
    screen.MoveMouse(50, 50);
    screen.Wheel(-WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Top(list), 6);
    screen.Wheel(WHEEL_DELTA * 2);
    Pump();
    EXPECT_EQ(Top(list), 0);
    screen.Wheel(WHEEL_DELTA);
    Pump();
    EXPECT_EQ(Top(list), 0); // clamped at the top
}

TEST_F(ScrollTest, DraggingTheThumbTracksAndEndsWhereReleased)
{
    Build();
    sys::ScrollModel m;
    m.Set(0, 499, perPage, 0);
    RECT local{0, 0, bar.right - bar.left, bar.bottom - bar.top};
    sys::ScrollLayout l = sys::LayoutScrollBar(local, true, m, 0);
    ASSERT_GT(l.thumb.bottom, l.thumb.top);
    int grabY = bar.top + (l.thumb.top + l.thumb.bottom) / 2;
    screen.MoveMouse(MidX(), grabY);
    screen.Press();
    Pump();
    screen.MoveMouse(MidX(), grabY + 40);
    Pump();
    int during = Top(list);
    int expected = sys::ScrollPosFromThumb(l, true, m, 40);
    EXPECT_EQ(during, expected);
    EXPECT_GT(during, 0);
    // Dragging far past the end stops at the last full page.
    screen.MoveMouse(MidX(), bar.bottom + 300);
    Pump();
    screen.Release();
    Pump();
    EXPECT_EQ(Top(list), 500 - perPage);
    EXPECT_EQ(GetCapture(), nullptr);

    // The keyboard's End and Home bring the focus row into view.
    SetFocus(list);
    screen.KeyDown(VK_HOME);
    Pump();
    EXPECT_EQ(Top(list), 0);
    screen.KeyDown(VK_END);
    Pump();
    EXPECT_EQ(Top(list), 500 - perPage);
}

TEST_F(ScrollTest, HorizontalBarAppearsForWideColumnsAndMovesTheHeader)
{
    list = MakeList(LVS_REPORT, 0, 0, 200, 150);
    AddColumn(list, 0, "ID", 120);
    InsertRow(list, 0, "a");
    EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_HSCROLL);
    AddColumn(list, 1, "Wide", 300);
    ASSERT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_HSCROLL);
    RECT h = ScreenBar(list, false);
    screen.Click(h.right - 4, (h.top + h.bottom) / 2);
    Pump();
    RECT r = ItemRect(list, 0);
    EXPECT_LT(r.left, 0);
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    RECT hr{}, lr{};
    GetWindowRect(header, &hr);
    GetWindowRect(list, &lr);
    EXPECT_EQ(hr.left - lr.left, r.left);
    // Narrowing the columns takes the bar away and scrolls back.
    SendMessage(list, LVM_SETCOLUMNWIDTH, 1, 20);
    EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_HSCROLL);
    EXPECT_EQ(ItemRect(list, 0).left, 0);
}

TEST(ScrollModel, PositionsStayInRangeAndTheThumbMapsBothWays)
{
    sys::ScrollModel m;
    m.Set(0, 9999999, 10, 20000000);
    EXPECT_EQ(m.pos, 9999990);
    m.Set(0, 5, 100, 3); // a page bigger than the range
    EXPECT_EQ(m.page, 6);
    EXPECT_EQ(m.pos, 0);
    m.Set(0, 99, 10, 0);
    RECT bar{0, 0, 16, 216};
    sys::ScrollLayout top = sys::LayoutScrollBar(bar, true, m, 0);
    sys::ScrollLayout end = sys::LayoutScrollBar(bar, true, m, 90);
    EXPECT_EQ(top.thumb.top, 16);
    EXPECT_EQ(end.thumb.bottom, 200);
    EXPECT_EQ(sys::HitScrollBar(top, POINT{8, 5}, true), sys::ScrollPart::ArrowLess);
    EXPECT_EQ(sys::HitScrollBar(top, POINT{8, 210}, true), sys::ScrollPart::ArrowMore);
    EXPECT_EQ(sys::HitScrollBar(top, POINT{8, top.thumb.top + 1}, true), sys::ScrollPart::Thumb);
    EXPECT_EQ(sys::HitScrollBar(top, POINT{8, 150}, true), sys::ScrollPart::PageMore);
    EXPECT_EQ(sys::HitScrollBar(end, POINT{8, 20}, true), sys::ScrollPart::PageLess);
    int travel = (200 - 16) - (top.thumb.bottom - top.thumb.top);
    EXPECT_EQ(sys::ScrollPosFromThumb(top, true, m, travel), 90);
    EXPECT_EQ(sys::ScrollPosFromThumb(top, true, m, -50), 0);
    EXPECT_EQ(sys::ScrollPosFromThumb(top, true, m, travel / 2), 45);
    // Ten million rows still get a thumb that can be grabbed.
    m.Set(0, 9999999, 10, 0);
    sys::ScrollLayout big = sys::LayoutScrollBar(bar, true, m, 5000000);
    EXPECT_GE(big.thumb.bottom - big.thumb.top, 8);
}

} // namespace
} // namespace corvane::test
