// Creation and destruction: message order, the tree, and stale handles.
#include "tests/system/support/DesktopFixture.h"

namespace corvane::test {
namespace {

using Lifecycle = DesktopTest;

TEST_F(Lifecycle, CreatingAVisibleTopLevelWindowSendsTheClassicSequence)
{
    HWND top = Make("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
    ASSERT_TRUE(IsWindow(top));
    std::vector<std::string> expected = {"GETMINMAXINFO", "NCCREATE", "NCCALCSIZE", "CREATE",     "SIZE",
                                         "MOVE",          "SHOWWINDOW", "POSCHANGING", "NCACTIVATE", "ACTIVATE",
                                         "SETFOCUS",      "POSCHANGED"};
    EXPECT_EQ(TraceOf(top), expected);
    EXPECT_EQ(GetActiveWindow(), top);
    EXPECT_EQ(GetFocus(), top);

    Clear();
    Pump();
    // The first paint: frame, background, client.
    EXPECT_EQ(TraceOf(top, {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT}),
              (std::vector<std::string>{"NCPAINT", "PAINT", "ERASEBKGND"}));
    EXPECT_TRUE(screen.IsVisible(1));
    EXPECT_EQ(screen.Title(1), "top");
}

TEST_F(Lifecycle, ClientAreaFollowsTheFrameStyles)
{
    HWND dlg = Make("dlg", WS_POPUP | WS_CAPTION | WS_SYSMENU, 10, 20, 600, 400, nullptr, 0, WS_EX_DLGMODALFRAME);
    RECT client, window;
    GetClientRect(dlg, &client);
    GetWindowRect(dlg, &window);
    EXPECT_EQ(client.right, 600 - 2 * 3);
    EXPECT_EQ(client.bottom, 400 - 2 * 3 - 19);
    POINT origin{0, 0};
    ClientToScreen(dlg, &origin);
    EXPECT_EQ(origin.x, 10 + 3);
    EXPECT_EQ(origin.y, 20 + 3 + 19);

    HWND sizable = Make("sizable", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100);
    GetClientRect(sizable, &client);
    EXPECT_EQ(client.right, 200 - 2 * 4);
    EXPECT_EQ(client.bottom, 100 - 2 * 4 - 19);

    HWND edit = Make("edit", WS_CHILD | WS_BORDER, 5, 5, 50, 20, dlg, 7, WS_EX_CLIENTEDGE);
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right, 50 - 2 * 3);
    EXPECT_EQ(client.bottom, 20 - 2 * 3);

    RECT adjusted{0, 0, 594, 375};
    AdjustWindowRectEx(&adjusted, WS_POPUP | WS_CAPTION, FALSE, WS_EX_DLGMODALFRAME);
    EXPECT_EQ(adjusted.right - adjusted.left, 600);
    EXPECT_EQ(adjusted.bottom - adjusted.top, 400);
}

TEST_F(Lifecycle, TreeQueriesAndDialogItems)
{
    HWND top = Make("top", WS_OVERLAPPED, 0, 0, 300, 300);
    HWND a = Make("a", WS_CHILD, 0, 0, 10, 10, top, 1000);
    HWND b = Make("b", WS_CHILD, 0, 0, 10, 10, top, 1001);
    HWND owned = Make("owned", WS_POPUP, 0, 0, 50, 50, a);
    EXPECT_EQ(GetParent(a), top);
    EXPECT_EQ(GetParent(owned), top); // a popup names its owner, always a top-level window
    EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a); // creation order is z order
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetDlgItem(top, 1001), b);
    EXPECT_EQ(GetDlgItem(top, 999), nullptr);
    EXPECT_EQ(GetDlgCtrlID(b), 1001);
    EXPECT_TRUE(IsChild(top, b));
    EXPECT_FALSE(IsChild(top, owned));
    EXPECT_EQ(GetAncestor(b, GA_ROOT), top);
}

