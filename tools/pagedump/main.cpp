// corvane-pagedump [--tabs] LOGFILE: opens LOGFILE in Corvane's main dialog on
// the headless desktop the way a user does ("打开...", the file name typed into
// the open-file dialog, Enter) and prints every row of the seven pages. With
// --tabs it then chooses tabs 1 to 6 and 0 by clicking them and prints what
// each page shows after its own click instead.
#include "app/CorvaneDlg.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "platform/base/CodePage.h"
#include "tools/pagedump/AppDriver.h"
#include "tools/pagedump/PageDump.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

using corvane::tools::AppDriver;
using corvane::tools::OpenThroughDialog;

constexpr const char* kTool = "corvane-pagedump";
constexpr int kPages = CCorvaneDlg::kPageCount;
// The order the tabs are chosen in with --tabs.
constexpr std::array<int, kPages> kTabOrder = {1, 2, 3, 4, 5, 6, 0};

int Usage(std::FILE* to, int code)
{
    std::fprintf(to,
                 "usage: %s [--tabs] LOGFILE\n"
                 "Opens LOGFILE in Corvane's main window on a headless desktop and prints every row\n"
                 "of the seven pages, one line a row: page, row (from 0), the row's background colour\n"
                 "(0xBBGGRR, or - for none) and the cells, tab-separated, with \\\\, \\t, \\r, \\n\n"
                 "escaped. --tabs: print what each page shows after its tab is clicked instead.\n",
                 kTool);
    return code;
}

const CListCtrlCl& PageList(const CCorvaneDlg& dlg, int page)
{
    if (page == 0) return dlg.AllLinesPage()->m_list;
    return dlg.CrawlerPage(page)->m_list;
}

class PageDump {
public:
    PageDump(AppDriver& driver, const std::string& cp936Path, bool tabs)
        : m_driver(driver), m_open(driver, cp936Path, kTool), m_tabs(tabs)
    {
    }

    // The script, one idle turn at a time: true when it gave input.
    bool Idle()
    {
        if (!m_started) {
            corvane::tools::ReportExceptionsAs(kTool);
            m_started = true;
        }
        switch (m_phase) {
        case Phase::Open:
            if (m_open.Step()) return true;
            // Still reading (a pipe, a big file): wait for the next turn.
            if (m_open.GetState() == OpenThroughDialog::State::Running) return false;
            if (m_open.GetState() != OpenThroughDialog::State::Loaded) return Finish(1);
            if (!m_tabs) {
                for (int p = 0; p < kPages; ++p)
                    if (!Capture(p)) return Finish(1);
                return Finish(0);
            }
            return ClickNextTab();
        case Phase::Slide: {
            int page = kTabOrder[m_nextTab];
            if (m_driver.Dialog() == nullptr) return Fail("the main window is gone");
            if (m_driver.Dialog()->m_tab.GetCurSel() != page)
                return Fail("tab " + std::to_string(page) + " was not chosen");
            // The page slides in on a timer: let it run until the page rests.
            if (!m_driver.PageAtRest(page)) return false;
            if (!Capture(page)) return Finish(1);
            ++m_nextTab;
            if (m_nextTab < kTabOrder.size()) return ClickNextTab();
            return Finish(0);
        }
        case Phase::Closing: return false;
        }
        return false;
    }

    bool Done() const { return m_phase == Phase::Closing; }
    int Code() const { return m_code; }

    // Everything captured, pages in order 0 to 6.
    bool Write() const
    {
        for (const std::string& page : m_pages)
            if (!page.empty() && std::fwrite(page.data(), 1, page.size(), stdout) != page.size()) return false;
        return std::fflush(stdout) == 0;
    }

private:
    enum class Phase { Open, Slide, Closing };

    bool Capture(int page)
    {
        std::string why = "the main window is gone";
        m_pages[page].clear();
        if (m_driver.Dialog() != nullptr &&
            corvane::tools::AppendPage(m_pages[page], page, PageList(*m_driver.Dialog(), page), why))
            return true;
        std::fprintf(stderr, "%s: %s\n", kTool, why.c_str());
        return false;
    }

    bool ClickNextTab()
    {
        int page = kTabOrder[m_nextTab];
        if (!m_driver.ClickTab(page)) return Fail("the main dialog has no tab " + std::to_string(page));
        m_phase = Phase::Slide;
        return true;
    }

    bool Fail(const std::string& why)
    {
        std::fprintf(stderr, "%s: %s\n", kTool, why.c_str());
        return Finish(1);
    }

    bool Finish(int code)
    {
        m_code = code;
        m_phase = Phase::Closing;
        m_driver.CloseMain();
        return true;
    }

    AppDriver& m_driver;
    OpenThroughDialog m_open;
    bool m_tabs;
    bool m_started = false;
    Phase m_phase = Phase::Open;
    std::size_t m_nextTab = 0;
    int m_code = 1;
    std::array<std::string, kPages> m_pages;
};

} // namespace

int main(int argc, char** argv)
{
    bool tabs = false;
    const char* path = nullptr;
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (options && std::strcmp(a, "--") == 0) {
            options = false;
        } else if (options && std::strcmp(a, "--tabs") == 0) {
            tabs = true;
        } else if (options && (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0)) {
            return Usage(stdout, 0);
        } else if ((options && a[0] == '-') || path != nullptr || a[0] == '\0') {
            return Usage(stderr, 2);
        } else {
            path = a;
        }
    }
    if (path == nullptr) return Usage(stderr, 2);

    AppDriver driver;
    // File names on Linux are UTF-8; the dialog's name box takes code page 936.
    PageDump dump(driver, Utf8ToCp936(path), tabs);
    driver.Run(kTool, [&dump] { return dump.Idle(); });
    // A failure the program reported leaves its pages incomplete: nothing of them is trusted.
    if (driver.Failed() || corvane::tools::ExceptionsReported()) return 1;
    if (!dump.Done()) {
        std::fprintf(stderr, "%s: the program stopped before the pages were read\n", kTool);
        return 1;
    }
    // Nothing half-done goes to standard output.
    if (dump.Code() != 0) return dump.Code();
    if (!dump.Write()) {
        std::fprintf(stderr, "%s: could not write to standard output\n", kTool);
        return 1;
    }
    return dump.Code();
}
