// Files dropped from another program: which window gets WM_DROPFILES, and what
// the drop handle answers until it is finished.
#include "platform/system/input/ShellApi.h"
#include "tests/system/support/DesktopFixture.h"

#include <cstring>
#include <functional>

namespace corvane::test {
namespace {

class DropFiles : public DesktopTest {
protected:
    // The drops received, by window, each left unfinished for the test to read.
    std::vector<std::pair<HWND, HDROP>> drops;

    void SetUp() override
    {
        DesktopTest::SetUp();
        handlers.push_back([this](HWND h, UINT m, WPARAM w, LPARAM, LRESULT* r) {
            if (m != WM_DROPFILES) return false;
            drops.emplace_back(h, reinterpret_cast<HDROP>(w));
            *r = 0;
            return true;
        });
    }
    void TearDown() override
    {
        for (auto& d : drops)
            DragFinish(d.second);
        DesktopTest::TearDown();
    }
};

TEST_F(DropFiles, TheDropGoesToTheNearestWindowThatAcceptsFiles)
{
    HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 30, top, 1);
    HWND other = Make("other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 100, 200, 200);
    Pump();
    RECT client{};
    GetClientRect(top, &client);
    POINT origin{0, 0};
    ClientToScreen(top, &origin);
    const POINT onChild{origin.x + 20, origin.y + 20};
    const POINT onClient{origin.x + 150, origin.y + 100};
    const POINT onCaption{origin.x + 150, origin.y - 8};
    RECT otherRect{};
    GetWindowRect(other, &otherRect);
    const POINT onOther{otherRect.left + 50, otherRect.top + 100};

    const struct {
        const char* what;
        std::function<void()> before;
        POINT at;
        HWND want; // null: nobody gets the drop
        POINT wantPoint;
        BOOL wantInClient;
    } cases[] = {
        {"nobody accepts files yet", [] {}, onClient, nullptr, {}, FALSE},
        {"the window itself", [&] { DragAcceptFiles(top, TRUE); }, onClient, top, {150, 100}, TRUE},
        {"a child that does not accept: its parent", [] {}, onChild, top, {20, 20}, TRUE},
        {"the caption: outside the client area", [] {}, onCaption, top, {150, -8}, FALSE},
        {"another program window that does not accept", [] {}, onOther, nullptr, {}, FALSE},
        {"a child that accepts takes it first", [&] { DragAcceptFiles(child, TRUE); }, onChild, child, {10, 10}, TRUE},
        {"a window a modal loop disabled", [&] { EnableWindow(top, FALSE); }, onClient, nullptr, {}, FALSE},
        {"accepting switched off again",
         [&] {
             EnableWindow(top, TRUE);
             DragAcceptFiles(top, FALSE);
         },
         onClient,
         nullptr,
         {},
         FALSE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.before();
        for (auto& d : drops)
            DragFinish(d.second);
        drops.clear();
        screen.DropFiles(c.at.x, c.at.y, {"/tmp/a.log"});
        Pump();
        if (!c.want) {
            EXPECT_TRUE(drops.empty());
            continue;
        }
        ASSERT_EQ(drops.size(), 1u);
        EXPECT_EQ(drops[0].first, c.want);
        POINT p{-1, -1};
        EXPECT_EQ(DragQueryPoint(drops[0].second, &p), c.wantInClient);
        EXPECT_EQ(p.x, c.wantPoint.x);
        EXPECT_EQ(p.y, c.wantPoint.y);
    }
    EXPECT_EQ(GetWindowLong(top, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
    EXPECT_NE(GetWindowLong(child, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, 0);
}

TEST_F(DropFiles, TheHandleListsEveryFileUntilItIsFinished)
{
    HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    DragAcceptFiles(top, TRUE);
    Pump();
    const std::string chinese = "/tmp/日志 文件.log"; // code page 936: two bytes a character
    screen.DropFiles(250, 200, {"/tmp/a.log", chinese, "/tmp/c.gz"});
    Pump();
    ASSERT_EQ(drops.size(), 1u); // one message for the whole drop
    HDROP h = drops[0].second;

    EXPECT_EQ(DragQueryFile(h, 0xFFFFFFFF, nullptr, 0), 3u);
    EXPECT_EQ(DragQueryFile(h, 1, nullptr, 0), chinese.size());
    char buf[64];
    EXPECT_EQ(DragQueryFile(h, 1, buf, sizeof buf), chinese.size());
    EXPECT_EQ(std::string(buf), chinese);
    // A short buffer takes what fits and its NUL.
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(DragQueryFile(h, 0, buf, 5), 4u);
    EXPECT_EQ(std::string(buf), "/tmp");
    EXPECT_EQ(DragQueryFile(h, 2, buf, 0), 0u);
    EXPECT_EQ(DragQueryFile(h, 3, buf, sizeof buf), 0u);
    EXPECT_EQ(DragQueryFile(h, 2, buf, sizeof buf), 9u);
    EXPECT_EQ(std::string(buf), "/tmp/c.gz");

    DragFinish(h);
    drops.clear();
    EXPECT_EQ(DragQueryFile(h, 0xFFFFFFFF, nullptr, 0), 0u);
    POINT p{};
    EXPECT_FALSE(DragQueryPoint(h, &p));
    EXPECT_EQ(DragQueryFile(nullptr, 0xFFFFFFFF, nullptr, 0), 0u);
    DragFinish(h); // finishing twice is harmless

    // Dropping nothing, or on bare desktop, sends nothing.
    screen.DropFiles(250, 200, {});
    screen.DropFiles(5, 5, {"/tmp/a.log"});
    Pump();
    EXPECT_TRUE(drops.empty());
}

} // namespace
} // namespace corvane::test
