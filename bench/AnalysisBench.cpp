// Load, selection and extraction on a large generated log (Google Benchmark).
//   CORVANE_BENCH_LOG=/path/to/log corvane_bench_analysis
#include "analysis/CrawlerEntries.h"
#include "analysis/LogLoad.h"
#include "bench/BenchLog.h"
#include "platform/base/ByteSearch.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const std::string& LogPath()
{
    static const std::string path = corvane::bench::BenchLogPath();
    return path;
}

// One load shared by the selection benchmarks.
const LogLoad& SharedLoad()
{
    static const std::unique_ptr<LogLoad> load = std::make_unique<LogLoad>(LoadLogFile(LogPath().c_str()));
    return *load;
}

void BM_LoadFile(benchmark::State& state)
{
    std::int64_t bytes = 0;
    for (auto _ : state) {
        LogLoad load = LoadLogFile(LogPath().c_str());
        bytes += load.strText.GetLength();
        benchmark::DoNotOptimize(load.nRecords);
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_LoadFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_CountMarkers(benchmark::State& state)
{
    const CString& text = SharedLoad().strText;
    for (auto _ : state) benchmark::DoNotOptimize(CountLogMarkers(text.GetString(), text.GetLength()));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * text.GetLength());
}
BENCHMARK(BM_CountMarkers)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SplitRecords(benchmark::State& state)
{
    const LogLoad& load = SharedLoad();
    for (auto _ : state) {
        RecordTable records;
        records.Build(load.strText);
        benchmark::DoNotOptimize(records.GetCount());
    }
}
BENCHMARK(BM_SplitRecords)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_Select(benchmark::State& state)
{
    const LogLoad& load = SharedLoad();
    const char* token = kCrawlerTokens[state.range(0)];
    std::vector<LogEntry> entries;
    for (auto _ : state) {
        SelectLogEntries(load.records, load.nRecords, token, entries);
        benchmark::DoNotOptimize(entries.data());
    }
    state.SetLabel(std::string(token) + " " + std::to_string(entries.size()) + " lines");
}
BENCHMARK(BM_Select)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SelectAndExtract(benchmark::State& state)
{
    const LogLoad& load = SharedLoad();
    const char* token = kCrawlerTokens[state.range(0)];
    std::size_t n = 0;
    for (auto _ : state) {
        std::vector<LogEntry> entries = CollectCrawlerEntries(load.records, load.nRecords, token);
        n = entries.size();
        benchmark::DoNotOptimize(entries.data());
    }
    state.SetLabel(std::string(token) + " " + std::to_string(n) + " lines");
}
BENCHMARK(BM_SelectAndExtract)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plain text scan a grep does, for comparison with per-record selection.
void BM_ScanTextForToken(benchmark::State& state)
{
    const CString& text = SharedLoad().strText;
    const char* token = "Googlebot";
    corvane::ByteFinder finder(token, 9);
    for (auto _ : state) {
        std::size_t hits = 0;
        for (std::ptrdiff_t at = finder.Find(text, text.GetLength(), 0); at >= 0;
             at = finder.Find(text, text.GetLength(), at + 1))
            ++hits;
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_ScanTextForToken)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
