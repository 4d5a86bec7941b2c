// Filling the pages through their real lists: numbering and order, the seven
// cells of a crawler row, the status colours, and refills that must show only
// the current load's rows and colours.
#include "analysis/CrawlerEntries.h"
#include "analysis/PageFill.h"
#include "res/ResourceIds.h"
#include "tests/pages/PageFixture.h"

namespace pagestest {
namespace {

const COLORREF kGreen = RGB(100, 255, 100);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kYellow = RGB(255, 255, 0);

std::string Text(CListCtrlCl& list, int row, int column) { return list.GetItemText(row, column).GetString(); }

// Every cell of the row has the colour, by lookup and on the screen.
void ExpectRowColour(PageTest& t, CListCtrlCl& list, int row, COLORREF colour)
{
    for (int c = 0; c <= 6; ++c) {
        COLORREF found = 0;
        ASSERT_TRUE(list.FindCellBackColor(c, row, found)) << "row " << row << " column " << c;
        EXPECT_EQ(found, colour) << "row " << row << " column " << c;
        CRect r;
        ASSERT_TRUE(list.GetSubItemRect(row, c, LVIR_LABEL, r));
        // Inside the cell, clear of its text and of the grid lines.
        EXPECT_EQ(t.Pixel(list.m_hWnd, r.right - 3, r.top + 1), colour) << "row " << row << " column " << c;
    }
}

// Cells of the list's rows that are painted with a colour of their own.
std::size_t ColouredCells(const CListCtrlCl& list)
{
    std::size_t n = 0;
    COLORREF clr = 0;
    for (int row = 0; row < list.GetItemCount(); ++row)
        for (int c = 0; c < 7; ++c) n += list.FindCellBackColor(c, row, clr) ? 1 : 0;
    return n;
}

TEST_F(PageTest, AllLinesPageShowsEveryRecordNumberedInFileOrder)
{
    CFDlg page;
    Show(page, IDD_FDLG);
    LogLoad load = LoadOfLines({"a - - x", "b - - y", "c - - z"});
    FillAllLinesPage(page.m_list, load);
    Pump();
    CListCtrlCl& list = page.m_list;
    ASSERT_EQ(list.GetItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(list, i, 0), std::to_string(i + 1));
        EXPECT_STREQ(list.GetItemText(i, 1).GetString(), load.records.GetAt(i + 1).Text().GetString());
    }
    EXPECT_EQ(Text(list, 0, 1), "a - - x");
    EXPECT_EQ(Text(list, 2, 1), "c - - z");
    EXPECT_EQ(ColouredCells(list), 0u);

    // A record longer than a cell can draw is stored whole.
    std::string longLine = "q - - " + std::string(400, 'r');
    LogLoad longer = LoadOfLines({longLine, "s - - t"});
    FillAllLinesPage(list, longer);
    ASSERT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(Text(list, 0, 1), longLine);
    EXPECT_EQ(Text(list, 1, 0), "2");

