// Loading: marker count, record cutting and the file read.
#include "analysis/LogLoad.h"
#include "platform/base/Exception.h"
#include "tests/analysis/CompareWithReference.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using corvane::test::WriteScratchFile;

LogLoad Split(const std::string& text) { return SplitLogText(Cs(text)); }

struct Rec {
    long long start, end;
    std::string text;
};

void ExpectRecords(const LogLoad& load, const std::vector<Rec>& want)
{
    ASSERT_EQ(load.nRecords, want.size());
    ASSERT_EQ(load.records.GetCount(), want.size());
    for (std::size_t j = 1; j <= want.size(); ++j) {
        SCOPED_TRACE("record " + std::to_string(j));
        const LogLine* r = load.records[j];
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->start, want[j - 1].start);
        EXPECT_EQ(r->end, want[j - 1].end);
        EXPECT_EQ(Str(r->text), want[j - 1].text);
    }
    EXPECT_EQ(load.records[0], nullptr);
    EXPECT_EQ(load.records[want.size() + 1], nullptr);
}

TEST(LogLoad, ThreeLinesAndTheirLineEndVariants)
{
    // The first line is never a record; offsets count from the text's start.
    LogLoad plain = Split("a - - x\nb - - y\nc - - z\n");
    EXPECT_EQ(plain.nMarkers, 3u);
    ExpectRecords(plain, {{8, 15, "b - - y"}, {16, 23, "c - - z"}});

    LogLoad noLastEnd = Split("a - - x\nb - - y\nc - - z");
    EXPECT_EQ(noLastEnd.nMarkers, 3u);
    ExpectRecords(noLastEnd, {{8, 15, "b - - y"}, {16, -1, ""}});

    LogLoad crlf = Split("a - - x\r\nb - - y\r\nc - - z\r\n");
    ExpectRecords(crlf, {{9, 17, "b - - y\r"}, {18, 26, "c - - z\r"}});
}

TEST(LogLoad, MarkerCountDecidesHowManyLinesBecomeRecords)
{
    // Overlapping markers: the search resumes two bytes after a hit.
    EXPECT_EQ(CountLogMarkers(" - - - ", 7), 2u);
    EXPECT_EQ(CountLogMarkers(" - - - - ", 9), 3u);
    EXPECT_EQ(CountLogMarkers(" - -", 4), 0u);
    EXPECT_EQ(CountLogMarkers(" -  - - ", 8), 1u);
    LogLoad run = Split("x - - - y\nb\nc\nd\n");
    EXPECT_EQ(run.nMarkers, 2u);
    ExpectRecords(run, {{10, 11, "b"}});

    // A line without a marker still becomes a record; the last line is dropped.
    LogLoad header = Split("a - - 1\n#comment\nb - - 2\nc - - 3\n");
    ExpectRecords(header, {{8, 16, "#comment"}, {17, 24, "b - - 2"}});

    // The only marker on the first line, no marker, or nothing at all: no records.
    for (const char* text : {"a - - x\nplain\nmore\n", "no markers\nhere\n", ""}) {
        SCOPED_TRACE(text);
        LogLoad none = Split(text);
        EXPECT_EQ(none.nRecords, 0u);
        EXPECT_EQ(none.records.GetCount(), 0u);
        EXPECT_EQ(none.records[1], nullptr);
    }
}

TEST(LogLoad, MoreRecordsThanLineEndsStopAfterTheOpenOne)
{
    // Four markers want three records, but only one line end follows the first.
    LogLoad two = Split("a - - b - - c\nd - - e - - f");
    EXPECT_EQ(two.nMarkers, 4u);
    ExpectRecords(two, {{14, -1, ""}});

    // No line end at all: the one record starts at 0 and is empty.
    LogLoad flat = Split("a - - b - - c");
    ExpectRecords(flat, {{0, -1, ""}});

    // A last line end at the very end of the text.
    LogLoad endsWithNewline = Split("a - - b - - c - - \n");
    ExpectRecords(endsWithNewline, {{19, -1, ""}});
}

TEST(LogLoad, NulEndsTheText)
{
    std::string bytes("a - - x\nb - - y\n", 16);
    bytes += std::string("\0c - - z\nd - - w\n", 17);
    // SplitLogText gets a string already cut; the file load cuts it itself.
    std::string path = WriteScratchFile("nul.log", bytes);
    LogLoad load = LoadLogFile(path.c_str());
    EXPECT_EQ(load.strText.GetLength(), 16);
    EXPECT_EQ(load.nMarkers, 2u);
    ExpectRecords(load, {{8, 15, "b - - y"}});

    std::string leading("\0a - - x\nb - - y\n", 17);
    LogLoad empty = LoadLogFile(WriteScratchFile("lead-nul.log", leading).c_str());
    EXPECT_EQ(empty.strText.GetLength(), 0);
    EXPECT_EQ(empty.nRecords, 0u);
}

