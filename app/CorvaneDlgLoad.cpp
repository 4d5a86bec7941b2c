// Loading a log and filling the seven pages from it.
#include "analysis/CrawlerEntries.h"
#include "analysis/PageFill.h"
#include "app/CorvaneDlg.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "platform/framework/FileDialog.h"

#include <new>

namespace {

constexpr char kOpenTitle[] = "我的文件打开对话框";
// The system's form: NUL-separated pairs closed by an empty string.
constexpr char kOpenFilter[] = "TXT Files(*.txt)\0*.txt\0Log Files(*.log)\0*.log\0All Files(*.*)\0*.*\0"
                               "Compressed logs(*.gz;*.zst;*.bz2;*.xz)\0*.gz;*.zst;*.bz2;*.xz\0";

} // namespace

void CCorvaneDlg::OnOpenFile()
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kOpenFilter);
    dlg.m_ofn.lpstrTitle = kOpenTitle;
    if (dlg.DoModal() != IDOK) return;

    OpenLogFile(dlg.GetPathName());
}

BOOL CCorvaneDlg::OpenLogFile(LPCSTR lpszPath)
{
    LogLoad load;
    if (!ReadLogFile(lpszPath, load)) return FALSE;

    // The previous load stays whole until every page shows the new one: a
    // page that cannot be filled puts it back.
    m_load.Swap(load);
    const BOOL bWasLoaded = m_bLoaded;
    m_bLoaded = TRUE;
    if (FillPages()) {
        m_editPath.SetWindowText(m_load.strPath);
        return TRUE;
    }
    m_load.Swap(load);
    m_bLoaded = bWasLoaded;
    // The new load's memory goes before the old pages are filled again: it is
    // what ran out.
    LogLoad().Swap(load);
    if (m_bLoaded) {
        FillPages();
    } else {
        for (int nPage = 0; nPage < kPageCount; ++nPage) {
            CListCtrlCl* pList = nPage == 0 ? &AllLinesPage()->m_list : &CrawlerPage(nPage)->m_list;
            if (pList->GetSafeHwnd()) EmptyPage(*pList);
        }
    }
    CMemoryException e;
    e.ReportError();
    return FALSE;
}

BOOL CCorvaneDlg::FillPages()
{
    m_bFillFailed = FALSE;
    for (UINT nMsg = WM_USER + 1; nMsg <= WM_USER + kPageCount; ++nMsg)
        SendMessage(nMsg, 0, 0);
    return !m_bFillFailed;
}

const char* CCorvaneDlg::CrawlerToken(int nPage)
{
    return nPage >= 1 && nPage < kPageCount ? kCrawlerTokens[nPage - 1] : nullptr;
}

CFDlg* CCorvaneDlg::AllLinesPage() const
{
    return static_cast<CFDlg*>(m_pPages[0]);
}

CSDlg* CCorvaneDlg::CrawlerPage(int nPage) const
{
    return nPage >= 1 && nPage < kPageCount ? static_cast<CSDlg*>(m_pPages[nPage]) : nullptr;
}

void CCorvaneDlg::FillOrNote(CListCtrlCl& list, const std::function<BOOL()>& fill)
{
    // A page that cannot be filled is left empty and noted: the load that
    // asked for it is then taken back.
    try {
        if (fill()) return;
    } catch (CException* e) {
        e->Delete();
    } catch (const std::bad_alloc&) {
    }
    EmptyPage(list);
    m_bFillFailed = TRUE;
}

LRESULT CCorvaneDlg::OnShowAll(WPARAM, LPARAM)
{
    if (!m_bLoaded) return 0;
    CFDlg* pPage = AllLinesPage();
    if (!pPage || !pPage->m_list.GetSafeHwnd()) return 0;
    FillOrNote(pPage->m_list, [&] { return FillAllLinesPage(pPage->m_list, m_load); });
    return 0;
}

void CCorvaneDlg::ShowCrawlerPage(int nPage)
{
    if (!m_bLoaded) return;
    CSDlg* pPage = CrawlerPage(nPage);
    if (!pPage || !pPage->m_list.GetSafeHwnd()) return;
    EmptyPage(pPage->m_list);
    try {
        // The token's copy may find no memory either.
        ShowCrawler(pPage, CrawlerToken(nPage));
    } catch (CException* e) {
        e->Delete();
        m_bFillFailed = TRUE;
    }
}

void CCorvaneDlg::ShowCrawler(CSDlg* pPage, CString strToken)
{
    FillOrNote(pPage->m_list, [&] { return FillCrawlerPage(pPage->m_list, m_load, strToken); });
}

LRESULT CCorvaneDlg::OnShowBaidu(WPARAM, LPARAM)
{
    ShowCrawlerPage(1);
    return 0;
}

LRESULT CCorvaneDlg::OnShowGoogle(WPARAM, LPARAM)
{
    ShowCrawlerPage(2);
    return 0;
}

LRESULT CCorvaneDlg::OnShowYoudao(WPARAM, LPARAM)
{
    ShowCrawlerPage(3);
    return 0;
}

LRESULT CCorvaneDlg::OnShowSoso(WPARAM, LPARAM)
{
    ShowCrawlerPage(4);
    return 0;
}

LRESULT CCorvaneDlg::OnShowSogou(WPARAM, LPARAM)
{
    ShowCrawlerPage(5);
    return 0;
}

LRESULT CCorvaneDlg::OnShowBing(WPARAM, LPARAM)
{
    ShowCrawlerPage(6);
    return 0;
}
