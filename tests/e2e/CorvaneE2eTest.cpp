// The real program under Xvfb: a log opened through the open-file dialog fills
// the pages, crawler rows show their status colours, a chosen page slides in
// and stops at its place, the caption buttons light up and act, and the close
// button ends the program cleanly.
#include "tests/e2e/CorvaneRun.h"
#include "tests/e2e/ScreenScan.h"
#include "tests/support/TestPaths.h"

#include <algorithm>
#include <fstream>
#include <string>

namespace corvane::test {
namespace {

std::string Place(const CRect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) + "x" +
           std::to_string(r.Height());
}

class CorvaneE2eTest : public CorvaneRun {
protected:
    // The list of the page at rest, grabbed; empty when no page rests.
    bool GrabList(CRect* list, gfx::Surface* pixels) { return ListAtRest(list) && Grab(*list, pixels); }
    // Lines of text in the first column below the header of the all-lines list.
    std::vector<Span> NumberedLines()
    {
        CRect list;
        gfx::Surface s;
        if (!GrabList(&list, &s)) return {};
        // The header ends where the white rows begin.
        int top = 1;
        while (top < s.Height() && (s.At(3, top) & 0xFFFFFF) != 0xFFFFFF)
            ++top;
        return TextLines(s, CRect(1, top, 40, s.Height() - 1));
    }
    // Waits until the all-lines page shows one numbered row per line of the sample.
    void ExpectSampleRowsShown()
    {
        std::vector<Span> lines;
        EXPECT_TRUE(WaitUntil(
            [&] {
                lines = NumberedLines();
                return lines.size() == static_cast<std::size_t>(kSampleRecords);
            },
            10000))
            << "the all-lines page shows " << lines.size() << " numbered rows";
    }
    std::vector<Band> RowBands()
    {
        CRect list;
        gfx::Surface s;
        if (!GrabList(&list, &s)) return {};
        return StatusBands(s, CRect(1, 1, s.Width() - 1, s.Height() - 1));
    }
    gfx::Surface GrabButton(CaptionButton b) const
    {
        gfx::Surface s;
        Grab(Caption(b), &s);
        return s;
    }
};

TEST_F(CorvaneE2eTest, OpeningALogFillsThePagesAndColoursCrawlerRowsByStatus)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_TRUE(WaitForPageAtRest());
    EXPECT_TRUE(NumberedLines().empty()) << "rows before any load";

    ASSERT_NO_FATAL_FAILURE(OpenSample());
    ExpectSampleRowsShown();
    EXPECT_EQ(Names(RowBands()), "") << "the all-lines page has no status colours";
    SaveScreen("e2e-all-lines");

    struct Page {
        int tab;
        const char* shades;
    };
    // Baidu: 200, 404, 301 in file order; Google: 200; SOSO: nothing; Bing: 404.
    for (Page page : {Page{1, "green red yellow"}, Page{2, "green"}, Page{4, ""}, Page{6, "red"}}) {
        ASSERT_NO_FATAL_FAILURE(ChooseTab(page.tab));
        std::vector<Band> bands = RowBands();
        EXPECT_EQ(Names(bands), page.shades) << "tab " << page.tab;
        for (const Band& b : bands)
            EXPECT_NEAR(b.bottom - b.top, bands[0].bottom - bands[0].top, 1) << "tab " << page.tab << ": uneven rows";
        if (page.tab == 1) SaveScreen("e2e-baidu");
    }
    // Back on the first tab its rows are there again.
    ASSERT_NO_FATAL_FAILURE(ChooseTab(0));
    EXPECT_EQ(NumberedLines().size(), static_cast<std::size_t>(kSampleRecords));

    CloseAndExpectCleanExit();
}

