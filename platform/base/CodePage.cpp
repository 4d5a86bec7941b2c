#include "platform/base/CodePage.h"

#include "platform/base/Exception.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <new>
#include <stdexcept>

namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementCp936 = "?";

// Length of the well-formed UTF-8 sequence at p (at most n bytes), or 0.
std::size_t Utf8SequenceLength(const unsigned char* p, std::size_t n) noexcept
{
    unsigned char c = p[0];
    std::size_t len;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0)
            lo = 0xA0; // no overlong forms
        else if (c == 0xED)
            hi = 0x9F; // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0)
            lo = 0x90;
        else if (c == 0xF4)
            hi = 0x8F; // nothing past U+10FFFF
    } else {
        return 0;
    }
    if (n < len) return 0;
    if (p[1] < lo || p[1] > hi) return 0;
    for (std::size_t i = 2; i < len; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    return len;
}

// The 2022 edition moved eighteen characters from private-use code points to
// standard ones in their two-byte forms, and the system converter leaves both
// the freed four-byte forms and those private-use code points without a
// mapping. The edition pairs them with each other, which keeps file names with
// these code points whole.
struct PrivateUsePair {
    unsigned char gb[4];
    std::uint32_t codePoint;
};
constexpr PrivateUsePair kPrivateUsePairs[] = {
    {{0x82, 0x35, 0x90, 0x37}, 0xE81E}, {{0x82, 0x35, 0x90, 0x38}, 0xE826}, {{0x82, 0x35, 0x90, 0x39}, 0xE82B},
    {{0x82, 0x35, 0x91, 0x30}, 0xE82C}, {{0x82, 0x35, 0x91, 0x31}, 0xE832}, {{0x82, 0x35, 0x91, 0x32}, 0xE843},
    {{0x82, 0x35, 0x91, 0x33}, 0xE854}, {{0x82, 0x35, 0x91, 0x34}, 0xE864}, {{0x84, 0x31, 0x82, 0x36}, 0xE78D},
    {{0x84, 0x31, 0x82, 0x37}, 0xE78F}, {{0x84, 0x31, 0x82, 0x38}, 0xE78E}, {{0x84, 0x31, 0x82, 0x39}, 0xE790},
    {{0x84, 0x31, 0x83, 0x30}, 0xE791}, {{0x84, 0x31, 0x83, 0x31}, 0xE792}, {{0x84, 0x31, 0x83, 0x32}, 0xE793},
    {{0x84, 0x31, 0x83, 0x33}, 0xE794}, {{0x84, 0x31, 0x83, 0x34}, 0xE795}, {{0x84, 0x31, 0x83, 0x35}, 0xE796},
};

// The pair whose four-byte form starts p, or null.
const PrivateUsePair* PairForGb(const unsigned char* p, std::size_t n) noexcept
{
    if (n < 4) return nullptr;
    for (const PrivateUsePair& pair : kPrivateUsePairs)
        if (std::memcmp(pair.gb, p, 4) == 0) return &pair;
    return nullptr;
}

// The pair whose code point the three-byte UTF-8 sequence at p encodes, or null.
const PrivateUsePair* PairForUtf8(const unsigned char* p, std::size_t len) noexcept
{
    if (len != 3) return nullptr;
    std::uint32_t cp = (std::uint32_t(p[0] & 0x0F) << 12) | (std::uint32_t(p[1] & 0x3F) << 6) | (p[2] & 0x3F);
    for (const PrivateUsePair& pair : kPrivateUsePairs)
        if (pair.codePoint == cp) return &pair;
    return nullptr;
}

