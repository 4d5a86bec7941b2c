// Crawler selection, and the entries cut from the selected lines.
#include "analysis/CrawlerEntries.h"
#include "analysis/LogLoad.h"
#include "tests/analysis/CompareWithReference.h"

#include <gtest/gtest.h>

#include <string>

namespace {

LogLoad Load(const std::string& text) { return SplitLogText(Cs(text)); }

std::vector<std::string> Lines(const std::vector<LogEntry>& entries)
{
    std::vector<std::string> out;
    for (const LogEntry& e : entries) out.push_back(Str(e.line));
    return out;
}

TEST(CrawlerEntries, SelectionRules)
{
    const std::string text = "header - - 0\n"
                             "Googlebot - - at offset 0 only\n"
                             "1 - - googlebot in lower case\n"
                             "2 - - Googlebot and bingbot\n"
                             "\n"
                             "3 - - xGooglebot\n"
                             "4 - - Googlebo\n"
                             "5 - - end\n"
                             "6 - - the last line\n";
    LogLoad load = Load(text);
    ASSERT_EQ(load.nRecords, 9u);
    std::vector<LogEntry> google = CollectCrawlerEntries(load.records, load.nRecords, "Googlebot");
    EXPECT_EQ(Lines(google), (std::vector<std::string>{"2 - - Googlebot and bingbot", "3 - - xGooglebot"}));
    std::vector<LogEntry> bing = CollectCrawlerEntries(load.records, load.nRecords, "bingbot");
    EXPECT_EQ(Lines(bing), (std::vector<std::string>{"2 - - Googlebot and bingbot"}));
    // The empty record is never selected, even by a token that is found anywhere.
    std::vector<LogEntry> any = CollectCrawlerEntries(load.records, load.nRecords, " ");
    EXPECT_EQ(any.size(), 8u);
    // A count past the table is clamped; a smaller one limits the selection.
    EXPECT_EQ(CollectCrawlerEntries(load.records, 1000, "Googlebot").size(), 2u);
    EXPECT_EQ(CollectCrawlerEntries(load.records, 2, "Googlebot").size(), 0u);
    EXPECT_TRUE(CollectCrawlerEntries(load.records, load.nRecords, "Sosospider").empty());
}

TEST(CrawlerEntries, PoolHoldsEveryMatchInFileOrder)
{
    std::string text = "first - - line\n";
    for (int i = 0; i < 3000; ++i)
        text += "203.0.113." + std::to_string(i % 250) + " - - [01/Feb/2021:10:00:00 -0500] \"GET /p" +
                std::to_string(i) + " HTTP/1.1\" " + (i % 3 ? "200" : "404") + " " + std::to_string(i) +
                " \"-\" \"Sogou web spider/4.0\"\n";
    text += "last - - line\n";
    LogLoad load = Load(text);
    std::vector<LogEntry> sogou = CollectCrawlerEntries(load.records, load.nRecords, kCrawlerTokens[4]);
    ASSERT_EQ(sogou.size(), 3000u);
    EXPECT_EQ(Str(sogou[0].url), "  /p0 ");
    EXPECT_EQ(Str(sogou[0].status), " 404");
    EXPECT_EQ(Str(sogou[2999].url), "  /p2999 ");
    EXPECT_EQ(Str(sogou[2999].bytes), " 2999");
    EXPECT_EQ(Str(sogou[1024].status), " 200");
    EXPECT_TRUE(SameEntries(sogou, reflog::Crawler(reflog::LoadBytes(text), "Sogou web spider")));
}

} // namespace
