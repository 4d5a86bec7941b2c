// The tab control: items and queries, selection by click and by key with its
// two notifications in order, the veto, layout, hot tracking and painting.
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/SysMetrics.h"
#include "tests/system/support/TabTestSupport.h"

#include <cstring>

namespace tabfile {
namespace {

using TabControlTest = HeadlessTest;

int CurSel(HWND tab)
{
    return static_cast<int>(SendMessage(tab, TCM_GETCURSEL, 0, 0));
}

RECT ItemRect(HWND tab, int i)
{
    RECT r{};
    EXPECT_TRUE(SendMessage(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r)));
    return r;
}

std::vector<UINT> Codes()
{
    std::vector<UINT> codes;
    for (const Seen& s : Notes())
        codes.push_back(s.code);
    return codes;
}

TEST_F(TabControlTest, ItemsKeepTextDataAndTheSelectionFollowsInsertsAndDeletes)
{
    HWND tab = MakeTab(MakeParent(), 0, {"所有内容(ALL)", "百度记录", "Google记录"});
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(CurSel(tab), 0) << "the first tab is selected from the start";

    char text[64] = {};
    TCITEM item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ASSERT_TRUE(SendMessage(tab, TCM_GETITEM, 1, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "百度记录");
    EXPECT_EQ(item.lParam, 101);
    // A short buffer gets a truncated, terminated copy.
    item.cchTextMax = 4;
    ASSERT_TRUE(SendMessage(tab, TCM_GETITEM, 2, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, "Goo");

    // Setting the selection directly sends nothing and answers the previous one.
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 2, 0), 0);
    EXPECT_EQ(CurSel(tab), 2);
    EXPECT_EQ(SendMessage(tab, TCM_SETCURSEL, 7, 0), -1);
    EXPECT_EQ(CurSel(tab), 2);
    EXPECT_TRUE(Notes().empty());

    // Inserting before the selected tab keeps the same tab selected.
    TCITEM extra{};
    extra.mask = TCIF_TEXT;
    extra.pszText = const_cast<LPSTR>("new");
    EXPECT_EQ(SendMessage(tab, TCM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&extra)), 0);
    EXPECT_EQ(CurSel(tab), 3);
    // Past the end appends.
    EXPECT_EQ(SendMessage(tab, TCM_INSERTITEM, 99, reinterpret_cast<LPARAM>(&extra)), 4);
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEITEM, 0, 0));
    EXPECT_EQ(CurSel(tab), 2);
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEITEM, 2, 0));
    EXPECT_EQ(CurSel(tab), -1) << "deleting the selected tab leaves none selected";

    // Bad arguments fail the documented way.
    EXPECT_EQ(SendMessage(tab, TCM_INSERTITEM, 0, 0), -1);
    EXPECT_EQ(SendMessage(tab, TCM_INSERTITEM, static_cast<WPARAM>(-3), reinterpret_cast<LPARAM>(&extra)), -1);
    EXPECT_FALSE(SendMessage(tab, TCM_GETITEM, 50, reinterpret_cast<LPARAM>(&item)));
    EXPECT_FALSE(SendMessage(tab, TCM_GETITEMRECT, 50, 0));
    EXPECT_FALSE(SendMessage(tab, TCM_DELETEITEM, 50, 0));
    EXPECT_TRUE(SendMessage(tab, TCM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(CurSel(tab), -1);
}

TEST_F(TabControlTest, ClickSendsSelChangingThenSelChangeAndAVetoKeepsTheTab)
{
    HWND tab = MakeTab(MakeParent(), 0, {"one", "two", "three"});
    RECT r2 = ItemRect(tab, 2);
    ClickAt(tab, (r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2);
    ASSERT_EQ(Notes().size(), 2u);
    EXPECT_EQ(Notes()[0].code, TCN_SELCHANGING);
    EXPECT_EQ(Notes()[0].curSel, 0) << "while asked, the old tab is still selected";
    EXPECT_EQ(Notes()[1].code, TCN_SELCHANGE);
    EXPECT_EQ(Notes()[1].curSel, 2);
    EXPECT_EQ(GetFocus(), tab);

    // Clicking the selected tab again changes nothing.
    Notes().clear();
    ClickAt(tab, (r2.left + r2.right) / 2, (r2.top + r2.bottom) / 2);
    EXPECT_TRUE(Notes().empty());

    // A non-zero answer keeps the old tab and no TCN_SELCHANGE follows.
    VetoAnswer() = 1;
    RECT r0 = ItemRect(tab, 0);
    ClickAt(tab, r0.left + 3, r0.top + 3);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TCN_SELCHANGING}));
    EXPECT_EQ(CurSel(tab), 2);

    // A click on the panel below the tabs selects nothing.
    VetoAnswer() = 0;
    Notes().clear();
    ClickAt(tab, 200, 150);
    EXPECT_TRUE(Notes().empty());
}

