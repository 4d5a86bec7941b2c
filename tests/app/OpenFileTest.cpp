// Opening logs through the "打开..." button and the open-file dialog: what
// the pages show, a cancelled open, opens that fail, and one load after another.
#include "analysis/PageFill.h"
#include "tests/app/AppFixture.h"
#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace apptest {
namespace {

namespace fs = std::filesystem;
using Cells = std::vector<std::string>;

const char kGoogleLine[] = "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /index.html HTTP/1.1\" 200 2326 "
                           "\"-\" \"Mozilla/5.0 (compatible; Googlebot/2.1)\"";
const char kBingLine[] = "198.51.100.4 - - [10/Oct/2011:13:56:01 -0700] \"GET /gone HTTP/1.1\" 404 0 \"-\" "
                         "\"Mozilla/5.0 (compatible; bingbot/2.0)\"";
const char kBaiduLine[] = "203.0.113.9 - - [10/Oct/2011:13:57:12 -0700] \"GET /old HTTP/1.1\" 301 178 \"-\" "
                          "\"Mozilla/5.0 (compatible; Baiduspider/2.0)\"";

std::string CrawlerLog()
{
    return std::string("#header - - of the log\n") + kGoogleLine + "\n" + kBingLine + "\n" + kBaiduLine + "\n";
}

class OpenFileTest : public AppTest {
protected:
    // Every cell of the row has the colour; false when one has none or another.
    bool RowColoured(int page, int row, COLORREF want) const
    {
        for (int c = 0; c < 7; ++c) {
            COLORREF clr = 0;
            if (!List(page).FindCellBackColor(c, row, clr) || clr != want) return false;
        }
        return true;
    }
};

TEST_F(OpenFileTest, ThreeLineFileShowsEveryLineOnTheAllLinesPage)
{
    Open();
    std::string path = corvane::test::WriteScratchFile("three.log", "a - - x\nb - - y\nc - - z\n");
    OpenThroughDialog(path);

    EXPECT_TRUE(dlg->m_bLoaded);
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), path);
    EXPECT_EQ(std::string(dlg->m_load.strPath.GetString()), path);
    ASSERT_EQ(dlg->m_load.nRecords, 3u);
    EXPECT_EQ(dlg->m_load.records[2].start, 8);
    EXPECT_EQ(dlg->m_load.records[2].end, 15);
    ASSERT_EQ(List(0).GetItemCount(), 3);
    EXPECT_EQ(Row(0, 0), (Cells{"1", "a - - x"}));
    EXPECT_EQ(Row(0, 1), (Cells{"2", "b - - y"}));
    EXPECT_EQ(Row(0, 2), (Cells{"3", "c - - z"}));
    for (int p = 1; p < 7; ++p)
        EXPECT_EQ(List(p).GetItemCount(), 0) << "page " << p;
}

TEST_F(OpenFileTest, CrawlerLinesAreCutAndColouredByStatus)
{
    Open();
    std::string path = corvane::test::WriteScratchFile("crawlers.log", CrawlerLog());
    OpenThroughDialog(path);

    ASSERT_EQ(dlg->m_load.nRecords, 4u);
    EXPECT_EQ(List(0).GetItemCount(), 4);
    ASSERT_EQ(List(2).GetItemCount(), 1);
    EXPECT_EQ(Row(2, 0),
              (Cells{"1", " 192.0.2.1", " 10/Oct/2011:13:55:36", "  /index.html ", " HTTP/1.1", " 200", " 2326"}));
    EXPECT_TRUE(RowColoured(2, 0, RGB(100, 255, 100)));
    ASSERT_EQ(List(6).GetItemCount(), 1);
    EXPECT_EQ(Row(6, 0)[5], " 404");
    EXPECT_TRUE(RowColoured(6, 0, RGB(255, 0, 0)));
    ASSERT_EQ(List(1).GetItemCount(), 1);
    EXPECT_EQ(Row(1, 0)[5], " 301");
    EXPECT_TRUE(RowColoured(1, 0, RGB(255, 255, 0)));
    for (int p : {3, 4, 5})
        EXPECT_EQ(List(p).GetItemCount(), 0) << "page " << p;
}

