#include "platform/base/CodePage.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <iterator>
#include <random>
#include <string>

namespace {

std::string U8(const char8_t* text)
{
    return std::string(reinterpret_cast<const char*>(text));
}

const std::string kReplacement = "\xEF\xBF\xBD";

std::string EncodeUtf8(std::uint32_t cp)
{
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else if (cp < 0x800) {
        s += static_cast<char>(0xC0 | (cp >> 6));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += static_cast<char>(0xE0 | (cp >> 12));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (cp >> 18));
        s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (cp & 0x3F));
    }
    return s;
}

// True when text is well-formed UTF-8 (no overlongs, surrogates or values past U+10FFFF).
bool IsValidUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        auto c = static_cast<unsigned char>(text[i]);
        std::size_t len;
        std::uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if ((c & 0xE0) == 0xC0) {
            len = 2;
            cp = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            len = 3;
            cp = c & 0x0F;
        } else if ((c & 0xF8) == 0xF0) {
            len = 4;
            cp = c & 0x07;
        } else
            return false;
        if (i + len > text.size()) return false;
        for (std::size_t k = 1; k < len; ++k) {
            auto t = static_cast<unsigned char>(text[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        std::uint32_t min = len == 2 ? 0x80 : len == 3 ? 0x800 : 0x10000;
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += len;
    }
    return true;
}

} // namespace

