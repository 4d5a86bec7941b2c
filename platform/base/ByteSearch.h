// Byte-string search used by CString::Find and the log analysis hot loops.
#pragma once

#include <cstddef>

namespace corvane {

// Offset of the first occurrence of needle in hay[start, hayLen), or -1.
// A negative start counts as 0; a start past hayLen gives -1; an empty needle
// is found at start.
std::ptrdiff_t FindBytes(const char* hay, std::ptrdiff_t hayLen, std::ptrdiff_t start, const char* needle,
                         std::ptrdiff_t needleLen) noexcept;

// A needle prepared once for many searches (one per log record, say). Same
// results as FindBytes. The finder keeps a pointer to the needle, which must
// outlive it.
class ByteFinder {
public:
    ByteFinder(const char* needle, std::ptrdiff_t needleLen) noexcept;

    std::ptrdiff_t Find(const char* hay, std::ptrdiff_t hayLen, std::ptrdiff_t start) const noexcept;
    std::ptrdiff_t NeedleLength() const noexcept { return m_len; }

private:
    const char* m_needle;
    std::ptrdiff_t m_len;
    // Two positions of the needle holding its rarest bytes: candidates must
    // match both before the whole needle is compared.
    std::ptrdiff_t m_pos1 = 0;
    std::ptrdiff_t m_pos2 = 0;
};

} // namespace corvane