TEST(LogLoad, TableGrowsPastTheClassicCapacity)
{
    std::string text = "head - - 0\n";
    const std::size_t lines = 200000;
    for (std::size_t i = 1; i <= lines; ++i) text += "h - - " + std::to_string(i) + "\n";
    LogLoad load = Split(text);
    ASSERT_EQ(load.nMarkers, lines + 1);
    ASSERT_EQ(load.nRecords, lines);
    for (std::size_t j : {std::size_t(1), std::size_t(122887), std::size_t(122888), std::size_t(131072), lines}) {
        ASSERT_NE(load.records[j], nullptr);
        EXPECT_EQ(Str(load.records[j]->text), "h - - " + std::to_string(j)) << j;
    }
    // Record pointers stay where they were while the table grows.
    RecordTable table;
    LogLine* first = table.Add();
    first->text = "one";
    for (int i = 0; i < 5000; ++i) table.Add();
    EXPECT_EQ(table[1], first);
    EXPECT_EQ(Str(table[1]->text), "one");
}

TEST(LogLoad, FileLoadMatchesTheTextAndReportsThePath)
{
    std::string bytes = "1.2.3.4 - - [x]\n5.6.7.8 - - [y] \"GET / HTTP/1.1\" 200 1\r\n9 - - z\n";
    std::string path = WriteScratchFile("small.log", bytes);
    LogLoad load = LoadLogFile(path.c_str());
    EXPECT_TRUE(SameLoad(load, reflog::LoadBytes(bytes)));
    EXPECT_EQ(Str(load.strPath), path);

    LogLoad empty = LoadLogFile(WriteScratchFile("empty.log", "").c_str());
    EXPECT_EQ(empty.nMarkers, 0u);
    EXPECT_EQ(empty.nRecords, 0u);
    EXPECT_EQ(empty.strText.GetLength(), 0);
}

TEST(LogLoad, PiecesOfTheReadDoNotSplitAMarker)
{
    // Markers placed across every alignment of the read pieces' borders,
    // several pieces long, with a NUL far in.
    const std::size_t piece = std::size_t(1) << 20;
    std::string bytes(3 * piece + 777, 'x');
    for (std::size_t border = piece; border < bytes.size(); border += piece)
        for (std::size_t back = 1; back <= 6; ++back) {
            std::size_t at = border - back * 12 - back;
            bytes.replace(at, 5, " - - ");
            bytes[at - 1] = '\n';
        }
    bytes.replace(piece - 2, 7, " - - - "); // an overlapping run across a border
    for (std::size_t i = 1000; i < bytes.size(); i += 4093) bytes[i] = '\n';
    std::string path = WriteScratchFile("pieces.log", bytes);
    EXPECT_TRUE(SameLoad(LoadLogFile(path.c_str()), reflog::LoadBytes(bytes)));

    bytes[2 * piece + 5] = '\0';
    path = WriteScratchFile("pieces-nul.log", bytes);
    EXPECT_TRUE(SameLoad(LoadLogFile(path.c_str()), reflog::LoadBytes(bytes)));
}

TEST(LogLoad, FailedLoadLeavesThePreviousOneWhole)
{
    LogLoad current = LoadLogFile(WriteScratchFile("first.log", "a - - 1\nb - - 2\nc - - 3\nd - - 4\n").c_str());
    ASSERT_EQ(current.nRecords, 3u);
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
        EXPECT_EQ(current.nRecords, 3u);
        EXPECT_EQ(Str(current.records[3]->text), "d - - 4");
    }

    // A shorter load replaces every record of the longer one.
    LogLoad shorter = LoadLogFile(WriteScratchFile("second.log", "x - - 1\ny - - 2\n").c_str());
    current.Swap(shorter);
    EXPECT_EQ(current.nRecords, 1u);
    EXPECT_EQ(Str(current.records[1]->text), "y - - 2");
    EXPECT_EQ(current.records[2], nullptr);
    EXPECT_EQ(shorter.nRecords, 3u); // the old load, until its owner drops it
}

TEST(LogLoad, RecordTextsAreIndependentOfTheText)
{
    // Records hold copies: changing a record's copy leaves the text and the
    // other records alone, and copies of a record share its buffer.
    LogLoad load = Split("a - - x\nb - - y\nc - - z\n");
    CString copy = load.records[1]->text;
    EXPECT_TRUE(copy.SharesBufferWith(load.records[1]->text));
    copy.SetAt(0, 'Q');
    EXPECT_EQ(Str(load.records[1]->text), "b - - y");
    EXPECT_EQ(Str(load.records[2]->text), "c - - z");
    EXPECT_EQ(Str(load.strText), "a - - x\nb - - y\nc - - z\n");
}

} // namespace
