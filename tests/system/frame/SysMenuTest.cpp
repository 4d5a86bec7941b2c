// The system menu shown from the caption icon and Alt+Space, the chosen item
// arriving as WM_SYSCOMMAND, and the look of the open menu.
#include "platform/base/CString.h"
#include "platform/gfx/Png.h"
#include "platform/system/dialog/Resource.h"
#include "tests/support/TestPaths.h"
#include "tests/system/menu/MenuScript.h"

#include <cstdlib>

namespace corvane::test {
namespace {

constexpr UINT kAbout = 0x0010;
constexpr UINT kAboutString = 101;

class SysMenu : public MenuTest {
protected:
    HWND top = nullptr;
    RECT frame{0, 0, 0, 0};

    void SetUp() override
    {
        MenuTest::SetUp();
        top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300);
        GetWindowRect(top, &frame);
        Pump();
        Clear();
    }
    // Middle of the caption icon: frame 4, then the icon 16 x 16 two pixels in.
    POINT Icon() const { return POINT{frame.left + 4 + 2 + 8, frame.top + 4 + 1 + 8}; }
    std::vector<WPARAM> Commands() const { return WParams(top, WM_SYSCOMMAND); }
};

TEST_F(SysMenu, IconClickOpensTheMenuBelowTheCaptionAndTheChosenItemComesAsSysCommand)
{
    RECT placed{};
    UINT restore = 0, move = 0, size = 0;
    script.push_back([&] {
        placed = PopupRect();
        HMENU m = GetSystemMenu(top, FALSE);
        restore = GetMenuState(m, SC_RESTORE, MF_BYCOMMAND);
        move = GetMenuState(m, SC_MOVE, MF_BYCOMMAND);
        size = GetMenuState(m, SC_SIZE, MF_BYCOMMAND);
        ClickItem(6); // Close
    });
    POINT icon = Icon();
    screen.Click(icon.x, icon.y);
    Pump();
    EXPECT_EQ(placed.left, frame.left + 4);
    EXPECT_EQ(placed.top, frame.top + 4 + 19); // the caption band and its line
    EXPECT_EQ(restore & MF_GRAYED, MF_GRAYED); // not minimized or maximized
    EXPECT_EQ(move & MF_GRAYED, 0u);
    EXPECT_EQ(size & MF_GRAYED, 0u);
    ASSERT_EQ(Commands().size(), 2u);
    EXPECT_EQ(Commands()[0], SC_MOUSEMENU + HTSYSMENU);
    EXPECT_EQ(Commands()[1], SC_CLOSE);
    EXPECT_FALSE(IsWindow(top));
}

TEST_F(SysMenu, AltSpaceOpensItAndTheAboutEntryArrivesWithItsId)
{
    // The program's own entry, its text from the string table.
    sys::RegisterString(kAboutString, "&About Corvane...");
    CString text;
    ASSERT_TRUE(text.LoadString(kAboutString));
    EXPECT_EQ(text, "&About Corvane...");
    EXPECT_FALSE(text.LoadString(kAboutString + 1000));
    EXPECT_TRUE(text.IsEmpty());
    HMENU m = GetSystemMenu(top, FALSE);
    ASSERT_TRUE(text.LoadString(kAboutString));
    ASSERT_TRUE(AppendMenu(m, MF_SEPARATOR, 0, nullptr));
    ASSERT_TRUE(AppendMenu(m, MF_STRING, kAbout, text));

    // Keyboard opening highlights the first item that can be chosen; Up wraps to the end.
    screen.KeyDown(VK_SPACE, display::kModAlt);
    screen.KeyUp(VK_SPACE, display::kModAlt);
    screen.KeyDown(VK_UP);
    screen.KeyDown(VK_RETURN);
    Pump();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, kAbout}));
    std::vector<WORD> highlighted;
    for (const Received& r : log)
        if (r.message == WM_MENUSELECT && HIWORD(r.wParam) != 0xFFFF) {
            highlighted.push_back(LOWORD(r.wParam));
            EXPECT_TRUE(HIWORD(r.wParam) & MF_SYSMENU);
        }
    EXPECT_EQ(highlighted, (std::vector<WORD>{SC_MOVE, kAbout}));
    // The owner learns it is its system menu.
    for (const Received& r : log)
        if (r.message == WM_INITMENUPOPUP) {
            EXPECT_EQ(HIWORD(r.lParam), 1);
        }

    // The mnemonic reaches it too, and low bits of the id stay the program's business.
    Clear();
    screen.KeyDown(VK_SPACE, display::kModAlt);
    screen.KeyDown('A');
    Pump();
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, kAbout}));
    EXPECT_EQ(Commands().back() & 0xFFF0, kAbout);
}

TEST_F(SysMenu, EscapeAndOutsideClicksCancelWithoutACommand)
{
    screen.KeyDown(VK_SPACE, display::kModAlt);
    screen.KeyDown(VK_ESCAPE);
    Pump();
    script.push_back([this] { screen.Click(frame.right + 50, frame.bottom + 50); });
    POINT icon = Icon();
    screen.Click(icon.x, icon.y);
    Pump();
    EXPECT_TRUE(script.empty());
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_MOUSEMENU + HTSYSMENU}));
    EXPECT_TRUE(IsWindow(top));
    EXPECT_EQ(screen.WindowCount(), 1u);
}

