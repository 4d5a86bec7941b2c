// The framework faces: a CTabCtrl subclass that hears its own tab changes
// through reflected notifications, pages placed in its display area, and
// CFileDialog prepared exactly as the application prepares it.
#include "platform/base/CodePage.h"
#include "platform/framework/AfxMsg.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/TabCtrl.h"
#include "platform/system/input/VirtualKeys.h"
#include "tests/support/TestPaths.h"
#include "tests/system/support/TabTestSupport.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace tabfile {
namespace {

std::vector<std::string>& Heard()
{
    static std::vector<std::string> heard;
    return heard;
}

class CPagedTab : public CTabCtrl {
public:
    BOOL m_bRefuse = FALSE;

protected:
    void OnSelChanging(NMHDR*, LRESULT* pResult)
    {
        Heard().push_back("changing from " + std::to_string(GetCurSel()));
        *pResult = m_bRefuse;
    }
    void OnSelChange(NMHDR*, LRESULT* pResult)
    {
        Heard().push_back("change to " + std::to_string(GetCurSel()));
        *pResult = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPagedTab, CTabCtrl)
ON_NOTIFY_REFLECT(TCN_SELCHANGING, OnSelChanging)
ON_NOTIFY_REFLECT(TCN_SELCHANGE, OnSelChange)
END_MESSAGE_MAP()

using FrameworkTabTest = HeadlessTest;

TEST_F(FrameworkTabTest, ASubclassHearsReflectedTabChangesInOrderAndCanRefuse)
{
    Heard().clear();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 20, 20, 500, 300, nullptr, nullptr));
    CPagedTab tab;
    ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE | TCS_HOTTRACK, CRect(10, 10, 410, 260), &parent, 1002));
    EXPECT_EQ(tab.InsertItem(0, "所有内容(ALL)"), 0);
    EXPECT_EQ(tab.InsertItem(TCIF_TEXT | TCIF_PARAM, 1, "百度记录", 0, 77), 1);
    EXPECT_EQ(tab.GetItemCount(), 2);
    TCITEM item{};
    item.mask = TCIF_PARAM;
    ASSERT_TRUE(tab.GetItem(1, &item));
    EXPECT_EQ(item.lParam, 77);

    CRect r;
    ASSERT_TRUE(tab.GetItemRect(1, &r));
    POINT p{r.CenterPoint().x, r.CenterPoint().y};
    tab.ClientToScreen(&p);
    m_screen.Click(p.x, p.y);
    sys::PumpUntilIdle();
    EXPECT_EQ(Heard(), (std::vector<std::string>{"changing from 0", "change to 1"}));
    EXPECT_EQ(tab.GetCurSel(), 1);

    Heard().clear();
    tab.m_bRefuse = TRUE;
    m_screen.KeyDown(VK_LEFT);
    sys::PumpUntilIdle();
    EXPECT_EQ(Heard(), (std::vector<std::string>{"changing from 1"}));
    EXPECT_EQ(tab.GetCurSel(), 1);

    // Direct selection sends nothing.
    Heard().clear();
    EXPECT_EQ(tab.SetCurSel(0), 1);
    EXPECT_TRUE(Heard().empty());

    // A page placed in the display area sits below the tabs and inside the panel.
    CRect display;
    tab.GetClientRect(&display);
    tab.AdjustRect(FALSE, &display);
    EXPECT_GT(display.top, r.bottom);
    EXPECT_EQ(tab.GetRowCount(), 1);
    tab.DestroyWindow();
    parent.DestroyWindow();
}

using FrameworkFileDialogTest = HeadlessTest;

TEST_F(FrameworkFileDialogTest, PreparedAsTheApplicationDoesItReturnsThePath)
{
    fs::path dir = fs::path(corvane::test::ScratchDir()) / "fwdlg";
    fs::create_directories(dir);
    std::ofstream(dir / "access.log") << "x\n";
    std::ofstream(dir / "notes.txt") << "x\n";
    fs::path oldCwd = fs::current_path();
    fs::current_path(dir);

    const char filter[] = "TXT Files(*.txt)\0*.txt\0Log Files(*.log)\0*.log\0All Files(*.*)\0*.*\0";
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
    dlg.m_ofn.lpstrTitle = "我的文件打开对话框";
    EXPECT_EQ(dlg.m_ofn.nFilterIndex, 0u);

    std::string caption;
    int steps = 0;
    m_screen.SetIdleHandler([&]() {
        switch (steps++) {
        case 0: {
            char text[128] = {};
            GetWindowTextA(GetActiveWindow(), text, sizeof text);
            caption = text;
            m_screen.TypeText("access.log");
            return true;
        }
        case 1: m_screen.KeyDown(VK_RETURN); return true;
        default: return false;
        }
    });
    INT_PTR result = dlg.DoModal();
    m_screen.SetIdleHandler(nullptr);
    fs::current_path(oldCwd);

    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(caption, "我的文件打开对话框");
    EXPECT_STREQ(dlg.GetPathName().GetString(), Utf8ToCp936((dir / "access.log").string()).c_str());
    EXPECT_STREQ(dlg.GetFileName().GetString(), "access.log");
    EXPECT_STREQ(dlg.GetFileExt().GetString(), "log");
    EXPECT_STREQ(dlg.GetFileTitle().GetString(), "access");

    // The framework's '|' form of the same filters gives the same pairs.
    CFileDialog piped(TRUE, nullptr, nullptr, OFN_HIDEREADONLY,
                      "TXT Files(*.txt)|*.txt|Log Files(*.log)|*.log|All Files(*.*)|*.*||");
    ASSERT_NE(piped.m_ofn.lpstrFilter, nullptr);
    EXPECT_EQ(std::memcmp(piped.m_ofn.lpstrFilter, filter, sizeof filter), 0);
}

} // namespace
} // namespace tabfile
