// Byte-string search used by CString::Find and the log analysis hot loops.
#pragma once

#include <cstddef>

namespace corvane {

// Offset of the first occurrence of needle in hay[start, hayLen), or -1.
// A negative start counts as 0; a start past hayLen gives -1; an empty needle
// is found at start.
std::ptrdiff_t FindBytes(const char* hay, std::ptrdiff_t hayLen, std::ptrdiff_t start, const char* needle,
                         std::ptrdiff_t needleLen) noexcept;

} // namespace corvane
