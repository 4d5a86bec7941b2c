#include "platform/system/controls/filedialog/FileDialogList.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

namespace sys::filedlg {

namespace {

char Lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Length of the UTF-8 sequence starting at s[i] (1 for a stray byte).
std::size_t CharLength(const std::string& s, std::size_t i)
{
    auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
    return std::min(n, s.size() - i);
}

bool Glob(const std::string& name, std::size_t n, const std::string& pat, std::size_t p)
{
    // Iterative matching with one back-track point for the last '*'.
    std::size_t starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pat.size() && pat[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pat.size() && pat[p] == '?') {
            ++p;
            n += CharLength(name, n);
        } else if (p < pat.size() && Lower(pat[p]) == Lower(name[n])) {
            ++p;
            ++n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            starN += CharLength(name, starN);
            n = starN;
        } else {
            return false;
        }
    }
    while (p < pat.size() && pat[p] == '*')
        ++p;
    return p == pat.size();
}

std::string Folded(const std::string& s)
{
    std::string out = s;
    for (char& c : out)
        c = Lower(c);
    return out;
}

bool ByName(const Entry& a, const Entry& b)
{
    std::string x = Folded(a.name), y = Folded(b.name);
    return x != y ? x < y : a.name < b.name;
}

} // namespace

std::vector<Filter> ParseFilters(const char* filter)
{
    std::vector<Filter> out;
    if (!filter) return out;
    const char* p = filter;
    while (*p) {
        Filter f;
        f.text = p;
        p += f.text.size() + 1;
        if (!*p) break; // a shown text without its patterns
        std::string patterns = p;
        p += patterns.size() + 1;
        f.patterns = SplitPatterns(patterns);
        out.push_back(std::move(f));
    }
    return out;
}

std::vector<std::string> SplitPatterns(const std::string& patterns)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string::npos) end = patterns.size();
        std::string one = patterns.substr(start, end - start);
        std::size_t a = one.find_first_not_of(" \t");
        std::size_t b = one.find_last_not_of(" \t");
        if (a != std::string::npos) out.push_back(one.substr(a, b - a + 1));
        start = end + 1;
    }
    return out;
}

bool MatchPattern(const std::string& name, const std::string& pattern)
{
    if (pattern == "*.*" || pattern == "*") return true;
    return Glob(name, 0, pattern, 0);
}

bool MatchAny(const std::string& name, const std::vector<std::string>& patterns)
{
    if (patterns.empty()) return true;
    for (const std::string& p : patterns)
        if (MatchPattern(name, p)) return true;
    return false;
}

std::vector<Entry> ListFolder(const std::string& folder, const std::vector<std::string>& patterns,
                              std::error_code& error)
{
    error.clear();
    std::vector<Entry> folders, files;
    fs::directory_iterator it(fs::path(folder), fs::directory_options::none, error);
    if (error) return {};
    for (fs::directory_iterator end; it != end; it.increment(error)) {
        if (error) return {};
        std::string name = it->path().filename().string();
        if (name.empty() || name[0] == '.') continue;
        std::error_code statError;
        // A broken link or an entry that cannot be looked at shows as a file.
        bool isFolder = it->is_directory(statError) && !statError;
        if (isFolder)
            folders.push_back({name, true});
        else if (MatchAny(name, patterns))
            files.push_back({name, false});
    }
    std::sort(folders.begin(), folders.end(), ByName);
    std::sort(files.begin(), files.end(), ByName);
    folders.insert(folders.end(), files.begin(), files.end());
    return folders;
}

std::string ResolvePath(const std::string& folder, const std::string& typed)
{
    fs::path p(typed);
    if (!typed.empty() && typed[0] == '~' && (typed.size() == 1 || typed[1] == '/')) {
        const char* home = std::getenv("HOME");
        p = fs::path(home ? home : "/") / fs::path(typed.size() > 2 ? typed.substr(2) : std::string());
    } else if (p.is_relative()) {
        p = fs::path(folder) / p;
    }
    std::string out = p.lexically_normal().string();
    // "a/b/" and "a/b/." name the folder itself.
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    return out;
}

bool HasWildcards(const std::string& text)
{
    return text.find_first_of("*?") != std::string::npos;
}

} // namespace sys::filedlg
