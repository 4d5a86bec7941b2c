// The tab control that switches pages: placement of added pages, the selection
// messages and their order, and the slide-in on the virtual clock.
#include "pages/MyTab.h"

#include "platform/display/HeadlessBackend.h"
#include "platform/system/Windows.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

// The dialog side: records each selection message and which pages were visible then.
class CReceiver : public CWnd {
public:
    struct Seen {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::vector<bool> visible;
    };
    std::vector<Seen> seen;
    std::vector<CWnd*>* pages = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message > WM_USER && message <= WM_USER + 20) {
            Seen s{message, wParam, lParam, {}};
            if (pages)
                for (CWnd* p : *pages)
                    s.visible.push_back(p->IsWindowVisible() != FALSE);
            seen.push_back(s);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class CCountingTab : public CMyTab {
public:
    int slideTicks = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TIMER && wParam == 1) ++slideTicks;
        return CMyTab::WindowProc(message, wParam, lParam);
    }
};

class MyTabTest : public ::testing::Test {
protected:
    display::HeadlessBackend screen;
    CReceiver dialog;
    CCountingTab tab;
    std::vector<std::unique_ptr<CWnd>> owned;
    std::vector<CWnd*> pages;

    void SetUp() override
    {
        sys::SetBackend(&screen);
        ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterDefaultWndClass(), "dialog", WS_POPUP | WS_VISIBLE, 10, 10, 720, 420,
                                    nullptr, nullptr));
        ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 700, 400), &dialog, 1002));
        dialog.pages = &pages;
        sys::PumpUntilIdle();
    }
    void TearDown() override
    {
        dialog.DestroyWindow();
        sys::PumpUntilIdle();
        AfxDeleteTempMaps();
        sys::SetBackend(nullptr);
        AfxDeleteTempMaps();
    }

    // Pages are children of the tab control, made where AddPage must move them from.
    void AddPages(int count, int width = 100, int height = 60)
    {
        for (int i = 0; i < count; ++i) {
            auto page = std::make_unique<CWnd>();
            ASSERT_TRUE(page->CreateEx(0, AfxRegisterDefaultWndClass(), "", WS_CHILD | WS_VISIBLE, 50 + i, 70, width,
                                       height, tab.m_hWnd, nullptr));
            pages.push_back(page.get());
            tab.AddPage(page.get(), std::to_string(i).c_str());
            owned.push_back(std::move(page));
        }
        tab.SetNotifyWnd(dialog.m_hWnd);
        sys::PumpUntilIdle();
    }
    // Picks tab i with the mouse, as the user does.
    void Choose(int i)
    {
        CRect item;
        ASSERT_TRUE(tab.GetItemRect(i, &item));
        tab.ClientToScreen(&item);
        screen.Click(item.CenterPoint().x, item.CenterPoint().y);
        sys::PumpUntilIdle();
        ASSERT_EQ(tab.GetCurSel(), i);
    }
    void Tick()
    {
        screen.Advance(10);
        sys::PumpUntilIdle();
    }
    CRect Where(int i) const
    {
        CRect r;
        pages[static_cast<std::size_t>(i)]->GetWindowRect(&r);
        tab.ScreenToClient(&r);
        return r;
    }
    bool Visible(int i) const { return pages[static_cast<std::size_t>(i)]->IsWindowVisible() != FALSE; }
    // Ticks until the slide timer stops (bounded); the left edges seen after each tick.
    std::vector<int> SlideToEnd(int page, int maxTicks = 1000)
    {
        std::vector<int> lefts;
        for (int n = 0; n < maxTicks; ++n) {
            int before = tab.slideTicks;
            Tick();
            if (tab.slideTicks == before) break;
            lefts.push_back(Where(page).left);
        }
        return lefts;
    }
};