std::string PrivateUseUtf8(std::uint32_t cp)
{
    std::string s(3, '\0');
    s[0] = static_cast<char>(0xE0 | (cp >> 12));
    s[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s[2] = static_cast<char>(0x80 | (cp & 0x3F));
    return s;
}

// One descriptor per direction and thread: opening one loads a converter
// module, which is too slow to repeat for every file name.
class Converter {
public:
    Converter(const char* to, const char* from) noexcept : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const noexcept { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // Converts text, putting the replacement for each byte that cannot be
    // converted (for each whole character, when a valid one has no form).
    std::string Run(std::string_view text, std::string_view replacement, bool fromUtf8)
    {
        std::string out;
        if (text.empty()) return out;
        // Enough for the worst case in either direction, so E2BIG is rare.
        std::size_t reserve = text.size() * 3 + 16;
        if (reserve / 3 < text.size()) AfxThrowMemoryException();
        try {
            out.resize(reserve);
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        } catch (const std::length_error&) {
            AfxThrowMemoryException();
        }
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(text.data());
        std::size_t inLeft = text.size();
        std::size_t used = 0;
        while (inLeft > 0) {
            char* outPtr = out.data() + used;
            std::size_t outLeft = out.size() - used;
            std::size_t r = iconv(m_cd, &in, &inLeft, &outPtr, &outLeft);
            used = static_cast<std::size_t>(outPtr - out.data());
            if (r != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) {
                Grow(out, used + 16);
                continue;
            }
            // EILSEQ (invalid or unconvertible) or EINVAL (cut short at the end):
            // replace and step past it ourselves, as iconv will not.
            const auto* at = reinterpret_cast<const unsigned char*>(in);
            std::size_t skip = 1;
            std::string_view put = replacement;
            std::string pairText;
            if (fromUtf8) {
                std::size_t n = Utf8SequenceLength(at, inLeft);
                if (n > 1) skip = n; // a whole character the target cannot hold
                if (const PrivateUsePair* pair = PairForUtf8(at, n)) {
                    pairText.assign(reinterpret_cast<const char*>(pair->gb), 4);
                    put = pairText;
                }
            } else if (const PrivateUsePair* pair = PairForGb(at, inLeft)) {
                skip = 4;
                pairText = PrivateUseUtf8(pair->codePoint);
                put = pairText;
            }
            if (out.size() - used < put.size()) Grow(out, used + put.size());
            std::memcpy(out.data() + used, put.data(), put.size());
            used += put.size();
            in += skip;
            inLeft -= skip;
            iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        }
        // Flush any shift state (none for these encodings, but it is cheap).
        for (;;) {
            char* outPtr = out.data() + used;
            std::size_t outLeft = out.size() - used;
            std::size_t r = iconv(m_cd, nullptr, nullptr, &outPtr, &outLeft);
            used = static_cast<std::size_t>(outPtr - out.data());
            if (r == static_cast<std::size_t>(-1) && errno == E2BIG) {
                Grow(out, used + 16);
                continue;
            }
            break;
        }
        out.resize(used);
        return out;
    }

private:
    static void Grow(std::string& out, std::size_t atLeast)
    {
        std::size_t size = std::max(atLeast, out.size() + out.size() / 2);
        try {
            out.resize(size);
        } catch (const std::bad_alloc&) {
            AfxThrowMemoryException();
        } catch (const std::length_error&) {
            AfxThrowMemoryException();
        }
    }

    iconv_t m_cd;
};

// Without a converter (the converter modules are missing), ASCII passes and
// every other byte is replaced: still safe, never a crash.
std::string AsciiOnly(std::string_view text, std::string_view replacement, bool fromUtf8)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t skip = 1;
        if (fromUtf8) {
            std::size_t n =
                Utf8SequenceLength(reinterpret_cast<const unsigned char*>(text.data() + i), text.size() - i);
            if (n > 1) skip = n;
        }
        out += replacement;
        i += skip;
    }
    return out;
}

} // namespace

namespace {

// Logs are mostly ASCII, which both encodings write alike: such a text needs
// no converter (a copy of a million rows is hundreds of megabytes).
bool IsAscii(std::string_view text)
{
    const char* p = text.data();
    std::size_t n = text.size();
    std::uint64_t high = 0;
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        high |= word;
    }
    for (; n > 0; ++p, --n)
        high |= static_cast<unsigned char>(*p);
    return (high & 0x8080808080808080ull) == 0;
}

} // namespace

std::string Cp936ToUtf8(std::string_view text)
{
    if (IsAscii(text)) return std::string(text);
    thread_local Converter conv("UTF-8", "GB18030");
    if (!conv.Valid()) return AsciiOnly(text, kReplacementUtf8, false);
    return conv.Run(text, kReplacementUtf8, false);
}

std::string Cp936ToUtf8(const char* text)
{
    return Cp936ToUtf8(std::string_view(text ? text : ""));
}

std::string Cp936ToUtf8(const CString& text)
{
    return Cp936ToUtf8(std::string_view(text.GetString(), static_cast<std::size_t>(text.GetLength())));
}

std::string Utf8ToCp936(std::string_view text)
{
    thread_local Converter conv("GB18030", "UTF-8");
    if (!conv.Valid()) return AsciiOnly(text, kReplacementCp936, true);
    return conv.Run(text, kReplacementCp936, true);
}

std::string Utf8ToCp936(const char* text)
{
    return Utf8ToCp936(std::string_view(text ? text : ""));
}

CString CStringFromUtf8(std::string_view text)
{
    std::string bytes = Utf8ToCp936(text);
    return CString(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size()));
}
