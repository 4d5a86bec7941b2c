// Finding the lines that hold any of a few tokens in one pass over a text:
// the six crawler pages read the same bytes, so they are read once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CTokenScan {
public:
    static constexpr int kMaxTokens = 8;

    // The tokens must outlive the scan; empty tokens never match.
    CTokenScan(const char* const* ppTokens, int nTokens);

    int GetTokenCount() const { return m_nTokens; }
    std::ptrdiff_t GetLongest() const { return m_nLongest; }

    // Calls onHit(token, offset) for every occurrence of a token that starts in
    // text[from, to), in offset order (tokens at one offset in token order).
    // Only text[from, to + longest - 1) clamped to length is read.
    template <class OnHit>
    void Scan(const char* text, std::ptrdiff_t length, std::ptrdiff_t from, std::ptrdiff_t to, OnHit&& onHit) const
    {
        m_hits.clear();
        Candidates(text, length, from, to);
        for (std::ptrdiff_t at : m_hits)
            for (int t = 0; t < m_nTokens; ++t)
                if (Matches(text, length, at, t)) onHit(t, at);
    }

private:
    // Offsets in [from, to) where the first two bytes of some token stand.
    void Candidates(const char* text, std::ptrdiff_t length, std::ptrdiff_t from, std::ptrdiff_t to) const;
    std::ptrdiff_t CandidatesAvx2(const char* text, std::ptrdiff_t length, std::ptrdiff_t p, std::ptrdiff_t to) const;
    bool Matches(const char* text, std::ptrdiff_t length, std::ptrdiff_t at, int t) const noexcept;

    const char* m_pTokens[kMaxTokens] = {};
    std::ptrdiff_t m_nLengths[kMaxTokens] = {};
    int m_nTokens = 0;
    std::ptrdiff_t m_nLongest = 0;
    // Distinct leading byte pairs (one-byte tokens use a pair with any second byte).
    unsigned char m_first[kMaxTokens] = {};
    unsigned char m_second[kMaxTokens] = {};
    bool m_anySecond[kMaxTokens] = {};
    int m_nPairs = 0;
    mutable std::vector<std::ptrdiff_t> m_hits;
};
