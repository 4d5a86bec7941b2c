// The two page dialogs: their templates, the list set-up of OnInitDialog, and
// Enter and Esc never closing a page.
#include "tests/pages/PageFixture.h"

#include "res/ResourceIds.h"

namespace pagestest {
namespace {

struct ColumnWanted {
    const char* title;
    int width;
};

void ExpectColumns(CListCtrlCl& list, const std::vector<ColumnWanted>& wanted, const char* digits)
{
    ASSERT_EQ(list.m_header.GetItemCount(), static_cast<int>(wanted.size()));
    ASSERT_EQ(list.m_header.m_titles.GetSize(), static_cast<INT_PTR>(wanted.size()));
    EXPECT_STREQ(list.m_header.m_alignDigits.GetString(), digits);
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        int k = static_cast<int>(i);
        EXPECT_STREQ(list.m_header.m_titles.GetAt(k).GetString(), wanted[i].title) << k;
        EXPECT_EQ(list.GetColumnWidth(k), wanted[i].width) << k;
        char text[64] = {};
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_FMT;
        column.pszText = text;
        column.cchTextMax = sizeof(text);
        ASSERT_TRUE(list.GetColumn(k, &column));
        EXPECT_STREQ(text, wanted[i].title) << k;
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, digits[i] == '1' ? LVCFMT_CENTER : LVCFMT_LEFT) << k;
    }
}

// The list fills the page as the template places it, in dialog units.
void ExpectListPlacement(CDialog& page, CListCtrlCl& list, RECT units)
{
    page.MapDialogRect(&units);
    CRect r;
    list.GetWindowRect(&r);
    page.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(units));
}

TEST_F(PageTest, AllLinesPageSetsUpItsList)
{
    CFDlg page;
    Show(page, IDD_FDLG);
    CListCtrlCl& list = page.m_list;
    ASSERT_NE(list.GetSafeHwnd(), nullptr);
    EXPECT_EQ(list.GetDlgCtrlID(), IDC_LIST_ALL);
    EXPECT_EQ(CWnd::FromHandlePermanent(list.GetSafeHwnd()), &list);
    EXPECT_EQ(list.m_header.GetSafeHwnd(), reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER)));
    DWORD style = list.GetStyle();
    EXPECT_EQ(style & (LVS_TYPEMASK | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP | WS_VISIBLE),
              LVS_REPORT | LVS_OWNERDRAWFIXED | WS_BORDER | WS_TABSTOP | WS_VISIBLE);
    EXPECT_EQ(page.GetStyle() & (WS_CHILD | WS_CAPTION), WS_CHILD);
    ExpectListPlacement(page, list, RECT{0, 0, 394, 140});

    ExpectColumns(list, {{"ID", 50}, {"内容", 500}}, "00");
    EXPECT_EQ(list.GetExtendedStyle(), 0x21u);
    EXPECT_EQ(list.m_header.m_heightFactor, 1.5f);
    EXPECT_EQ(list.m_header.m_fontHeight, 16);
    EXPECT_EQ(list.m_header.m_fontWidth, 0);
    EXPECT_EQ(RGB(list.m_header.m_red, list.m_header.m_green, list.m_header.m_blue), RGB(171, 199, 235));
    EXPECT_EQ(list.m_header.m_gradientStep, 8);
    EXPECT_EQ(list.m_header.m_textColor, 0u);
    // The factor applies at the list's next layout; every fill starts with one
    // (emptying the list), so a filled page's header is 1.5 times as tall.
    int proposed = ProposedHeaderHeight(list);
    list.DeleteAllItems();
    Pump();
    CRect header;
    list.m_header.GetWindowRect(&header);
    EXPECT_EQ(header.Height(), static_cast<int>(static_cast<float>(proposed) * 1.5f));
}

TEST_F(PageTest, CrawlerPageSetsUpItsList)
{
    CSDlg page;
    Show(page, IDD_SDLG);
    CListCtrlCl& list = page.m_list;
    ASSERT_NE(list.GetSafeHwnd(), nullptr);
    EXPECT_EQ(list.GetDlgCtrlID(), IDC_LIST_CRAWLER);
    EXPECT_TRUE(list.GetStyle() & LVS_OWNERDRAWFIXED);
    ExpectListPlacement(page, list, RECT{0, 0, 393, 140});
    ExpectColumns(list,
                  {{"ID", 30}, {"IP", 90}, {"访问时间", 150}, {"URL", 100}, {"HTTP", 60}, {"状态", 50}, {"字节", 50}},
                  "0000010");
    EXPECT_EQ(list.GetExtendedStyle(), 0x21u);
    EXPECT_EQ(list.m_header.m_heightFactor, 1.5f);
    EXPECT_EQ(list.m_header.m_fontHeight, 16);
    EXPECT_EQ(list.m_header.m_fontWidth, 0);
    EXPECT_EQ(list.m_header.m_red, 100);
    EXPECT_EQ(list.m_header.m_green, 255);
    EXPECT_EQ(list.m_header.m_blue, 100);
    EXPECT_EQ(list.m_header.m_gradientStep, 8);
    EXPECT_EQ(list.m_header.m_textColor, RGB(255, 200, 100));
    // The header shows the green gradient.
    Pump();
    EXPECT_EQ(Pixel(list.m_header.GetSafeHwnd(), 20, 0), RGB(100, 255, 100));
    EXPECT_EQ(Pixel(list.m_header.GetSafeHwnd(), 20, 12), RGB(4, 159, 4));
}

TEST_F(PageTest, EnterAndEscNeverCloseAPage)
{
    CFDlg all;
    Show(all, IDD_FDLG);
    CSDlg crawler;
    ASSERT_TRUE(crawler.Create(IDD_SDLG, &parent));
    crawler.ShowWindow(SW_SHOW);
    // A plain dialog on the same template, to show what the keys would do.
    CDialog plain(IDD_FDLG, &parent);
    ASSERT_TRUE(plain.Create(IDD_FDLG, &parent));
    plain.ShowWindow(SW_SHOW);
    Pump();

    for (CDialog* page : std::vector<CDialog*>{&all, &crawler}) {
        HWND listWnd = ::GetWindow(page->m_hWnd, GW_CHILD);
        ASSERT_NE(listWnd, nullptr);
        ::SetFocus(listWnd);
        for (WPARAM key : {WPARAM(VK_RETURN), WPARAM(VK_ESCAPE)}) {
            MSG msg{listWnd, WM_KEYDOWN, key, 0, 0, {0, 0}};
            EXPECT_TRUE(page->PreTranslateMessage(&msg)) << key;
            Pump();
            EXPECT_TRUE(::IsWindow(page->m_hWnd));
            EXPECT_TRUE(page->IsWindowVisible()) << key;
        }
        // Other keys go on to the dialog's own translation.
        for (MSG other : {MSG{listWnd, WM_KEYUP, VK_RETURN, 0, 0, {0, 0}}, MSG{listWnd, WM_KEYDOWN, VK_DOWN, 0, 0, {0, 0}}}) {
            MSG copy = other;
            EXPECT_EQ(page->PreTranslateMessage(&other), page->CDialog::PreTranslateMessage(&copy));
        }
    }

    HWND plainList = ::GetWindow(plain.m_hWnd, GW_CHILD);
    ::SetFocus(plainList);
    MSG enter{plainList, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
    plain.PreTranslateMessage(&enter);
    Pump();
    EXPECT_FALSE(::IsWindow(plain.m_hWnd) && plain.IsWindowVisible()) << "Enter would have closed a plain page";
}

} // namespace
} // namespace pagestest
