// Popup menus shown by TrackPopupMenu: notifications, choosing by mouse and
// keyboard, cancelling, placement, and an owner that goes away.
#include "tests/system/menu/MenuScript.h"

namespace corvane::test {
namespace {

class PopupMenu : public MenuTest {
protected:
    HWND owner = nullptr;
    HMENU menu = nullptr;

    void SetUp() override
    {
        MenuTest::SetUp();
        owner = Make("owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
        menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, 100, "&Open\tCtrl+O");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_STRING | MF_GRAYED, 101, "&Grayed");
        AppendMenu(menu, MF_STRING | MF_CHECKED, 102, "&Save");
        AppendMenu(menu, MF_STRING, 103, "&Select all");
        Pump();
        Clear();
    }
    void TearDown() override
    {
        DestroyMenu(menu);
        MenuTest::TearDown();
    }
    std::vector<WORD> Highlighted() const
    {
        std::vector<WORD> ids;
        for (const Received& r : log)
            if (r.hwnd == owner && r.message == WM_MENUSELECT && HIWORD(r.wParam) != 0xFFFF)
                ids.push_back(LOWORD(r.wParam));
        return ids;
    }
};

TEST_F(PopupMenu, ClickChoosesTheItemAndTheOwnerSeesTheWholeLoop)
{
    script.push_back([this] {
        ASSERT_NE(Open(), nullptr);
        POINT p = ItemPoint(3);
        screen.MoveMouse(p.x, p.y);
        screen.Click(p.x, p.y);
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, owner, nullptr), 102);
    EXPECT_EQ(TraceOf(owner, {WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_EXITMENULOOP}),
              (std::vector<std::string>{"0x0211", "0x0116", "0x0117", "0x0212"}));
    EXPECT_EQ(WParams(owner, WM_INITMENUPOPUP), (std::vector<WPARAM>{reinterpret_cast<WPARAM>(menu)}));
    EXPECT_EQ(WParams(owner, WM_ENTERMENULOOP), (std::vector<WPARAM>{TRUE}));
    EXPECT_EQ(Highlighted(), (std::vector<WORD>{102}));
    // The last selection message says the menu closed.
    EXPECT_EQ(HIWORD(WParams(owner, WM_MENUSELECT).back()), 0xFFFF);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(screen.WindowCount(), 1u); // the menu window is gone
    Pump();
    EXPECT_EQ(Count(owner, WM_COMMAND), 0); // returned, not sent
}

TEST_F(PopupMenu, ArrowsWrapAndSkipSeparatorsAndGrayedItemsThenEnterPostsTheCommand)
{
    for (unsigned key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_RETURN})
        screen.KeyDown(key);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_LEFTALIGN, 200, 150, 0, owner, nullptr), TRUE);
    EXPECT_EQ(Highlighted(), (std::vector<WORD>{100, 102, 103, 100, 103, 102}));
    Pump();
    EXPECT_EQ(WParams(owner, WM_COMMAND), (std::vector<WPARAM>{102}));
}

TEST_F(PopupMenu, MnemonicsChooseAndGrayedOrSharedLettersDoNot)
{
    // G is grayed: nothing. S is shared by two items: it moves between them.
    for (unsigned key : {unsigned('G'), unsigned('S'), unsigned('S'), unsigned(VK_RETURN)})
        screen.KeyDown(key);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, owner, nullptr), 103);
    EXPECT_EQ(Highlighted(), (std::vector<WORD>{102, 103}));
    screen.KeyDown('O');
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, owner, nullptr), 100);
}

TEST_F(PopupMenu, EscapeOrAClickOutsideCancelsButGrayedItemsAndSeparatorsKeepItOpen)
{
    screen.KeyDown(VK_ESCAPE);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, owner, nullptr), 0);

    script.push_back([this] { ClickItem(2); });       // grayed
    script.push_back([this] { ClickItem(1); });       // separator
    script.push_back([this] { screen.Click(5, 5); }); // outside every window
    EXPECT_EQ(TrackPopupMenu(menu, TPM_LEFTALIGN, 200, 150, 0, owner, nullptr), TRUE);
    EXPECT_TRUE(script.empty());
    Pump();
    EXPECT_EQ(Count(owner, WM_COMMAND), 0);
    EXPECT_EQ(Count(owner, WM_LBUTTONDOWN), 0); // the closing click went nowhere
}

