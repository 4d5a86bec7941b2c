#include "platform/system/controls/messagebox/MessageBox.h"

#include "platform/system/controls/button/Button.h"
#include "platform/system/dialog/Dialog.h"
#include "tests/system/support/ControlFixture.h"

#include <functional>
#include <string>

namespace ctltest {
namespace {

class MessageBoxTest : public ControlTest {
protected:
    // Runs one step each time the box's loop waits.
    void Script(std::vector<std::function<void(HWND box)>> steps)
    {
        auto queue = std::make_shared<std::vector<std::function<void(HWND)>>>(std::move(steps));
        auto next = std::make_shared<std::size_t>(0);
        screen.SetIdleHandler([queue, next]() {
            if (*next >= queue->size()) return false;
            (*queue)[(*next)++](GetActiveWindow());
            return true;
        });
    }
    static void Key(display::HeadlessBackend& s, unsigned vk)
    {
        s.KeyDown(vk);
        s.KeyUp(vk);
    }
};

std::vector<int> ButtonIds(HWND box)
{
    std::vector<int> ids;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char name[16] = {};
        GetClassName(c, name, sizeof name);
        if (std::string(name) == "Button") ids.push_back(GetDlgCtrlID(c));
    }
    return ids;
}

TEST_F(MessageBoxTest, ButtonSetsAndEnterChoosesTheDefault)
{
    struct Case {
        UINT type;
        std::vector<int> ids;
        int enter;
    };
    const Case cases[] = {
        {MB_OK, {IDOK}, IDOK},
        {MB_OKCANCEL, {IDOK, IDCANCEL}, IDOK},
        {MB_YESNO, {IDYES, IDNO}, IDYES},
        {MB_YESNO | MB_DEFBUTTON2, {IDYES, IDNO}, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, {IDYES, IDNO, IDCANCEL}, IDCANCEL},
        {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}, IDRETRY},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON2, {IDABORT, IDRETRY, IDIGNORE}, IDRETRY},
        {MB_OKCANCEL | MB_DEFBUTTON3, {IDOK, IDCANCEL}, IDOK}, // no third button: the first
    };
    for (const Case& c : cases) {
        std::vector<int> seen;
        Script({[&](HWND box) {
            seen = ButtonIds(box);
            Key(screen, VK_RETURN);
        }});
        EXPECT_EQ(MessageBoxA(parent, "text", "caption", c.type), c.enter) << std::hex << c.type;
        EXPECT_EQ(seen, c.ids) << std::hex << c.type;
    }
}

TEST_F(MessageBoxTest, EscapeCancelsWhereItCanAndOwnerIsDisabledMeanwhile)
{
    bool ownerEnabled = true;
    Script({[&](HWND) {
        ownerEnabled = IsWindowEnabled(parent) != 0;
        Key(screen, VK_ESCAPE);
    }});
    EXPECT_EQ(MessageBoxA(parent, "t", "c", MB_OKCANCEL), IDCANCEL);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(parent));

    Script({[&](HWND) { Key(screen, VK_ESCAPE); }});
    EXPECT_EQ(MessageBoxA(parent, "t", "c", MB_OK), IDOK) << "a lone OK answers Esc";

    // Yes/No has no cancel: Esc does nothing, then No is clicked.
    bool stillOpen = false;
    Script({[&](HWND) { Key(screen, VK_ESCAPE); },
            [&](HWND box) {
                stillOpen = IsWindowVisible(box) != 0;
                SendMessage(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
            }});
    EXPECT_EQ(MessageBoxA(parent, "t", "c", MB_YESNO), IDNO);
    EXPECT_TRUE(stillOpen);

    Script({[&](HWND box) { PostMessage(box, WM_CLOSE, 0, 0); }});
    EXPECT_EQ(MessageBoxA(parent, "t", "c", MB_YESNOCANCEL), IDCANCEL);
}

TEST_F(MessageBoxTest, TextCaptionSizeAndIcon)
{
    RECT shortBox{}, longBox{};
    std::string caption, text;
    COLORREF iconPixel = 0, warnPixel = 0;
    Script({[&](HWND box) {
        GetWindowRect(box, &shortBox);
        char buffer[64] = {};
        GetWindowText(box, buffer, sizeof buffer);
        caption = buffer;
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
        text = buffer;
        POINT p{11 + 6, 11 + 16};
        ClientToScreen(box, &p);
        iconPixel = gfx::ColorFromPixel(screen.PixelAt(p.x, p.y));
        Key(screen, VK_RETURN);
    }});
    MessageBoxA(parent, "a & b", "Title", MB_OK | MB_ICONHAND);
    EXPECT_EQ(caption, "Title");
    EXPECT_EQ(text, "a & b");
    EXPECT_EQ(iconPixel, RGB(255, 0, 0));

    std::string longText(200, 'x');
    Script({[&](HWND box) {
        GetWindowRect(box, &longBox);
        POINT p{11 + 12, 11 + 24};
        ClientToScreen(box, &p);
        warnPixel = gfx::ColorFromPixel(screen.PixelAt(p.x, p.y));
        Key(screen, VK_RETURN);
    }});
    MessageBoxA(nullptr, longText.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    EXPECT_GT(longBox.right - longBox.left, shortBox.right - shortBox.left);
    EXPECT_EQ(warnPixel, RGB(255, 255, 0));
    // Centred on the work area and inside it.
    RECT work = sys::WorkAreaRect();
    EXPECT_GE(longBox.left, work.left);
    EXPECT_LE(longBox.right, work.right);
    EXPECT_NEAR((longBox.left + longBox.right) / 2, (work.left + work.right) / 2, 1);
}

TEST_F(MessageBoxTest, BadOwnerAndMissingTextAreHarmless)
{
    Script({[&](HWND) { Key(screen, VK_RETURN); }});
    EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x1234), nullptr, nullptr, MB_OK), IDOK);
}

} // namespace
} // namespace ctltest
