// Columns, rows and cell texts of the list view, through its messages.
#include "platform/system/controls/listview/ListViewInternal.h"
#include "tests/system/support/ListViewFixture.h"

#include <cstring>

namespace corvane::test {
namespace {

TEST_F(ListViewTest, ColumnsKeepWidthFormatAndTitleAndMirrorTheHeader)
{
    HWND list = MakeList(LVS_REPORT);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(AddColumn(list, 0, "ID", 30), 0);
    EXPECT_EQ(AddColumn(list, 5, "Status", 50, LVCFMT_CENTER), 1); // past the end appends
    EXPECT_EQ(AddColumn(list, 1, "Odd", 40, 3), 1);               // an odd format is kept as given

    char title[16] = {};
    LVCOLUMN c{};
    c.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    c.pszText = title;
    c.cchTextMax = sizeof title;
    ASSERT_TRUE(SendMessage(list, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&c)));
    EXPECT_EQ(c.fmt, 3);
    EXPECT_EQ(c.cx, 40);
    EXPECT_STREQ(title, "Odd");
    ASSERT_TRUE(SendMessage(list, LVM_GETCOLUMN, 2, reinterpret_cast<LPARAM>(&c)));
    EXPECT_EQ(c.fmt, LVCFMT_CENTER);
    EXPECT_STREQ(title, "Status");
    EXPECT_FALSE(SendMessage(list, LVM_GETCOLUMN, 3, reinterpret_cast<LPARAM>(&c)));
    EXPECT_FALSE(SendMessage(list, LVM_GETCOLUMN, 0, 0));

    // A title cut to the caller's buffer.
    char small[3] = {'x', 'x', 'x'};
    c.mask = LVCF_TEXT;
    c.pszText = small;
    c.cchTextMax = 3;
    ASSERT_TRUE(SendMessage(list, LVM_GETCOLUMN, 2, reinterpret_cast<LPARAM>(&c)));
    EXPECT_STREQ(small, "St");

    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(SendMessage(header, HDM_GETITEMCOUNT, 0, 0), 3);
    ASSERT_TRUE(SendMessage(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(75, 0)));
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 75);
    RECT r{};
    ASSERT_TRUE(SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r)));
    EXPECT_EQ(r.left, 75);
    EXPECT_EQ(r.right, 115);
    HDITEM hdi{};
    hdi.mask = HDI_FORMAT;
    ASSERT_TRUE(SendMessage(header, HDM_GETITEM, 2, reinterpret_cast<LPARAM>(&hdi)));
    EXPECT_EQ(hdi.fmt & HDF_JUSTIFYMASK, HDF_CENTER);

    // Bad input fails without harm.
    EXPECT_EQ(SendMessage(list, LVM_INSERTCOLUMN, 0, 0), -1);
    EXPECT_EQ(AddColumn(list, -1, "neg", 10), -1);
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 9, 0), 0);
    EXPECT_FALSE(SendMessage(list, LVM_SETCOLUMNWIDTH, 9, 10));
    ASSERT_TRUE(SendMessage(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(static_cast<WORD>(-30), 0)));
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 1, 0), 0); // negative widths clamp to 0
}

TEST_F(ListViewTest, RowsInsertAtTopAndInTheMiddleAndKeepTheirCells)
{
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "ID", 30);
    AddColumn(list, 1, "Text", 100);
    for (int k = 3; k >= 1; --k) {
        std::string id = std::to_string(k);
        ASSERT_EQ(InsertRow(list, 0, id.c_str()), 0);
        ASSERT_TRUE(SetText(list, 0, 1, ("line " + id).c_str()));
    }
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(list, i, 0), std::to_string(i + 1));
        EXPECT_EQ(Text(list, i, 1), "line " + std::to_string(i + 1));
    }
    EXPECT_EQ(InsertRow(list, 1, "mid"), 1);
    EXPECT_EQ(InsertRow(list, 99, "end"), 4); // past the end appends
    EXPECT_EQ(Text(list, 0, 0), "1");
    EXPECT_EQ(Text(list, 1, 0), "mid");
    EXPECT_EQ(Text(list, 1, 1), "");
    EXPECT_EQ(Text(list, 2, 1), "line 2");
    EXPECT_EQ(Text(list, 4, 0), "end");

    // Sub-items only exist where columns do; rows and indexes are checked.
    EXPECT_FALSE(SetText(list, 0, 2, "no column"));
    EXPECT_FALSE(SetText(list, 7, 0, "no row"));
    EXPECT_FALSE(SetText(list, -1, 0, "no row"));
    EXPECT_EQ(InsertRow(list, -2, "neg"), -1);
    LVITEM sub{};
    sub.mask = LVIF_TEXT;
    sub.iSubItem = 1;
    sub.pszText = const_cast<LPSTR>("x");
    EXPECT_EQ(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&sub)), -1);
    EXPECT_EQ(SendMessage(list, LVM_INSERTITEM, 0, 0), -1);
    EXPECT_EQ(Text(list, 9, 0), "");
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 5);

    ASSERT_TRUE(SendMessage(list, LVM_DELETEITEM, 1, 0));
    EXPECT_EQ(Text(list, 1, 1), "line 2");
    EXPECT_FALSE(SendMessage(list, LVM_DELETEITEM, 10, 0));
}

