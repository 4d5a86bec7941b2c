// corvane-pagedump run as a program: what it prints for a load, the colours
// and escapes of its lines, --tabs, and how it ends on bad files and bad usage.
#include "tests/support/TestPaths.h"
#include "tests/tools/RunTool.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace corvane::test {
namespace {

namespace fs = std::filesystem;

const char kGoogleLine[] = "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /index.html HTTP/1.1\" 200 2326 "
                           "\"-\" \"Mozilla/5.0 (compatible; Googlebot/2.1)\"";
const char kBingLine[] = "198.51.100.4 - - [10/Oct/2011:13:56:01 -0700] \"GET /gone HTTP/1.1\" 404 0 \"-\" "
                         "\"Mozilla/5.0 (compatible; bingbot/2.0)\"";
const char kBaiduLine[] = "203.0.113.9 - - [10/Oct/2011:13:57:12 -0700] \"GET /old HTTP/1.1\" 301 178 \"-\" "
                          "\"Mozilla/5.0 (compatible; Baiduspider/2.0)\"";
// Row colours as 0x00BBGGRR: light green RGB(100, 255, 100), red, yellow.
const char kGreen[] = "0x64FF64";
const char kRed[] = "0x0000FF";
const char kYellow[] = "0x00FFFF";

ToolRun PageDump(const std::vector<std::string>& args)
{
    return RunTool(CORVANE_PAGEDUMP, args);
}

// The escaping the dump promises, written out independently.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out;
}

std::vector<std::string> Split(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t at = 0;
    for (std::size_t tab; (tab = line.find('\t', at)) != std::string::npos; at = tab + 1)
        cells.push_back(line.substr(at, tab - at));
    cells.push_back(line.substr(at));
    return cells;
}

// The dump's lines by page.
std::map<int, std::vector<std::vector<std::string>>> ByPage(const std::string& out)
{
    std::map<int, std::vector<std::vector<std::string>>> pages;
    for (const std::string& line : Lines(out)) {
        std::vector<std::string> cells = Split(line);
        pages[std::stoi(cells.at(0))].push_back(cells);
    }
    return pages;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(PageDumpTest, ThreeLineFilePrintsEveryLineOnPageZeroOnly)
{
    std::string path = WriteScratchFile("three.log", "a - - x\nb - - y\nc - - z\n");
    ToolRun run = PageDump({path});
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "0\t0\t-\t1\ta - - x\n"
                       "0\t1\t-\t2\tb - - y\n"
                       "0\t2\t-\t3\tc - - z\n");
}

TEST(PageDumpTest, CrawlerRowsCarryTheirPageRowColourAndCells)
{
    std::string log = std::string("#header - - of the log\n") + kGoogleLine + "\n" + kBingLine + "\n" + kBaiduLine +
                      "\n" + kGoogleLine + "\n";
    ToolRun run = PageDump({WriteScratchFile("crawlers.log", log)});
    ASSERT_EQ(run.code, 0) << run.err;
    std::vector<std::string> want = {
        std::string("0\t0\t-\t1\t#header - - of the log"),
        std::string("0\t1\t-\t2\t") + kGoogleLine,
        std::string("0\t2\t-\t3\t") + kBingLine,
        std::string("0\t3\t-\t4\t") + kBaiduLine,
        std::string("0\t4\t-\t5\t") + kGoogleLine,
        std::string("1\t0\t") + kYellow + "\t1\t 203.0.113.9\t 10/Oct/2011:13:57:12\t  /old \t HTTP/1.1\t 301\t 178",
        std::string("2\t0\t") + kGreen +
            "\t1\t 192.0.2.1\t 10/Oct/2011:13:55:36\t  /index.html \t HTTP/1.1\t 200\t 2326",
        std::string("2\t1\t") + kGreen +
            "\t2\t 192.0.2.1\t 10/Oct/2011:13:55:36\t  /index.html \t HTTP/1.1\t 200\t 2326",
        std::string("6\t0\t") + kRed + "\t1\t 198.51.100.4\t 10/Oct/2011:13:56:01\t  /gone \t HTTP/1.1\t 404\t 0",
    };
    EXPECT_EQ(Lines(run.out), want);
}

