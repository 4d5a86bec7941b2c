// Crawler selection and the fields cut from a line.
#include "analysis/CrawlerEntries.h"
#include "analysis/LogLoad.h"
#include "tests/analysis/CompareWithReference.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Fields {
    std::string ip, time, url, http, status, bytes;
};

Fields Cut(const std::string& line)
{
    LogEntry e;
    e.line = Cs(line);
    e.Extract();
    return {Str(e.ip), Str(e.time), Str(e.url), Str(e.http), Str(e.status), Str(e.bytes)};
}

void ExpectFields(const std::string& line, const Fields& want)
{
    SCOPED_TRACE(line);
    Fields got = Cut(line);
    EXPECT_EQ(got.ip, want.ip);
    EXPECT_EQ(got.time, want.time);
    EXPECT_EQ(got.url, want.url);
    EXPECT_EQ(got.http, want.http);
    EXPECT_EQ(got.status, want.status);
    EXPECT_EQ(got.bytes, want.bytes);
    // The arena path gives the same bytes as plain strings.
    CStringArena arena(4096);
    LogEntry e;
    e.line = Cs(line);
    e.Extract(&arena);
    EXPECT_EQ(Str(e.url), want.url);
    EXPECT_EQ(Str(e.bytes), want.bytes);
}

const std::string kCombined = "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /index.html HTTP/1.1\" 200 2326 \"-\" "
                              "\"Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)\"";

TEST(LogEntry, CombinedLineAndEachMissingAnchor)
{
    ExpectFields(kCombined,
                 {" 192.0.2.1", " 10/Oct/2011:13:55:36", "  /index.html ", " HTTP/1.1", " 200", " 2326"});

    // A positive zone: no space-hyphen after the bracket, so the time is empty.
    std::string east = kCombined;
    east.replace(east.find("-0700"), 5, "+0800");
    EXPECT_EQ(Cut(east).time, " ");

    // A size written as a hyphen.
    std::string notModified = "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /a HTTP/1.1\" 304 - \"-\" \"bingbot\"";
    EXPECT_EQ(Cut(notModified).bytes, " ");
    EXPECT_EQ(Cut(notModified).status, " 304");

    // A referrer URL with a hyphen: the size runs into the referrer and stops
    // two characters before that hyphen.
    std::string referrer = "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /a HTTP/1.1\" 200 512 "
                           "\"http://my-site.example/\" \"Googlebot\"";
    EXPECT_EQ(Cut(referrer).bytes, " 512 \"http://");

    // No GET anywhere: the url runs from offset 2 to the first HTTP.
    std::string post = "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"POST /form HTTP/1.0\" 200 5 \"-\" \"x\"";
    EXPECT_EQ(Cut(post).url, " " + post.substr(2, post.find("HTTP") - 2));
    EXPECT_EQ(Cut(post).http, " HTTP/1.0");

    // No HTTP: protocol, status and size come from the line's start.
    std::string bare = "198.51.100.7 - - [01/Jan/2020:00:00:00 -0000] \"GET /\" 400 0";
    Fields noHttp = Cut(bare);
    EXPECT_EQ(noHttp.http, " 198.51.1");
    EXPECT_EQ(noHttp.status, " " + bare.substr(9, 3));
    EXPECT_EQ(noHttp.bytes, " "); // its first hyphen is at offset 13
    EXPECT_EQ(noHttp.url, " "); // a GET but no HTTP after it
    ExpectFields("abcdefghijklmnopqrstuvwxyz-tail",
                 {" ", " ", " ", " abcdefgh", " jkl", " nopqrstuvwx"});
    EXPECT_EQ(Cut("ab HTTP").bytes, " "); // nothing left after the cut

    // No marker: the address is empty.
    std::string noMarker = "192.0.2.1 [10/Oct/2011:13:55:36 -0700] \"GET / HTTP/1.1\" 200 1 \"-\" \"x\"";
    EXPECT_EQ(Cut(noMarker).ip, " ");

    // Nothing at all.
    ExpectFields("", {" ", " ", " ", " ", " ", " "});
}

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
