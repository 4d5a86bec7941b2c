#include "platform/base/ByteSearch.h"

#include <immintrin.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace corvane {

namespace {

// How common a byte is in web-server logs and text: lower is rarer. Only the
// order matters; a poor guess costs speed, never correctness.
constexpr std::array<std::uint8_t, 256> MakeRanks()
{
    std::array<std::uint8_t, 256> r{};
    for (int c = 0; c < 256; ++c) r[c] = 40; // control bytes, punctuation
    for (int c = 0x80; c < 256; ++c) r[c] = 90; // double-byte text
    for (int c = 'A'; c <= 'Z'; ++c) r[c] = 110;
    for (int c = 'a'; c <= 'z'; ++c) r[c] = 170;
    for (int c = '0'; c <= '9'; ++c) r[c] = 200;
    const char* rareUpper = "JQXZKVWY";
    for (const char* p = rareUpper; *p; ++p) r[static_cast<unsigned char>(*p)] = 70;
    const char* rareLower = "jqxzkvwy";
    for (const char* p = rareLower; *p; ++p) r[static_cast<unsigned char>(*p)] = 120;
    const char* oftenLower = "etaoinsrhl";
    for (const char* p = oftenLower; *p; ++p) r[static_cast<unsigned char>(*p)] = 190;
    const char* logPunct = "/.:-\"=&?;,()";
    for (const char* p = logPunct; *p; ++p) r[static_cast<unsigned char>(*p)] = 185;
    r['-'] = 150; // common, but rarely two apart: " - - " is filtered on its hyphens
    r['\n'] = 60;
    r[' '] = 250;
    r['\0'] = 30;
    return r;
}

constexpr std::array<std::uint8_t, 256> kRank = MakeRanks();

inline std::uint8_t Rank(char c) noexcept { return kRank[static_cast<unsigned char>(c)]; }

inline int CountTrailingZeros(unsigned v) noexcept { return __builtin_ctz(v); }

// Candidate positions p..p+31 at a time while p + 31 <= last; returns the
// first match, or -1 with p at the first position not yet looked at.
__attribute__((target("avx2"))) std::ptrdiff_t ScanAvx2(const char* hay, std::ptrdiff_t& p, std::ptrdiff_t last,
                                                        const char* needle, std::size_t len, std::ptrdiff_t pos1,
                                                        std::ptrdiff_t pos2) noexcept
{
    const __m256i v1 = _mm256_set1_epi8(needle[pos1]);
    const __m256i v2 = _mm256_set1_epi8(needle[pos2]);
    for (; p + 31 <= last; p += 32) {
        const __m256i x1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(hay + p + pos1));
        const __m256i x2 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(hay + p + pos2));
        unsigned bits = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(x1, v1), _mm256_cmpeq_epi8(x2, v2))));
        while (bits) {
            std::ptrdiff_t q = p + CountTrailingZeros(bits);
            if (std::memcmp(hay + q, needle, len) == 0) return q;
            bits &= bits - 1;
        }
    }
    return -1;
}

const bool g_hasAvx2 = __builtin_cpu_supports("avx2");

} // namespace

ByteFinder::ByteFinder(const char* needle, std::ptrdiff_t needleLen) noexcept
    : m_needle(needle), m_len(needle && needleLen > 0 ? needleLen : 0)
{
    if (m_len < 2) return;
    // Rarest byte first, then the rarest at another position; ties keep the
    // earlier position, the second prefers being far from the first.
    std::ptrdiff_t best = 0;
    for (std::ptrdiff_t i = 1; i < m_len; ++i)
        if (Rank(needle[i]) < Rank(needle[best])) best = i;
    auto distance = [best](std::ptrdiff_t i) { return i > best ? i - best : best - i; };
    std::ptrdiff_t second = best == 0 ? 1 : 0;
    for (std::ptrdiff_t i = 0; i < m_len; ++i) {
        if (i == best) continue;
        if (Rank(needle[i]) < Rank(needle[second]) ||
            (Rank(needle[i]) == Rank(needle[second]) && distance(i) > distance(second)))
            second = i;
    }
    m_pos1 = best < second ? best : second;
    m_pos2 = best < second ? second : best;
}

std::ptrdiff_t ByteFinder::Find(const char* hay, std::ptrdiff_t hayLen, std::ptrdiff_t start) const noexcept
{
    if (start < 0) start = 0;
    if (!hay || hayLen < 0 || start > hayLen) return -1;
    if (m_len == 0) return start;
    if (m_len > hayLen - start) return -1;
    if (m_len == 1) {
        const void* hit = std::memchr(hay + start, static_cast<unsigned char>(m_needle[0]),
                                      static_cast<std::size_t>(hayLen - start));
        return hit ? static_cast<const char*>(hit) - hay : -1;
    }

    // Candidate positions p run from start to last; reading hay[p + m_pos2]
    // for p <= last never passes the end.
    const std::ptrdiff_t last = hayLen - m_len;
    const char b1 = m_needle[m_pos1];
    const char b2 = m_needle[m_pos2];
    const std::size_t len = static_cast<std::size_t>(m_len);
    std::ptrdiff_t p = start;

    if (last - p + 1 >= 16) {
        const __m128i v1 = _mm_set1_epi8(b1);
        const __m128i v2 = _mm_set1_epi8(b2);
        auto scan = [&](std::ptrdiff_t at, unsigned mask) -> std::ptrdiff_t {
            const __m128i x1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + at + m_pos1));
            const __m128i x2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hay + at + m_pos2));
            unsigned bits =
                static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(x1, v1), _mm_cmpeq_epi8(x2, v2))));
            bits &= mask;
            while (bits) {
                std::ptrdiff_t q = at + CountTrailingZeros(bits);
                if (std::memcmp(hay + q, m_needle, len) == 0) return q;
                bits &= bits - 1;
            }
            return -1;
        };
        if (g_hasAvx2 && last - p >= 63) {
            std::ptrdiff_t hit = ScanAvx2(hay, p, last, m_needle, len, m_pos1, m_pos2);
            if (hit >= 0) return hit;
        }
        for (; p + 15 <= last; p += 16) {
            std::ptrdiff_t hit = scan(p, 0xFFFFu);
            if (hit >= 0) return hit;
        }
        if (p <= last) {
            // The final block overlaps the previous one; its first lanes were checked already.
            std::ptrdiff_t at = last - 15;
            return scan(at, 0xFFFFu << (p - at));
        }
        return -1;
    }

    for (; p <= last; ++p)
        if (hay[p + m_pos1] == b1 && hay[p + m_pos2] == b2 && std::memcmp(hay + p, m_needle, len) == 0) return p;
    return -1;
}

std::ptrdiff_t FindBytes(const char* hay, std::ptrdiff_t hayLen, std::ptrdiff_t start, const char* needle,
                         std::ptrdiff_t needleLen) noexcept
{
    if (start < 0) start = 0;
    if (start > hayLen) return -1;
    if (needleLen <= 0 || !needle) return start;
    return ByteFinder(needle, needleLen).Find(hay, hayLen, start);
}

} // namespace corvane