TEST_F(ListViewTest, ItemTextIsCutToTheCallersBufferWithItsTerminator)
{
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "A", 100);
    std::string longText(300, 'a');
    for (int i = 0; i < 300; ++i) longText[static_cast<std::size_t>(i)] = static_cast<char>('a' + i % 26);
    InsertRow(list, 0, longText.c_str());

    char buffer[256];
    std::memset(buffer, '#', sizeof buffer);
    LVITEM item{};
    item.pszText = buffer;
    item.cchTextMax = 256;
    EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)), 255);
    EXPECT_EQ(std::string(buffer), longText.substr(0, 255));

    char four[5] = {'#', '#', '#', '#', '#'};
    item.pszText = four;
    item.cchTextMax = 4;
    EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)), 3);
    EXPECT_STREQ(four, "abc");
    EXPECT_EQ(four[4], '#'); // nothing written past the buffer

    item.cchTextMax = 0;
    four[0] = '#';
    EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)), 0);
    EXPECT_EQ(four[0], '#');
    item.pszText = nullptr;
    item.cchTextMax = 10;
    EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)), 0);

    // A missing row reads as empty text.
    item.pszText = four;
    EXPECT_EQ(SendMessage(list, LVM_GETITEMTEXT, 5, reinterpret_cast<LPARAM>(&item)), 0);
    EXPECT_EQ(four[0], '\0');
}

TEST_F(ListViewTest, DeleteAllItemsEmptiesTheListAndTellsTheOwnerOnce)
{
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "A", 100);
    for (int i = 0; i < 50; ++i) InsertRow(list, 0, "row");
    LVITEM sel{};
    sel.state = sel.stateMask = LVIS_SELECTED;
    SendMessage(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&sel));
    SendMessage(list, LVM_ENSUREVISIBLE, 49, FALSE);
    ASSERT_GT(Top(list), 0);
    notes.clear();
    ASSERT_TRUE(SendMessage(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(Top(list), 0);
    EXPECT_EQ(Count(LVN_DELETEALLITEMS), 1);
    EXPECT_EQ(Count(LVN_DELETEITEM), 0);
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    // The list is usable again, and the scroll bar went with the rows.
    EXPECT_EQ(InsertRow(list, 0, "again"), 0);
    EXPECT_EQ(Text(list, 0, 0), "again");
    EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);

    // Rows carrying data are announced one by one, unless the owner declines.
    LVITEM withParam{};
    withParam.mask = LVIF_PARAM;
    withParam.iItem = 0;
    withParam.lParam = 42;
    SendMessage(list, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&withParam));
    InsertRow(list, 1, "b");
    notes.clear();
    SendMessage(list, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(Count(LVN_DELETEITEM), 2);
}

TEST_F(ListViewTest, ExtendedStyleChangesOnlyTheMaskedBits)
{
    HWND list = MakeList(LVS_REPORT);
    EXPECT_EQ(SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0x21), 0);
    EXPECT_EQ(SendMessage(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x21);
    EXPECT_EQ(SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0x20, 0x20), 0x21);
    EXPECT_EQ(SendMessage(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0x21);
    EXPECT_EQ(SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, 0), 0x21);
    EXPECT_EQ(SendMessage(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_GRIDLINES);
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, 0xFF);
    EXPECT_EQ(SendMessage(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    SendMessage(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(SendMessage(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0), 0);
}

TEST_F(ListViewTest, SubItemRectanglesFollowColumnsAndScrolling)
{
    HWND list = MakeList(LVS_REPORT, 0, 0, 300, 200);
    AddColumn(list, 0, "ID", 50);
    AddColumn(list, 1, "Text", 500);
    for (int i = 0; i < 40; ++i) InsertRow(list, 0, "r");
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    RECT hr{};
    GetWindowRect(header, &hr);
    int headerH = hr.bottom - hr.top;
    RECT bounds = ItemRect(list, 2);
    int rowH = bounds.bottom - bounds.top;
    ASSERT_GT(rowH, 0);
    EXPECT_EQ(bounds.top, headerH + 2 * rowH);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.right, 550);

    RECT label{LVIR_LABEL, 0, 0, 0};
    ASSERT_TRUE(SendMessage(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&label)));
    EXPECT_EQ(label.left, 2);  // column 0's label leaves room before it
    EXPECT_EQ(label.right, 50);
    RECT cell{LVIR_LABEL, 1, 0, 0};
    ASSERT_TRUE(SendMessage(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&cell)));
    EXPECT_EQ(cell.left, 50);
    EXPECT_EQ(cell.right, 550);
    EXPECT_EQ(cell.top, bounds.top);
    RECT none{LVIR_LABEL, 2, 0, 0};
    EXPECT_FALSE(SendMessage(list, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&none)));
    RECT badRow{LVIR_LABEL, 1, 0, 0};
    EXPECT_FALSE(SendMessage(list, LVM_GETSUBITEMRECT, 40, reinterpret_cast<LPARAM>(&badRow)));
    EXPECT_FALSE(SendMessage(list, LVM_GETSUBITEMRECT, 0, 0));

    // Scrolling moves rows by whole rows and columns by pixels, the header along.
    SendMessage(list, LVM_SCROLL, 20, rowH * 3);
    Pump();
    EXPECT_EQ(Top(list), 3);
    EXPECT_EQ(ItemRect(list, 3).top, headerH);
    EXPECT_EQ(ItemRect(list, 3).left, -20);
    GetWindowRect(header, &hr);
    RECT lr{};
    GetWindowRect(list, &lr);
    EXPECT_EQ(hr.left - lr.left, -20);
}

