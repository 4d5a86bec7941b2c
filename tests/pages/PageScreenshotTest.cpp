// Both kinds of page filled from the sample log, written as PNG pictures for a
// person to look at (to docs/ when CORVANE_UPDATE_DOCS is set).
#include "analysis/PageFill.h"
#include "platform/gfx/Png.h"
#include "platform/gfx/Surface.h"
#include "res/ResourceIds.h"
#include "tests/pages/PageFixture.h"
#include "tests/support/TestPaths.h"

#include <cstdlib>
#include <set>

namespace pagestest {
namespace {

gfx::Surface Picture(const display::HeadlessBackend& screen, HWND hwnd)
{
    gfx::Surface shot = screen.Screenshot();
    RECT w{};
    GetWindowRect(hwnd, &w);
    gfx::Surface picture(w.right - w.left, w.bottom - w.top);
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) picture.Set(x, y, shot.At(w.left + x, w.top + y));
    return picture;
}

void Write(const gfx::Surface& picture, const std::string& name)
{
    std::string error;
    EXPECT_TRUE(gfx::WritePngFile(picture, corvane::test::ScratchDir() + "/" + name, false, &error)) << error;
    if (std::getenv("CORVANE_UPDATE_DOCS")) {
        EXPECT_TRUE(gfx::WritePngFile(picture, corvane::test::SourceDir() + "/docs/" + name, false, &error)) << error;
    }
}

TEST_F(PageTest, FilledPagesFromTheSampleLogAsPictures)
{
    LogLoad load = LoadLogFile((corvane::test::SourceDir() + "/samples/access.log").c_str());
    ASSERT_GT(load.nRecords, 100u);

    CFDlg all;
    Show(all, IDD_FDLG);
    FillAllLinesPage(all.m_list, load);
    Pump();
    EXPECT_EQ(all.m_list.GetItemCount(), static_cast<int>(load.nRecords));
    gfx::Surface allPicture = Picture(screen, all.m_hWnd);
    Write(allPicture, "page-all.png");
    all.DestroyWindow();

    CSDlg crawler;
    Show(crawler, IDD_SDLG);
    FillCrawlerPage(crawler.m_list, load, "Googlebot");
    // Show a selected row too, as a click would leave it.
    crawler.m_list.SetFocus();
    crawler.m_list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Pump();
    EXPECT_GT(crawler.m_list.GetItemCount(), 10);
    gfx::Surface crawlerPicture = Picture(screen, crawler.m_hWnd);
    Write(crawlerPicture, "page-crawler.png");

    // The crawler picture holds all three status colours and the highlight.
    std::set<COLORREF> seen;
    for (int y = 0; y < crawlerPicture.Height(); ++y)
        for (int x = 0; x < crawlerPicture.Width(); ++x) seen.insert(gfx::ColorFromPixel(crawlerPicture.At(x, y)));
    for (COLORREF c : {RGB(100, 255, 100), RGB(255, 0, 0), RGB(255, 255, 0), GetSysColor(COLOR_HIGHLIGHT)})
        EXPECT_TRUE(seen.count(c)) << std::hex << c;
}

} // namespace
} // namespace pagestest
