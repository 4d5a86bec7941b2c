// Opening a log in the real main window on the headless desktop: the load
// and the seven page fills, then each page's refill, with peak resident
// memory. Prints wall and CPU seconds.
//   corvane_bench_open LOGFILE [opens]
#include "app/CorvaneDlg.h"
#include "bench/BenchMeasure.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/system/window/Desktop.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

using corvane::bench::Clock;
using corvane::bench::CpuSeconds;
using corvane::bench::PeakMiB;
using corvane::bench::Seconds;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s LOGFILE [opens]\n", argv[0]);
        return 2;
    }
    const int opens = argc > 2 ? std::atoi(argv[2]) : 1;
    display::HeadlessBackend screen(1280, 1024);
    sys::SetBackend(&screen);
    RegisterCorvaneResources();
    {
        auto dlg = std::make_unique<CCorvaneDlg>();
        if (!dlg->Create(IDD_CORVANE_DIALOG)) return 1;
        for (int i = 0; i < opens; ++i) {
            auto t0 = Clock::now();
            double c0 = CpuSeconds();
            if (!dlg->OpenLogFile(argv[1])) return 1;
            std::printf("open %d          %.3f s (%.3f s CPU), %zu records, peak RSS %.0f MiB\n", i + 1, Seconds(t0),
                        CpuSeconds() - c0, dlg->m_load.nRecords, PeakMiB());
        }
        for (int page = 0; page < CCorvaneDlg::kPageCount; ++page) {
            auto t0 = Clock::now();
            dlg->SendMessage(WM_USER + 1 + page, 0, 0);
            CListCtrlCl& list = page == 0 ? dlg->AllLinesPage()->m_list : dlg->CrawlerPage(page)->m_list;
            std::printf("refill page %d   %.4f s, %d rows\n", page, Seconds(t0), list.GetItemCount());
        }
        // Select all and copy, as Ctrl+A and Ctrl+C do, on the biggest crawler page
        // and on the all-lines page (refused past the clipboard's limit).
        for (int page : {2, 0}) {
            CListCtrlCl& list = page == 0 ? dlg->AllLinesPage()->m_list : dlg->CrawlerPage(page)->m_list;
            auto t0 = Clock::now();
            list.SelectAllRows();
            double select = Seconds(t0);
            t0 = Clock::now();
            BOOL copied = list.CopySelectedRows();
            std::printf("page %d: select %.3f s, copy %d rows %.3f s (%s)\n", page, select, list.GetSelectedCount(),
                        Seconds(t0), copied ? "copied" : "refused");
        }
        std::printf("peak RSS        %.0f MiB\n", PeakMiB());
        dlg->DestroyWindow();
    }
    sys::SetBackend(nullptr);
    return 0;
}
