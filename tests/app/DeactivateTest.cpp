// Losing activation repaints the system's caption under the painted frame; none
// of it may show through (the template has no system menu, so no icon place).
#include "tests/app/AppFixture.h"

namespace apptest {
namespace {

using DeactivateTest = AppTest;

TEST_F(DeactivateTest, InactiveCaptionLeavesNoTraceBelowThePaintedFrame)
{
    Open();
    Pump();
    auto corner = [this] {
        std::vector<COLORREF> px;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 60; ++x)
                px.push_back(WindowPixel(x, y));
        return px;
    };
    const std::vector<COLORREF> active = corner();
    SendMessage(dlg->m_hWnd, WM_NCACTIVATE, FALSE, 0);
    Pump();
    EXPECT_EQ(corner(), active) << "the inactive caption changed the frame's corner";
    SendMessage(dlg->m_hWnd, WM_NCACTIVATE, TRUE, 0);
    Pump();
    EXPECT_EQ(corner(), active);
}

} // namespace
} // namespace apptest
