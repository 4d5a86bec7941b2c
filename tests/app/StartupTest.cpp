// The main dialog as it comes up, the application object around it, and the
// system-menu entry of the About box.
#include "platform/system/dialog/Resource.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "tests/app/AppFixture.h"

namespace apptest {
namespace {

const char* const kTitles[7] = {"所有内容(ALL)", "百度记录", "Google记录", "有道记录",
                                "SOSO记录",      "搜狗记录", "Bing记录"};

bool RegionIsRoundRect(HWND hwnd, int ellipse)
{
    CRect r;
    ::GetWindowRect(hwnd, &r);
    HRGN have = CreateRectRgn(0, 0, 0, 0);
    HRGN want = CreateRoundRectRgn(0, 0, r.Width(), r.Height(), ellipse, ellipse);
    bool same = GetWindowRgn(hwnd, have) != ERROR && EqualRgn(have, want);
    DeleteObject(have);
    DeleteObject(want);
    return same;
}

TEST_F(AppTest, StartsWithTitleRoundCornersIconsAndEmptyPages)
{
    Open();
    EXPECT_EQ(Text(dlg->m_hWnd), "Corvane1.0 -- Dalmor");
    EXPECT_TRUE(RegionIsRoundRect(dlg->m_hWnd, 30));
    EXPECT_FALSE(RegionIsRoundRect(dlg->m_hWnd, 5));
    ASSERT_NE(dlg->m_hIcon, nullptr);
    EXPECT_EQ(dlg->GetIcon(TRUE), dlg->m_hIcon);
    EXPECT_EQ(dlg->GetIcon(FALSE), dlg->m_hIcon);

    // The controls are bound to the template's, and the path box has the focus.
    EXPECT_EQ(dlg->m_editPath.m_hWnd, dlg->GetDlgItem(IDC_EDIT_PATH)->m_hWnd);
    EXPECT_EQ(dlg->m_btnOpen.m_hWnd, dlg->GetDlgItem(IDC_BUTTON_OPEN)->m_hWnd);
    EXPECT_EQ(dlg->m_tab.m_hWnd, dlg->GetDlgItem(IDC_TAB)->m_hWnd);
    EXPECT_EQ(GetFocus(), dlg->m_editPath.m_hWnd);
    EXPECT_EQ(Text(dlg->m_editPath.m_hWnd), "");
    EXPECT_EQ(Text(dlg->m_btnOpen.m_hWnd), "打开...");

    EXPECT_EQ(dlg->m_tab.m_nStep, 30);
    EXPECT_EQ(dlg->m_tab.m_bAnimate, 1);
    ASSERT_EQ(dlg->m_tab.GetItemCount(), 7);
    EXPECT_EQ(dlg->m_tab.GetCurSel(), 0);
    for (int i = 0; i < 7; ++i) {
        TCITEM item{};
        char text[64] = {};
        item.mask = TCIF_TEXT | TCIF_PARAM;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(dlg->m_tab.GetItem(i, &item));
        EXPECT_EQ(std::string(text), kTitles[i]) << "tab " << i;
        EXPECT_EQ(reinterpret_cast<CWnd*>(item.lParam), dlg->m_pPages[i]) << "tab " << i;
        EXPECT_EQ(dlg->m_pPages[i]->GetParent(), &dlg->m_tab);
        EXPECT_EQ(dlg->m_pPages[i]->IsWindowVisible() != FALSE, i == 0) << "page " << i;
        EXPECT_EQ(List(i).GetItemCount(), 0) << "page " << i;
        if (i == 0)
            EXPECT_NE(dynamic_cast<CFDlg*>(dlg->m_pPages[i]), nullptr);
        else
            EXPECT_NE(dynamic_cast<CSDlg*>(dlg->m_pPages[i]), nullptr);
    }
    EXPECT_FALSE(dlg->m_bLoaded);
}

TEST_F(AppTest, ClientBackgroundIsFlatAndCornersAreCut)
{
    Open();
    CRect client;
    dlg->GetClientRect(&client);
    dlg->ClientToScreen(&client);
    CRect edit = WindowRect(dlg->m_editPath.m_hWnd);
    CRect tab = WindowRect(dlg->m_tab.m_hWnd);
    // Between the path box and the tab control, and below the tab control.
    EXPECT_EQ(ScreenPixel(edit.left + 5, edit.bottom + 2), RGB(236, 233, 216));
    EXPECT_EQ(ScreenPixel(client.CenterPoint().x, client.bottom - 2), RGB(236, 233, 216));
    EXPECT_EQ(ScreenPixel(tab.right + 2, tab.CenterPoint().y), RGB(236, 233, 216));
    // The corner pixel lies outside the 30 x 30 rounding: the desktop shows there.
    CRect w = WindowRect(dlg->m_hWnd);
    EXPECT_EQ(screen.PixelAt(w.left, w.top), display::HeadlessBackend::kDesktopPixel);
    EXPECT_EQ(screen.PixelAt(w.right - 1, w.bottom - 1), display::HeadlessBackend::kDesktopPixel);
}

// The template has no system menu; this one gets it while the window is created,
// before the About entry is added.
class CSysMenuDlg : public CCorvaneDlg {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CREATE) ModifyStyle(0, WS_SYSMENU);
        return CCorvaneDlg::WindowProc(message, wParam, lParam);
    }
};