TEST_F(ListViewTest, AMillionRowsAtTheTopMoveNoCells)
{
    HWND list = MakeList(LVS_REPORT);
    AddColumn(list, 0, "ID", 60);
    AddColumn(list, 1, "Text", 200);
    sys::lv::ListView* lv = sys::lv::From(list);
    ASSERT_NE(lv, nullptr);
    const CString shared("shared text");
    constexpr int kRows = 1000000;
    for (int k = kRows; k >= 1; --k) {
        LVITEM item{};
        item.mask = LVIF_TEXT | LVIF_SHAREDTEXT;
        CString id;
        id.Format("%d", k);
        item.pszText = reinterpret_cast<LPSTR>(&id);
        ASSERT_EQ(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)), 0);
        item.mask = LVIF_SHAREDTEXT;
        item.iSubItem = 1;
        item.pszText = reinterpret_cast<LPSTR>(const_cast<CString*>(&shared));
        ASSERT_TRUE(SendMessage(list, LVM_SETITEMTEXT, 0, reinterpret_cast<LPARAM>(&item)));
    }
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), kRows);
    // Front insertion moves nothing; growth copies each store at most twice its size.
    EXPECT_LE(lv->rows.Moves(), static_cast<std::size_t>(3) * 2 * kRows);
    EXPECT_EQ(Text(list, 0, 0), "1");
    EXPECT_EQ(Text(list, 499999, 0), "500000");
    EXPECT_EQ(Text(list, kRows - 1, 0), "1000000");
    EXPECT_TRUE(lv->rows.Text(777, 1).SharesBufferWith(shared));

    // Painting the top touches only the rows on screen.
    Pump();
    ASSERT_TRUE(SendMessage(list, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST(ListRows, InsertAndEraseMoveOnlyTheShorterSide)
{
    sys::ListRows rows;
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(rows.Insert(rows.Count()));
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(rows.SetText(i, 0, CString(std::to_string(i).c_str())));
    std::size_t before = rows.Moves();
    ASSERT_TRUE(rows.Insert(90)); // 10 from the end
    EXPECT_EQ(rows.Moves() - before, 2u * 10u); // state and cells
    before = rows.Moves();
    ASSERT_TRUE(rows.Insert(3));
    EXPECT_EQ(rows.Moves() - before, 2u * 3u);
    EXPECT_EQ(std::string(rows.Text(2, 0)), "2");
    EXPECT_EQ(std::string(rows.Text(3, 0)), "");
    EXPECT_EQ(std::string(rows.Text(4, 0)), "3");
    EXPECT_EQ(std::string(rows.Text(91, 0)), "");
    EXPECT_EQ(std::string(rows.Text(90, 0)), "89");
    EXPECT_EQ(std::string(rows.Text(92, 0)), "90");
    EXPECT_EQ(std::string(rows.Text(101, 0)), "99");
    rows.Erase(3);
    rows.Erase(90);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(std::string(rows.Text(i, 0)), std::to_string(i)) << i;
    EXPECT_FALSE(rows.SetText(100, 0, CString("x")));
    EXPECT_FALSE(rows.SetText(0, sys::ListRows::kMaxSubItems, CString("x")));
    EXPECT_EQ(std::string(rows.Text(0, 3000)), "");
    // Wrap-around: alternate ends so the ring's head passes its start.
    sys::ListRows ring;
    for (int i = 0; i < 40; ++i) {
        ring.Insert(i % 2 ? ring.Count() : 0);
        ring.SetText(i % 2 ? ring.Count() - 1 : 0, 0, CString(std::to_string(i).c_str()));
    }
    EXPECT_EQ(std::string(ring.Text(0, 0)), "38");
    EXPECT_EQ(std::string(ring.Text(39, 0)), "39");
    EXPECT_EQ(std::string(ring.Text(19, 0)), "0");
    EXPECT_EQ(std::string(ring.Text(20, 0)), "1");
}

} // namespace
} // namespace corvane::test
