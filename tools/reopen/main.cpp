// corvane-reopen FIRST SECOND: opens FIRST in Corvane's main window on the
// headless desktop, then SECOND, and prints what the window then shows: the
// path box, each page's row count and the all-lines page's first rows. Run with
// too little memory for SECOND, it shows whether SECOND came whole or FIRST
// stayed exactly as it was. Exit status 3 when FIRST itself did not load.
#include "app/CorvaneDlg.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "tools/pagedump/AppDriver.h"

#include <cstdio>
#include <string>

namespace {

using corvane::tools::AppDriver;

constexpr const char* kTool = "corvane-reopen";
constexpr int kShownRows = 3;

CListCtrlCl& PageList(CCorvaneDlg& dlg, int page)
{
    if (page == 0) return dlg.AllLinesPage()->m_list;
    return dlg.CrawlerPage(page)->m_list;
}

std::string Describe(CCorvaneDlg& dlg)
{
    CString path;
    dlg.m_editPath.GetWindowText(path);
    std::string out = "path\t" + std::string(path.GetString()) + "\n";
    for (int p = 0; p < CCorvaneDlg::kPageCount; ++p)
        out += "page " + std::to_string(p) + "\t" + std::to_string(PageList(dlg, p).GetItemCount()) + "\n";
    CListCtrlCl& all = PageList(dlg, 0);
    for (int r = 0; r < kShownRows && r < all.GetItemCount(); ++r)
        out += std::string(all.GetItemText(r, 0).GetString()) + "\t" + all.GetItemText(r, 1).GetString() + "\n";
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FIRST SECOND\n", kTool);
        return 2;
    }
    const std::string first = argv[1];
    const std::string second = argv[2];
    enum class Phase { OpenFirst, OpenSecond, Print, Done } phase = Phase::OpenFirst;
    bool started = false;
    bool busy = false; // an open runs: its own loops call the step again
    int code = 0;
    std::string shown;

    AppDriver driver;
    driver.Run(kTool, [&] {
        if (!started) {
            corvane::tools::ReportExceptionsAs(kTool);
            started = true;
        }
        CCorvaneDlg* dlg = driver.Dialog();
        if (dlg == nullptr) return false;
        HWND active = ::GetActiveWindow();
        if (active != nullptr && active != dlg->m_hWnd) {
            // A report (its text went to stderr): the user reads it and goes on.
            driver.Key(VK_RETURN);
            return true;
        }
        if (busy) return false;
        switch (phase) {
        case Phase::OpenFirst:
            busy = true;
            if (!dlg->OpenLogFile(first.c_str())) code = 3;
            busy = false;
            phase = code ? Phase::Done : Phase::OpenSecond;
            if (code) driver.CloseMain();
            return true;
        case Phase::OpenSecond:
            busy = true;
            dlg->OpenLogFile(second.c_str());
            busy = false;
            phase = Phase::Print;
            return true;
        case Phase::Print:
            shown = Describe(*dlg);
            phase = Phase::Done;
            driver.CloseMain();
            return true;
        case Phase::Done: return false;
        }
        return false;
    });
    // Too little memory for the first log, even to tell of it.
    if (code || phase == Phase::OpenFirst) return 3;
    if (driver.Failed()) return 1;
    if (driver.Stalled() || phase != Phase::Done) {
        std::fprintf(stderr, "%s: the window closed before it was done\n", kTool);
        return 1;
    }
    std::fputs(shown.c_str(), stdout);
    return 0;
}
