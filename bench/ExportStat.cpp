// corvane_exportstat: one load of a file, then each page written as CSV into
// a folder the way `corvane --export` writes it, with the time of each step.
//   corvane_exportstat FILE FOLDER
#include "analysis/CsvExport.h"
#include "analysis/LogLoad.h"
#include "analysis/PageFillRows.h"
#include "bench/BenchMeasure.h"
#include "controls/ListRowsCsv.h"
#include "pages/PageColumns.h"
#include "platform/base/Exception.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/stat.h>

using corvane::bench::Seconds;

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: corvane_exportstat FILE FOLDER\n");
        return 2;
    }
    auto t0 = std::chrono::steady_clock::now();
    LogLoad load;
    try {
        LogLoad fresh = LoadLogFile(argv[1]);
        load.Swap(fresh);
    } catch (CException* e) {
        e->Delete();
        std::fprintf(stderr, "corvane_exportstat: cannot load %s\n", argv[1]);
        return 1;
    }
    std::printf("load %.3f s, %zu records\n", Seconds(t0), load.records.GetCount());
    ::mkdir(argv[2], 0777);
    auto tAll = std::chrono::steady_clock::now();
    for (int p = 0; p < 7; ++p) {
        auto t = std::chrono::steady_clock::now();
        std::vector<std::string_view> titles;
        std::unique_ptr<CListRowSource> rows;
        std::size_t n = 0;
        if (p == 0) {
            titles.assign(std::begin(kAllLinesTitles), std::end(kAllLinesTitles));
            rows = std::make_unique<CAllLinesRows>(load);
            n = load.records.GetCount();
        } else {
            for (const PageColumn& column : kCrawlerColumns)
                titles.emplace_back(column.pszTitle);
            rows = std::make_unique<CCrawlerRows>(load, &load.crawlerRecords[p - 1]);
            n = load.crawlerRecords[p - 1].size();
        }
        std::string path = std::string(argv[2]) + "/" + kPageExportNames[p] + ".csv";
        CAtomicFileWriter file;
        if (int error = file.Open(path.c_str())) {
            std::fprintf(stderr, "%s\n", FileErrorText(path.c_str(), error).c_str());
            return 1;
        }
        CCsvWriter out(file.Fd());
        WriteRowsCsv(out, titles, *rows, AllListRows(static_cast<int>(n)));
        int error = out.Flush() ? file.Commit() : out.Error();
        if (error) {
            std::fprintf(stderr, "%s\n", FileErrorText(path.c_str(), error).c_str());
            return 1;
        }
        std::printf("%-7s %9zu rows %.3f s\n", kPageExportNames[p], n, Seconds(t));
    }
    std::printf("seven pages %.3f s\n", Seconds(tAll));
    return 0;
}
