// corvane_loadstat: one load of a file in a fresh process, with its time, its
// peak memory and what it allocated, then selection and extraction per token.
//   corvane_loadstat FILE
#include "analysis/CrawlerEntries.h"
#include "analysis/LogLoad.h"
#include "bench/BenchMeasure.h"
#include "platform/base/Exception.h"

#include <chrono>
#include <cstdio>

using corvane::bench::PeakMiB;
using corvane::bench::Seconds;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: corvane_loadstat FILE\n");
        return 2;
    }
    const double baseMiB = PeakMiB();
    auto t0 = std::chrono::steady_clock::now();
    LogLoad load;
    try {
        LogLoad fresh = LoadLogFile(argv[1]);
        load.Swap(fresh);
    } catch (CException* e) {
        std::fprintf(stderr, "load failed: %s\n", e->GetErrorText().GetString());
        e->Delete();
        return 1;
    }
    const double loadSeconds = Seconds(t0);
    const double text = static_cast<double>(load.strText.GetLength());

    // What the load holds: the text and a start offset per record.
    const std::size_t arenaBytes = 0;
    const double recordBytes = static_cast<double>(load.nRecords) * sizeof(std::uint64_t);
    const double mib = 1024.0 * 1024.0;
    std::printf("file            %s\n", argv[1]);
    std::printf("text            %.1f MiB\n", text / mib);
    std::printf("markers         %zu\n", load.nMarkers);
    std::printf("records         %zu\n", load.nRecords);
    std::printf("load            %.3f s\n", loadSeconds);
    std::printf("peak RSS        %.1f MiB (%.2fx the text; %.1f MiB before the load)\n", PeakMiB(),
                PeakMiB() / (text / mib), baseMiB);
    std::printf("held            text %.1f + record texts %.1f + records %.1f MiB\n", text / mib, arenaBytes / mib,
                recordBytes / mib);

    for (const char* token : kCrawlerTokens) {
        auto ts = std::chrono::steady_clock::now();
        std::vector<LogEntry> selected;
        SelectLogEntries(load.records, load.nRecords, token, selected);
        const double selectSeconds = Seconds(ts);
        auto te = std::chrono::steady_clock::now();
        std::vector<LogEntry> entries = CollectCrawlerEntries(load.records, load.nRecords, token);
        const double bothSeconds = Seconds(te);
        std::printf("%-18s %9zu lines  select %.3f s  select+extract %.3f s\n", token, entries.size(), selectSeconds,
                    bothSeconds);
    }
    std::printf("peak RSS after  %.1f MiB\n", PeakMiB());
    return 0;
}
