// The dump's lines for lists the program itself never fills this way: a
// column's colour standing in for cells without their own, and a row whose
// cells are painted in different colours.
#include "app/Corvane.h"
#include "app/CorvaneDlg.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/system/window/Desktop.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tools/pagedump/PageDump.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

class PageLinesTest : public ::testing::Test {
protected:
    display::HeadlessBackend screen;
    CCorvaneDlg dlg;

    void SetUp() override
    {
        sys::SetBackend(&screen);
        RegisterCorvaneResources();
        ASSERT_TRUE(dlg.Create(IDD_CORVANE_DIALOG));
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        sys::SetBackend(nullptr);
        AfxDeleteTempMaps();
    }
};

TEST_F(PageLinesTest, ColumnColoursFillInAndMixedRowsAreRefused)
{
    CListCtrlCl& all = dlg.AllLinesPage()->m_list;
    all.InsertItem(0, "1");
    all.SetItemText(0, 1, "a\\b");
    all.InsertItem(1, "2");
    all.SetItemText(1, 1, "c");
    all.SetColumnBackColor(0, RGB(1, 2, 3));
    all.SetColumnBackColor(1, RGB(1, 2, 3));
    // Row 1's own colour goes over the column's, in both cells.
    all.SetCellBackColor(0, 1, RGB(0x10, 0x20, 0x30));
    all.SetCellBackColor(1, 1, RGB(0x10, 0x20, 0x30));
    std::string out;
    std::string why;
    ASSERT_TRUE(tools::AppendPage(out, 0, all, why)) << why;
    EXPECT_EQ(out, "0\t0\t0x030201\t1\ta\\\\b\n"
                   "0\t1\t0x302010\t2\tc\n");

    CListCtrlCl& bing = dlg.CrawlerPage(6)->m_list;
    bing.InsertItem(0, "1");
    bing.InsertItem(1, "2");
    for (int c = 0; c < 7; ++c)
        bing.SetCellBackColor(c, 0, RGB(255, 0, 0));
    // The last cell of row 1 has no colour of its own, and nothing stands in for it.
    for (int c = 0; c < 6; ++c)
        bing.SetCellBackColor(c, 1, RGB(255, 0, 0));
    out.clear();
    EXPECT_FALSE(tools::AppendPage(out, 6, bing, why));
    EXPECT_NE(why.find("page 6 row 1"), std::string::npos) << why;
}

} // namespace
} // namespace corvane::test