TEST_F(AppTest, TheTemplatesWindowHasNoSystemMenuSoNoEntry)
{
    Open();
    EXPECT_EQ(dlg->GetStyle() & WS_SYSMENU, 0u);
    EXPECT_EQ(dlg->GetSystemMenu(FALSE), nullptr);
}

TEST_F(AppTest, SystemMenuGetsTheAboutEntryOnlyWithItsText)
{
    Open(new CSysMenuDlg());
    CMenu* menu = dlg->GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    int n = menu->GetMenuItemCount();
    ASSERT_GE(n, 2);
    EXPECT_EQ(menu->GetMenuItemID(n - 1), static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_TRUE(menu->GetMenuState(static_cast<UINT>(n - 2), MF_BYPOSITION) & MF_SEPARATOR);
    CString text;
    menu->GetMenuString(static_cast<UINT>(n - 1), text, MF_BYPOSITION);
    EXPECT_EQ(std::string(text.GetString()), "关于 Corvane(&A)...");
    int withEntry = n;
    dlg->DestroyWindow();

    // Without string 101 neither the separator nor the entry is added.
    sys::RegisterString(IDS_ABOUTBOX, "");
    Open(new CSysMenuDlg());
    menu = dlg->GetSystemMenu(FALSE);
    int without = menu ? menu->GetMenuItemCount() : 0;
    EXPECT_EQ(without, withEntry - 2);
    for (int i = 0; i < without; ++i)
        EXPECT_NE(menu->GetMenuItemID(i), static_cast<UINT>(IDM_ABOUTBOX));
}

TEST_F(AppTest, ViewMessagesDoNothingBeforeALoad)
{
    Open();
    for (int i = 0; i < 7; ++i) {
        // A row put there by hand would be emptied by any fill.
        List(i).InsertItem(0, "stale");
        dlg->SendMessage(WM_USER + 1 + i, 0, 0);
        EXPECT_EQ(List(i).GetItemCount(), 1) << "page " << i;
    }
}

TEST_F(AppTest, EveryTabBeforeALoadShowsItsEmptyPage)
{
    Open();
    for (int i : {1, 2, 3, 4, 5, 6, 0}) {
        ChooseTab(i);
        for (int j = 0; j < 7; ++j)
            EXPECT_EQ(dlg->m_pPages[j]->IsWindowVisible() != FALSE, j == i) << i << "/" << j;
        CRect r;
        dlg->m_pPages[i]->GetWindowRect(&r);
        dlg->m_tab.ScreenToClient(&r);
        EXPECT_EQ(r.TopLeft(), CPoint(4, 28)) << "page " << i;
        EXPECT_EQ(List(i).GetItemCount(), 0);
    }
}

TEST_F(AppTest, InitInstanceRunsTheDialogAndAlwaysEndsFalse)
{
    bool sawDialog = false;
    BOOL result = TRUE;
    Script({[&] {
               CWnd* main = AfxGetMainWnd();
               ASSERT_NE(main, nullptr);
               sawDialog = dynamic_cast<CCorvaneDlg*>(main) != nullptr && main->IsWindowVisible();
               EXPECT_TRUE(AfxControlContainerEnabled());
               // The close caption button ends the program's only loop.
               auto* d = static_cast<CCorvaneDlg*>(main);
               CRect close = d->m_rtButtExit;
               screen.Click(close.CenterPoint().x, close.CenterPoint().y);
           }},
           [&] { result = theApp.InitInstance(); });
    EXPECT_TRUE(sawDialog);
    EXPECT_FALSE(result);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_EQ(GetActiveWindow(), nullptr);
}

} // namespace
} // namespace apptest
