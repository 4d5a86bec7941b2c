#include "platform/base/Cp936Decode.h"

#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using corvane::Cp936ToUtf8;
using corvane::DecodeCp936;
using corvane::kReplacementChar;

namespace {

struct Decoded {
    char32_t c;
    int used;
};

Decoded Decode(const std::string& bytes)
{
    char32_t c = 0;
    int used = DecodeCp936(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), &c);
    return {c, used};
}

std::vector<char32_t> DecodeAll(const std::string& bytes)
{
    std::vector<char32_t> out;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c;
        int used = DecodeCp936(p + i, bytes.size() - i, &c);
        EXPECT_GE(used, 1);
        if (used < 1) break;
        i += static_cast<std::size_t>(used);
        out.push_back(c);
    }
    return out;
}

} // namespace

TEST(Cp936Decode, SingleDoubleAndFourByteCharacters)
{
    EXPECT_EQ(Decode("A").c, U'A');
    EXPECT_EQ(Decode("A").used, 1);
    EXPECT_EQ(Decode(std::string(1, '\0')).c, U'\0');
    // The compiler writes these literals as code page 936 bytes.
    EXPECT_EQ(DecodeAll("中文"), (std::vector<char32_t>{U'中', U'文'}));
    EXPECT_EQ(DecodeAll("宋体 GET"), (std::vector<char32_t>{U'宋', U'体', U' ', U'G', U'E', U'T'}));
    EXPECT_EQ(Decode("\x80").c, U'€');
    EXPECT_EQ(Decode("\xA2\xE3").c, U'€');
    EXPECT_EQ(Decode("\xA2\xE3").used, 2);
    // Four-byte sequences: the first, last and a middle one of the BMP range, then the
    // supplementary planes, which are computed rather than looked up.
    EXPECT_EQ(Decode("\x81\x30\x81\x30").c, U'\u0080');
    EXPECT_EQ(Decode("\x81\x30\x81\x30").used, 4);
    EXPECT_EQ(Decode("\x84\x31\xA4\x39").c, U'\uFFFF');
    EXPECT_EQ(Decode("\x81\x30\x8A\x34").c, U'\u00E7'); // ç has no two-byte code, unlike é
    EXPECT_EQ(Decode("\xA8\xA6").c, U'\u00E9');
    EXPECT_EQ(Decode("\x90\x30\x81\x30").c, U'\U00010000');
    EXPECT_EQ(Decode("\xE3\x32\x9A\x35").c, U'\U0010FFFF');
    EXPECT_EQ(Decode("\x94\x39\xFC\x36").c, U'\U0001F600');
    EXPECT_EQ(Cp936ToUtf8("宋体", 4), std::string(u8"宋体", u8"宋体" + 6));
}

TEST(Cp936Decode, InvalidBytesGiveOneReplacementEachAndDecodingResumes)
{
    // A byte that cannot start a character, a lead byte cut off by the end, a lead byte
    // before a byte that cannot follow it, a cut-off four-byte sequence.
    EXPECT_EQ(DecodeAll("\xFF"), (std::vector<char32_t>{kReplacementChar}));
    EXPECT_EQ(DecodeAll("A\xD6"), (std::vector<char32_t>{U'A', kReplacementChar}));
    EXPECT_EQ(DecodeAll("\xD6 x"), (std::vector<char32_t>{kReplacementChar, U' ', U'x'}));
    EXPECT_EQ(DecodeAll("\x81\x30\x81"), (std::vector<char32_t>{kReplacementChar, U'0', kReplacementChar}));
    EXPECT_EQ(DecodeAll("\x81\x30\x20\x30"), (std::vector<char32_t>{kReplacementChar, U'0', U' ', U'0'}));
    EXPECT_EQ(DecodeAll("\xFF\xFF中"), (std::vector<char32_t>{kReplacementChar, kReplacementChar, U'中'}));
    // Well-formed four-byte sequences past Unicode are one unmappable character.
    EXPECT_EQ(Decode("\xE3\x32\x9A\x36").c, kReplacementChar);
    EXPECT_EQ(Decode("\xE3\x32\x9A\x36").used, 4);
    EXPECT_EQ(Decode("\xFE\x39\xFE\x39").used, 4);
    char32_t c = U'x';
    EXPECT_EQ(DecodeCp936(reinterpret_cast<const unsigned char*>("A"), 0, &c), 0);
    EXPECT_EQ(DecodeCp936(nullptr, 3, &c), 0);
    EXPECT_EQ(Cp936ToUtf8(nullptr, 3), "");
    EXPECT_EQ(Cp936ToUtf8("a\xFF", 2), std::string("a") + std::string(u8"\uFFFD", u8"\uFFFD" + 3));
}

TEST(Cp936Decode, EveryPairStaysInBoundsAndTheDoubleByteTableIsOneToOne)
{
    std::set<char32_t> seen;
    int doubleByte = 0;
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            unsigned char bytes[2] = {static_cast<unsigned char>(a), static_cast<unsigned char>(b)};
            char32_t c = 0;
            int used = DecodeCp936(bytes, 2, &c);
            ASSERT_TRUE(used == 1 || used == 2) << a << "," << b;
            if (used == 2) {
                ++doubleByte;
                EXPECT_NE(c, kReplacementChar);
                EXPECT_LE(c, 0x10FFFFu);
                EXPECT_TRUE(seen.insert(c).second)
                    << "two sequences decode to U+" << std::hex << static_cast<unsigned>(c);
            }
            // Alone, any lead byte is cut off.
            ASSERT_EQ(DecodeCp936(bytes, 1, &c), 1);
        }
    }
    // 126 lead bytes by 190 trail bytes.
    EXPECT_EQ(doubleByte, 126 * 190);
}