TEST_F(TabControlTest, ArrowKeysOnTheFocusedControlMoveTheSelection)
{
    HWND tab = MakeTab(MakeParent(), 0, {"one", "two", "three"});
    SetFocus(tab);
    m_screen.KeyDown(VK_RIGHT);
    m_screen.KeyUp(VK_RIGHT);
    sys::PumpUntilIdle();
    EXPECT_EQ(Codes(), (std::vector<UINT>{TCN_KEYDOWN, TCN_SELCHANGING, TCN_SELCHANGE}));
    EXPECT_EQ(CurSel(tab), 1);

    m_screen.KeyDown(VK_END);
    sys::PumpUntilIdle();
    EXPECT_EQ(CurSel(tab), 2);
    Notes().clear();
    m_screen.KeyDown(VK_RIGHT); // already at the last tab
    sys::PumpUntilIdle();
    EXPECT_EQ(Codes(), (std::vector<UINT>{TCN_KEYDOWN}));

    m_screen.KeyDown(VK_LEFT);
    m_screen.KeyDown(VK_HOME);
    sys::PumpUntilIdle();
    EXPECT_EQ(CurSel(tab), 0);

    VetoAnswer() = 1;
    m_screen.KeyDown(VK_RIGHT);
    sys::PumpUntilIdle();
    EXPECT_EQ(CurSel(tab), 0);
    EXPECT_EQ(SendMessage(tab, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(TabControlTest, AParentThatEmptiesTheControlWhileAskedDoesNotBreakIt)
{
    HWND tab = MakeTab(MakeParent(), 0, {"one", "two", "three"});
    EmptyOnChanging() = true;
    RECT r2 = ItemRect(tab, 2);
    ClickAt(tab, r2.left + 3, r2.top + 3);
    EXPECT_EQ(SendMessage(tab, TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(CurSel(tab), -1);
    EXPECT_EQ(Codes(), (std::vector<UINT>{TCN_SELCHANGING}));
}

TEST_F(TabControlTest, ItemRectanglesLineUpAndTheDisplayAreaLiesBelowThem)
{
    HWND tab = MakeTab(MakeParent(), 0, {"a", "a much longer title", "b"});
    RECT r0 = ItemRect(tab, 0), r1 = ItemRect(tab, 1), r2 = ItemRect(tab, 2);
    EXPECT_EQ(r0.right, r1.left);
    EXPECT_EQ(r1.right, r2.left);
    EXPECT_EQ(r0.top, r1.top);
    EXPECT_EQ(r0.bottom, r2.bottom);
    EXPECT_GT(r1.right - r1.left, 3 * (r0.right - r0.left)) << "width follows the title";
    EXPECT_GT(r0.left, 0);
    EXPECT_GT(r0.top, 0) << "room for the selected tab to stand taller";

    // Hit testing agrees with the rectangles.
    TCHITTESTINFO hit{{(r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2}, 0};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 1);
    EXPECT_EQ(hit.flags & TCHT_ONITEM, TCHT_ONITEMLABEL);
    hit.pt = POINT{r2.right + 20, r2.top + 2};
    EXPECT_EQ(SendMessage(tab, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), -1);
    EXPECT_EQ(hit.flags, TCHT_NOWHERE);

    // The display area: inside the client area, below the row, and the reverse gives the window back.
    RECT client{};
    GetClientRect(tab, &client);
    RECT display = client;
    SendMessage(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    EXPECT_GT(display.top, r0.bottom);
    EXPECT_GT(display.left, client.left);
    EXPECT_LT(display.right, client.right);
    EXPECT_LT(display.bottom, client.bottom);
    RECT back = display;
    SendMessage(tab, TCM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&back));
    EXPECT_TRUE(EqualRect(&back, &client));

    // A fixed width applies with TCS_FIXEDWIDTH.
    HWND fixed = MakeTab(GetParent(tab), TCS_FIXEDWIDTH, {"x", "a much longer title"});
    SendMessage(fixed, TCM_SETITEMSIZE, 0, MAKELPARAM(80, 30));
    RECT f0 = ItemRect(fixed, 0), f1 = ItemRect(fixed, 1);
    EXPECT_EQ(f0.right - f0.left, 80);
    EXPECT_EQ(f1.right - f1.left, 80);
    EXPECT_EQ(f1.bottom - f1.top, 30);
}

TEST_F(TabControlTest, ClassicPaintingSelectedTabStandsTallerAndOpensIntoThePanel)
{
    HWND tab = MakeTab(MakeParent(), 0, {"one", "two"});
    sys::PumpUntilIdle();
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    RECT sel = ItemRect(tab, 0), other = ItemRect(tab, 1);
    int mid = (other.left + other.right) / 2;
    // Top edges: the selected tab's 2 pixels above the other's.
    EXPECT_EQ(CountPixels(m_screen, tab, RECT{mid, other.top, mid + 1, other.top + 1}, light), 1);
    EXPECT_EQ(CountPixels(m_screen, tab, RECT{mid, other.top - 2, mid + 1, other.top - 1}, face), 1);
    int smid = (sel.left + sel.right) / 2;
    EXPECT_EQ(CountPixels(m_screen, tab, RECT{smid, sel.top - 2, smid + 1, sel.top - 1}, light), 1);
    // The panel's light top edge runs under the other tab but is open under the selected one.
    EXPECT_EQ(CountPixels(m_screen, tab, RECT{mid, other.bottom, mid + 1, other.bottom + 1}, light), 1);
    EXPECT_EQ(CountPixels(m_screen, tab, RECT{smid, sel.bottom, smid + 1, sel.bottom + 1}, face), 1);
}

TEST_F(TabControlTest, HotTrackingPaintsTheTitleUnderTheMouseAndClearsOnLeave)
{
    HWND tab = MakeTab(MakeParent(), TCS_HOTTRACK, {"选项一", "选项二"});
    COLORREF hot = GetSysColor(COLOR_HOTLIGHT);
    RECT r1 = ItemRect(tab, 1);
    ASSERT_EQ(CountPixels(m_screen, tab, r1, hot), 0);
    POINT p = Screen(tab, (r1.left + r1.right) / 2, r1.bottom - 2);
    m_screen.MoveMouse(p.x, p.y);
    sys::PumpUntilIdle();
    EXPECT_GT(CountPixels(m_screen, tab, r1, hot), 0);
    EXPECT_EQ(CountPixels(m_screen, tab, ItemRect(tab, 0), hot), 0);

    POINT away = Screen(GetParent(tab), 5, 250);
    m_screen.MoveMouse(away.x, away.y);
    sys::PumpUntilIdle();
    EXPECT_EQ(CountPixels(m_screen, tab, r1, hot), 0);

    // Without the style the title keeps its colour.
    HWND plain = MakeTab(GetParent(tab), 0, {"选项一", "选项二"}, 300, 120);
    SetWindowPos(plain, nullptr, 10, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    sys::PumpUntilIdle();
    RECT q1 = ItemRect(plain, 1);
    p = Screen(plain, (q1.left + q1.right) / 2, q1.bottom - 2);
    m_screen.MoveMouse(p.x, p.y);
    sys::PumpUntilIdle();
    EXPECT_EQ(CountPixels(m_screen, plain, q1, hot), 0);
}

} // namespace
} // namespace tabfile
