// The fast load, selection and extraction against the reference reading, on
// random and adversarial texts.
#include "analysis/CrawlerEntries.h"
#include "analysis/LogLoad.h"
#include "tests/analysis/CompareWithReference.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

// Pieces that the rules look for, mixed with noise: markers and their
// fragments, line ends, CR, NUL, brackets, quotes (escaped too), statuses,
// protocols and the crawler tokens.
const std::vector<std::string> kPieces = {
    " - - ", " - - - ", " -", "- ", "-", " ", "\n", "\n\n", "\r\n", "\r", std::string(1, '\0'), "[", "]",
    "GET", "GE", "HTTP", "HTTP/1.1\" ", "HTT", "\"", "200", "404", "Googlebot", "bingbot", "Baiduspider",
    "Sogou web spider", "Sosospider", "YoudaoFeedFetcher", "googlebot", "x", "192.0.2.1", "\xB0\xD9", "+0800",
    "\\\"", "\" 200 ", "HTTP/2.0", "\t",
};

std::string RandomText(std::mt19937& rng, std::size_t pieces)
{
    std::string s;
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> coin(0, 9);
    for (std::size_t i = 0; i < pieces; ++i) {
        if (coin(rng) == 0) s += static_cast<char>(byte(rng));
        else s += kPieces[pick(rng)];
    }
    return s;
}

std::string PlausibleLine(std::mt19937& rng)
{
    std::uniform_int_distribution<int> d(0, 99);
    std::string line = "198.51.100." + std::to_string(d(rng));
    if (d(rng) > 5) line += " - - ";
    else line += " ";
    line += "[0" + std::to_string(d(rng) % 9 + 1) + "/Mar/2022:0" + std::to_string(d(rng) % 10) + ":00:00 ";
    line += d(rng) < 70 ? "-0700]" : "+0800]";
    const char* methods[] = {"GET", "POST", "HEAD", "GET", "GET"};
    line += " \"" + std::string(methods[d(rng) % 5]) + " /p-" + std::to_string(d(rng));
    if (d(rng) > 5) line += " HTTP/1.1";
    line += "\" ";
    const char* statuses[] = {"200", "404", "301", "304", "500"};
    line += statuses[d(rng) % 5];
    line += d(rng) < 20 ? " -" : " " + std::to_string(d(rng) * 37);
    line += d(rng) < 50 ? " \"-\"" : " \"http://a-b.example/x-y\"";
    line += " \"Mozilla/5.0 (compatible; " + std::string(kCrawlerTokens[d(rng) % 6]) + "/2.1)\"";
    if (d(rng) < 10) line += "\r";
    return line;
}

void CheckAgainstReference(const std::string& bytes, const std::string& extraToken)
{
    reflog::Load want = reflog::LoadBytes(bytes);
    LogLoad got = SplitLogText(Cs(bytes));
    ASSERT_TRUE(SameLoad(got, want));
    for (const char* token : kCrawlerTokens)
        ASSERT_TRUE(SameEntries(CollectCrawlerEntries(got.records, got.nRecords, token), reflog::Crawler(want, token)))
            << token;
    ASSERT_TRUE(SameEntries(CollectCrawlerEntries(got.records, got.nRecords, Cs(extraToken)),
                            reflog::Crawler(want, extraToken)))
        << extraToken;
}

TEST(Differential, RandomPiecesOfEveryAnchor)
{
    std::mt19937 rng(20240601);
    std::uniform_int_distribution<std::size_t> size(0, 400);
    const char* tokens[] = {"-", " - - ", "\r", "HTTP", "GET", "a", "--", " "};
    for (int round = 0; round < 1500; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        CheckAgainstReference(RandomText(rng, size(rng)), tokens[round % 8]);
        if (HasFatalFailure()) return;
    }
}

TEST(Differential, PlausibleLogsWithOddLines)
{
    std::mt19937 rng(77);
    std::uniform_int_distribution<int> d(0, 99);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string text;
        int lines = d(rng) * 3;
        for (int i = 0; i < lines; ++i) {
            text += d(rng) < 4 ? RandomText(rng, 6) : PlausibleLine(rng);
            if (d(rng) > 1 || i + 1 < lines) text += "\n";
        }
        CheckAgainstReference(text, "HTTP/1.1");
        if (HasFatalFailure()) return;
    }
}

TEST(Differential, RunsOfMarkersLineEndsAndHyphens)
{
    // Dense runs stress the overlap rule and line ends next to each other.
    std::mt19937 rng(5);
    const std::vector<std::string> dense = {" ", "-", "\n", " - - ", "\r"};
    std::uniform_int_distribution<std::size_t> pick(0, dense.size() - 1);
    for (int round = 0; round < 800; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string text;
        for (int i = 0; i < round % 97; ++i) text += dense[pick(rng)];
        CheckAgainstReference(text, "- -");
        if (HasFatalFailure()) return;
    }
}

TEST(Differential, FileLoadsMatchTheReference)
{
    std::mt19937 rng(99);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string bytes;
        for (int i = 0; i < round * 5; ++i) bytes += (round % 4 == 0 ? RandomText(rng, 20) : PlausibleLine(rng)) + "\n";
        std::string path = corvane::test::WriteScratchFile("diff" + std::to_string(round) + ".log", bytes);
        ASSERT_TRUE(SameLoad(LoadLogFile(path.c_str()), reflog::LoadBytes(bytes)));
    }
}

} // namespace