TEST_F(OpenFileTest, CancelledOpenChangesNothing)
{
    Open();
    std::string path = corvane::test::WriteScratchFile("crawlers.log", CrawlerLog());
    OpenThroughDialog(path);
    std::vector<Cells> before = Everything();

    Script({[this] {
               EXPECT_EQ(ActiveCaption(), "我的文件打开对话框");
               Key(VK_ESCAPE);
           }},
           [this] {
               ClickCenter(dlg->m_btnOpen.m_hWnd);
               Pump();
           });
    EXPECT_EQ(Everything(), before);
    EXPECT_EQ(dlg->m_load.nRecords, 4u);
    EXPECT_TRUE(dlg->m_bLoaded);

    // Cancelled before any load: still nothing loaded.
    dlg->DestroyWindow();
    Open();
    Script({[this] { Key(VK_ESCAPE); }}, [this] {
        ClickCenter(dlg->m_btnOpen.m_hWnd);
        Pump();
    });
    EXPECT_FALSE(dlg->m_bLoaded);
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), "");
}

TEST_F(OpenFileTest, FailedOpensAreReportedAndKeepThePreviousLoad)
{
    Open();
    std::string good = corvane::test::WriteScratchFile("crawlers.log", CrawlerLog());
    OpenThroughDialog(good);
    std::vector<Cells> before = Everything();
    ASSERT_GT(before.size(), 4u);

    std::vector<std::string> reports;
    auto answerReport = [this, &reports] {
        reports.push_back(ActiveTexts());
        Key(VK_RETURN);
    };

    // A socket passes the dialog (it exists and is no folder) but cannot be opened.
    std::string sockPath = corvane::test::ScratchDir() + "/not-a-file.log";
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(sockPath.size(), sizeof addr.sun_path);
    std::memcpy(addr.sun_path, sockPath.c_str(), sockPath.size() + 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    OpenThroughDialog(sockPath, {answerReport});
    close(fd);
    EXPECT_EQ(Everything(), before);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("not-a-file.log"), std::string::npos) << reports[0];

    // A file gone between choosing and reading, and a folder: the load itself refuses them.
    std::string gone = corvane::test::WriteScratchFile("gone.log", "x - - y\n");
    fs::remove(gone);
    std::string folder = corvane::test::ScratchDir() + "/a-folder.log";
    fs::create_directories(folder);
    for (const std::string& path : {gone, folder}) {
        Script({answerReport}, [this, &path] { dlg->OpenLogFile(path.c_str()); });
        EXPECT_EQ(Everything(), before) << path;
    }
    EXPECT_EQ(reports.size(), 3u);
    EXPECT_TRUE(dlg->m_bLoaded);
    EXPECT_EQ(dlg->m_load.nRecords, 4u);

    // Nothing loaded yet: a failure leaves the dialog empty and unloaded.
    dlg->DestroyWindow();
    Open();
    Script({answerReport}, [this, &gone] { dlg->OpenLogFile(gone.c_str()); });
    EXPECT_FALSE(dlg->m_bLoaded);
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), "");
}

TEST_F(OpenFileTest, NoReadPermissionKeepsThePreviousLoad)
{
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    Open();
    std::string good = corvane::test::WriteScratchFile("crawlers.log", CrawlerLog());
    OpenThroughDialog(good);
    std::vector<Cells> before = Everything();
    std::string locked = corvane::test::WriteScratchFile("locked.log", "x - - y\nz - - w\n");
    fs::permissions(locked, fs::perms::none);
    bool reported = false;
    OpenThroughDialog(locked, {[&] {
                          reported = true;
                          Key(VK_RETURN);
                      }});
    EXPECT_TRUE(reported);
    EXPECT_EQ(Everything(), before);
}

