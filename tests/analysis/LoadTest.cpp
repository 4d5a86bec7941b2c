// Loading: every line a record, NULs kept as spaces, markers counted, the
// crawlers' records found while reading, and the file read in pieces.
#include "analysis/LogLoad.h"
#include "analysis/PageFillRows.h"
#include "platform/base/Exception.h"
#include "tests/analysis/CompareWithReference.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace {

using corvane::test::WriteScratchFile;

struct Rec {
    long long start, end;
    std::string text;
};

::testing::AssertionResult HasRecords(const LogLoad& load, const std::vector<Rec>& want)
{
    if (load.nRecords != want.size() || load.records.GetCount() != want.size())
        return ::testing::AssertionFailure() << load.nRecords << " records, want " << want.size();
    for (std::size_t j = 1; j <= want.size(); ++j) {
        LogLine r = load.records[j];
        const Rec& w = want[j - 1];
        if (r.start != w.start || r.end != w.end || Str(r.Text()) != w.text)
            return ::testing::AssertionFailure() << "record " << j << ": " << r.start << "," << r.end << " \""
                                                 << Str(r.Text()) << "\"";
    }
    if (load.records[0].pText || load.records[want.size() + 1].pText)
        return ::testing::AssertionFailure() << "a record outside the table";
    return ::testing::AssertionSuccess();
}

