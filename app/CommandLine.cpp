#include "app/CommandLine.h"

#include "res/VersionInfo.h"

#include <string_view>

namespace {

CCommandLine BadUsage(std::string strError)
{
    CCommandLine line;
    line.nAction = CCommandLine::actionBadUsage;
    line.strError = std::move(strError);
    return line;
}

// A page number, 0 to 6, as written; -1 for anything else.
int PageNumber(const std::string& arg)
{
    if (arg.size() != 1 || arg[0] < '0' || arg[0] > '6') return -1;
    return arg[0] - '0';
}

} // namespace

CCommandLine CCommandLine::Parse(const std::vector<std::string>& args)
{
    CCommandLine line;
    bool bOptionsOver = false;
    bool bExport = false;
    bool bPage = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!bOptionsOver && arg == "--") {
            bOptionsOver = true;
        } else if (!bOptionsOver && (arg == "--help" || arg == "-h")) {
            if (line.nAction == actionRun) line.nAction = actionHelp;
        } else if (!bOptionsOver && (arg == "--version" || arg == "-V")) {
            if (line.nAction == actionRun) line.nAction = actionVersion;
        } else if (!bOptionsOver && (arg == "--export" || arg == "--page")) {
            if (i + 1 >= args.size() || args[i + 1].empty()) return BadUsage(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--export") {
                bExport = true;
                line.strExportTo = value;
            } else {
                bPage = true;
                line.nExportPage = PageNumber(value);
                if (line.nExportPage < 0) return BadUsage("--page takes a page number from 0 to 6, not " + value);
            }
        } else if (!bOptionsOver && arg.size() > 1 && arg[0] == '-') {
            // "-" alone is no option; it names a file like any other word.
            return BadUsage("unknown option: " + arg);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() > 1) return BadUsage("only one log file can be opened at a time");
    if (!files.empty()) line.strFile = files.front();
    if (!files.empty() && line.strFile.empty()) return BadUsage("the file name is empty");
    if (bPage && !bExport) return BadUsage("--page is for --export");
    if (bExport && line.nAction == actionRun) {
        if (files.empty()) return BadUsage("--export needs a log file");
        if (line.strExportTo == "-" && !bPage) return BadUsage("--export - writes one page: give it with --page N");
        line.nAction = actionExport;
    }
    return line;
}

std::string CCommandLine::Usage()
{
    return "Usage: corvane [FILE]\n"
           "       corvane --export DIR|- [--page N] FILE\n"
           "Shows a web-server access log with the lines of each search-engine crawler on its own tab.\n"
           "\n"
           "  FILE             the log to open at start: a plain file, a pipe, or a file packed\n"
           "                   with gzip, zstd, bzip2 or xz (told by its content)\n"
           "  --export DIR     write the pages of FILE as CSV files without opening a window:\n"
           "                   DIR/all.csv, baidu.csv, google.csv, youdao.csv, soso.csv,\n"
           "                   sogou.csv and bing.csv (DIR is made when missing); every row,\n"
           "                   column titles first, UTF-8 with a byte-order mark\n"
           "  --export -       write one page to standard output (needs --page)\n"
           "  --page N         only page N: 0 all lines, 1 Baidu, 2 Google, 3 Youdao, 4 Soso,\n"
           "                   5 Sogou, 6 Bing\n"
           "  -h, --help       print this help and exit\n"
           "  -V, --version    print the version and exit\n"
           "\n"
           "A log can also be opened with the open button or dropped on the window. In a page,\n"
           "Ctrl+C copies the selected rows, and the right button offers the export.\n"
           "Export errors are told on standard error, with exit status 1.\n";
}

std::string CCommandLine::Version()
{
    const WORD* v = CorvaneVersionInfo().productVersion;
    return "corvane " + std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
           std::to_string(v[3]) + "\n";
}
