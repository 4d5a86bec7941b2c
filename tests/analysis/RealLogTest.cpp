// Whole logs from disk: the project's sample and, where present, public
// real-world logs, each held to the reference reading.
#include "analysis/CrawlerEntries.h"
#include "analysis/LogFields.h"
#include "analysis/LogLoad.h"
#include "tests/analysis/CompareWithReference.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void CheckFile(const std::string& path)
{
    SCOPED_TRACE(path);
    const std::string bytes = ReadAll(path);
    const reflog::Load want = reflog::LoadBytes(bytes);
    const LogLoad got = LoadLogFile(path.c_str());
    ASSERT_TRUE(SameLoad(got, want));
    for (const char* token : kCrawlerTokens)
        EXPECT_TRUE(SameEntries(CollectCrawlerEntries(got.records, got.nRecords, token), reflog::Crawler(want, token)))
            << token;
}

TEST(RealLogs, SampleLogShowsEveryCrawlerAndStatus)
{
    const std::string path = corvane::test::SourceDir() + "/samples/access.log";
    CheckFile(path);
    const LogLoad load = LoadLogFile(path.c_str());
    EXPECT_GE(load.nRecords, 190u);
    std::map<std::string, int> statuses;
    for (const char* token : kCrawlerTokens) {
        std::vector<LogEntry> entries = CollectCrawlerEntries(load.records, load.nRecords, token);
        EXPECT_GE(entries.size(), 5u) << token;
        for (const LogEntry& e : entries) ++statuses[Str(e.status)];
    }
    EXPECT_GT(statuses[" 200"], 0);
    EXPECT_GT(statuses[" 404"], 0);
    EXPECT_GT(statuses.size(), 3u);
}

TEST(RealLogs, PublicLogsMatchTheReference)
{
    const std::filesystem::path dir = "/work/shared/realdata";
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real logs on this machine";
    int files = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
        if (item.path().extension() != ".log") continue;
        CheckFile(item.path().string());
        ++files;
    }
    EXPECT_GT(files, 0);
}

TEST(RealLogs, PublicCrawlerLinesLoseOnlySizesWrittenAsHyphens)
{
    const std::filesystem::path dir = "/work/shared/realdata";
    if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real logs on this machine";
    std::size_t crawlerLines = 0;
    for (const auto& item : std::filesystem::directory_iterator(dir)) {
        if (item.path().extension() != ".log") continue;
        const std::string text = ReadAll(item.path().string());
        for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
            end = std::min(text.find('\n', at), text.size());
            const std::string line = text.substr(at, end - at);
            bool crawler = false;
            for (const char* token : kCrawlerTokens) crawler = crawler || line.find(token, 1) != std::string::npos;
            if (!crawler) continue;
            ++crawlerLines;
            LogFieldSpans spans;
            CutLogFields(line.data(), static_cast<std::ptrdiff_t>(line.size()), spans);
            EXPECT_TRUE(spans.time.length > 0 && spans.url.length > 0 && spans.http.length > 0 &&
                        spans.status.length == 3)
                << line;
            const bool hyphen = line.compare(spans.status.start + 3, 3, " - ") == 0;
            EXPECT_EQ(spans.bytes.length == 0, hyphen) << line;
        }
    }
    EXPECT_GT(crawlerLines, 0u);
}

} // namespace
