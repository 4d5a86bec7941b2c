// Cursors: shared handles, SetCursor reaching the backend, and WM_SETCURSOR
// asking parents first and choosing by hit code and class.
#include "platform/system/input/Cursor.h"

#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

class ShapeRecorder : public display::HeadlessBackend {
public:
    std::vector<display::CursorShape> shapes;
    void SetCursorShape(display::CursorShape shape) override { shapes.push_back(shape); }
};

class Cursors : public ::testing::Test {
protected:
    ShapeRecorder screen;
    std::vector<Received> log;
    HWND top = nullptr;
    HWND edit = nullptr;
    HWND pane = nullptr; // a child of our class, crosshair cursor
    bool parentClaims = false;
    POINT client{0, 0};
    static Cursors* current;

    static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_SETCURSOR) {
            current->log.push_back(Received{hwnd, message, wParam, lParam});
            if (hwnd == current->top && current->parentClaims) return TRUE;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    }

    void SetUp() override
    {
        current = this;
        sys::SetBackend(&screen);
        WNDCLASS wc{};
        wc.lpfnWndProc = &Proc;
        wc.lpszClassName = "CursorTestTop";
        ASSERT_NE(RegisterClass(&wc), 0);
        wc.lpszClassName = "CursorTestPane";
        wc.hCursor = LoadCursor(nullptr, IDC_CROSS);
        ASSERT_NE(RegisterClass(&wc), 0);
        top = CreateWindowEx(0, "CursorTestTop", "top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                             nullptr, nullptr, nullptr);
        edit = CreateWindowEx(0, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, top, nullptr, nullptr, nullptr);
        pane = CreateWindowEx(0, "CursorTestPane", "", WS_CHILD | WS_VISIBLE, 10, 50, 100, 50, top, nullptr, nullptr,
                              nullptr);
        ClientToScreen(top, &client);
        sys::PumpUntilIdle();
        log.clear();
        screen.shapes.clear();
    }
    void TearDown() override
    {
        sys::SetBackend(nullptr);
        current = nullptr;
    }
    display::CursorShape ShapeAt(int x, int y)
    {
        screen.MoveMouse(x, y);
        sys::PumpUntilIdle();
        return sys::ShapeOf(GetCursor());
    }
};

Cursors* Cursors::current = nullptr;

TEST_F(Cursors, SystemCursorsAreSharedAndSetCursorReturnsThePrevious)
{
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursor(nullptr, IDC_ARROW), arrow);
    std::vector<HCURSOR> all;
    for (LPCSTR id : {IDC_ARROW, IDC_IBEAM, IDC_WAIT, IDC_CROSS, IDC_SIZEALL, IDC_SIZENWSE, IDC_SIZENESW, IDC_SIZEWE,
                      IDC_SIZENS, IDC_HAND, IDC_NO}) {
        HCURSOR c = LoadCursor(nullptr, id);
        EXPECT_NE(c, nullptr);
        EXPECT_EQ(std::count(all.begin(), all.end(), c), 0);
        all.push_back(c);
    }
    EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
    EXPECT_EQ(LoadCursor(nullptr, "arrow"), nullptr);
    EXPECT_FALSE(DestroyIcon(arrow)); // not an icon, and never destroyed

    SetCursor(arrow);
    screen.shapes.clear();
    EXPECT_EQ(SetCursor(LoadCursor(nullptr, IDC_WAIT)), arrow);
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
    SetCursor(LoadCursor(nullptr, IDC_WAIT)); // no change: the backend is not asked again
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(screen.shapes,
              (std::vector<display::CursorShape>{display::CursorShape::Wait, display::CursorShape::Hand}));
}

TEST_F(Cursors, TheWindowUnderThePointerAsksItsParentFirst)
{
    screen.MoveMouse(client.x + 20, client.y + 20); // over the edit
    sys::PumpUntilIdle();
    // The edit's class procedure is not ours: only the parent's turn is recorded,
    // with the edit as the window and the hit code and mouse message in lParam.
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].hwnd, top);
    EXPECT_EQ(log[0].wParam, reinterpret_cast<WPARAM>(edit));
    EXPECT_EQ(log[0].lParam, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(sys::ShapeOf(GetCursor()), display::CursorShape::IBeam);

    // A parent that claims the message decides alone.
    SetCursor(LoadCursor(nullptr, IDC_NO));
    parentClaims = true;
    log.clear();
    screen.Click(client.x + 30, client.y + 70); // the pane
    sys::PumpUntilIdle();
    ASSERT_EQ(log.size(), 6u); // move, down, up: the pane first, then the parent, for each
    EXPECT_EQ(log[0].hwnd, pane);
    EXPECT_EQ(log[1].hwnd, top);
    EXPECT_EQ(HIWORD(log[2].lParam), WM_LBUTTONDOWN);
    EXPECT_EQ(sys::ShapeOf(GetCursor()), display::CursorShape::No);
}

TEST_F(Cursors, ClassCursorsInsideAndSizingShapesOnTheFrame)
{
    RECT r;
    GetWindowRect(top, &r);
    EXPECT_EQ(ShapeAt(client.x + 20, client.y + 20), display::CursorShape::IBeam);
    EXPECT_EQ(ShapeAt(client.x + 30, client.y + 70), display::CursorShape::Cross);
    EXPECT_EQ(ShapeAt(r.left + 1, r.top + 100), display::CursorShape::SizeWE);
    EXPECT_EQ(ShapeAt(r.left + 150, r.bottom - 1), display::CursorShape::SizeNS);
    EXPECT_EQ(ShapeAt(r.right - 1, r.bottom - 1), display::CursorShape::SizeNWSE);
    EXPECT_EQ(ShapeAt(r.right - 1, r.top + 1), display::CursorShape::SizeNESW);
    EXPECT_EQ(ShapeAt(r.left + 150, r.top + 10), display::CursorShape::Arrow); // caption
    EXPECT_EQ(GetClassLongPtr(edit, GCLP_HCURSOR), reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_IBEAM)));
    // Our top class has no cursor: its client area leaves the shape alone.
    EXPECT_EQ(ShapeAt(client.x + 200, client.y + 150), display::CursorShape::Arrow);
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    EXPECT_EQ(ShapeAt(client.x + 201, client.y + 150), display::CursorShape::Wait);

    // Under capture nobody is asked.
    SetCapture(edit);
    log.clear();
    screen.MoveMouse(client.x + 30, client.y + 70);
    sys::PumpUntilIdle();
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(sys::ShapeOf(GetCursor()), display::CursorShape::Wait);
    ReleaseCapture();
}

} // namespace
} // namespace corvane::test
