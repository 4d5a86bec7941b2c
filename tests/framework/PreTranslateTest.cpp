// The message pump offers each queued message to PreTranslateMessage of its
// window and then of each parent, until one takes it.
#include "tests/framework/FrameworkFixture.h"

namespace corvane::test {
namespace {

class CFilterWnd : public CWnd {
public:
    explicit CFilterWnd(std::string name, bool swallowReturn = false)
        : m_name(std::move(name)), m_bSwallowReturn(swallowReturn)
    {
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != WM_KEYDOWN) return FALSE;
        Record(m_name + ".Pre " + std::to_string(pMsg->wParam));
        return m_bSwallowReturn && pMsg->wParam == VK_RETURN;
    }

protected:
    void OnKeyDown(UINT nChar, UINT, UINT) { Record(m_name + ".OnKeyDown " + std::to_string(nChar)); }
    DECLARE_MESSAGE_MAP()

private:
    std::string m_name;
    bool m_bSwallowReturn;
};

BEGIN_MESSAGE_MAP(CFilterWnd, CWnd)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

using PreTranslateTest = FrameworkTest;

TEST_F(PreTranslateTest, WalksFromTheTargetUpTheParentsUntilOneTakesIt)
{
    CFilterWnd top("top"), middle("middle", true), leaf("leaf");
    ASSERT_TRUE(top.CreateEx(0, nullptr, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
    ASSERT_TRUE(middle.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 200), &top, 1));
    ASSERT_TRUE(leaf.CreateEx(0, nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &middle, 2));
    // A window without an object in between is skipped, not the end of the walk.
    HWND plain = MakeRaw(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, leaf.m_hWnd, 3);
    sys::PumpUntilIdle();
    calls.clear();

    PostMessage(plain, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_TRUE(AfxPumpMessage());
    PostMessage(leaf.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(AfxPumpMessage());
    std::vector<std::string> expected = {
        "leaf.Pre 13", "middle.Pre 13",                                       // taken by middle: never dispatched
        "leaf.Pre 27", "middle.Pre 27", "top.Pre 27", "leaf.OnKeyDown 27", // nobody took it
    };
    EXPECT_EQ(calls, expected);

    // The walk stops at the window it is told to stop at.
    calls.clear();
    MSG msg{leaf.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {0, 0}};
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(leaf.m_hWnd, &msg));
    EXPECT_EQ(calls, std::vector<std::string>{"leaf.Pre 27"});
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(nullptr, nullptr));
    top.DestroyWindow();
}

} // namespace
} // namespace corvane::test
