// The result pages at scale, on the headless desktop: the all-lines page
// filled from millions of records, a crawler page filled from its selected
// lines, and one screen of a crawler list painted while
// it holds cell colours for ten million rows. Prints wall times.
//   corvane_bench_pages [all-lines records] [coloured rows]
// The log comes from CORVANE_BENCH_LOG when set, else it is generated.
#include "analysis/PageFill.h"
#include "bench/LogGenerator.h"
#include "pages/FDlg.h"
#include "pages/SDlg.h"
#include "platform/display/HeadlessBackend.h"
#include "platform/system/CommCtrl.h"
#include "platform/system/Windows.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/window/Desktop.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <ctime>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

// CPU time of this process: on a shared machine wall time also counts the waits for a core.
double CpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

long RssMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4096 / (1024 * 1024);
}

// A log with at least `records` records: the named file, or generated lines.
LogLoad MakeLoad(std::size_t records)
{
    if (const char* path = std::getenv("CORVANE_BENCH_LOG")) return LoadLogFile(path);
    std::string text;
    corvane::bench::LogLineGenerator gen(1);
    for (std::size_t i = 0; i < records + 1; ++i) gen.AppendLine(text);
    return SplitLogText(CString(text.data(), static_cast<std::ptrdiff_t>(text.size())));
}

// Paints the list's rows area once and reports the time and the rows drawn.
double PaintScreen(CListCtrlCl& list)
{
    auto start = Clock::now();
    list.InvalidateRect(nullptr, TRUE);
    list.UpdateWindow();
    sys::PumpUntilIdle();
    return Seconds(start) * 1000.0;
}

} // namespace

int main(int argc, char** argv)
{
    long allRecords = argc > 1 ? std::atol(argv[1]) : 5000000;
    long colouredRows = argc > 2 ? std::atol(argv[2]) : 10000000;
    if (allRecords <= 0 || colouredRows <= 0) {
        std::fprintf(stderr, "usage: corvane_bench_pages [records > 0] [coloured rows > 0]\n");
        return 2;
    }
    display::HeadlessBackend screen;
    sys::SetBackend(&screen);
    sys::RegisterListViewClasses();
    RegisterCorvaneResources();
    WNDCLASS wc{};
    wc.lpfnWndProc = &DefWindowProc;
    wc.lpszClassName = "PageBenchParent";
    RegisterClass(&wc);
    CWnd parent;
    parent.CreateEx(0, "PageBenchParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 280, nullptr, nullptr);
    CFDlg all;
    all.Create(IDD_FDLG, &parent);
    all.ShowWindow(SW_SHOW);
    CSDlg crawler;
    crawler.Create(IDD_SDLG, &parent);
    sys::PumpUntilIdle();

    auto start = Clock::now();
    LogLoad load = MakeLoad(static_cast<std::size_t>(allRecords));
    std::printf("log: %zu records, %.1f MiB (made in %.2f s)\n", load.nRecords,
                static_cast<double>(load.strText.GetLength()) / (1024.0 * 1024.0), Seconds(start));

    // The all-lines page, twice: the second fill also empties the first's rows.
    for (int round = 1; round <= 2; ++round) {
        long rss = RssMiB();
        start = Clock::now();
        double cpu = CpuSeconds();
        FillAllLinesPage(all.m_list, load);
        double fill = Seconds(start);
        cpu = CpuSeconds() - cpu;
        start = Clock::now();
        sys::PumpUntilIdle();
        std::printf("all-lines fill %d: %zu rows  %.3f s wall, %.3f s CPU  (%.0f ns a row CPU; first paint after it "
                    "%.1f ms; rss %+ld MiB)\n",
                    round, load.nRecords, fill, cpu, cpu * 1e9 / static_cast<double>(load.nRecords),
                    Seconds(start) * 1000.0, RssMiB() - rss);
    }
    all.m_list.DeleteAllItems();

    std::size_t nRecords = load.nRecords;
    crawler.ShowWindow(SW_SHOW);
    all.ShowWindow(SW_HIDE);
    // The whole view as its handler runs it: select, cut, fill, release.
    start = Clock::now();
    double cpu = CpuSeconds();
    FillCrawlerPage(crawler.m_list, load, "Googlebot");
    std::printf("crawler view, select + cut + fill over %zu records: %d lines  %.3f s wall, %.3f s CPU\n", nRecords,
                crawler.m_list.GetItemCount(), Seconds(start), CpuSeconds() - cpu);
    sys::PumpUntilIdle();
    all.DestroyWindow();
    load = LogLoad();

    // Ten million coloured rows, all seven cells, as crawler fills record them.
    CListCtrlCl& list = crawler.m_list;
    EmptyPage(list);
    double plain[3];
    {
        const CString id("12345"), ip(" 192.0.2.1"), time(" 10/Oct/2011:13:55:36"), url("  /index.html "),
            http(" HTTP/1.1"), status(" 200"), bytes(" 2326");
        start = Clock::now();
        for (long row = 0; row < colouredRows; ++row) {
            list.InsertItem(0, id);
            list.SetItemText(0, 1, ip);
            list.SetItemText(0, 2, time);
            list.SetItemText(0, 3, url);
            list.SetItemText(0, 4, http);
            list.SetItemText(0, 5, status);
            list.SetItemText(0, 6, bytes);
        }
        std::printf("rows for the paint test: %ld rows in %.2f s\n", colouredRows, Seconds(start));
        sys::PumpUntilIdle();
        int at[3] = {0, static_cast<int>(colouredRows / 2), static_cast<int>(colouredRows - 1)};
        for (int i = 0; i < 3; ++i) {
            list.EnsureVisible(at[i], FALSE);
            sys::PumpUntilIdle();
            plain[i] = 1e9;
            for (int k = 0; k < 5; ++k) plain[i] = std::min(plain[i], PaintScreen(list));
        }
    }
    long rss = RssMiB();
    start = Clock::now();
    cpu = CpuSeconds();
    for (long row = 0; row < colouredRows; ++row) {
        COLORREF clr = StatusColor(row % 3 == 0 ? " 200" : row % 3 == 1 ? " 404" : " 301");
        for (int c = 0; c <= 6; ++c) list.SetCellBackColor(c, static_cast<int>(row), clr);
    }
    std::printf("cell colours: %zu recorded in %.2f s wall, %.2f s CPU (rss %+ld MiB)\n", list.GetCellColorCount(),
                Seconds(start), CpuSeconds() - cpu, RssMiB() - rss);
    const char* names[3] = {"top", "middle", "end"};
    int at[3] = {0, static_cast<int>(colouredRows / 2), static_cast<int>(colouredRows - 1)};
    for (int i = 0; i < 3; ++i) {
        list.EnsureVisible(at[i], FALSE);
        sys::PumpUntilIdle();
        double best = 1e9;
        for (int k = 0; k < 5; ++k) best = std::min(best, PaintScreen(list));
        std::printf("paint one screen at the %-6s %7.2f ms with colours (best of 5), %7.2f ms before any colour (best of 5); "
                    "top row %d, %d rows a page\n",
                    names[i], best, plain[i], list.GetTopIndex(), list.GetCountPerPage());
    }
    start = Clock::now();
    EmptyPage(list);
    std::printf("empty the page (rows and colours): %.3f s\n", Seconds(start));
    crawler.DestroyWindow();
    parent.DestroyWindow();
    sys::SetBackend(nullptr);
    return 0;
}
