// CSV as spreadsheets read it: quoting of commas, quotes and line breaks,
// code page 936 text made UTF-8, cells larger than the writer's block, and a
// write that fails.
#include "analysis/CsvExport.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(CsvExport, CellsAreQuotedOnlyWhenTheyMustBeAndComeOutAsUtf8)
{
    const struct {
        std::string cell;
        std::string written;
    } cases[] = {
        {"", ""},
        {"404", "404"},
        {" /a b ", " /a b "},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"line\nbreak", "\"line\nbreak\""},
        {"cr\rlf\r\n", "\"cr\rlf\r\n\""},
        {"tab\there", "tab\there"},
        {"访问时间", "\xE8\xAE\xBF\xE9\x97\xAE\xE6\x97\xB6\xE9\x97\xB4"},
        {"时间,\"", "\"\xE6\x97\xB6\xE9\x97\xB4,\"\"\""},
        // A four-byte sequence (U+20000) and a two-byte one whose trail byte is ASCII.
        {"\x95\x32\x82\x36", "\xF0\xA0\x80\x80"},
        {"\x81\x40", "\xE4\xB8\x82"},
        // Past the vector scan's sixteen bytes, the special byte comes last.
        {std::string(40, 'x').append(","), std::string("\"").append(40, 'x').append(",\"")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        std::string out;
        {
            CCsvWriter writer(&out);
            writer.Cell("first");
            writer.Cell(c.cell);
            writer.EndRow();
            ASSERT_TRUE(writer.Flush());
        }
        EXPECT_EQ(out, "first," + c.written + "\r\n");
    }
}

TEST(CsvExport, RowsAndLargeCellsCrossBlocksWhole)
{
    std::string big(3 << 20, 'q');
    big[5] = '"';
    std::string out;
    CCsvWriter writer(&out);
    writer.WriteBom();
    for (int i = 0; i < 100000; ++i) {
        writer.Cell(std::to_string(i));
        writer.Cell("x");
        writer.EndRow();
    }
    writer.Cell(big);
    writer.EndRow();
    ASSERT_TRUE(writer.Flush());
    std::string want = "\xEF\xBB\xBF";
    for (int i = 0; i < 100000; ++i)
        want += std::to_string(i) + ",x\r\n";
    want += "\"qqqqq\"\"" + big.substr(6) + "\"\r\n";
    EXPECT_EQ(out.size(), want.size());
    EXPECT_TRUE(out == want);
}

TEST(CsvExport, AFailedWriteIsReportedAndAnUncommittedFileVanishes)
{
    int fd = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    CCsvWriter writer(fd);
    writer.Cell(std::string(2 << 20, 'z'));
    writer.EndRow();
    EXPECT_FALSE(writer.Flush());
    EXPECT_EQ(writer.Error(), ENOSPC);
    ::close(fd);

    std::string folder = ::testing::TempDir() + "csv-abandon";
    std::string cmd = "rm -rf '" + folder + "' && mkdir -p '" + folder + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    {
        CAtomicFileWriter file;
        ASSERT_EQ(file.Open((folder + "/out.csv").c_str()), 0);
        ASSERT_EQ(::write(file.Fd(), "half", 4), 4);
        // Not committed: the temporary file goes with the writer.
    }
    EXPECT_NE(std::system(("ls -A '" + folder + "' | grep -q .").c_str()), 0);
    CAtomicFileWriter file;
    ASSERT_EQ(file.Open((folder + "/out.csv").c_str()), 0);
    ASSERT_EQ(::write(file.Fd(), "whole", 5), 5);
    EXPECT_EQ(file.Commit(), 0);
    EXPECT_EQ(file.Open(folder.c_str()), EISDIR);
    EXPECT_EQ(std::system(("test \"$(cat '" + folder + "/out.csv')\" = whole && test $(ls -A '" + folder +
                           "' | wc -l) = 1")
                              .c_str()),
              0);
}

} // namespace
