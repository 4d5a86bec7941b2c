// Enter and Esc never close the main dialog and never reach the control that
// has the focus; other keys still do.
#include "tests/app/AppFixture.h"

#include <map>

namespace apptest {
namespace {

// Keys that reached a control, recorded by a procedure put in front of its own.
std::vector<std::pair<HWND, WPARAM>>* g_keys = nullptr;
std::map<HWND, WNDPROC>* g_procs = nullptr;

LRESULT RecordKeys(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && g_keys) g_keys->emplace_back(hwnd, wParam);
    return CallWindowProc((*g_procs)[hwnd], hwnd, message, wParam, lParam);
}

class KeysTest : public AppTest {
protected:
    std::vector<std::pair<HWND, WPARAM>> keys;
    std::map<HWND, WNDPROC> procs;

    void SetUp() override
    {
        AppTest::SetUp();
        g_keys = &keys;
        g_procs = &procs;
    }
    void TearDown() override
    {
        AppTest::TearDown();
        g_keys = nullptr;
        g_procs = nullptr;
    }
    void Watch(HWND hwnd)
    {
        procs[hwnd] =
            reinterpret_cast<WNDPROC>(SetWindowLongPtr(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordKeys)));
    }
    int Count(HWND hwnd, WPARAM vk) const
    {
        int n = 0;
        for (const auto& k : keys)
            n += k.first == hwnd && k.second == vk;
        return n;
    }
};

TEST_F(KeysTest, EnterAndEscapeAreDroppedInEveryControl)
{
    dlg = std::make_unique<CCorvaneDlg>();
    std::vector<HWND> controls;
    std::vector<Step> steps;
    steps.push_back([this, &controls] {
        controls = {dlg->m_editPath.m_hWnd, dlg->m_btnOpen.m_hWnd, dlg->m_tab.m_hWnd, List(0).m_hWnd};
        for (HWND c : controls)
            Watch(c);
    });
    for (int i = 0; i < 4; ++i) {
        steps.push_back([this, &controls, i] {
            ::SetFocus(controls[static_cast<std::size_t>(i)]);
            Key(VK_RETURN);
            Key(VK_ESCAPE);
            Key(VK_END); // delivered, so the recording is known to work
        });
        // Still the main dialog, with no open-file dialog or other window over it.
        steps.push_back([this, &controls, i] {
            EXPECT_EQ(ActiveCaption(), "Corvane1.0 -- Dalmor") << "control " << i;
            EXPECT_EQ(GetFocus(), controls[static_cast<std::size_t>(i)]);
        });
    }
    steps.push_back([this] {
        screen.MoveMouse(dlg->m_rtButtExit.CenterPoint().x, dlg->m_rtButtExit.CenterPoint().y);
        screen.Press();
    });
    INT_PTR result = RunModal(std::move(steps));
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_EQ(controls.size(), 4u);
    for (HWND c : controls) {
        EXPECT_EQ(Count(c, VK_RETURN), 0);
        EXPECT_EQ(Count(c, VK_ESCAPE), 0);
        EXPECT_EQ(Count(c, VK_END), 1);
    }
    EXPECT_FALSE(dlg->m_bLoaded);
}

} // namespace
} // namespace apptest