TEST_F(CorvaneE2eTest, ALogNamedOnTheCommandLineOpensAtStart)
{
    // Linux passes the name as UTF-8, with a space, Chinese and Cyrillic in it.
    const std::string path = ScratchDir() + "/" + reinterpret_cast<const char*>(u8"访问 журнал.log");
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << SampleLog();
    }
    ASSERT_NO_FATAL_FAILURE(Launch({path}));
    ExpectSampleRowsShown();
    ASSERT_NO_FATAL_FAILURE(ChooseTab(1));
    EXPECT_EQ(Names(RowBands()), "green red yellow");
    CloseAndExpectCleanExit();
}

TEST_F(CorvaneE2eTest, AChosenPageSlidesInFromTheLeftAndStopsAtItsPlace)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    ASSERT_NO_FATAL_FAILURE(OpenSample());
    ASSERT_TRUE(WaitForPageAtRest());
    std::vector<CRect> tabs = Tabs();
    ASSERT_EQ(tabs.size(), 7u);
    CRect control = TabControl();
    int y = control.Height() / 2;
    CRect strip(control.left, control.top + y - 1, control.right, control.top + y + 2);
    const int restLeft = 4; // inside the control

    for (int tab : {1, 6, 0}) {
        Click(tabs[static_cast<std::size_t>(tab)].CenterPoint());
        // The list's right border, grab by grab, from the first grab that shows
        // the page on its way (its left border still out of sight) to rest.
        std::vector<int> moving;
        int restRight = -1;
        int stillFor = 0;
        bool rested = WaitUntil(
            [&] {
                gfx::Surface s;
                if (!Grab(strip, &s)) return false;
                int right = RightmostBlackColumn(s, CRect(0, 0, s.Width(), s.Height()));
                bool atRest = BlackColumn(s, restLeft, 0, s.Height()) && !BlackColumn(s, restLeft - 1, 0, s.Height());
                if (!atRest && right >= 0) {
                    moving.push_back(right);
                    stillFor = 0;
                } else if (atRest && !moving.empty()) {
                    stillFor = right == restRight ? stillFor + 1 : 0;
                    restRight = right;
                }
                return stillFor >= 15; // about 150 ms at rest
            },
            5000);
        ASSERT_FALSE(moving.empty()) << "tab " << tab << ": the page was never seen on its way in";
        EXPECT_TRUE(rested) << "tab " << tab << ": the page did not come to rest at x = 4";
        EXPECT_TRUE(std::is_sorted(moving.begin(), moving.end())) << "tab " << tab << ": the page moved back";
        EXPECT_LT(moving.back(), restRight) << "tab " << tab;
        // 30 pixels a tick: every position seen lies a whole number of steps from the first.
        for (int right : moving)
            EXPECT_EQ((right - moving.front()) % 30, 0) << "tab " << tab << ": at " << right;
        CRect list;
        EXPECT_TRUE(ListAtRest(&list));
        EXPECT_EQ(list.left, control.left + restLeft);
        EXPECT_EQ(list.right, control.left + restRight + 1);
    }
    SaveScreen("e2e-after-slides");
    CloseAndExpectCleanExit();
}

