// Update regions, the painting cycle and clipping, checked by messages and pixels.
#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

class Paint : public DesktopTest {
protected:
    std::map<HWND, COLORREF> fills; // windows that fill their client area in WM_PAINT
    std::vector<RECT> paintRects;
    std::vector<BOOL> erases;

    void SetUp() override
    {
        DesktopTest::SetUp();
        handlers.push_back([this](HWND h, UINT m, WPARAM, LPARAM, LRESULT* r) {
            if (m != WM_PAINT) return false;
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            paintRects.push_back(ps.rcPaint);
            erases.push_back(ps.fErase);
            auto it = fills.find(h);
            if (dc && it != fills.end()) {
                HBRUSH brush = CreateSolidBrush(it->second);
                RECT c;
                GetClientRect(h, &c);
                FillRect(dc, &c, brush);
                DeleteObject(brush);
            }
            EndPaint(h, &ps);
            *r = 0;
            return true;
        });
    }

    COLORREF At(int x, int y) const { return gfx::ColorFromPixel(screen.PixelAt(x, y)); }
};

TEST_F(Paint, ParentsPaintBeforeChildrenAndInvalidationReachesChildren)
{
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top, 1);
    HWND grand = Make("grand", WS_CHILD | WS_VISIBLE, 5, 5, 20, 20, child, 2);
    Pump();
    EXPECT_EQ(Trace({WM_PAINT}), (std::vector<std::string>{"top:PAINT", "child:PAINT", "grand:PAINT"}));
    Clear();
    // The parent repaints over its children, so they repaint too.
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(Trace({WM_PAINT}), (std::vector<std::string>{"top:PAINT", "child:PAINT", "grand:PAINT"}));
    // With WS_CLIPCHILDREN the children are left alone.
    Clear();
    SetWindowLong(top, GWL_STYLE, GetWindowLong(top, GWL_STYLE) | WS_CLIPCHILDREN);
    InvalidateRect(top, nullptr, TRUE);
    Pump();
    EXPECT_EQ(Trace({WM_PAINT}), (std::vector<std::string>{"top:PAINT"}));
    // A child's own invalidation paints only it.
    Clear();
    InvalidateRect(grand, nullptr, FALSE);
    Pump();
    EXPECT_EQ(Trace({WM_PAINT}), (std::vector<std::string>{"grand:PAINT"}));
}

TEST_F(Paint, UpdateRegionsMergeAndBeginPaintReportsThem)
{
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    Pump();
    paintRects.clear();
    erases.clear();
    RECT a{10, 10, 20, 20}, b{50, 40, 60, 45};
    InvalidateRect(top, &a, FALSE);
    InvalidateRect(top, &b, FALSE);
    RECT u;
    EXPECT_TRUE(GetUpdateRect(top, &u, FALSE));
    EXPECT_EQ(u.left, 10);
    EXPECT_EQ(u.bottom, 45);
    Pump();
    ASSERT_EQ(paintRects.size(), 1u);
    EXPECT_EQ(paintRects[0].right, 60);
    EXPECT_EQ(erases[0], FALSE); // no erase was asked for
    EXPECT_FALSE(GetUpdateRect(top, &u, FALSE));

    // Validating removes a pending update; erase requests reach WM_ERASEBKGND.
    InvalidateRect(top, &a, TRUE);
    ValidateRect(top, nullptr);
    Pump();
    EXPECT_EQ(paintRects.size(), 1u);
    Clear();
    InvalidateRect(top, &a, TRUE);
    Pump();
    EXPECT_EQ(TraceOf(top, {WM_PAINT, WM_ERASEBKGND}), (std::vector<std::string>{"PAINT", "ERASEBKGND"}));
    EXPECT_EQ(erases.back(), TRUE); // the class has no brush: still to erase
}

TEST_F(Paint, RedrawWindowFlags)
{
    HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
    HWND child = Make("child", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 50, 50, top, 1);
    Pump();
    Clear();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    Pump();
    EXPECT_EQ(Trace({WM_NCPAINT, WM_PAINT}),
              (std::vector<std::string>{"top:NCPAINT", "top:PAINT", "child:NCPAINT", "child:PAINT"}));
    Clear();
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW);
    // Painted before returning, children untouched.
    EXPECT_EQ(Trace({WM_NCPAINT, WM_PAINT}), (std::vector<std::string>{"top:PAINT"}));
    Clear();
    Pump();
    EXPECT_TRUE(Trace({WM_PAINT}).empty());
    // A window that never validates cannot make the queue spin.
    handlers.insert(handlers.begin(), [](HWND, UINT m, WPARAM, LPARAM, LRESULT* r) {
        *r = 0;
        return m == WM_PAINT;
    });
    InvalidateRect(child, nullptr, FALSE);
    EXPECT_EQ(sys::PumpUntilIdle(), 1);
}

TEST_F(Paint, ChildrenPaintClippedBySiblingsAboveAndTheirRegions)
{
    HWND top = Make("top", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
    HWND upper = Make("upper", WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, top, 1);
    HWND lower = Make("lower", WS_CHILD | WS_VISIBLE, 40, 40, 50, 50, top, 2);
    fills[top] = RGB(255, 255, 255);
    fills[upper] = RGB(255, 0, 0);
    fills[lower] = RGB(0, 0, 255);
    Pump();
    EXPECT_EQ(At(100 + 45, 100 + 45), RGB(255, 0, 0)); // overlap: the upper sibling wins
    EXPECT_EQ(At(100 + 80, 100 + 80), RGB(0, 0, 255));
    EXPECT_EQ(At(100 + 150, 100 + 150), RGB(255, 255, 255));
    // Repainting the lower one alone leaves the upper's pixels alone.
    InvalidateRect(lower, nullptr, TRUE);
    Pump();
    EXPECT_EQ(At(100 + 45, 100 + 45), RGB(255, 0, 0));

    // A round region: the corner shows the parent.
    SetWindowRgn(upper, CreateEllipticRgn(0, 0, 50, 50), TRUE);
    Pump();
    EXPECT_EQ(At(100 + 11, 100 + 11), RGB(255, 255, 255));
    EXPECT_EQ(At(100 + 35, 100 + 35), RGB(255, 0, 0));

    // Hiding a child shows the parent where it was.
    ShowWindow(lower, SW_HIDE);
    Pump();
    EXPECT_EQ(At(100 + 80, 100 + 80), RGB(255, 255, 255));
}

TEST_F(Paint, ClassBrushErasesAndPresentsOnlyWhatChanged)
{
    WNDCLASS wc{};
    wc.lpfnWndProc = &DesktopTest::Proc;
    wc.lpszClassName = "Brushed";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1));
    ASSERT_NE(RegisterClass(&wc), 0);
    handlers.clear(); // default painting only
    HWND w = CreateWindowEx(0, "Brushed", "", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr, nullptr,
                            nullptr);
    ASSERT_TRUE(w);
    Pump();
    EXPECT_EQ(At(50, 50), RGB(212, 208, 200));
    int presents = screen.PresentCount();
    Pump();
    EXPECT_EQ(screen.PresentCount(), presents); // nothing new to show
}

} // namespace
} // namespace corvane::test
