// Owner-drawn fixed rows: measuring at creation and after WM_WINDOWPOSCHANGED,
// and one WM_DRAWITEM per visible row with its rectangle and state.
#include "tests/system/support/ListViewFixture.h"

namespace corvane::test {
namespace {

int HeaderHeight(HWND list)
{
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    RECT r{};
    GetWindowRect(header, &r);
    return r.bottom - r.top;
}

TEST_F(ListViewTest, OwnerDrawnRowsAreMeasuredAtCreationAndWhenPlaced)
{
    answerHeight = 20;
    HWND list = MakeList(LVS_REPORT | LVS_OWNERDRAWFIXED);
    ASSERT_EQ(measures.size(), 1u);
    EXPECT_EQ(measures[0].CtlType, ODT_LISTVIEW);
    EXPECT_EQ(measures[0].CtlID, static_cast<UINT>(kListId));
    EXPECT_GT(measures[0].itemHeight, 10u); // the list proposes its font's row height
    UINT proposed = measures[0].itemHeight;
    AddColumn(list, 0, "A", 50);
    InsertRow(list, 0, "a");
    RECT r = ItemRect(list, 0);
    EXPECT_EQ(r.bottom - r.top, 20);

    // Sending WM_WINDOWPOSCHANGED, as a control does to change its rows' height.
    answerHeight = 25;
    RECT wr{};
    GetWindowRect(list, &wr);
    WINDOWPOS wp{list, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top, 0x216};
    SendMessage(list, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    ASSERT_EQ(measures.size(), 2u);
    EXPECT_EQ(measures[1].itemHeight, proposed);
    r = ItemRect(list, 0);
    EXPECT_EQ(r.bottom - r.top, 25);

    // Moving alone does not measure; an answer of 0 to a resize keeps the list's own height.
    answerHeight = 0;
    MoveWindow(list, 5, 5, 300, 200, TRUE);
    EXPECT_EQ(measures.size(), 2u);
    MoveWindow(list, 5, 5, 320, 210, TRUE);
    EXPECT_EQ(measures.size(), 3u);
    r = ItemRect(list, 0);
    EXPECT_EQ(r.bottom - r.top, static_cast<int>(proposed));

    // Lists that draw themselves are never measured.
    measures.clear();
    HWND plain = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 100, 100, parent,
                                nullptr, nullptr, nullptr);
    MoveWindow(plain, 0, 0, 120, 100, TRUE);
    EXPECT_TRUE(measures.empty());
}

TEST_F(ListViewTest, OwnerDrawPaintsOnlyTheVisibleRowsWithTheirStates)
{
    answerHeight = 20;
    HWND list = MakeList(LVS_REPORT | LVS_OWNERDRAWFIXED, 0, 0, 300, 200);
    AddColumn(list, 0, "ID", 50);
    AddColumn(list, 1, "Text", 100);
    for (int i = 0; i < 1000; ++i) InsertRow(list, 0, "row");
    int h = HeaderHeight(list);
    ASSERT_GT(h, 0);
    drawn.clear();
    Pump();
    RECT client{};
    GetClientRect(list, &client);
    int visible = (client.bottom - h + 19) / 20; // the last one may show in part
    std::vector<Drawn> expected;
    for (int i = 0; i < visible; ++i)
        expected.push_back(Drawn{static_cast<UINT>(i), RECT{0, h + 20 * i, 150, h + 20 * (i + 1)}, 0});
    EXPECT_EQ(drawn, expected);

    // Selected rows carry ODS_SELECTED while the list has the focus.
    LVITEM sel{};
    sel.state = sel.stateMask = LVIS_SELECTED;
    SendMessage(list, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&sel));
    SetFocus(list);
    drawn.clear();
    Pump();
    ASSERT_EQ(drawn.size(), expected.size());
    for (const Drawn& d : drawn) EXPECT_EQ(d.state & ODS_SELECTED, d.itemID == 2 ? ODS_SELECTED : 0u) << d.itemID;

    // Without the focus the selection is not shown (no LVS_SHOWSELALWAYS).
    SetFocus(parent);
    drawn.clear();
    Pump();
    ASSERT_FALSE(drawn.empty());
    for (const Drawn& d : drawn) EXPECT_EQ(d.state & ODS_SELECTED, 0u);

    // Scrolled to the middle, the rows drawn are the ones shown there.
    SendMessage(list, LVM_ENSUREVISIBLE, 600, FALSE);
    drawn.clear();
    Pump();
    int top = Top(list);
    EXPECT_EQ(top, 600 - (client.bottom - h) / 20 + 1);
    ASSERT_EQ(drawn.size(), expected.size());
    for (int i = 0; i < static_cast<int>(drawn.size()); ++i) {
        EXPECT_EQ(drawn[static_cast<std::size_t>(i)].itemID, static_cast<UINT>(top + i));
        EXPECT_EQ(drawn[static_cast<std::size_t>(i)].rc.top, h + 20 * i);
    }

    // Changing one visible row's text repaints that row only.
    drawn.clear();
    SetText(list, top + 1, 1, "changed");
    Pump();
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].itemID, static_cast<UINT>(top + 1));
    // A row far off screen repaints nothing.
    drawn.clear();
    SetText(list, 5, 1, "off screen");
    Pump();
    EXPECT_TRUE(drawn.empty());
}

} // namespace
} // namespace corvane::test