TEST(LogLoad, EveryLineIsARecordFromTheFirst)
{
    struct Case {
        const char* name;
        std::string text;
        std::size_t markers;
        std::vector<Rec> records;
    };
    const std::vector<Case> cases = {
        {"three lines", "a - - x\nb - - y\nc - - z\n", 3, {{0, 7, "a - - x"}, {8, 15, "b - - y"}, {16, 23, "c - - z"}}},
        {"no final line end", "a - - x\nb - - y\nc - - z", 3, {{0, 7, "a - - x"}, {8, 15, "b - - y"}, {16, -1, "c - - z"}}},
        {"CR LF", "a - - x\r\nb\r\n", 1, {{0, 8, "a - - x\r"}, {9, 11, "b\r"}}},
        {"lines without the marker", "#Fields: x\na - - x\n# note\nb - - y\n", 2,
         {{0, 10, "#Fields: x"}, {11, 18, "a - - x"}, {19, 25, "# note"}, {26, 33, "b - - y"}}},
        {"empty lines in the middle", "a\n\n\nb\n", 0, {{0, 1, "a"}, {2, 2, ""}, {3, 3, ""}, {4, 5, "b"}}},
        {"a lone line end", "\n", 0, {{0, 0, ""}}},
        {"one line, no end", "x", 0, {{0, -1, "x"}}},
        {"empty", "", 0, {}},
        {"overlapping markers", "a - - - b\n", 2, {{0, 9, "a - - - b"}}},
        {"NULs become spaces", std::string("a\0b\n\0\0\nc - -\0x", 14), 1,
         {{0, 3, "a b"}, {4, 6, "  "}, {7, -1, "c - - x"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LogLoad load = SplitLogText(Cs(c.text));
        EXPECT_EQ(load.nMarkers, c.markers);
        EXPECT_TRUE(HasRecords(load, c.records));
        std::string clean = c.text;
        for (char& ch : clean)
            if (ch == '\0') ch = ' ';
        EXPECT_EQ(Str(load.strText), clean);
        // The file load reads the same bytes the same way.
        LogLoad file = LoadLogFile(WriteScratchFile("case.log", c.text).c_str());
        EXPECT_TRUE(SameLoad(file, reflog::LoadBytes(c.text)));
    }
}

TEST(LogLoad, CrawlerRecordsAreFoundWhileReading)
{
    const std::string text = std::string("Googlebot at the start only\n"
                                         "x Googlebot and bingbot\n"
                                         "x googlebot lower case\n"
                                         "Googlebot first, then Googlebot again\n"
                                         "x Sogou web") +
                             std::string(1, '\0') + "spider split by a NUL\nYoudaoFeedFetcher\nx Baiduspider x Sosospider";
    LogLoad load = SplitLogText(Cs(text));
    const std::vector<std::size_t> want[kCrawlerCount] = {{7}, {2, 4}, {}, {7}, {5}, {2}};
    for (int t = 0; t < kCrawlerCount; ++t) EXPECT_EQ(load.crawlerRecords[t], want[t]) << kCrawlerTokens[t];
    // Any other token is searched in the records, from offset 1.
    EXPECT_EQ(FindTokenRecords(load, "x "), (std::vector<std::size_t>{7}));
    EXPECT_EQ(FindTokenRecords(load, "Googlebot"), want[1]);
}

TEST(LogLoad, PiecesOfAnyLengthGiveTheSameLoad)
{
    // Markers, tokens and line ends across every border of the pieces read:
    // a reader that hands out 1 to 23 bytes at a time, and the file read in
    // its own pieces with tokens across the 1 MiB borders.
    std::mt19937 rng(3);
    std::string text;
    const std::vector<std::string> bits = {" - - ", "Googlebot", "Sogou web spider", "\n", "x", " ", "bingbot\n", std::string(1, '\0')};
    for (int i = 0; i < 4000; ++i) text += bits[rng() % 8];
    const reflog::Load want = reflog::LoadBytes(text);
    std::size_t at = 0;
    LogLoad got = LoadLogBytes(
        [&](char* buffer, std::ptrdiff_t nWant) {
            std::ptrdiff_t n = std::min<std::ptrdiff_t>({nWant, static_cast<std::ptrdiff_t>(rng() % 23 + 1),
                                                         static_cast<std::ptrdiff_t>(text.size() - at)});
            std::memcpy(buffer, text.data() + at, static_cast<std::size_t>(n));
            at += static_cast<std::size_t>(n);
            return n;
        },
        -1);
    EXPECT_TRUE(SameLoad(got, want));

    // The same text read ahead on a second thread, in pieces of any length,
    // and a reader that fails half way: the failure reaches the caller.
    for (bool fail : {false, true}) {
        at = 0;
        auto pieces = [&](char* buffer, std::ptrdiff_t nWant) -> std::ptrdiff_t {
            if (fail && at > text.size() / 2) AfxThrowFileException(CFileException::generic, -1, "x");
            std::ptrdiff_t n = std::min<std::ptrdiff_t>(
                {nWant, static_cast<std::ptrdiff_t>(at % 31 + 1), static_cast<std::ptrdiff_t>(text.size() - at)});
            std::memcpy(buffer, text.data() + at, static_cast<std::size_t>(n));
            at += static_cast<std::size_t>(n);
            return n;
        };
        if (!fail) {
            EXPECT_TRUE(SameLoad(LoadLogBytes(pieces, static_cast<long long>(text.size()), nullptr, 0), want));
            continue;
        }
        bool threw = false;
        try {
            LoadLogBytes(pieces, static_cast<long long>(text.size()), nullptr, 0);
        } catch (CFileException* e) {
            threw = true;
            e->Delete();
        }
        EXPECT_TRUE(threw);
    }

    const std::size_t piece = std::size_t(1) << 20;
    std::string big(3 * piece + 777, 'x');
    for (std::size_t border = piece; border < big.size(); border += piece)
        for (std::size_t back = 1; back <= 16; ++back) {
            std::size_t p = border - back * 40;
            big.replace(p, 18, back % 2 ? "\n- Googlebot - - " : "\n Sogou web spider");
        }
    big.replace(piece - 2, 7, " - - - ");
    EXPECT_TRUE(SameLoad(LoadLogFile(WriteScratchFile("pieces.log", big).c_str()), reflog::LoadBytes(big)));
}

TEST(LogLoad, FailedLoadLeavesThePreviousOneWhole)
{
    LogLoad current = LoadLogFile(WriteScratchFile("first.log", "a - - 1\nb - - 2\nc - - 3\nd - - 4\n").c_str());
    ASSERT_EQ(current.nRecords, 4u);
    const std::string missing = corvane::test::ScratchDir() + "/does-not-exist.log";
    for (const std::string& bad : {missing, corvane::test::ScratchDir(), std::string()}) {
        SCOPED_TRACE(bad);
        bool threw = false;
        try {
            LogLoad next = LoadLogFile(bad.c_str());
            current.Swap(next);
        } catch (CFileException* e) {
            threw = true;
            EXPECT_NE(e->m_cause, CFileException::none);
            e->Delete();
        }
        EXPECT_TRUE(threw);
        EXPECT_EQ(Str(current.records[4].Text()), "d - - 4");
    }
    std::string path = WriteScratchFile("second.log", "x - - 1\ny - - 2\n");
    LogLoad shorter = LoadLogFile(path.c_str());
    EXPECT_EQ(Str(shorter.strPath), path);
    current.Swap(shorter);
    EXPECT_TRUE(HasRecords(current, {{0, 7, "x - - 1"}, {8, 15, "y - - 2"}}));
    EXPECT_EQ(shorter.nRecords, 4u); // the old load, until its owner drops it
}

} // namespace

namespace {

TEST(PageRows, CellsAreTheLinesAndFieldsAsShown)
{
    // A line's own leading space is part of its text; a field's shown space
    // is not part of its value.
    LogLoad load = SplitLogText(Cs(" lead\n1.2.3.4 - - [t +0800] \"GET /a HTTP/1.1\" 404 7 \"-\" \"x bingbot\"\n"));
    CAllLinesRows all(load);
    CCrawlerRows bing(load, &load.crawlerRecords[5]);
    std::string scratch;
    char cell[64];
    EXPECT_EQ(all.GetCellValue(0, 1, scratch), " lead");
    all.GetCellText(0, 1, cell, sizeof cell);
    EXPECT_STREQ(cell, " lead");
    EXPECT_EQ(all.GetCellValue(1, 0, scratch), "2");
    ASSERT_EQ(bing.GetCount(), 1u);
    const char* shown[] = {"1", " 1.2.3.4", " t", "  /a ", " HTTP/1.1", " 404", " 7"};
    for (int c = 0; c < 7; ++c) {
        bing.GetCellText(0, c, cell, sizeof cell);
        EXPECT_STREQ(cell, shown[c]) << c;
        EXPECT_EQ(bing.GetCellValue(0, c, scratch), std::string_view(shown[c] + (c ? 1 : 0))) << c;
    }
    COLORREF clr = 0;
    EXPECT_TRUE(bing.GetRowBackColor(0, clr));
    EXPECT_EQ(clr, kStatusNotFoundColor);
    EXPECT_FALSE(bing.GetRowBackColor(1, clr));
    EXPECT_EQ(all.GetCellValue(2, 1, scratch), "");
}

} // namespace
