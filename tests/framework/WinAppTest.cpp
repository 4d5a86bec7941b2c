// The application object and the program entry: InitInstance runs the main
// dialog modally, commands the dialog leaves go to the application, and the
// main-window pointer is cleared when that window goes.
#include "tests/framework/FrameworkFixture.h"

#include "platform/system/dialog/Resource.h"

namespace corvane::test {
namespace {

class CMainDlg : public CDialog {
public:
    CMainDlg() : CDialog(710) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_COMMAND, MAKEWPARAM(5000, 0), 0); // for the application
        PostMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0), 0);
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        return TRUE;
    }
};

class CTestApp : public CWinApp {
public:
    CTestApp() : CWinApp(nullptr) {}
    INT_PTR m_nModalResult = 0;
    bool m_bMainWndClearedAfter = false;
    BOOL m_b3d = FALSE;

    BOOL InitInstance() override
    {
        AfxEnableControlContainer();
        m_b3d = Enable3dControls();
        CMainDlg dlg;
        m_pMainWnd = &dlg;
        m_nModalResult = dlg.DoModal();
        m_bMainWndClearedAfter = m_pMainWnd == nullptr;
        return FALSE;
    }

protected:
    void OnAppCommand() { Record("app command"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
    ON_COMMAND(5000, OnAppCommand)
END_MESSAGE_MAP()

using WinAppTest = FrameworkTest;

TEST_F(WinAppTest, EntryRunsInitInstanceThenExitInstance)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
    t.cx = 80;
    t.cy = 40;
    sys::RegisterDialogTemplate(710, t);
    {
        CTestApp app;
        ASSERT_EQ(AfxGetApp(), &app);
        EXPECT_EQ(AfxWinMain(), 0);
        EXPECT_EQ(app.m_nModalResult, IDCANCEL);
        EXPECT_TRUE(app.m_bMainWndClearedAfter);
        EXPECT_TRUE(AfxControlContainerEnabled());
        EXPECT_TRUE(app.m_b3d);
        EXPECT_EQ(calls, std::vector<std::string>{"app command"});
        EXPECT_NE(app.m_pszAppName, nullptr);
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxWinMain(), -1); // no application object: nothing to run
    sys::ClearResources();
}

} // namespace
} // namespace corvane::test