TEST(PageDumpTest, CellsAreEscapedAndPrintedWhole)
{
    std::string longUrl = "/" + std::string(300, 'u') + ".html";
    std::string google = std::string("192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET ") + longUrl +
                         " HTTP/1.1\" 200 9 \"-\" \"Googlebot/2.1\"";
    std::string bing = "198.51.100.4 - - [10/Oct/2011:13:56:01 -0700] \"GET /tab\there\\back HTTP/1.1\" 404 0 \"-\" "
                       "\"bingbot/2.0\"";
    // CR LF line ends: every record keeps its CR.
    std::string log = google + "\r\n" + bing + "\r\n";
    ToolRun run = PageDump({WriteScratchFile("escapes.log", log)});
    ASSERT_EQ(run.code, 0) << run.err;
    std::vector<std::string> lines = Lines(run.out);
    ASSERT_EQ(lines.size(), 4u) << run.out;
    EXPECT_EQ(lines[0], "0\t0\t-\t1\t" + Escaped(google + "\r"));
    EXPECT_EQ(lines[1], "0\t1\t-\t2\t" + Escaped(bing + "\r"));
    EXPECT_NE(lines[1].find("/tab\\there\\\\back"), std::string::npos) << lines[1];

    std::vector<std::string> googleRow = Split(lines[2]);
    ASSERT_EQ(googleRow.size(), 3u + 7u) << lines[2];
    EXPECT_EQ(googleRow[0], "2");
    EXPECT_EQ(googleRow[2], kGreen);
    EXPECT_NE(googleRow[6].find(longUrl), std::string::npos) << "URL cut to " << googleRow[6].size() << " bytes";
    // The tab inside the Bing URL is escaped, so the row still has its ten fields.
    std::vector<std::string> bingRow = Split(lines[3]);
    ASSERT_EQ(bingRow.size(), 3u + 7u) << lines[3];
    EXPECT_EQ(bingRow[0], "6");
    EXPECT_EQ(bingRow[2], kRed);
}

// The sample's rows on each page, counted independently of the program: one
// record less than there are entry markers, record k is line k + 1, and a
// crawler line holds its token past its first byte.
std::vector<std::size_t> ExpectedSampleRows(const std::string& text)
{
    std::size_t markers = 0;
    for (std::size_t at = text.find(" - - "); at != std::string::npos; at = text.find(" - - ", at + 2))
        ++markers;
    std::vector<std::string> lines = Lines(text);
    const char* tokens[6] = {"Baiduspider", "Googlebot",        "YoudaoFeedFetcher",
                             "Sosospider",  "Sogou web spider", "bingbot"};
    std::vector<std::size_t> rows(7, 0);
    (void)markers; // every line is a record, markers or not
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ++rows[0];
        for (std::size_t t = 0; t < 6; ++t)
            if (lines[i].find(tokens[t], 1) != std::string::npos) ++rows[t + 1];
    }
    return rows;
}

TEST(PageDumpTest, SampleFillsEveryPageAndClickedTabsShowTheSame)
{
    std::string path = SourceDir() + "/samples/access.log";
    std::vector<std::size_t> want = ExpectedSampleRows(ReadFile(path));
    ToolRun plain = PageDump({path});
    ASSERT_EQ(plain.code, 0) << plain.err;
    auto pages = ByPage(plain.out);
    for (int p = 0; p < 7; ++p) {
        ASSERT_GT(want[static_cast<std::size_t>(p)], 0u) << "the sample has no row for page " << p;
        ASSERT_EQ(pages[p].size(), want[static_cast<std::size_t>(p)]) << "page " << p;
        for (std::size_t r = 0; r < pages[p].size(); ++r) {
            const std::vector<std::string>& cells = pages[p][r];
            ASSERT_EQ(cells.size(), p == 0 ? 5u : 10u) << "page " << p << " row " << r;
            EXPECT_EQ(cells[1], std::to_string(r));
            EXPECT_EQ(cells[3], std::to_string(r + 1)) << "rows keep list order";
            if (p == 0) {
                EXPECT_EQ(cells[2], "-");
                continue;
            }
            const std::string& status = cells[8];
            EXPECT_EQ(cells[2], status == " 200" ? kGreen : status == " 404" ? kRed : kYellow) << status;
        }
    }
    // Lines of the output come page by page.
    std::vector<std::string> lines = Lines(plain.out);
    for (std::size_t i = 1; i < lines.size(); ++i)
        ASSERT_LE(std::stoi(lines[i - 1]), std::stoi(lines[i])) << "line " << i;

    ToolRun tabs = PageDump({"--tabs", path});
    ASSERT_EQ(tabs.code, 0) << tabs.err;
    EXPECT_EQ(tabs.out, plain.out);
}

