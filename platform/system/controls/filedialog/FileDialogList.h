// What the open-file dialog shows, apart from any window: filters parsed from
// their NUL-separated form, file name patterns, folder listings and typed
// paths resolved. Names and paths here are UTF-8, as the file system has them.
#pragma once

#include <string>
#include <system_error>
#include <vector>

namespace sys::filedlg {

struct Filter {
    std::string text;                  // shown, code page 936
    std::vector<std::string> patterns; // "*.txt", "*.log"
};

// Pairs of NUL-terminated strings closed by an extra NUL; a last pair without
// its pattern string is dropped. Null gives no filters.
std::vector<Filter> ParseFilters(const char* filter);
// "*.txt; *.log" into its patterns; blanks dropped.
std::vector<std::string> SplitPatterns(const std::string& patterns);

// '*' and '?' wildcards, ASCII letters matched without case; "*.*" matches
// every name, as it always has, also one without a dot.
bool MatchPattern(const std::string& name, const std::string& pattern);
bool MatchAny(const std::string& name, const std::vector<std::string>& patterns);

struct Entry {
    std::string name; // UTF-8
    bool folder = false;
};

// The subfolders, then the files that match patterns, each group sorted by
// name without case. Hidden (dot) names are left out. On failure the error is
// set and the result is empty.
std::vector<Entry> ListFolder(const std::string& folder, const std::vector<std::string>& patterns,
                              std::error_code& error);

// A typed name, relative or absolute path (with "~" for the home folder),
// against the folder shown; the result is absolute and lexically normal.
std::string ResolvePath(const std::string& folder, const std::string& typed);

bool HasWildcards(const std::string& text);

} // namespace sys::filedlg