TEST(CodePage, ChineseTextRoundTrips)
{
    // Narrow literals are compiled as code page 936 bytes.
    const std::string cp936 = "百度记录";
    ASSERT_EQ(cp936, "\xB0\xD9\xB6\xC8\xBC\xC7\xC2\xBC");
    EXPECT_EQ(Cp936ToUtf8(cp936), U8(u8"百度记录"));
    EXPECT_EQ(Utf8ToCp936(U8(u8"百度记录")), cp936);

    const std::string mixed = "所有内容(ALL) 搜狗记录 - 我的文件打开对话框.log";
    EXPECT_EQ(Cp936ToUtf8(mixed), U8(u8"所有内容(ALL) 搜狗记录 - 我的文件打开对话框.log"));
    EXPECT_EQ(Utf8ToCp936(Cp936ToUtf8(mixed)), mixed);

    // The other entry points agree.
    EXPECT_EQ(Cp936ToUtf8(CString("百度记录")), U8(u8"百度记录"));
    EXPECT_EQ(Cp936ToUtf8("百度记录"), U8(u8"百度记录"));
    EXPECT_EQ(Utf8ToCp936(reinterpret_cast<const char*>(u8"百度")), "百度");
    EXPECT_EQ(CStringFromUtf8(U8(u8"有道记录")), CString("有道记录"));
    EXPECT_EQ(Cp936ToUtf8(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(Utf8ToCp936(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(Cp936ToUtf8(std::string_view()), "");

    // NUL bytes are characters like any other.
    const std::string withNul("a\0\xB0\xD9", 4);
    EXPECT_EQ(Cp936ToUtf8(withNul), std::string("a\0", 2) + U8(u8"百"));
    EXPECT_EQ(Utf8ToCp936(Cp936ToUtf8(withNul)), withNul);
}

TEST(CodePage, EveryTwoByteSequenceRoundTrips)
{
    int checked = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        // One whole row per conversion, then character by character on failure.
        std::string row;
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            row += static_cast<char>(lead);
            row += static_cast<char>(trail);
        }
        std::string utf8 = Cp936ToUtf8(row);
        EXPECT_TRUE(IsValidUtf8(utf8)) << "row " << lead;
        EXPECT_EQ(utf8.find(kReplacement), std::string::npos) << "row " << lead;
        EXPECT_EQ(Utf8ToCp936(utf8), row) << "row " << lead;
        checked += static_cast<int>(row.size() / 2);
    }
    EXPECT_EQ(checked, 126 * 190);
}

TEST(CodePage, FourByteSequencesSampled)
{
    // The supplementary planes are laid out linearly from 90 30 81 30.
    int supplementary = 0;
    for (std::uint32_t index = 0; index < 0x100000; index += 257) {
        std::uint32_t v = index;
        std::string gb(4, '\0');
        gb[3] = static_cast<char>(0x30 + v % 10);
        v /= 10;
        gb[2] = static_cast<char>(0x81 + v % 126);
        v /= 126;
        gb[1] = static_cast<char>(0x30 + v % 10);
        v /= 10;
        gb[0] = static_cast<char>(0x90 + v);
        std::string utf8 = Cp936ToUtf8(gb);
        ASSERT_EQ(utf8, EncodeUtf8(0x10000 + index)) << index;
        ASSERT_EQ(Utf8ToCp936(utf8), gb) << index;
        ++supplementary;
    }
    EXPECT_GT(supplementary, 4000);

    // The four-byte part of the Basic Multilingual Plane, 81 30 81 30 onwards.
    int bmp = 0;
    for (std::uint32_t index = 0; index < 39420; index += 3) {
        std::uint32_t v = index;
        std::string gb(4, '\0');
        gb[3] = static_cast<char>(0x30 + v % 10);
        v /= 10;
        gb[2] = static_cast<char>(0x81 + v % 126);
        v /= 126;
        gb[1] = static_cast<char>(0x30 + v % 10);
        v /= 10;
        gb[0] = static_cast<char>(0x81 + v);
        std::string utf8 = Cp936ToUtf8(gb);
        // One character of the plane (U+FFFD itself is one of them, at 84 31 A4 37).
        ASSERT_TRUE(IsValidUtf8(utf8)) << index;
        ASSERT_TRUE(utf8.size() == 2 || utf8.size() == 3) << index;
        ASSERT_EQ(Utf8ToCp936(utf8), gb) << index;
        ++bmp;
    }
    EXPECT_GT(bmp, 5000);
}

TEST(CodePage, EveryUnicodeScalarHasAFormAndRoundTrips)
{
    // File names may hold any character; all of them must survive the trip.
    // Six private-use code points lost their only form when their two-byte
    // codes went to standard characters; they are the whole exception.
    const std::uint32_t noForm[] = {0xE816, 0xE817, 0xE818, 0xE831, 0xE83B, 0xE855};
    std::string all, expected;
    for (std::uint32_t cp = 1; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        std::string one = EncodeUtf8(cp);
        all += one;
        expected += std::find(std::begin(noForm), std::end(noForm), cp) != std::end(noForm) ? "?" : one;
    }
    std::string gb = Utf8ToCp936(all);
    EXPECT_EQ(std::count(gb.begin(), gb.end(), '?'), 7); // U+003F and the six
    std::string back = Cp936ToUtf8(gb);
    EXPECT_TRUE(back == expected) << "sizes " << back.size() << " vs " << expected.size();
}

TEST(CodePage, ReassignedPrivateUseCharactersKeepAForm)
{
    // Two-byte codes now name standard characters...
    EXPECT_EQ(Cp936ToUtf8("\xA6\xD9"), U8(u8"\uFE10"));
    EXPECT_EQ(Cp936ToUtf8("\xFE\x59"), U8(u8"\u9FB4"));
    // ...and the private-use characters they held take the freed four-byte codes.
    EXPECT_EQ(Utf8ToCp936(U8(u8"\uE78D")), "\x84\x31\x82\x36");
    EXPECT_EQ(Cp936ToUtf8("\x84\x31\x82\x36"), U8(u8"\uE78D"));
    EXPECT_EQ(Utf8ToCp936(U8(u8"\uE864")), "\x82\x35\x91\x34");
    EXPECT_EQ(Cp936ToUtf8("a\x82\x35\x91\x34"
                          "b"),
              "a" + U8(u8"\uE864") + "b");
    EXPECT_EQ(Cp936ToUtf8("\x82\x35\x91"), kReplacement + "5" + kReplacement); // cut short: not a pair
}

TEST(CodePage, InvalidBytesAreReplacedNeverLost)
{
    // Towards UTF-8: one U+FFFD per byte that cannot start a character.
    const std::string r = kReplacement;
    EXPECT_EQ(Cp936ToUtf8("\x80"), r);
    EXPECT_EQ(Cp936ToUtf8("\xFF"), r);
    EXPECT_EQ(Cp936ToUtf8("a\xFF"
                          "b"),
              "a" + r + "b");
    EXPECT_EQ(Cp936ToUtf8("\xB0"), r);              // a lead byte cut off at the end
    EXPECT_EQ(Cp936ToUtf8("\x81\x7F"), r + "\x7F"); // a bad second byte is kept
    EXPECT_EQ(Cp936ToUtf8("\x81 x"), r + " x");
    EXPECT_EQ(Cp936ToUtf8("\x81\x30\x81"), r + "0" + r);           // a four-byte form cut short
    EXPECT_EQ(Cp936ToUtf8("\xE3\x32\x9A\x36"), r + "2" + r + "6"); // just past U+10FFFF
    EXPECT_EQ(Cp936ToUtf8("\xB0\xD9\xFF\xB6\xC8"), U8(u8"百") + r + U8(u8"度"));

    // Towards code page 936: one '?' per byte that is not well-formed UTF-8.
    EXPECT_EQ(Utf8ToCp936("\x80"), "?");
    EXPECT_EQ(Utf8ToCp936("a\xFF"
                          "b"),
              "a?b");
    EXPECT_EQ(Utf8ToCp936("\xC0\xAF"), "??");           // overlong '/'
    EXPECT_EQ(Utf8ToCp936("\xED\xA0\x80"), "???");      // a surrogate
    EXPECT_EQ(Utf8ToCp936("\xF4\x90\x80\x80"), "????"); // past U+10FFFF
    EXPECT_EQ(Utf8ToCp936("\xE4\xB8"), "??");           // cut short at the end
    EXPECT_EQ(Utf8ToCp936("\xE4\xB8x"), "??x");
    EXPECT_EQ(Utf8ToCp936(U8(u8"百") + "\xF5" + U8(u8"度")), "百?度");
}

TEST(CodePage, RandomBytesNeverBreakEitherDirection)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 20; ++round) {
        std::string junk(20000 + round, '\0');
        for (char& c : junk)
            c = static_cast<char>(rng());
        // A genuine U+FFFD in the input would pass through; keep it out.
        for (std::size_t at; (at = junk.find(kReplacement)) != std::string::npos;)
            junk[at] = 'x';
        std::string utf8 = Cp936ToUtf8(junk);
        EXPECT_TRUE(IsValidUtf8(utf8));
        // What came out has a code page 936 form, and coming back changes nothing.
        std::string gb = Utf8ToCp936(utf8);
        EXPECT_EQ(Cp936ToUtf8(gb), utf8);

        std::string gb2 = Utf8ToCp936(junk);
        std::string utf8b = Cp936ToUtf8(gb2);
        EXPECT_TRUE(IsValidUtf8(utf8b));
        EXPECT_EQ(utf8b.find(kReplacement), std::string::npos); // always valid code page 936
    }
}