TEST_F(PopupMenu, TheRightButtonChoosesOnlyWhenAsked)
{
    script.push_back([this] {
        POINT p = ItemPoint(0);
        screen.Click(p.x, p.y, display::MouseButton::Right);
    });
    script.push_back([this] { screen.KeyDown(VK_ESCAPE); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTBUTTON, 200, 150, 0, owner, nullptr), 0);
    script.push_back([this] {
        POINT p = ItemPoint(0);
        screen.Click(p.x, p.y, display::MouseButton::Right);
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 200, 150, 0, owner, nullptr), 100);
}

TEST_F(PopupMenu, NoNotifySendsNothingToTheOwner)
{
    screen.KeyDown(VK_DOWN);
    screen.KeyDown(VK_RETURN);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_NONOTIFY, 200, 150, 0, owner, nullptr), TRUE);
    Pump();
    EXPECT_EQ(
        TraceOf(owner, {WM_ENTERMENULOOP, WM_INITMENU, WM_INITMENUPOPUP, WM_MENUSELECT, WM_EXITMENULOOP, WM_COMMAND}),
        std::vector<std::string>{});
}

TEST_F(PopupMenu, AlignmentFlagsAndTheScreenEdgesPlaceTheMenu)
{
    RECT placed[3];
    script.push_back([&] {
        placed[0] = PopupRect();
        screen.KeyDown(VK_ESCAPE);
    });
    TrackPopupMenu(menu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, 300, 250, 0, owner, nullptr);
    EXPECT_EQ(placed[0].right, 300);
    EXPECT_EQ(placed[0].bottom, 250);

    // Near the bottom-right corner it opens up and to the left of the point.
    RECT screenRect = sys::ScreenRect();
    script.push_back([&] {
        placed[1] = PopupRect();
        screen.KeyDown(VK_ESCAPE);
    });
    TrackPopupMenu(menu, TPM_LEFTALIGN, screenRect.right - 5, screenRect.bottom - 5, 0, owner, nullptr);
    EXPECT_EQ(placed[1].right, screenRect.right - 5);
    EXPECT_EQ(placed[1].bottom, screenRect.bottom - 5);

    // Past the top-left corner it stays inside.
    script.push_back([&] {
        placed[2] = PopupRect();
        screen.KeyDown(VK_ESCAPE);
    });
    TrackPopupMenu(menu, TPM_RIGHTALIGN | TPM_BOTTOMALIGN, -50, -50, 0, owner, nullptr);
    EXPECT_GE(placed[2].left, screenRect.left);
    EXPECT_GE(placed[2].top, screenRect.top);
}

TEST_F(PopupMenu, AnOwnerDestroyedDuringTheLoopEndsItCleanly)
{
    script.push_back([this] { DestroyWindow(owner); });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, owner, nullptr), 0);
    EXPECT_FALSE(IsWindow(owner));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(screen.WindowCount(), 0u);

    // Dying inside WM_INITMENUPOPUP: the menu never shows.
    HWND other = Make("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    handlers.push_back([](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_INITMENUPOPUP) DestroyWindow(h);
        return false;
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, other, nullptr), 0);
    EXPECT_FALSE(IsWindow(other));
    handlers.clear();

    // Nothing is left open: the next menu works.
    HWND third = Make("third", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    screen.KeyDown(VK_DOWN);
    screen.KeyDown(VK_RETURN);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, third, nullptr), 100);
}

TEST_F(PopupMenu, BadArgumentsAndANestedMenuFail)
{
    EXPECT_EQ(TrackPopupMenu(nullptr, 0, 0, 0, 0, owner, nullptr), FALSE);
    EXPECT_EQ(TrackPopupMenu(menu, 0, 0, 0, 0, nullptr, nullptr), FALSE);
    HMENU empty = CreatePopupMenu();
    EXPECT_EQ(TrackPopupMenu(empty, 0, 0, 0, 0, owner, nullptr), FALSE);
    DestroyMenu(empty);
    BOOL nested = TRUE;
    script.push_back([&] {
        nested = TrackPopupMenu(menu, TPM_RETURNCMD, 10, 10, 0, owner, nullptr);
        screen.KeyDown(VK_ESCAPE);
    });
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 200, 150, 0, owner, nullptr), 0);
    EXPECT_EQ(nested, FALSE);
    EXPECT_EQ(Count(owner, WM_ENTERMENULOOP), 1);
    EXPECT_EQ(Count(owner, WM_COMMAND), 0);
}

} // namespace
} // namespace corvane::test