TEST_F(Lifecycle, DestroyOrderCoversChildrenAndOwnedWindows)
{
    HWND top = Make("top", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 300);
    HWND child = Make("child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 1, WS_EX_NOPARENTNOTIFY);
    HWND grand = Make("grand", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, child, 2, WS_EX_NOPARENTNOTIFY);
    HWND owned = Make("owned", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, top);
    SetTimer(grand, 5, 100, nullptr);
    PostMessage(child, WM_USER, 0, 0);
    Pump();
    Clear();
    EXPECT_TRUE(DestroyWindow(top));
    EXPECT_EQ(Trace({WM_DESTROY, WM_NCDESTROY}),
              (std::vector<std::string>{"owned:DESTROY", "owned:NCDESTROY", "top:DESTROY", "child:DESTROY",
                                        "grand:DESTROY", "grand:NCDESTROY", "child:NCDESTROY", "top:NCDESTROY"}));
    for (HWND h : {top, child, grand, owned}) EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(screen.WindowCount(), 0u);
    // Nothing of theirs is delivered later: no posted message, no timer.
    Clear();
    screen.Advance(1000);
    Pump();
    EXPECT_TRUE(log.empty());
}

TEST_F(Lifecycle, StaleAndForgedHandlesFailQuietly)
{
    HWND top = Make("top", WS_OVERLAPPED, 0, 0, 100, 100);
    DestroyWindow(top);
    // The slot is reused by the next window, with a new generation.
    HWND next = Make("next", WS_OVERLAPPED, 0, 0, 100, 100);
    ASSERT_TRUE(IsWindow(next));
    HWND forged = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x12345678));
    for (HWND bad : {top, forged}) {
        RECT r{1, 2, 3, 4};
        char text[8] = "x";
        EXPECT_FALSE(IsWindow(bad));
        EXPECT_FALSE(GetWindowRect(bad, &r));
        EXPECT_FALSE(SetWindowPos(bad, nullptr, 0, 0, 1, 1, 0));
        EXPECT_FALSE(ShowWindow(bad, SW_SHOW));
        EXPECT_FALSE(PostMessage(bad, WM_USER, 0, 0));
        EXPECT_EQ(SendMessage(bad, WM_USER, 0, 0), 0);
        EXPECT_EQ(GetWindowText(bad, text, 8), 0);
        EXPECT_EQ(text[0], '\0');
        EXPECT_EQ(SetTimer(bad, 1, 10, nullptr), 0u);
        EXPECT_EQ(GetParent(bad), nullptr);
        EXPECT_FALSE(DestroyWindow(bad));
        EXPECT_EQ(SetFocus(bad), nullptr);
        EXPECT_FALSE(InvalidateRect(bad, nullptr, TRUE));
        EXPECT_EQ(GetWindowLongPtr(bad, GWL_STYLE), 0);
    }
    EXPECT_FALSE(IsWindow(nullptr));
    EXPECT_FALSE(DestroyWindow(nullptr));
    EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
              nullptr);
    EXPECT_EQ(CreateWindowEx(0, kClass, "", WS_CHILD, 0, 0, 1, 1, top, nullptr, nullptr, nullptr), nullptr);
    // Built-in control names are not for application classes.
    WNDCLASS wc{};
    wc.lpfnWndProc = &DesktopTest::Proc;
    wc.lpszClassName = "Button";
    EXPECT_EQ(RegisterClass(&wc), 0);
}

TEST_F(Lifecycle, WindowDestroyedInsideItsOwnHandlerIsSafe)
{
    HWND top = Make("top", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 200);
    handlers.push_back([](HWND h, UINT m, WPARAM, LPARAM, LRESULT* r) {
        if (m != WM_USER) return false;
        DestroyWindow(h);
        *r = 42;
        return true;
    });
    PostMessage(top, WM_USER, 0, 0);
    PostMessage(top, WM_USER + 1, 0, 0); // dropped with the window
    Pump();
    EXPECT_FALSE(IsWindow(top));
    EXPECT_EQ(Count(top, WM_USER + 1), 0);
    EXPECT_EQ(Count(top, WM_NCDESTROY), 1);

    // Destroyed while creating: CreateWindowEx reports failure.
    handlers.push_back([](HWND h, UINT m, WPARAM, LPARAM, LRESULT*) {
        if (m == WM_CREATE) DestroyWindow(h);
        return false;
    });
    EXPECT_EQ(Make("dies", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 10, 10), nullptr);
    EXPECT_EQ(screen.WindowCount(), 0u);
}

TEST_F(Lifecycle, SubclassingReplacesTheProcedure)
{
    static WNDPROC original = nullptr;
    static int seen = 0;
    seen = 0;
    HWND top = Make("top", WS_OVERLAPPED, 0, 0, 100, 100);
    auto hook = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER) ++seen;
        return CallWindowProc(original, h, m, w, l);
    };
    original = reinterpret_cast<WNDPROC>(SetWindowLongPtr(top, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+hook)));
    EXPECT_EQ(original, &DesktopTest::Proc);
    SendMessage(top, WM_USER, 0, 0);
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Count(top, WM_USER), 1); // the original still ran

    SetWindowLongPtr(top, GWLP_USERDATA, 77);
    EXPECT_EQ(GetWindowLongPtr(top, GWLP_USERDATA), 77);
    LONG style = GetWindowLong(top, GWL_STYLE);
    SetWindowLong(top, GWL_STYLE, style | 0xB);
    EXPECT_EQ(GetWindowLong(top, GWL_STYLE) & 0xF, 0xB);
    EXPECT_EQ(Count(top, WM_STYLECHANGED), 1);
}

TEST_F(Lifecycle, WindowTextRoundTripsAndTruncates)
{
    HWND top = Make("top", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100);
    EXPECT_TRUE(SetWindowText(top, "Corvane1.0 -- Dalmor"));
    EXPECT_EQ(GetWindowTextLength(top), 20);
    char buf[8];
    EXPECT_EQ(GetWindowText(top, buf, sizeof buf), 7);
    EXPECT_STREQ(buf, "Corvane");
    EXPECT_EQ(screen.Title(1), "Corvane1.0 -- Dalmor");
    EXPECT_TRUE(SetWindowText(top, nullptr));
    EXPECT_EQ(GetWindowTextLength(top), 0);
}

} // namespace
} // namespace corvane::test