TEST_F(CorvaneE2eTest, CaptionButtonsChangeTheirImageUnderThePointer)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    MoveTo(CaptionRest());
    const CaptionButton buttons[4] = {kClose, kMaximize, kMinimize, kHelp};
    const char* names[4] = {"close", "maximize", "minimize", "help"};
    gfx::Surface rest[4];
    for (int i = 0; i < 4; ++i)
        rest[i] = GrabButton(buttons[i]);
    // Close and help are red-orange at rest, maximize and minimize green.
    EXPECT_GT(CountPixels(rest[0], kRedSquare), 100);
    EXPECT_GT(CountPixels(rest[1], kOliveSquare), 100);
    EXPECT_GT(CountPixels(rest[2], kOliveSquare), 100);
    EXPECT_GT(CountPixels(rest[3], kRedSquare), 100);

    for (int i = 0; i < 4; ++i) {
        MoveTo(Caption(buttons[i]).CenterPoint());
        bool lit = WaitUntil([&] { return DifferentPixels(GrabButton(buttons[i]), rest[i]) > 50; }, 3000);
        EXPECT_TRUE(lit) << names[i] << " did not change under the pointer";
        if (!lit) {
            SaveScreen("e2e-hover-failed");
            break; // the others would only wait as long
        }
        // The square swaps its colour; the other buttons stay as they were.
        gfx::Surface hovered = GrabButton(buttons[i]);
        bool wasRed = CountPixels(rest[i], kRedSquare) > 100;
        EXPECT_GT(CountPixels(hovered, wasRed ? kOliveSquare : kRedSquare), 100) << names[i];
        for (int j = 0; j < 4; ++j) {
            if (j != i) {
                EXPECT_EQ(DifferentPixels(GrabButton(buttons[j]), rest[j]), 0) << names[i] << "/" << names[j];
            }
        }
        MoveTo(CaptionRest());
        EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(GrabButton(buttons[i]), rest[i]) == 0; }, 3000))
            << names[i] << " did not return to its image away from the pointer";
    }
    CloseAndExpectCleanExit();
}

TEST_F(CorvaneE2eTest, MaximizeAndRestoreResizeTheWindowAndSwapTheButtonImage)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    MoveTo(CaptionRest());
    const CRect original = m_window;
    gfx::Surface maxImage = GrabButton(kMaximize);

    Click(Caption(kMaximize).CenterPoint());
    CRect zoomed;
    ASSERT_TRUE(WaitUntil([&] { return ReadGeometry(&zoomed) && zoomed.Width() > original.Width(); }, 10000))
        << "the window did not grow";
    // A window manager may show the new size before the new place: give it the time to settle.
    WaitUntil([&] { return ReadGeometry(&zoomed) && Place(zoomed) == "0,0 1024x768"; }, 3000);
    // A maximized window covers the screen; anywhere else the rest of this test has nothing to look at.
    if (Place(zoomed) != "0,0 1024x768") SaveScreen("e2e-maximize-failed");
    ASSERT_EQ(Place(zoomed), "0,0 1024x768");
    m_window = zoomed;
    MoveTo(CaptionRest());
    // Repainted at the new size: the close button at the new right edge, and
    // maximize showing the restore image.
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(GrabButton(kClose), kRedSquare) > 100; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(GrabButton(kMaximize), maxImage) > 10; }, 5000))
        << "maximize still shows its own image";
    EXPECT_GT(CountPixels(GrabButton(kMaximize), kOliveSquare), 100);
    SaveScreen("e2e-maximized");

    Click(Caption(kMaximize).CenterPoint());
    CRect restored;
    EXPECT_TRUE(WaitUntil([&] { return ReadGeometry(&restored) && restored == original; }, 10000))
        << "restored to " << Place(restored);
    m_window = original;
    MoveTo(CaptionRest());
    EXPECT_TRUE(WaitUntil([&] { return DifferentPixels(GrabButton(kMaximize), maxImage) == 0; }, 5000))
        << "maximize does not show its image again";
    CloseAndExpectCleanExit();
}

TEST_F(CorvaneE2eTest, MinimizeTakesTheWindowOffTheScreenAndTheProgramRunsOn)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    Click(Caption(kMinimize).CenterPoint());
    EXPECT_TRUE(WaitUntil(
        [&] {
            std::vector<std::string> visible = VisibleWindows();
            return std::find(visible.begin(), visible.end(), m_windowId) == visible.end();
        },
        10000))
        << "the window is still shown";
    // The desktop shows where the window was.
    gfx::Surface where = GrabWindow();
    EXPECT_EQ(CountPixels(where, 0x000000), where.Width() * where.Height());
    EXPECT_TRUE(m_app->Running()) << m_app->Describe() << "\n" << m_app->Output();
}

} // namespace
} // namespace corvane::test