TEST_F(MyTabTest, AddedPagesRestAtTheOffsetAndOnlyTheFirstShows)
{
    EXPECT_EQ(tab.m_nStep, 20);
    EXPECT_EQ(tab.m_bAnimate, 1);
    AddPages(3, 120, 80);
    EXPECT_EQ(tab.GetItemCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Where(i), CRect(4, 28, 124, 108)) << "page " << i;
        TCITEM item{};
        char text[8] = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(tab.GetItem(i, &item));
        EXPECT_EQ(std::string(text), std::to_string(i));
        EXPECT_EQ(reinterpret_cast<CWnd*>(item.lParam), pages[static_cast<std::size_t>(i)]);
    }
    EXPECT_TRUE(Visible(0));
    EXPECT_FALSE(Visible(1));
    EXPECT_FALSE(Visible(2));
    // Adding and naming the receiver send nothing.
    EXPECT_TRUE(dialog.seen.empty());

    // A missing page adds no tab.
    tab.AddPage(nullptr, "none");
    EXPECT_EQ(tab.GetItemCount(), 3);
}

TEST_F(MyTabTest, PageSlidesInWithStep30AndSnapsOnTheFourthTick)
{
    tab.m_nStep = 30;
    AddPages(3);
    Choose(1);
    // The message came first, while neither page was visible.
    ASSERT_EQ(dialog.seen.size(), 1u);
    EXPECT_EQ(dialog.seen[0].message, WM_USER + 2);
    EXPECT_EQ(dialog.seen[0].wParam, 0u);
    EXPECT_EQ(dialog.seen[0].lParam, 0);
    EXPECT_EQ(dialog.seen[0].visible, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(Visible(1));
    EXPECT_FALSE(Visible(0));
    EXPECT_EQ(Where(1), CRect(-96, 28, 4, 88));

    std::vector<int> lefts;
    for (int n = 0; n < 4; ++n) {
        Tick();
        EXPECT_EQ(tab.slideTicks, n + 1);
        lefts.push_back(Where(1).left);
        EXPECT_EQ(Where(1).top, 28);
        EXPECT_EQ(Where(1).Width(), 100);
    }
    EXPECT_EQ(lefts, (std::vector<int>{-66, -36, -6, 4}));
    // The timer stopped with the snap.
    screen.Advance(100);
    sys::PumpUntilIdle();
    EXPECT_EQ(tab.slideTicks, 4);
    EXPECT_EQ(Where(1), CRect(4, 28, 104, 88));
}

TEST_F(MyTabTest, WidePageMovesOn19TicksAndNoPageEverPassesTheRestPosition)
{
    tab.m_nStep = 30;
    AddPages(2, 590, 60);
    Choose(1);
    EXPECT_EQ(Where(1).left, -586);
    std::vector<int> lefts = SlideToEnd(1);
    ASSERT_EQ(lefts.size(), 20u);
    for (std::size_t n = 0; n < 19; ++n)
        EXPECT_EQ(lefts[n], -586 + 30 * static_cast<int>(n + 1));
    EXPECT_EQ(lefts[19], 4);
    EXPECT_EQ(Where(1), CRect(4, 28, 594, 88));

    // Widths and steps around the edge cases: every tick stays at or left of 4 and
    // moves forward, and the page ends exactly at rest.
    for (int width : {1, 29, 30, 31, 100, 590}) {
        for (int step : {1, 7, 30, 250}) {
            SCOPED_TRACE("width " + std::to_string(width) + " step " + std::to_string(step));
            Choose(0);
            SlideToEnd(0);
            pages[1]->SetWindowPos(nullptr, 0, 0, width, 60, SWP_NOMOVE | SWP_NOZORDER);
            tab.m_nStep = step;
            Choose(1);
            EXPECT_EQ(Where(1).left, 4 - width);
            int previous = Where(1).left;
            lefts = SlideToEnd(1);
            ASSERT_FALSE(lefts.empty());
            EXPECT_LE(lefts.size(), static_cast<std::size_t>(width / step + 2));
            for (int left : lefts) {
                EXPECT_LE(left, 4);
                EXPECT_GT(left, previous);
                previous = left;
            }
            EXPECT_EQ(Where(1), CRect(4, 28, width + 4, 88));
        }
    }
}

TEST_F(MyTabTest, WithoutAnimationThePageShowsAtOnceAfterTheMessage)
{
    tab.m_bAnimate = 0;
    AddPages(3);
    Choose(2);
    ASSERT_EQ(dialog.seen.size(), 1u);
    EXPECT_EQ(dialog.seen[0].message, WM_USER + 3);
    EXPECT_EQ(dialog.seen[0].visible, (std::vector<bool>{false, false, false}));
    EXPECT_TRUE(Visible(2));
    EXPECT_FALSE(Visible(0));
    EXPECT_EQ(Where(2), CRect(4, 28, 104, 88));
    screen.Advance(100);
    sys::PumpUntilIdle();
    EXPECT_EQ(tab.slideTicks, 0);
}

TEST_F(MyTabTest, OnlyTabsZeroToSixSendTheirMessage)
{
    tab.m_nStep = 200;
    AddPages(9, 60, 40);
    for (int i : {7, 8, 6, 0, 3}) {
        Choose(i);
        EXPECT_TRUE(Visible(i));
        SlideToEnd(i);
        EXPECT_EQ(Where(i), CRect(4, 28, 64, 68));
    }
    std::vector<UINT> messages;
    for (const auto& s : dialog.seen)
        messages.push_back(s.message);
    EXPECT_EQ(messages, (std::vector<UINT>{WM_USER + 7, WM_USER + 1, WM_USER + 4}));
}

TEST_F(MyTabTest, ChoosingAnotherTabWhileSlidingAbandonsThePageWhereItStands)
{
    tab.m_nStep = 30;
    AddPages(3);
    Choose(1);
    Tick();
    Tick();
    EXPECT_EQ(Where(1).left, -36);
    Choose(2);
    EXPECT_FALSE(Visible(1));
    EXPECT_EQ(Where(2).left, -96);
    SlideToEnd(2);
    EXPECT_EQ(Where(2), CRect(4, 28, 104, 88));
    // The abandoned page kept its place while hidden.
    EXPECT_EQ(Where(1).left, -36);

    // Chosen again, it starts one width further left and still ends at rest.
    Choose(1);
    EXPECT_EQ(Where(1).left, -136);
    std::vector<int> lefts = SlideToEnd(1);
    EXPECT_EQ(lefts, (std::vector<int>{-106, -76, -46, -16, 4}));
    EXPECT_EQ(Where(1), CRect(4, 28, 104, 88));
}

TEST_F(MyTabTest, StepOfZeroOrLessShowsThePageAtRestWithoutTimer)
{
    tab.m_nStep = 0;
    AddPages(3);
    Choose(1);
    EXPECT_TRUE(Visible(1));
    EXPECT_EQ(Where(1), CRect(4, 28, 104, 88));
    screen.Advance(100);
    sys::PumpUntilIdle();
    EXPECT_EQ(tab.slideTicks, 0);

    // A page abandoned mid-slide is put back at rest too.
    tab.m_nStep = 30;
    Choose(2);
    Tick();
    EXPECT_EQ(Where(2).left, -66);
    tab.m_nStep = -5;
    Choose(0);
    Choose(2);
    EXPECT_EQ(Where(2), CRect(4, 28, 104, 88));
    int ticks = tab.slideTicks;
    screen.Advance(100);
    sys::PumpUntilIdle();
    EXPECT_EQ(tab.slideTicks, ticks);

    // A step changed to 0 during a slide ends it on the next tick.
    tab.m_nStep = 30;
    Choose(1);
    Tick();
    tab.m_nStep = 0;
    Tick();
    EXPECT_EQ(Where(1), CRect(4, 28, 104, 88));
    ticks = tab.slideTicks;
    screen.Advance(100);
    sys::PumpUntilIdle();
    EXPECT_EQ(tab.slideTicks, ticks);
}

TEST_F(MyTabTest, OtherTimersMoveNothingAndNoReceiverStillShowsThePage)
{
    // A slide timer message before any slide has nothing to move.
    tab.SendMessage(WM_TIMER, 1, 0);
    tab.m_nStep = 30;
    AddPages(2);
    tab.SetNotifyWnd(nullptr);
    Choose(1);
    EXPECT_TRUE(dialog.seen.empty());
    EXPECT_TRUE(Visible(1));
    Tick();
    EXPECT_EQ(Where(1).left, -66);
    tab.SendMessage(WM_TIMER, 2, 0);
    tab.SendMessage(WM_TIMER, 7, 0);
    EXPECT_EQ(Where(1).left, -66);
    SlideToEnd(1);
    EXPECT_EQ(Where(1), CRect(4, 28, 104, 88));
}

} // namespace