    // A load without records empties the page.
    LogLoad none = SplitLogText(CString(""));
    FillAllLinesPage(list, none);
    EXPECT_EQ(list.GetItemCount(), 0);
}

TEST_F(PageTest, CrawlerPageShowsFieldsNumberedAndColouredByStatus)
{
    CSDlg page;
    Show(page, IDD_SDLG);
    std::vector<std::string> lines = {
        LogLineOf("192.0.2.1", "/missing", "404", "12", "Googlebot/2.1"),
        LogLineOf("192.0.2.2", "/index.html", "200", "2326", "Googlebot/2.1"),
        LogLineOf("192.0.2.3", "/bing-only", "200", "5", "bingbot/2.0"),
        LogLineOf("192.0.2.4", "/moved", "301", "0", "Googlebot/2.1"),
        LogLineOf("192.0.2.5", "/err", "500", "9", "Googlebot/2.1"),
    };
    LogLoad load = LoadOfLines(lines);
    FillCrawlerPage(page.m_list, load, "Googlebot");
    Pump();
    CListCtrlCl& list = page.m_list;
    ASSERT_EQ(list.GetItemCount(), 4);

    // The cells hold exactly what extraction cut, in column order.
    std::vector<LogEntry> entries = CollectCrawlerEntries(load.records, load.nRecords, "Googlebot");
    ASSERT_EQ(entries.size(), 4u);
    for (int row = 0; row < 4; ++row) {
        const LogEntry& e = entries[static_cast<std::size_t>(row)];
        EXPECT_EQ(Text(list, row, 0), std::to_string(row + 1));
        const CString* fields[] = {&e.ip, &e.time, &e.url, &e.http, &e.status, &e.bytes};
        for (int c = 1; c <= 6; ++c) EXPECT_STREQ(list.GetItemText(row, c).GetString(), fields[c - 1]->GetString());
    }
    EXPECT_EQ(Text(list, 1, 1), " 192.0.2.2");
    EXPECT_EQ(Text(list, 1, 2), " 10/Oct/2011:13:55:36");
    EXPECT_EQ(Text(list, 1, 3), "  /index.html ");
    EXPECT_EQ(Text(list, 1, 4), " HTTP/1.1");
    EXPECT_EQ(Text(list, 1, 5), " 200");
    EXPECT_EQ(Text(list, 1, 6), " 2326");
    EXPECT_EQ(Text(list, 2, 1), " 192.0.2.4");

    ExpectRowColour(*this, list, 0, kRed);
    ExpectRowColour(*this, list, 1, kGreen);
    ExpectRowColour(*this, list, 2, kYellow);
    ExpectRowColour(*this, list, 3, kYellow);
    EXPECT_EQ(ColouredCells(list), 28u);
}

TEST_F(PageTest, StatusColourIsExactAndASpaceIsAnythingElse)
{
    EXPECT_EQ(StatusColor(" 200"), kGreen);
    EXPECT_EQ(StatusColor(" 404"), kRed);
    for (const char* other : {"200", " 2000", " 20", "  200", " 304", " 500", " ", "", " 40"})
        EXPECT_EQ(StatusColor(other), kYellow) << '"' << other << '"';
    EXPECT_EQ(kGreen, 0x64FF64u);
    EXPECT_EQ(kRed, 0x0000FFu);
    EXPECT_EQ(kYellow, 0x00FFFFu);

    // A line too short for any anchor: its status comes out as one space.
    CSDlg page;
    Show(page, IDD_SDLG);
    LogLoad load = LoadOfLines({" bingbot", "bingbot at the start only"});
    FillCrawlerPage(page.m_list, load, "bingbot");
    Pump();
    ASSERT_EQ(page.m_list.GetItemCount(), 1);
    EXPECT_EQ(Text(page.m_list, 0, 5), " ");
    ExpectRowColour(*this, page.m_list, 0, kYellow);
}

TEST_F(PageTest, RefillsShowOnlyTheCurrentLoadsRowsAndColours)
{
    CSDlg page;
    Show(page, IDD_SDLG);
    CListCtrlCl& list = page.m_list;
    LogLoad first = LoadOfLines({
        LogLineOf("10.0.0.1", "/a", "404", "1", "Googlebot"),
        LogLineOf("10.0.0.2", "/b", "200", "2", "Googlebot"),
        LogLineOf("10.0.0.3", "/c", "404", "3", "Googlebot"),
    });
    FillCrawlerPage(list, first, "Googlebot");
    Pump();
    ExpectRowColour(*this, list, 0, kRed);
    ExpectRowColour(*this, list, 1, kGreen);

    // The same page again (its tab chosen twice): same rows, same colours, no growth.
    FillCrawlerPage(list, first, "Googlebot");
    Pump();
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(Text(list, 2, 0), "3");
    EXPECT_EQ(ColouredCells(list), 21u);
    ExpectRowColour(*this, list, 2, kRed);

    // A second load puts other statuses on the same rows: the new ones show.
    LogLoad second = LoadOfLines({
        LogLineOf("10.0.1.1", "/a", "200", "1", "Googlebot"),
        LogLineOf("10.0.1.2", "/b", "404", "2", "Googlebot"),
        LogLineOf("10.0.1.3", "/c", "302", "3", "Googlebot"),
    });
    FillCrawlerPage(list, second, "Googlebot");
    Pump();
    ASSERT_EQ(list.GetItemCount(), 3);
    ExpectRowColour(*this, list, 0, kGreen);
    ExpectRowColour(*this, list, 1, kRed);
    ExpectRowColour(*this, list, 2, kYellow);
    EXPECT_EQ(Text(list, 0, 1), " 10.0.1.1");

    // A later load with fewer lines: only its rows, and no colour of the rows gone.
    LogLoad shorter = LoadOfLines({LogLineOf("10.0.2.1", "/z", "404", "7", "Googlebot")});
    FillCrawlerPage(list, shorter, "Googlebot");
    Pump();
    ASSERT_EQ(list.GetItemCount(), 1);
    EXPECT_EQ(Text(list, 0, 0), "1");
    ExpectRowColour(*this, list, 0, kRed);
    COLORREF found = 0;
    EXPECT_FALSE(list.FindCellBackColor(0, 1, found));
    EXPECT_FALSE(list.FindCellBackColor(6, 2, found));
    EXPECT_EQ(ColouredCells(list), 7u);

    // A load where no line holds the token: the page is emptied and stays empty.
    LogLoad none = LoadOfLines({LogLineOf("10.0.3.1", "/y", "200", "1", "bingbot")});
    FillCrawlerPage(list, none, "Googlebot");
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(ColouredCells(list), 0u);
}

TEST_F(PageTest, AllLinesRefillWithFewerRecordsDropsTheRest)
{
    CFDlg page;
    Show(page, IDD_FDLG);
    LogLoad longer = LoadOfLines({"1 - - a", "2 - - b", "3 - - c", "4 - - d", "5 - - e"});
    FillAllLinesPage(page.m_list, longer);
    LogLoad shorter = LoadOfLines({"x - - 1", "y - - 2"});
    FillAllLinesPage(page.m_list, shorter);
    ASSERT_EQ(page.m_list.GetItemCount(), 2);
    EXPECT_EQ(Text(page.m_list, 0, 1), "x - - 1");
    EXPECT_EQ(Text(page.m_list, 1, 0), "2");
    EXPECT_EQ(Text(page.m_list, 1, 1), "y - - 2");
}

} // namespace
} // namespace pagestest
