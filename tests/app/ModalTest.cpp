// While the open-file dialog is up the main window takes no input, and once
// it is gone (a load or a cancel) the focus is back on "打开...".
#include "platform/system/controls/filedialog/FileDialog.h"
#include "platform/system/window/WindowTree.h"
#include "tests/app/AppFixture.h"
#include "tests/support/TestPaths.h"

namespace apptest {
namespace {

int OpenFileDialogs()
{
    int n = 0;
    for (HWND h : sys::TopLevels())
        if (IsWindowVisible(h) && GetDlgItem(h, kFileDlgNameId)) ++n;
    return n;
}

class ModalTest : public AppTest {
protected:
    std::string m_log;

    void SetUp() override
    {
        AppTest::SetUp();
        m_log = corvane::test::WriteScratchFile("modal.log", "a - - x\nb - - Googlebot y\n");
        Open();
        // The main window in the top-left corner, the dialog moved clear of it below.
        dlg->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Pump();
    }
    void MoveDialogClear(HWND fileDlg)
    {
        CRect main = WindowRect(dlg->m_hWnd), own = WindowRect(fileDlg);
        RECT screenRect = screen.ScreenRect();
        ASSERT_LE(main.right + own.Width(), screenRect.right);
        SetWindowPos(fileDlg, nullptr, screenRect.right - own.Width(), screenRect.bottom - own.Height() - 40, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        Pump();
    }
};

TEST_F(ModalTest, TheMainWindowTakesNoClickWhileTheOpenFileDialogIsUp)
{
    OpenThroughDialog(m_log);
    ASSERT_TRUE(dlg->m_bLoaded);
    ASSERT_EQ(List(2).GetItemCount(), 1);
    const int tab = dlg->m_tab.GetCurSel();
    CRect other;
    ASSERT_TRUE(dlg->m_tab.GetItemRect(3, &other));
    dlg->m_tab.ClientToScreen(&other);

    HWND fileDlg = nullptr;
    Script({[&] {
                fileDlg = GetActiveWindow();
                ASSERT_EQ(OpenFileDialogs(), 1);
                MoveDialogClear(fileDlg);
                // "打开..." again, another tab, the path box, the caption: all behind the dialog.
                ClickCenter(dlg->m_btnOpen.m_hWnd);
                ClickAt(other.CenterPoint().x, other.CenterPoint().y);
                ClickCenter(dlg->m_editPath.m_hWnd);
                CRect caption = WindowRect(dlg->m_hWnd);
                ClickAt(caption.left + 100, caption.top + 8);
            },
            [&] {
                EXPECT_EQ(OpenFileDialogs(), 1) << "a second open-file dialog opened";
                EXPECT_EQ(GetActiveWindow(), fileDlg);
                EXPECT_EQ(dlg->m_tab.GetCurSel(), tab) << "a tab was chosen behind the dialog";
                Key(VK_ESCAPE);
            }},
           [this] {
               ClickCenter(dlg->m_btnOpen.m_hWnd);
               Pump();
           });
    EXPECT_EQ(OpenFileDialogs(), 0);
    EXPECT_EQ(List(2).GetItemCount(), 1);
    // Enabled again, the main window answers as before.
    ChooseTab(3);
    EXPECT_EQ(dlg->m_tab.GetCurSel(), 3);
}

TEST_F(ModalTest, AfterACancelAndAfterALoadTheFocusIsBackOnTheOpenButton)
{
    // The path box had the focus before the button was ever clicked.
    dlg->m_editPath.SetFocus();
    Script({[this] { Key(VK_ESCAPE); }}, [this] {
        ClickCenter(dlg->m_btnOpen.m_hWnd);
        Pump();
    });
    EXPECT_EQ(GetActiveWindow(), dlg->m_hWnd);
    EXPECT_EQ(GetFocus(), dlg->m_btnOpen.m_hWnd) << "after a cancel";

    OpenThroughDialog(m_log);
    ASSERT_TRUE(dlg->m_bLoaded);
    EXPECT_EQ(GetFocus(), dlg->m_btnOpen.m_hWnd) << "after a load";
}

} // namespace
} // namespace apptest