TEST_F(SysMenu, ItemsFollowTheWindowsStateAndStyles)
{
    auto grayedAfterOpening = [this](HWND hwnd) {
        std::vector<WPARAM> grayed;
        script.push_back([&grayed, hwnd, this] {
            HMENU m = GetSystemMenu(hwnd, FALSE);
            for (WPARAM id : {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE})
                if (GetMenuState(m, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) grayed.push_back(id);
            screen.KeyDown(VK_ESCAPE);
        });
        SendMessage(hwnd, WM_SYSCOMMAND, SC_KEYMENU, ' ');
        return grayed;
    };
    ShowWindow(top, SW_MAXIMIZE);
    EXPECT_EQ(grayedAfterOpening(top), (std::vector<WPARAM>{SC_MOVE, SC_SIZE, SC_MAXIMIZE}));
    HWND dialog = Make("dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 50, 50, 200, 100);
    EXPECT_EQ(grayedAfterOpening(dialog), (std::vector<WPARAM>{SC_RESTORE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}));
}

TEST_F(SysMenu, DoubleClickOnTheIconCloses)
{
    POINT icon = Icon();
    screen.DoubleClick(icon.x, icon.y);
    Pump();
    EXPECT_FALSE(IsWindow(top));
    EXPECT_EQ(screen.WindowCount(), 0u);
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_MOUSEMENU + HTSYSMENU, SC_CLOSE}));
}

TEST_F(SysMenu, MoveFromTheMenuRunsTheKeyboardLoop)
{
    // Alt+Space, M: then two steps right, one down, Enter.
    screen.KeyDown(VK_SPACE, display::kModAlt);
    screen.KeyDown('M');
    for (unsigned key : {VK_RIGHT, VK_RIGHT, VK_DOWN, VK_RETURN})
        screen.KeyDown(key);
    Pump();
    RECT now;
    GetWindowRect(top, &now);
    EXPECT_EQ(now.left, frame.left + 16);
    EXPECT_EQ(now.top, frame.top + 8);
    EXPECT_EQ(Commands(), (std::vector<WPARAM>{SC_KEYMENU, SC_MOVE}));
    EXPECT_EQ(TraceOf(top, {WM_ENTERSIZEMOVE, WM_MOVING, WM_EXITSIZEMOVE}),
              (std::vector<std::string>{"ENTERSIZEMOVE", "MOVING", "MOVING", "MOVING", "EXITSIZEMOVE"}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Esc puts it back; the mouse moves it as well.
    for (unsigned key : {VK_LEFT, VK_UP})
        screen.KeyDown(key);
    screen.KeyDown(VK_ESCAPE);
    SendMessage(top, WM_SYSCOMMAND, SC_MOVE, 0);
    GetWindowRect(top, &now);
    EXPECT_EQ(now.left, frame.left + 16);
    // The loop puts the pointer on the caption; the mouse goes on from there.
    script.push_back([this] {
        POINT p;
        GetCursorPos(&p);
        screen.MoveMouse(p.x + 30, p.y + 20);
        screen.Click(p.x + 30, p.y + 20);
    });
    SendMessage(top, WM_SYSCOMMAND, SC_MOVE, 0);
    GetWindowRect(top, &now);
    EXPECT_EQ(now.left, frame.left + 46);
    EXPECT_EQ(now.top, frame.top + 28);
}

TEST_F(SysMenu, TheOpenMenuLooksClassic)
{
    gfx::Surface shot;
    RECT menuRect{};
    RECT moveItem{}, separator{};
    script.push_back([&] {
        menuRect = PopupRect();
        moveItem = Open()->rects[1];
        separator = Open()->rects[5];
        shot = screen.Screenshot();
        screen.KeyDown(VK_ESCAPE);
    });
    screen.KeyDown(VK_SPACE, display::kModAlt);
    Pump();
    ASSERT_FALSE(shot.IsEmpty());
    int x = menuRect.left, y = menuRect.top;
    // Raised frame: light outside top-left, dark shadow outside bottom-right.
    auto at = [&](int px, int py) {
        gfx::Pixel p = shot.At(px, py);
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    EXPECT_EQ(at(x, y), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(at(x + 1, y + 1), GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(at(menuRect.right - 1, menuRect.bottom - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(at(menuRect.right - 2, menuRect.bottom - 2), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(x + 2, y + 2), GetSysColor(COLOR_MENU));
    // "Move" is highlighted (Restore is grayed); the check column holds no text.
    EXPECT_EQ(at(x + moveItem.left + 1, y + moveItem.top + 1), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(at(x + moveItem.right - 1, y + moveItem.bottom - 1), GetSysColor(COLOR_HIGHLIGHT));
    // Etched separator across the middle of its slot.
    int mid = y + (separator.top + separator.bottom) / 2;
    EXPECT_EQ(at(x + separator.left + 4, mid - 1), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(at(x + separator.left + 4, mid), GetSysColor(COLOR_3DHILIGHT));

    // The window and its menu, for looking at.
    RECT area{frame.left - 10, frame.top - 10, std::max(frame.right, menuRect.right) + 10, menuRect.bottom + 10};
    gfx::Surface crop(area.right - area.left, area.bottom - area.top);
    for (int py = 0; py < crop.Height(); ++py)
        for (int px = 0; px < crop.Width(); ++px)
            crop.Set(px, py, shot.At(area.left + px, area.top + py));
    std::string error;
    EXPECT_TRUE(gfx::WritePngFile(crop, ScratchDir() + "/sysmenu.png", false, &error)) << error;
    if (std::getenv("CORVANE_WRITE_DOCS_PNG")) {
        EXPECT_TRUE(gfx::WritePngFile(crop, SourceDir() + "/docs/sysmenu.png", false, &error)) << error;
    }
}

} // namespace
} // namespace corvane::test
