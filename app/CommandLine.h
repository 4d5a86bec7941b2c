// The program's command line: `corvane [FILE]`, `--help`, `--version`, and
// `--export DIR|- [--page N] FILE`, which writes pages as CSV without a window.
// Arguments are Linux text (UTF-8); the file becomes code page 936 only
// where it is handed to the program.
#pragma once

#include <string>
#include <vector>

struct CCommandLine {
    enum Action {
        actionRun,     // start the window, opening strFile when it is not empty
        actionHelp,    // print the usage to standard output, exit 0
        actionVersion, // print the version to standard output, exit 0
        actionBadUsage, // print strError and the usage to standard error, exit 2
        actionExport    // write the pages of strFile as CSV into strExportTo ("-": standard output)
    };

    Action nAction = actionRun;
    std::string strFile;  // UTF-8, as given
    std::string strError; // UTF-8
    std::string strExportTo; // UTF-8: a folder, or "-"
    int nExportPage = -1;    // 0 to 6; -1 for every page

    // Parses the arguments after the program name.
    static CCommandLine Parse(const std::vector<std::string>& args);
    // The usage text, UTF-8.
    static std::string Usage();
    // "corvane " and the version, UTF-8.
    static std::string Version();
};
