#include "analysis/LogEntry.h"

#include "platform/base/ByteSearch.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// First offset of needle at or after from, or -1 (also past the end).
inline std::ptrdiff_t Find(const char* s, std::ptrdiff_t n, std::ptrdiff_t from, const char* needle,
                           std::ptrdiff_t needleLen) noexcept
{
    return corvane::FindBytes(s, n, from, needle, needleLen);
}

inline std::ptrdiff_t FindChar(const char* s, std::ptrdiff_t n, std::ptrdiff_t from, char c) noexcept
{
    if (from < 0) from = 0;
    if (from >= n) return -1;
    const void* hit = std::memchr(s + from, static_cast<unsigned char>(c), static_cast<std::size_t>(n - from));
    return hit ? static_cast<const char*>(hit) - s : -1;
}

// " " followed by the cut (first, count) of s, with the cut's clamping rules.
CString SpaceAndCut(const char* s, std::ptrdiff_t n, std::ptrdiff_t first, std::ptrdiff_t count, CStringArena* arena,
                    std::vector<char>& scratch)
{
    if (first < 0) first = 0;
    if (count < 0) count = 0;
    if (first >= n) count = 0;
    else count = std::min(count, n - first);
    scratch.resize(static_cast<std::size_t>(count) + 1);
    scratch[0] = ' ';
    if (count > 0) std::memcpy(scratch.data() + 1, s + first, static_cast<std::size_t>(count));
    if (arena) return arena->Make(scratch.data(), count + 1);
    return CString(scratch.data(), count + 1);
}

} // namespace

void LogEntry::Extract(CStringArena* arena)
{
    const CString s = line; // a working copy: shares the buffer
    const char* p = s.GetString();
    const std::ptrdiff_t n = s.GetLength();
    thread_local std::vector<char> scratch;

    const std::ptrdiff_t m = Find(p, n, 0, " - - ", 5);
    const std::ptrdiff_t l = FindChar(p, n, 0, '[');
    const std::ptrdiff_t t = Find(p, n, l + 1, " -", 2);
    const std::ptrdiff_t g = Find(p, n, 0, "GET", 3);
    const std::ptrdiff_t u = Find(p, n, g + 1, "HTTP", 4);
    // The first "HTTP" anchors the protocol, status and size alike.
    const std::ptrdiff_t h = Find(p, n, 0, "HTTP", 4);
    const std::ptrdiff_t d = FindChar(p, n, h + 1, '-');

    ip = SpaceAndCut(p, n, 0, m, arena, scratch);
    time = SpaceAndCut(p, n, l + 1, t - l - 1, arena, scratch);
    url = SpaceAndCut(p, n, g + 3, u - g - 3, arena, scratch);
    http = SpaceAndCut(p, n, h, 8, arena, scratch);
    status = SpaceAndCut(p, n, h + 10, 3, arena, scratch);
    bytes = SpaceAndCut(p, n, h + 14, d - h - 16, arena, scratch);
}

bool LogLineHasToken(const CString& text, const CString& token) noexcept
{
    return corvane::FindBytes(text.GetString(), text.GetLength(), 1, token.GetString(), token.GetLength()) >= 0;
}
