// Taking over existing windows: PreSubclassWindow, the order of the object and
// the original procedure, one object per window, and the handle map's cleanup.
#include "tests/framework/FrameworkFixture.h"

namespace corvane::test {
namespace {

class CSpyWnd : public CWnd {
public:
    int m_nPreSubclass = 0;
    HWND m_hWndAtPreSubclass = nullptr;
    bool m_bDeleteOnNcDestroy = false;

protected:
    void PreSubclassWindow() override
    {
        ++m_nPreSubclass;
        m_hWndAtPreSubclass = m_hWnd;
        CWnd::PreSubclassWindow();
    }
    void PostNcDestroy() override
    {
        Record("PostNcDestroy");
        if (m_bDeleteOnNcDestroy) delete this;
    }
    void OnLButtonDown(UINT, CPoint)
    {
        Record("spy.OnLButtonDown");
        Default(); // then the original procedure
    }
    LRESULT OnAsk(WPARAM, LPARAM)
    {
        Record("spy.OnAsk");
        return Default() + 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSpyWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_USER + 50, OnAsk)
END_MESSAGE_MAP()

using SubclassTest = FrameworkTest;

TEST_F(SubclassTest, SubclassedMessagesPassTheObjectThenTheOriginalProcedure)
{
    HWND raw = MakeRaw(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    ASSERT_NE(raw, nullptr);
    std::size_t before = CWnd::PermanentCount();
    CSpyWnd spy;
    ASSERT_TRUE(spy.SubclassWindow(raw));
    EXPECT_EQ(spy.m_nPreSubclass, 1);
    EXPECT_EQ(spy.m_hWndAtPreSubclass, raw); // attached before the hook runs
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), &spy);
    EXPECT_EQ(CWnd::FromHandle(raw), &spy);
    EXPECT_EQ(CWnd::PermanentCount(), before + 1);

    SendMessage(raw, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(SendMessage(raw, WM_USER + 50, 0, 0), 501); // original's 500, plus the object's 1
    SendMessage(raw, WM_TIMER, 3, 0);                      // not in the map: straight to the original
    std::vector<std::string> expected = {"spy.OnLButtonDown", "RAW:513", "spy.OnAsk", "RAW:1074", "RAW:275"};
    EXPECT_EQ(calls, expected);

    // A window has one object; a second takeover is refused and changes nothing.
    CSpyWnd other;
    EXPECT_FALSE(other.SubclassWindow(raw));
    EXPECT_EQ(other.m_nPreSubclass, 0);
    EXPECT_EQ(other.m_hWnd, nullptr);
    EXPECT_FALSE(spy.SubclassWindow(raw));
    EXPECT_EQ(spy.m_nPreSubclass, 1);

    // Giving the window back restores the original procedure.
    EXPECT_EQ(spy.UnsubclassWindow(), raw);
    EXPECT_EQ(CWnd::FromHandlePermanent(raw), nullptr);
    calls.clear();
    SendMessage(raw, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(calls, std::vector<std::string>{"RAW:513"});
    DestroyWindow(raw);
}

TEST_F(SubclassTest, BadHandlesAndMissingDialogItemsFailCleanly)
{
    CSpyWnd spy;
    EXPECT_FALSE(spy.SubclassWindow(nullptr));
    EXPECT_FALSE(spy.SubclassWindow(reinterpret_cast<HWND>(0x7777)));
    EXPECT_FALSE(spy.SubclassDlgItem(5, nullptr));
    HWND parent = MakeRaw(WS_POPUP, 0, 0, 100, 100);
    CWnd* wrapper = CWnd::FromHandle(parent);
    EXPECT_FALSE(spy.SubclassDlgItem(99, wrapper));
    EXPECT_EQ(spy.m_nPreSubclass, 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(parent), nullptr);
    DestroyWindow(parent);
}

TEST_F(SubclassTest, DestroyingWindowsDetachesObjectsAndTemporariesAreFreedAtIdle)
{
    std::size_t before = CWnd::PermanentCount();
    HWND top = MakeRaw(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND child1 = MakeRaw(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, 1);
    HWND child2 = MakeRaw(WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, top, 2);
    HWND loose = MakeRaw(WS_CHILD, 0, 60, 50, 50, top, 3);

    CSpyWnd topObj;
    auto* heapChild = new CSpyWnd; // deletes itself when its window goes
    heapChild->m_bDeleteOnNcDestroy = true;
    CSpyWnd stackChild;
    ASSERT_TRUE(topObj.SubclassWindow(top));
    ASSERT_TRUE(heapChild->SubclassDlgItem(1, &topObj));
    ASSERT_TRUE(stackChild.SubclassWindow(child2));
    EXPECT_EQ(CWnd::PermanentCount(), before + 3);

    // A window no object owns gets a temporary wrapper, the same one until idle.
    CWnd* temp = CWnd::FromHandle(loose);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CWnd::FromHandle(loose), temp);
    EXPECT_EQ(temp->GetDlgCtrlID(), 3);
    EXPECT_EQ(CWnd::FromHandlePermanent(loose), nullptr);
    EXPECT_GE(CWnd::TemporaryCount(), 1u);
    AfxDeleteTempMaps();
    EXPECT_EQ(CWnd::TemporaryCount(), 0u);
    EXPECT_TRUE(IsWindow(loose)); // freeing a wrapper never touches its window

    EXPECT_TRUE(topObj.DestroyWindow());
    EXPECT_FALSE(IsWindow(child1));
    EXPECT_EQ(topObj.m_hWnd, nullptr);
    EXPECT_EQ(stackChild.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(top), nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(child1), nullptr);
    EXPECT_EQ(CWnd::PermanentCount(), before);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "PostNcDestroy"), 3);
}

TEST_F(SubclassTest, ObjectDestroyedFirstTakesItsWindowWithIt)
{
    std::size_t before = CWnd::PermanentCount();
    HWND raw = MakeRaw(WS_POPUP, 0, 0, 40, 40);
    {
        CSpyWnd spy;
        ASSERT_TRUE(spy.SubclassWindow(raw));
    }
    EXPECT_FALSE(IsWindow(raw));
    EXPECT_EQ(CWnd::PermanentCount(), before);
}

} // namespace
} // namespace corvane::test
