// Under a window manager the desktop moves the window on its own (a request to
// the manager, the user's Alt+drag); the program must take each new place as
// its own: "打开...", the tabs, the caption and its buttons answer where the
// window is now.
#include "tests/e2e/CorvaneRun.h"
#include "tests/e2e/ScreenScan.h"

#include <string>

namespace corvane::test {
namespace {

class WindowManagerE2eTest : public CorvaneRun {
protected:
    void SetUp() override
    {
        CorvaneRun::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        if (WindowManager().empty()) GTEST_SKIP() << "runs only under a window manager";
    }
    // Waits until the window stands at `want`, takes that as its place, and
    // waits until the program has painted there: the server reports the new
    // place before the program has laid its caption out for it, and a click in
    // between would land on the old layout.
    bool WaitForPlace(const CRect& want)
    {
        CRect now;
        if (!WaitUntil([&] { return ReadGeometry(&now) && now == want; }, 10000)) return false;
        m_window = now;
        gfx::Surface close;
        bool painted =
            WaitUntil([&] { return Grab(Caption(kClose), &close) && CountPixels(close, kRedSquare) > 100; }, 10000);
        if (!painted) SaveScreen("e2e-wm-not-painted");
        return painted;
    }
    // The open-file dialog opens from "打开..." and goes with Esc.
    void OpenAndCancel(const char* when)
    {
        Click(OpenButton().CenterPoint());
        bool opened = WaitUntil([&] { return VisibleWindows().size() == 2; }, 10000);
        if (!opened) SaveScreen("e2e-wm-open-failed");
        ASSERT_TRUE(opened) << "no open-file dialog " << when;
        ASSERT_TRUE(Xdo({"key", "Escape"}));
        ASSERT_TRUE(WaitUntil([&] { return VisibleWindows().size() == 1; }, 10000)) << "the dialog stayed " << when;
    }
    void Drag(CPoint from, CPoint to, bool withAlt) const
    {
        if (withAlt) {
            EXPECT_TRUE(Xdo({"keydown", "alt"}));
        }
        MoveTo(from);
        EXPECT_TRUE(Xdo({"mousedown", "1"}));
        // In steps, as a hand moves.
        for (int i = 1; i <= 4; ++i)
            MoveTo(CPoint(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4));
        EXPECT_TRUE(Xdo({"mouseup", "1"}));
        if (withAlt) {
            EXPECT_TRUE(Xdo({"keyup", "alt"}));
        }
    }
};

TEST_F(WindowManagerE2eTest, TheWindowAnswersWhereverTheManagerPutsIt)
{
    ASSERT_NO_FATAL_FAILURE(Launch());
    const CRect first = m_window;

    // Moved through the manager, as a placement or a pager would.
    CRect asked(first.left + 150, first.top + 90, first.right + 150, first.bottom + 90);
    ASSERT_TRUE(Xdo({"windowmove", m_windowId, std::to_string(asked.left), std::to_string(asked.top)}));
    ASSERT_TRUE(WaitForPlace(asked)) << "the manager did not move the window";
    ASSERT_NO_FATAL_FAILURE(OpenSample());
    ASSERT_NO_FATAL_FAILURE(ChooseTab(1));

    // Dragged by the user with Alt, the manager's own move.
    CRect dragged = m_window;
    dragged.OffsetRect(-120, -60);
    Drag(m_window.CenterPoint(), m_window.CenterPoint() + CSize(-120, -60), true);
    ASSERT_TRUE(WaitForPlace(dragged)) << "Alt+drag did not move the window";
    ASSERT_NO_FATAL_FAILURE(OpenAndCancel("after Alt+drag"));
    ASSERT_NO_FATAL_FAILURE(ChooseTab(2));

    // The program's own caption drag starts where the caption is now.
    CRect byCaption = m_window;
    byCaption.OffsetRect(70, 50);
    Drag(CaptionRest(), CaptionRest() + CSize(70, 50), false);
    ASSERT_TRUE(WaitForPlace(byCaption)) << "the caption did not drag the window";

    // Maximize and restore from the caption buttons where they are.
    const CRect beforeMaximize = m_window;
    Click(Caption(kMaximize).CenterPoint());
    ASSERT_TRUE(WaitForPlace(CRect(0, 0, 1024, 768))) << "maximize did not fill the screen";
    MoveTo(CaptionRest());
    Click(Caption(kMaximize).CenterPoint());
    ASSERT_TRUE(WaitForPlace(beforeMaximize)) << "restore did not bring the window back";
    ASSERT_NO_FATAL_FAILURE(OpenAndCancel("after restore"));
    SaveScreen("e2e-wm-after-moves");
    CloseAndExpectCleanExit();
}

} // namespace
} // namespace corvane::test
