#include "analysis/MarkerCount.h"

#include <immintrin.h>


namespace {

std::size_t CountSse2(const char* text, std::ptrdiff_t& p, std::ptrdiff_t last) noexcept
{
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i hyphen = _mm_set1_epi8('-');
#define CORVANE_LOAD16(at) _mm_loadu_si128(reinterpret_cast<const __m128i*>(at))
    std::size_t count = 0;
    for (; p + 15 <= last; p += 16) {
        const char* at = text + p;
        __m128i m = _mm_and_si128(
            _mm_and_si128(_mm_cmpeq_epi8(CORVANE_LOAD16(at), space), _mm_cmpeq_epi8(CORVANE_LOAD16(at + 1), hyphen)),
            _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(CORVANE_LOAD16(at + 2), space),
                                        _mm_cmpeq_epi8(CORVANE_LOAD16(at + 3), hyphen)),
                          _mm_cmpeq_epi8(CORVANE_LOAD16(at + 4), space)));
        count += static_cast<std::size_t>(__builtin_popcount(static_cast<unsigned>(_mm_movemask_epi8(m))));
    }
#undef CORVANE_LOAD16
    return count;
}

__attribute__((target("avx2,popcnt"))) std::size_t CountAvx2(const char* text, std::ptrdiff_t& p,
                                                              std::ptrdiff_t last) noexcept
{
    const __m256i space = _mm256_set1_epi8(' ');
    const __m256i hyphen = _mm256_set1_epi8('-');
#define CORVANE_LOAD32(at) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at))
    std::size_t count = 0;
    for (; p + 31 <= last; p += 32) {
        const char* at = text + p;
        __m256i m = _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi8(CORVANE_LOAD32(at), space),
                                                      _mm256_cmpeq_epi8(CORVANE_LOAD32(at + 1), hyphen)),
                                     _mm256_and_si256(_mm256_and_si256(_mm256_cmpeq_epi8(CORVANE_LOAD32(at + 2), space),
                                                                       _mm256_cmpeq_epi8(CORVANE_LOAD32(at + 3), hyphen)),
                                                      _mm256_cmpeq_epi8(CORVANE_LOAD32(at + 4), space)));
        count += static_cast<std::size_t>(__builtin_popcount(static_cast<unsigned>(_mm256_movemask_epi8(m))));
    }
#undef CORVANE_LOAD32
    return count;
}

const bool g_hasAvx2 = __builtin_cpu_supports("avx2");

} // namespace

std::size_t CountMarkersBetween(const char* text, std::ptrdiff_t length, std::ptrdiff_t from) noexcept
{
    if (!text) return 0;
    if (from < 0) from = 0;
    const std::ptrdiff_t last = length - 5; // the last position a whole marker fits
    std::ptrdiff_t p = from;
    std::size_t count = 0;
    // A block of lanes p..p+15 reads up to p + 19, which stays inside the text
    // while its last lane is at most last.
    if (g_hasAvx2) count += CountAvx2(text, p, last);
    count += CountSse2(text, p, last);
    for (; p <= last; ++p)
        count += text[p] == ' ' && text[p + 1] == '-' && text[p + 2] == ' ' && text[p + 3] == '-' && text[p + 4] == ' ';
    return count;
}
