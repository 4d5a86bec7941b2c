#include "analysis/LogFields.h"

#include "platform/base/ByteSearch.h"

#include <cstring>
#include <vector>

namespace {

// First offset of c in [from, end), or -1.
inline std::ptrdiff_t FindChar(const char* s, std::ptrdiff_t from, std::ptrdiff_t end, char c) noexcept
{
    if (from >= end) return -1;
    const void* pHit = std::memchr(s + from, static_cast<unsigned char>(c), static_cast<std::size_t>(end - from));
    return pHit ? static_cast<const char*>(pHit) - s : -1;
}

inline std::ptrdiff_t SkipSpaces(const char* s, std::ptrdiff_t from, std::ptrdiff_t end) noexcept
{
    while (from < end && s[from] == ' ') ++from;
    return from;
}

// One past the word that starts at from.
inline std::ptrdiff_t WordEnd(const char* s, std::ptrdiff_t from, std::ptrdiff_t end) noexcept
{
    const std::ptrdiff_t nSpace = FindChar(s, from, end, ' ');
    return nSpace < 0 ? end : nSpace;
}

inline bool AllDigits(const char* s, std::ptrdiff_t from, std::ptrdiff_t end) noexcept
{
    for (; from < end; ++from)
        if (s[from] < '0' || s[from] > '9') return false;
    return true;
}

inline LogFieldSpan Span(std::ptrdiff_t from, std::ptrdiff_t end) noexcept { return {from, end - from}; }

// The request's method ends at its first space; the url runs from that space
// to the protocol, or to the request's end when the last word is no protocol.
void CutRequest(const char* s, std::ptrdiff_t from, std::ptrdiff_t end, LogFieldSpans& out) noexcept
{
    const std::ptrdiff_t nSpace = FindChar(s, from, end, ' ');
    if (nSpace < 0) return;
    std::ptrdiff_t nWordEnd = end;
    while (nWordEnd > nSpace && s[nWordEnd - 1] == ' ') --nWordEnd;
    std::ptrdiff_t nWord = nWordEnd;
    while (nWord > nSpace && s[nWord - 1] != ' ') --nWord;
    if (nWordEnd - nWord >= 5 && std::memcmp(s + nWord, "HTTP/", 5) == 0) {
        out.url = Span(nSpace, nWord);
        out.http = Span(nWord, nWordEnd);
    } else {
        out.url = Span(nSpace, end);
    }
}

} // namespace

void CutLogFields(const char* line, std::ptrdiff_t length, LogFieldSpans& out) noexcept
{
    out = LogFieldSpans();
    if (!line || length <= 0) return;
    const char* s = line;
    std::ptrdiff_t n = length;
    if (s[n - 1] == '\r') --n;

    std::ptrdiff_t nIpEnd = corvane::FindBytes(s, n, 0, " - - ", 5);
    if (nIpEnd < 0) nIpEnd = WordEnd(s, 0, n);
    out.ip = Span(0, nIpEnd);

    // The request is looked for after the time, so that a quote inside the
    // brackets cannot start it.
    std::ptrdiff_t nFrom = 0;
    const std::ptrdiff_t nOpen = FindChar(s, 0, n, '[');
    const std::ptrdiff_t nClose = nOpen < 0 ? -1 : FindChar(s, nOpen + 1, n, ']');
    if (nClose >= 0) {
        const std::ptrdiff_t nZone = FindChar(s, nOpen + 1, nClose, ' ');
        out.time = Span(nOpen + 1, nZone < 0 ? nClose : nZone);
        nFrom = nClose + 1;
    }

    const std::ptrdiff_t nQuote = FindChar(s, nFrom, n, '"');
    if (nQuote < 0) return;
    std::ptrdiff_t nEnd = FindChar(s, nQuote + 1, n, '"');
    while (nEnd >= 0 && s[nEnd - 1] == '\\') nEnd = FindChar(s, nEnd + 1, n, '"');
    // An unterminated request runs to the line's end and leaves no status.
    CutRequest(s, nQuote + 1, nEnd < 0 ? n : nEnd, out);
    if (nEnd < 0) return;

    std::ptrdiff_t nWord = SkipSpaces(s, nEnd + 1, n);
    std::ptrdiff_t nWordEnd = WordEnd(s, nWord, n);
    if (nWordEnd - nWord != 3 || !AllDigits(s, nWord, nWordEnd)) return;
    out.status = Span(nWord, nWordEnd);

    nWord = SkipSpaces(s, nWordEnd, n);
    nWordEnd = WordEnd(s, nWord, n);
    if (nWordEnd > nWord && AllDigits(s, nWord, nWordEnd)) out.bytes = Span(nWord, nWordEnd);
}

CString MakeLogField(const char* line, const LogFieldSpan& span, CStringArena* arena)
{
    const std::ptrdiff_t nLength = span.length > 0 ? span.length : 0;
    if (!arena) {
        CString str;
        char* pBuffer = str.GetBufferSetLength(nLength + 1);
        pBuffer[0] = ' ';
        if (nLength > 0) std::memcpy(pBuffer + 1, line + span.start, static_cast<std::size_t>(nLength));
        return str;
    }
    // The arena copies a whole string: the space is put in front here.
    char szShort[256];
    thread_local std::vector<char> longScratch;
    char* pBuffer = szShort;
    if (nLength + 1 > static_cast<std::ptrdiff_t>(sizeof(szShort))) {
        longScratch.resize(static_cast<std::size_t>(nLength) + 1);
        pBuffer = longScratch.data();
    }
    pBuffer[0] = ' ';
    if (nLength > 0) std::memcpy(pBuffer + 1, line + span.start, static_cast<std::size_t>(nLength));
    return arena->Make(pBuffer, nLength + 1);
}