TEST(PageDumpTest, FilesThatCannotBeLoadedEndWithOneAndAMessage)
{
    // Gone: the open-file dialog warns and keeps the name.
    ToolRun missing = PageDump({ScratchDir() + "/missing.log"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("missing.log"), std::string::npos) << missing.err;

    // A socket passes the dialog but cannot be read: the framework's exception report.
    std::string sockPath = ScratchDir() + "/not-a-file.log";
    int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    ASSERT_LT(sockPath.size(), sizeof addr.sun_path);
    sockPath.copy(addr.sun_path, sockPath.size());
    ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ToolRun socketRun = PageDump({sockPath});
    close(fd);
    EXPECT_EQ(socketRun.code, 1);
    EXPECT_EQ(socketRun.out, "");
    EXPECT_NE(socketRun.err.find("corvane-pagedump: "), std::string::npos) << socketRun.err;
    EXPECT_NE(socketRun.err.find("not-a-file.log"), std::string::npos) << socketRun.err;

    // A folder: the dialog opens it instead of taking it.
    std::string folder = ScratchDir() + "/a-folder.log";
    fs::create_directories(folder);
    ToolRun folderRun = PageDump({folder});
    EXPECT_EQ(folderRun.code, 1);
    EXPECT_EQ(folderRun.out, "");
    EXPECT_NE(folderRun.err.find("a-folder.log"), std::string::npos) << folderRun.err;
}

TEST(PageDumpTest, BadUsageEndsWithTwoAndTheUsage)
{
    std::string path = WriteScratchFile("three.log", "a - - x\nb - - y\n");
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{}, {"--tabs"}, {"--colour", path}, {path, path}, {""}}) {
        ToolRun run = PageDump(args);
        EXPECT_EQ(run.code, 2) << args.size();
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("usage: corvane-pagedump [--tabs] LOGFILE", 0), 0u) << run.err;
    }
}

TEST(PageDumpTest, PipesAndCompressedLogsDumpAsTheFileItself)
{
    // A process substitution is a pipe read on the window's worker, a gzip
    // file is unpacked as it is read: both must show the plain file's pages.
    std::string bash = ProgramPath("bash");
    std::string gzip = ProgramPath("gzip");
    if (bash.empty() || gzip.empty()) GTEST_SKIP() << "bash or gzip is not installed";
    std::string path = SourceDir() + "/samples/access.log";
    ToolRun plain = PageDump({path});
    ASSERT_EQ(plain.code, 0) << plain.err;
    std::string packed = corvane::test::ScratchDir() + "/access.log.1";
    ASSERT_EQ(RunTool(bash, {"-c", "gzip -c '" + path + "' > '" + packed + "'"}).code, 0);
    for (const std::string& how : {"'" + std::string(CORVANE_PAGEDUMP) + "' <(cat '" + path + "')",
                                   "'" + std::string(CORVANE_PAGEDUMP) + "' '" + packed + "'"}) {
        ToolRun run = RunTool(bash, {"-c", how});
        EXPECT_EQ(run.code, 0) << how << "\n" << run.err;
        EXPECT_EQ(run.out, plain.out) << how;
    }
}

} // namespace
} // namespace corvane::test
