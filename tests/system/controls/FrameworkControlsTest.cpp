#include "platform/display/HeadlessBackend.h"
#include "platform/framework/Afxwin.h"
#include "platform/framework/CtlButton.h"
#include "platform/framework/CtlEdit.h"
#include "platform/framework/CtlStatic.h"
#include "platform/framework/MsgBox.h"
#include "platform/system/dialog/Resource.h"
#include "platform/system/input/VirtualKeys.h"
#include "platform/system/window/Desktop.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class FrameworkControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys::SetBackend(&screen);
        sys::ClearResources();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterDefaultWndClass(), "parent", WS_POPUP | WS_VISIBLE, 50, 50, 300, 200,
                                    nullptr, nullptr));
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        screen.SetIdleHandler(nullptr);
        sys::SetBackend(nullptr);
        sys::ClearResources();
    }
    display::HeadlessBackend screen;
    CWnd parent;
};

class CRecordingButton : public CButton {
public:
    std::vector<std::pair<UINT, UINT>> seen;
    void DrawItem(DRAWITEMSTRUCT* dis) override { seen.emplace_back(dis->itemAction, dis->itemState); }
};

TEST_F(FrameworkControlsTest, OwnerDrawReachesDrawItemThroughReflection)
{
    CRecordingButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 80, 34), &parent, 1001));
    sys::PumpUntilIdle();
    ASSERT_FALSE(button.seen.empty());
    EXPECT_EQ(button.seen.back(), (std::pair<UINT, UINT>{ODA_DRAWENTIRE, 0}));
    button.SetState(TRUE);
    EXPECT_EQ(button.seen.back(), (std::pair<UINT, UINT>{ODA_SELECT, ODS_SELECTED}));
    EXPECT_EQ(button.GetState() & BST_PUSHED, BST_PUSHED);
    EXPECT_EQ(button.GetButtonStyle() & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(FrameworkControlsTest, EditAndStaticWrappers)
{
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 34), &parent, 1000));
    edit.SetWindowText("hello world");
    edit.SetSel(6, 11);
    int start = 0, end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 6);
    EXPECT_EQ(end, 11);
    edit.ReplaceSel("there");
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ(text, "hello there");
    edit.LimitText(3);
    EXPECT_EQ(edit.GetLimitText(), 3u);
    EXPECT_TRUE(edit.SetReadOnly(TRUE));
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);

    CStatic label;
    ASSERT_TRUE(
        label.Create("Corvane", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, CRect(10, 40, 200, 60), &parent));
    EXPECT_EQ(label.GetDlgCtrlID(), 0xFFFF);
    EXPECT_EQ(label.GetIcon(), nullptr);
}

TEST_F(FrameworkControlsTest, AfxMessageBoxLoadsItsTextAndPicksAnIcon)
{
    sys::RegisterString(61, "from the table");
    std::string shown;
    bool hasIconRoom = false;
    screen.SetIdleHandler([&]() {
        HWND box = GetActiveWindow();
        if (!box) return false;
        char buffer[64] = {};
        GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
        shown = buffer;
        RECT r{};
        GetWindowRect(GetDlgItem(box, 0xFFFF), &r);
        POINT p{r.left, r.top};
        ScreenToClient(box, &p);
        hasIconRoom = p.x > 32; // text placed right of an icon
        screen.KeyDown(VK_ESCAPE);
        screen.KeyUp(VK_ESCAPE);
        screen.SetIdleHandler(nullptr);
        return true;
    });
    EXPECT_EQ(AfxMessageBox(61u, MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(shown, "from the table");
    EXPECT_TRUE(hasIconRoom);
}

} // namespace
