#include "app/CommandLine.h"

#include "res/VersionInfo.h"

#include <string_view>

CCommandLine CCommandLine::Parse(const std::vector<std::string>& args)
{
    CCommandLine line;
    bool bOptionsOver = false;
    std::vector<std::string> files;
    for (const std::string& arg : args) {
        if (!bOptionsOver && arg == "--") {
            bOptionsOver = true;
        } else if (!bOptionsOver && (arg == "--help" || arg == "-h")) {
            if (line.nAction == actionRun) line.nAction = actionHelp;
        } else if (!bOptionsOver && (arg == "--version" || arg == "-V")) {
            if (line.nAction == actionRun) line.nAction = actionVersion;
        } else if (!bOptionsOver && arg.size() > 1 && arg[0] == '-') {
            // "-" alone is no option; it names a file like any other word.
            line.nAction = actionBadUsage;
            line.strError = "unknown option: " + arg;
            return line;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() > 1) {
        line.nAction = actionBadUsage;
        line.strError = "only one log file can be opened at a time";
        return line;
    }
    if (!files.empty()) line.strFile = files.front();
    if (line.nAction == actionRun && !files.empty() && line.strFile.empty()) {
        line.nAction = actionBadUsage;
        line.strError = "the file name is empty";
    }
    return line;
}

std::string CCommandLine::Usage()
{
    return "Usage: corvane [FILE]\n"
           "Shows a web-server access log with the lines of each search-engine crawler on its own tab.\n"
           "\n"
           "  FILE           the log to open at start: a plain file, a pipe, or a file packed\n"
           "                 with gzip, zstd, bzip2 or xz (told by its content)\n"
           "  -h, --help     print this help and exit\n"
           "  -V, --version  print the version and exit\n"
           "\n"
           "A log can also be opened with the open button or dropped on the window.\n";
}

std::string CCommandLine::Version()
{
    const WORD* v = CorvaneVersionInfo().productVersion;
    return "corvane " + std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
           std::to_string(v[3]) + "\n";
}
