#include "analysis/TokenScan.h"

#include <immintrin.h>

#include <algorithm>
#include <cstring>

namespace {

const bool g_hasAvx2 = __builtin_cpu_supports("avx2");

} // namespace

CTokenScan::CTokenScan(const char* const* ppTokens, int nTokens)
{
    m_nTokens = std::clamp(nTokens, 0, kMaxTokens);
    for (int t = 0; t < m_nTokens; ++t) {
        const char* pToken = ppTokens[t] ? ppTokens[t] : "";
        m_pTokens[t] = pToken;
        m_nLengths[t] = static_cast<std::ptrdiff_t>(std::strlen(pToken));
        m_nLongest = std::max(m_nLongest, m_nLengths[t]);
        if (m_nLengths[t] == 0) continue;
        auto c0 = static_cast<unsigned char>(pToken[0]);
        auto c1 = static_cast<unsigned char>(m_nLengths[t] > 1 ? pToken[1] : 0);
        bool bAny = m_nLengths[t] == 1;
        bool bKnown = false;
        for (int k = 0; k < m_nPairs; ++k)
            if (m_first[k] == c0 && (m_anySecond[k] || (!bAny && m_second[k] == c1))) bKnown = true;
        if (bKnown) continue;
        m_first[m_nPairs] = c0;
        m_second[m_nPairs] = c1;
        m_anySecond[m_nPairs] = bAny;
        ++m_nPairs;
    }
}

bool CTokenScan::Matches(const char* text, std::ptrdiff_t length, std::ptrdiff_t at, int t) const noexcept
{
    std::ptrdiff_t n = m_nLengths[t];
    if (n <= 0 || at + n > length || text[at] != m_pTokens[t][0]) return false;
    return std::memcmp(text + at, m_pTokens[t], static_cast<std::size_t>(n)) == 0;
}

__attribute__((target("avx2"))) std::ptrdiff_t CTokenScan::CandidatesAvx2(const char* text, std::ptrdiff_t length,
                                                                          std::ptrdiff_t p, std::ptrdiff_t to) const
{
    __m256i first[kMaxTokens], second[kMaxTokens];
    for (int k = 0; k < m_nPairs; ++k) {
        first[k] = _mm256_set1_epi8(static_cast<char>(m_first[k]));
        second[k] = m_anySecond[k] ? _mm256_set1_epi8(static_cast<char>(0xFF)) : _mm256_set1_epi8(static_cast<char>(m_second[k]));
    }
    // Lanes p..p+31 read text[p, p + 33): stay inside the text.
    for (; p + 32 <= to && p + 33 <= length; p += 32) {
        __m256i v0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + p));
        __m256i v1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(text + p + 1));
        __m256i m = _mm256_setzero_si256();
        for (int k = 0; k < m_nPairs; ++k) {
            __m256i s = m_anySecond[k] ? second[k] : _mm256_cmpeq_epi8(v1, second[k]);
            m = _mm256_or_si256(m, _mm256_and_si256(_mm256_cmpeq_epi8(v0, first[k]), s));
        }
        auto bits = static_cast<unsigned>(_mm256_movemask_epi8(m));
        while (bits) {
            m_hits.push_back(p + __builtin_ctz(bits));
            bits &= bits - 1;
        }
    }
    return p;
}

void CTokenScan::Candidates(const char* text, std::ptrdiff_t length, std::ptrdiff_t from, std::ptrdiff_t to) const
{
    to = std::min(to, length);
    if (m_nPairs == 0 || from >= to) return;
    std::ptrdiff_t p = std::max<std::ptrdiff_t>(from, 0);
    // Lanes p..p+15 read text[p, p + 17): stay inside the text.
    __m128i first[kMaxTokens], second[kMaxTokens];
    for (int k = 0; k < m_nPairs; ++k) {
        first[k] = _mm_set1_epi8(static_cast<char>(m_first[k]));
        second[k] = _mm_set1_epi8(static_cast<char>(m_second[k]));
    }
    if (g_hasAvx2) p = CandidatesAvx2(text, length, p, to);
    const __m128i all = _mm_set1_epi8(static_cast<char>(0xFF));
    for (; p + 16 <= to && p + 17 <= length; p += 16) {
        __m128i v0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p));
        __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + p + 1));
        __m128i m = _mm_setzero_si128();
        for (int k = 0; k < m_nPairs; ++k) {
            __m128i s = m_anySecond[k] ? all : _mm_cmpeq_epi8(v1, second[k]);
            m = _mm_or_si128(m, _mm_and_si128(_mm_cmpeq_epi8(v0, first[k]), s));
        }
        unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(m));
        while (bits) {
            m_hits.push_back(p + __builtin_ctz(bits));
            bits &= bits - 1;
        }
    }
    for (; p < to; ++p) {
        auto c0 = static_cast<unsigned char>(text[p]);
        for (int k = 0; k < m_nPairs; ++k) {
            if (c0 != m_first[k]) continue;
            if (m_anySecond[k] || (p + 1 < length && static_cast<unsigned char>(text[p + 1]) == m_second[k])) {
                m_hits.push_back(p);
                break;
            }
        }
    }
}
