#include "platform/base/ByteSearch.h"

#include <cstring>

namespace corvane {

std::ptrdiff_t FindBytes(const char* hay, std::ptrdiff_t hayLen, std::ptrdiff_t start, const char* needle,
                         std::ptrdiff_t needleLen) noexcept
{
    if (start < 0) start = 0;
    if (start > hayLen) return -1;
    if (needleLen == 0) return start;
    if (needleLen > hayLen - start) return -1;
    const void* hit = memmem(hay + start, static_cast<std::size_t>(hayLen - start), needle, static_cast<std::size_t>(needleLen));
    return hit ? static_cast<const char*>(hit) - hay : -1;
}

} // namespace corvane
