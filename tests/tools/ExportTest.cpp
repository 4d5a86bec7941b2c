// `corvane --export` as a shell user runs it: every page of a log as CSV, cell
// for cell what the page dump (the real window's pages) shows, without a
// display; one page to standard output; failures on standard error.
#include "platform/base/CodePage.h"
#include "tests/support/TestPaths.h"
#include "tests/tools/RunTool.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<std::string>>;

const char* const kNames[] = {"all", "baidu", "google", "youdao", "soso", "sogou", "bing"};

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// RFC 4180 read back: the rows of a whole CSV text after its byte-order mark.
Rows ParseCsv(const std::string& text)
{
    Rows rows;
    EXPECT_EQ(text.compare(0, 3, "\xEF\xBB\xBF"), 0);
    std::vector<std::string> row;
    std::string cell;
    bool quoted = false;
    for (std::size_t i = 3; i < text.size(); ++i) {
        char c = text[i];
        if (quoted) {
            if (c != '"') {
                cell += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(std::move(cell));
            cell.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            row.push_back(std::move(cell));
            cell.clear();
            rows.push_back(std::move(row));
            row.clear();
            ++i;
        } else {
            cell += c;
        }
    }
    EXPECT_TRUE(row.empty() && cell.empty() && !quoted) << "the last row is not closed";
    return rows;
}

std::string Unescape(const std::string& s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        char n = s[++i];
        out += n == 't' ? '\t' : n == 'r' ? '\r' : n == 'n' ? '\n' : n;
    }
    return out;
}

// Page p's rows as the dump shows them, made the export's way: UTF-8, the
// space before a field dropped.
std::vector<Rows> DumpedPages(const std::string& dump)
{
    std::vector<Rows> pages(7);
    for (const std::string& line : Lines(dump)) {
        std::vector<std::string> fields;
        std::size_t from = 0;
        for (;;) {
            std::size_t tab = line.find('\t', from);
            fields.push_back(line.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
            if (tab == std::string::npos) break;
            from = tab + 1;
        }
        int page = std::stoi(fields[0]);
        std::vector<std::string> cells;
        for (std::size_t f = 3; f < fields.size(); ++f) {
            std::string cell = Unescape(fields[f]);
            if (!cell.empty() && cell[0] == ' ') cell.erase(0, 1);
            cells.push_back(Cp936ToUtf8(cell));
        }
        pages[static_cast<std::size_t>(page)].push_back(std::move(cells));
    }
    return pages;
}

void ExpectExportMatchesDump(const std::string& log)
{
    SCOPED_TRACE(log);
    ToolRun dump = RunTool(CORVANE_PAGEDUMP, {log});
    ASSERT_EQ(dump.code, 0) << dump.err;
    std::vector<Rows> want = DumpedPages(dump.out);

    const fs::path dir = fs::path(ScratchDir()) / ("export-" + fs::path(log).stem().string());
    fs::remove_all(dir);
    ToolRun run = RunTool(CORVANE_PROGRAM, {"--export", dir.string(), log}, {"DISPLAY", "WAYLAND_DISPLAY"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(run.out.empty() && run.err.empty()) << run.out << run.err;
    std::size_t files = 0;
    for (auto it = fs::directory_iterator(dir); it != fs::directory_iterator(); ++it)
        ++files;
    EXPECT_EQ(files, 7u);
    for (int p = 0; p < 7; ++p) {
        SCOPED_TRACE(kNames[p]);
        Rows got = ParseCsv(ReadFile(dir / (std::string(kNames[p]) + ".csv")));
        ASSERT_FALSE(got.empty());
        EXPECT_EQ(got.front().front(), "ID");
        EXPECT_EQ(got.front().size(), p == 0 ? 2u : 7u);
        got.erase(got.begin());
        ASSERT_EQ(got.size(), want[static_cast<std::size_t>(p)].size());
        for (std::size_t r = 0; r < got.size(); ++r)
            ASSERT_EQ(got[r], want[static_cast<std::size_t>(p)][r]) << "row " << r;
    }
    // One page to standard output is the same bytes as its file.
    ToolRun page = RunTool(CORVANE_PROGRAM, {"--export", "-", "--page", "2", log}, {"DISPLAY", "WAYLAND_DISPLAY"});
    EXPECT_EQ(page.code, 0) << page.err;
    EXPECT_TRUE(page.out == ReadFile(dir / "google.csv"));
}

TEST(ExportTest, EveryPageOfTheSampleIsWhatThePageDumpShows)
{
    ExpectExportMatchesDump(SourceDir() + "/samples/access.log");
}

TEST(ExportTest, EveryPageOfThePublicLogsIsWhatThePageDumpShows)
{
    const fs::path dir = "/work/shared/realdata";
    if (!fs::is_directory(dir)) GTEST_SKIP() << "no public logs here";
    std::vector<std::string> logs;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".log") logs.push_back(e.path().string());
    std::sort(logs.begin(), logs.end());
    ASSERT_FALSE(logs.empty());
    for (const std::string& log : logs)
        ExpectExportMatchesDump(log);
}

TEST(ExportTest, MistakesAndUnreadableLogsAreToldOnStandardError)
{
    const std::string sample = SourceDir() + "/samples/access.log";
    const std::string blocker = WriteScratchFile("export-blocker", "a file, not a folder\n");
    const struct {
        std::vector<std::string> args;
        int code;
        const char* err;
    } cases[] = {
        {{"--export", "-", sample}, 2, "--page N"},
        {{"--page", "1", sample}, 2, "--page is for --export"},
        {{"--export", "-", "--page", "7", sample}, 2, "from 0 to 6"},
        {{"--export"}, 2, "--export needs a value"},
        {{"--export", ScratchDir() + "/never"}, 2, "needs a log file"},
        {{"--export", ScratchDir() + "/never", ScratchDir() + "/no-such.log"}, 1, "no-such.log"},
        {{"--export", blocker, sample}, 1, "export-blocker"},
        {{"--export", blocker + "/under", sample}, 1, "export-blocker"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        ToolRun run = RunTool(CORVANE_PROGRAM, c.args, {"DISPLAY", "WAYLAND_DISPLAY"});
        EXPECT_EQ(run.code, c.code) << run.err;
        EXPECT_TRUE(run.out.empty()) << run.out;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << run.err;
    }
    EXPECT_FALSE(fs::exists(ScratchDir() + "/never"));
    EXPECT_EQ(ReadFile(blocker), "a file, not a folder\n");
}

} // namespace
} // namespace corvane::test
