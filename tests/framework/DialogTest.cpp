// Dialogs from registered templates: creation messages reach the object, data
// exchange binds controls, the modal loop filters keys and ends on IDOK/IDCANCEL.
#include "tests/framework/FrameworkFixture.h"

#include "platform/system/dialog/Resource.h"

namespace corvane::test {
namespace {

class CBoundCtrl : public CWnd {
public:
    int m_nPreSubclass = 0;

protected:
    void PreSubclassWindow() override { ++m_nPreSubclass; }
};

class CTestDlg : public CDialog {
public:
    explicit CTestDlg(UINT id, int controlId = 1001) : CDialog(id), m_nControlId(controlId) {}
    CBoundCtrl m_ctrl;
    int m_nControlId;
    UINT m_nEndWith = IDOK;
    bool m_bPostEnter = false;

    BOOL OnInitDialog() override
    {
        BOOL ok = CDialog::OnInitDialog();
        Record(std::string("OnInitDialog ") + (ok ? "ok" : "failed") + " bound=" + (m_ctrl.m_hWnd ? "yes" : "no"));
        if (ok) {
            if (m_bPostEnter) ::PostMessage(m_ctrl.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
            PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_nEndWith), 0), 0);
        }
        return ok;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN) {
            Record("dlg swallowed Enter");
            return TRUE;
        }
        return CDialog::PreTranslateMessage(pMsg);
    }

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, m_nControlId, m_ctrl);
    }
    int OnCreate(LPCREATESTRUCT cs)
    {
        Record("dlg OnCreate");
        return CDialog::OnCreate(cs);
    }
    void OnOK() override
    {
        Record("OnOK");
        CDialog::OnOK();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class DialogTest : public FrameworkTest {
protected:
    void SetUp() override
    {
        FrameworkTest::SetUp();
        DialogTemplate t;
        t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE;
        t.cx = 100;
        t.cy = 60;
        t.caption = "dlg";
        t.items = {{.className = kRawClass, .text = "", .id = 1001, .style = WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                    .x = 5, .y = 5, .cx = 40, .cy = 14}};
        sys::RegisterDialogTemplate(700, t);
        t.style = WS_CHILD | DS_SETFONT;
        sys::RegisterDialogTemplate(701, t);
    }
    void TearDown() override
    {
        sys::ClearResources();
        FrameworkTest::TearDown();
    }
};

TEST_F(DialogTest, DoModalRunsCreationInitExchangeAndEndsWithTheCommand)
{
    std::size_t before = CWnd::PermanentCount();
    CTestDlg dlg(700);
    dlg.m_bPostEnter = true;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    std::vector<std::string> expected = {"dlg OnCreate", "OnInitDialog ok bound=yes", "dlg swallowed Enter", "OnOK"};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(dlg.m_ctrl.m_nPreSubclass, 1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_ctrl.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::PermanentCount(), before);

    calls.clear();
    CTestDlg cancel(700);
    cancel.m_nEndWith = IDCANCEL;
    EXPECT_EQ(cancel.DoModal(), IDCANCEL);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "OnOK"), 0);
}

TEST_F(DialogTest, MissingTemplateOrControlFailsWithMinusOne)
{
    CTestDlg none(799);
    EXPECT_EQ(none.DoModal(), -1);
    CTestDlg noControl(700, 4242); // the exchange cannot bind: the dialog ends at once
    EXPECT_EQ(noControl.DoModal(), -1);
    EXPECT_EQ(calls.back(), "OnInitDialog failed bound=no");
    EXPECT_EQ(noControl.m_hWnd, nullptr);
}

TEST_F(DialogTest, ModelessChildPageIsCreatedInsideItsParent)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
    CTestDlg page(701);
    page.m_nEndWith = 0; // a harmless command
    ASSERT_TRUE(page.Create(701, &host));
    EXPECT_EQ(::GetParent(page.m_hWnd), host.m_hWnd);
    EXPECT_TRUE(page.GetStyle() & WS_CHILD);
    EXPECT_EQ(calls.front(), "dlg OnCreate");
    EXPECT_NE(page.m_ctrl.m_hWnd, nullptr);
    host.DestroyWindow(); // the page goes with its parent
    EXPECT_EQ(page.m_hWnd, nullptr);
    EXPECT_EQ(page.m_ctrl.m_hWnd, nullptr);
}

} // namespace
} // namespace corvane::test
