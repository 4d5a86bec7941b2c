#include "platform/base/Cp936Decode.h"

#include <iconv.h>
#include <vector>

namespace corvane {

namespace {

constexpr int kLeadCount = 0xFE - 0x81 + 1;        // 126 lead bytes
constexpr int kTrailCount = 0xFE - 0x40;           // 0x40..0x7E and 0x80..0xFE: 190
constexpr int kFourByteBmpCount = 39420;           // 0x81308130 .. 0x8431A439
constexpr int kFourByteSupplementaryBase = 189000; // linear index of 0x90308130

bool IsLead(unsigned char b)
{
    return b >= 0x81 && b <= 0xFE;
}
int TrailIndex(unsigned char t)
{
    if (t >= 0x40 && t <= 0x7E) return t - 0x40;
    if (t >= 0x80 && t <= 0xFE) return t - 0x41;
    return -1;
}

// One reusable converter; tables are built once, so its cost is paid once per process.
class Converter {
public:
    Converter() : m_cd(iconv_open("UTF-32LE", "GB18030")) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    // The code point for exactly one character in bytes, or 0 when it does not convert.
    char32_t Convert(const unsigned char* bytes, std::size_t n)
    {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) return 0;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char in[4];
        for (std::size_t i = 0; i < n; ++i)
            in[i] = static_cast<char>(bytes[i]);
        unsigned char outBuf[8];
        char* inPtr = in;
        char* outPtr = reinterpret_cast<char*>(outBuf);
        std::size_t inLeft = n, outLeft = sizeof(outBuf);
        if (iconv(m_cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return 0;
        if (inLeft != 0 || sizeof(outBuf) - outLeft != 4) return 0;
        return static_cast<char32_t>(outBuf[0] | (outBuf[1] << 8) | (outBuf[2] << 16) |
                                     (static_cast<char32_t>(outBuf[3]) << 24));
    }

private:
    iconv_t m_cd;
};

const std::vector<char32_t>& TwoByteTable()
{
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t(static_cast<std::size_t>(kLeadCount) * kTrailCount, 0);
        Converter conv;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                int ti = TrailIndex(static_cast<unsigned char>(trail));
                if (ti < 0) continue;
                unsigned char b[2] = {static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)};
                t[static_cast<std::size_t>(lead - 0x81) * kTrailCount + ti] = conv.Convert(b, 2);
            }
        }
        return t;
    }();
    return table;
}

// Four-byte sequences in the Basic Multilingual Plane are rare in real text: build lazily.
const std::vector<char32_t>& FourByteBmpTable()
{
    static const std::vector<char32_t> table = [] {
        std::vector<char32_t> t(kFourByteBmpCount, 0);
        Converter conv;
        for (int i = 0; i < kFourByteBmpCount; ++i) {
            unsigned char b[4];
            int v = i;
            b[3] = static_cast<unsigned char>(0x30 + v % 10);
            v /= 10;
            b[2] = static_cast<unsigned char>(0x81 + v % 126);
            v /= 126;
            b[1] = static_cast<unsigned char>(0x30 + v % 10);
            v /= 10;
            b[0] = static_cast<unsigned char>(0x81 + v);
            t[i] = conv.Convert(b, 4);
        }
        return t;
    }();
    return table;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

int DecodeCp936(const unsigned char* s, std::size_t n, char32_t* out)
{
    if (n == 0 || s == nullptr) return 0;
    unsigned char b0 = s[0];
    if (b0 < 0x80) {
        *out = b0;
        return 1;
    }
    if (b0 == 0x80) {
        *out = 0x20AC;
        return 1;
    }
    *out = kReplacementChar;
    if (!IsLead(b0) || n < 2) return 1;
    unsigned char b1 = s[1];
    int ti = TrailIndex(b1);
    if (ti >= 0) {
        char32_t c = TwoByteTable()[static_cast<std::size_t>(b0 - 0x81) * kTrailCount + ti];
        if (c != 0) *out = c;
        return c != 0 ? 2 : 1;
    }
    if (b1 < 0x30 || b1 > 0x39 || n < 4) return 1;
    unsigned char b2 = s[2], b3 = s[3];
    if (!IsLead(b2) || b3 < 0x30 || b3 > 0x39) return 1;
    long linear = (((static_cast<long>(b0 - 0x81) * 10 + (b1 - 0x30)) * 126 + (b2 - 0x81)) * 10) + (b3 - 0x30);
    if (linear < kFourByteBmpCount) {
        char32_t c = FourByteBmpTable()[static_cast<std::size_t>(linear)];
        if (c != 0) *out = c;
    } else if (linear >= kFourByteSupplementaryBase && linear < kFourByteSupplementaryBase + 0x100000) {
        *out = static_cast<char32_t>(0x10000 + (linear - kFourByteSupplementaryBase));
    }
    return 4;
}

std::string Cp936ToUtf8(const char* s, std::size_t n)
{
    std::string out;
    if (s == nullptr) return out;
    out.reserve(n);
    const auto* p = reinterpret_cast<const unsigned char*>(s);
    std::size_t i = 0;
    while (i < n) {
        char32_t c;
        i += static_cast<std::size_t>(DecodeCp936(p + i, n - i, &c));
        AppendUtf8(out, c);
    }
    return out;
}

} // namespace corvane