TEST_F(OpenFileTest, ALongerThenAShorterFileShowsOnlyTheShorter)
{
    Open();
    std::string longer = "head - - 0\n";
    for (int i = 0; i < 6; ++i)
        longer += std::string(i % 2 ? kGoogleLine : kBingLine) + "\n";
    OpenThroughDialog(corvane::test::WriteScratchFile("longer.log", longer));
    ASSERT_EQ(dlg->m_load.nRecords, 7u);
    EXPECT_EQ(List(2).GetItemCount(), 3);
    EXPECT_EQ(List(6).GetItemCount(), 3);

    // The shorter file puts a 200 where the longer had a 404 on the Bing page.
    std::string shorter = std::string("head - - 0\n") + kGoogleLine + "\n" +
                          std::string(kBingLine).replace(std::string(kBingLine).find(" 404 "), 5, " 200 ") + "\n";
    std::string path = corvane::test::WriteScratchFile("shorter.log", shorter);
    OpenThroughDialog(path);
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), path);
    ASSERT_EQ(dlg->m_load.nRecords, 3u);
    EXPECT_EQ(List(0).GetItemCount(), 3);
    EXPECT_EQ(List(2).GetItemCount(), 1);
    ASSERT_EQ(List(6).GetItemCount(), 1);
    EXPECT_EQ(Row(6, 0)[5], " 200");
    EXPECT_TRUE(RowColoured(6, 0, RGB(100, 255, 100)));
}

// Rows of the sample on each page, counted independently of the program:
// every line is a record, and a crawler line holds its token past its first byte.
std::vector<int> ExpectedSampleRows(const std::string& text)
{
    std::size_t markers = 0;
    for (std::size_t at = text.find(" - - "); at != std::string::npos; at = text.find(" - - ", at + 2))
        ++markers;
    std::vector<std::string> lines;
    std::stringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const char* tokens[6] = {"Baiduspider", "Googlebot",        "YoudaoFeedFetcher",
                             "Sosospider",  "Sogou web spider", "bingbot"};
    std::vector<int> rows(7, 0);
    (void)markers;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ++rows[0];
        for (int t = 0; t < 6; ++t)
            if (lines[i].find(tokens[t], 1) != std::string::npos) ++rows[static_cast<std::size_t>(t + 1)];
    }
    return rows;
}

TEST_F(OpenFileTest, EveryTabAfterALoadShowsItsRowsAndIsRefilledWhenChosen)
{
    Open();
    std::string path = corvane::test::SourceDir() + "/samples/access.log";
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int> want = ExpectedSampleRows(text);
    ASSERT_GT(want[1], 0);
    OpenThroughDialog(path);
    ASSERT_EQ(static_cast<int>(dlg->m_load.nRecords), want[0]);

    for (int i : {1, 2, 3, 4, 5, 6, 0}) {
        // A page emptied behind the program's back comes back when its tab is chosen.
        List(i).DeleteAllItems();
        ChooseTab(i);
        EXPECT_EQ(List(i).GetItemCount(), want[static_cast<std::size_t>(i)]) << "page " << i;
        EXPECT_TRUE(dlg->m_pPages[i]->IsWindowVisible()) << "page " << i;
        if (i > 0 && List(i).GetItemCount() > 0) {
            COLORREF clr = 0;
            EXPECT_TRUE(List(i).FindCellBackColor(0, 0, clr));
            EXPECT_EQ(clr, StatusColor(CString(Row(i, 0)[5].c_str())));
        }
    }
}

TEST_F(OpenFileTest, ScreenshotOfTheSampleOnACrawlerTab)
{
    Open();
    dlg->SetWindowPos(nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    OpenThroughDialog(corvane::test::SourceDir() + "/samples/access.log");
    ChooseTab(6);
    ASSERT_GT(List(6).GetItemCount(), 0);
    screen.MoveMouse(1200, 700);
    Pump();

    CRect w = WindowRect(dlg->m_hWnd);
    display::WindowId id = screen.WindowAt(w.CenterPoint().x, w.CenterPoint().y);
    ASSERT_NE(id, 0u);
    std::string out = corvane::test::ScratchDir() + "/corvane-main.png";
    std::string error;
    ASSERT_TRUE(screen.SaveWindowPng(id, out, &error)) << error;
    EXPECT_GT(fs::file_size(out), 1000u);
    // Kept for a person to look at when asked for.
    if (const char* dir = std::getenv("CORVANE_SHOT_DIR"))
        fs::copy_file(out, fs::path(dir) / "corvane-main.png", fs::copy_options::overwrite_existing);
}

} // namespace
} // namespace apptest
