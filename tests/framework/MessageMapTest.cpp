// Run-time classes and message-map dispatch: chained maps, cracked arguments,
// overriding entries, custom messages and commands.
#include "tests/framework/FrameworkFixture.h"

namespace corvane::test {
namespace {

class CBaseWnd : public CWnd {
    DECLARE_DYNAMIC(CBaseWnd)
protected:
    void OnTimer(UINT_PTR nIDEvent) { Record("base.OnTimer " + std::to_string(nIDEvent)); }
    void OnPaint() { Record("base.OnPaint"); }
    LRESULT OnBaseMsg(WPARAM w, LPARAM l)
    {
        Record("base.OnBaseMsg " + std::to_string(w) + "," + std::to_string(l));
        return 11;
    }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(CBaseWnd, CWnd)
BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_MESSAGE(WM_USER + 9, OnBaseMsg)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
    DECLARE_DYNCREATE(CDerivedWnd)
public:
    int m_nCreateResult = 0;

protected:
    int OnCreate(LPCREATESTRUCT cs)
    {
        Record(std::string("OnCreate ") + (cs && cs->lpszName ? cs->lpszName : "?"));
        return m_nCreateResult;
    }
    void OnPaint()
    {
        Record("derived.OnPaint");
        CPaintDC dc(this);
    }
    void OnLButtonDown(UINT nFlags, CPoint point)
    {
        Record("OnLButtonDown " + std::to_string(nFlags) + " " + std::to_string(point.x) + "," +
               std::to_string(point.y));
    }
    void OnNcMouseMove(UINT nHitTest, CPoint point)
    {
        Record("OnNcMouseMove " + std::to_string(nHitTest) + " " + std::to_string(point.x) + "," +
               std::to_string(point.y));
    }
    UINT OnNcHitTest(CPoint) { return static_cast<UINT>(HTERROR); }
    void OnSize(UINT nType, int cx, int cy)
    {
        Record("OnSize " + std::to_string(nType) + " " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    void OnSysCommand(UINT nID, LPARAM lParam)
    {
        Record("OnSysCommand " + std::to_string(nID) + " " + std::to_string(lParam));
    }
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        Record(std::string("OnEraseBkgnd ") + (pDC ? "dc" : "null"));
        return TRUE;
    }
    LRESULT OnShowAll(WPARAM, LPARAM)
    {
        Record("OnShowAll");
        return 0;
    }
    void OnOpen() { Record("OnOpen"); }
    void OnRange(UINT nID) { Record("OnRange " + std::to_string(nID)); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CDerivedWnd, CBaseWnd)
BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_NCMOUSEMOVE()
    ON_WM_NCHITTEST()
    ON_WM_SIZE()
    ON_WM_SYSCOMMAND()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_USER + 1, OnShowAll)
    ON_BN_CLICKED(1001, OnOpen)
    ON_COMMAND_RANGE(2000, 2005, OnRange)
END_MESSAGE_MAP()

TEST(RuntimeClassTest, ClassChainKindOfAndDowncast)
{
    CDerivedWnd wnd;
    EXPECT_STREQ(wnd.GetRuntimeClass()->m_lpszClassName, "CDerivedWnd");
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CDerivedWnd)));
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CBaseWnd)));
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_TRUE(wnd.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(wnd.IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_FALSE(wnd.IsKindOf(nullptr));

    CBaseWnd base;
    EXPECT_FALSE(base.IsKindOf(RUNTIME_CLASS(CDerivedWnd)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDerivedWnd, &base), nullptr);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDerivedWnd, static_cast<CWnd*>(&wnd)), &wnd);
    EXPECT_EQ(DYNAMIC_DOWNCAST(CDerivedWnd, static_cast<CObject*>(nullptr)), nullptr);

    // Only dynamically creatable classes make objects from their class record.
    EXPECT_EQ(RUNTIME_CLASS(CBaseWnd)->CreateObject(), nullptr);
    CObject* made = RUNTIME_CLASS(CDerivedWnd)->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CDerivedWnd)));
    delete made;

    CPen pen;
    EXPECT_TRUE(pen.IsKindOf(RUNTIME_CLASS(CGdiObject)));
    EXPECT_FALSE(pen.IsKindOf(RUNTIME_CLASS(CBrush)));
}

using MessageMapTest = FrameworkTest;

TEST_F(MessageMapTest, ChainedMapsCrackArgumentsAndRouteByMostDerivedEntry)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "main", WS_POPUP | WS_VISIBLE, 10, 20, 200, 100, nullptr, nullptr));
    ASSERT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    // WM_CREATE reached the object's map while the window was being made.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "OnCreate main");
    calls.clear();

    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-5), 7));
    wnd.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(300, 40));
    EXPECT_EQ(wnd.SendMessage(WM_NCHITTEST, 0, 0), HTERROR); // an unsigned code keeps its sign
    wnd.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(640, 480));
    wnd.SendMessage(WM_SYSCOMMAND, 0xF012, 0);
    EXPECT_EQ(wnd.SendMessage(WM_USER + 9, 3, 4), 11); // the base's custom entry
    wnd.SendMessage(WM_TIMER, 7, 0);                    // the base's handler
    EXPECT_EQ(wnd.SendMessage(WM_USER + 1, 0, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(1001, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2003, 0), 0);
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(2006, 0), 0); // outside the range: nobody
    wnd.Invalidate();
    sys::PumpUntilIdle();

    std::vector<std::string> expected = {
        "OnLButtonDown 5 -5,7", "OnNcMouseMove 2 300,40", "OnSize 2 640x480", "OnSysCommand 61458 0",
        "base.OnBaseMsg 3,4",   "base.OnTimer 7",        "OnShowAll",        "OnOpen",
        "OnRange 2003",         "derived.OnPaint",       "OnEraseBkgnd dc", // erased by BeginPaint
    };
    EXPECT_EQ(calls, expected);
    // The derived OnPaint shadows the base's for the same message.
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "base.OnPaint"), 0);
    wnd.DestroyWindow();
}

TEST_F(MessageMapTest, LookupIsCachedAndUnmappedMessagesReachTheDefault)
{
    CDerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "t", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.SendMessage(WM_TIMER, 1, 0);
    AfxMessageCacheStats before = AfxGetMessageCacheStats();
    for (int i = 0; i < 100; ++i) wnd.SendMessage(WM_TIMER, 1, 0);
    AfxMessageCacheStats after = AfxGetMessageCacheStats();
    EXPECT_GE(after.lookups - before.lookups, 100u);
    EXPECT_EQ(after.misses, before.misses);

    // No entry anywhere in the chain: the system's default answers.
    wnd.SetWindowText("hello");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "hello");
    wnd.DestroyWindow();
}

TEST_F(MessageMapTest, FailedOnCreateFailsTheWindowAndLeavesNoMapping)
{
    std::size_t before = CWnd::PermanentCount();
    CDerivedWnd wnd;
    wnd.m_nCreateResult = -1;
    EXPECT_FALSE(wnd.CreateEx(0, nullptr, "fail", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::PermanentCount(), before);
}

} // namespace
} // namespace corvane::test
