#include "platform/system/gdi/GdiDefs.h"
#include "platform/system/paint/DrawTextLayout.h"

#include <gtest/gtest.h>

using sys::LayOutText;
using sys::TextLine;

namespace {

// Every byte 5 pixels wide, so a double-byte character is 10.
int Measure(const char*, std::size_t n) { return static_cast<int>(n) * 5; }

std::vector<std::string> Lines(const std::string& text, unsigned format, int maxWidth)
{
    sys::TextLayoutRequest request{text.data(), text.size(), format, maxWidth};
    std::vector<std::string> out;
    for (const TextLine& line : LayOutText(request, Measure)) out.push_back(line.text);
    return out;
}

using V = std::vector<std::string>;

} // namespace

TEST(DrawTextLayout, PrefixMarksAreTakenOutAndRecorded)
{
    std::vector<std::pair<std::size_t, std::size_t>> marks;
    EXPECT_EQ(sys::StripPrefixes("&Open && save&", 14, &marks), "Open & save");
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0], (std::pair<std::size_t, std::size_t>{0, 1}));

    marks.clear();
    const std::string chinese = "打开(&O)";
    EXPECT_EQ(sys::StripPrefixes(chinese.data(), chinese.size(), &marks), "打开(O)");
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].first, 5u) << "after two double-byte characters and the parenthesis";

    marks.clear();
    const std::string wide = "&打";
    EXPECT_EQ(sys::StripPrefixes(wide.data(), wide.size(), &marks), "打");
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].second, 2u) << "a marked double-byte character is underlined whole";

    sys::TextLayoutRequest noPrefix{"a&b", 3, DT_NOPREFIX, 100};
    std::vector<TextLine> lines = LayOutText(noPrefix, Measure);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].text, "a&b");
    EXPECT_TRUE(lines[0].underlined.empty());
}

TEST(DrawTextLayout, LinesSplitAtLineBreaksUnlessSingleLine)
{
    EXPECT_EQ(Lines("one\r\ntwo\nthree\r", 0, 1000), (V{"one", "two", "three", ""}));
    EXPECT_EQ(Lines("one\ntwo", DT_SINGLELINE, 1000), (V{"one\ntwo"}));
    EXPECT_EQ(Lines("", 0, 10), (V{""}));
}

TEST(DrawTextLayout, WordBreakingFillsLinesAndKeepsLongWordsWhole)
{
    EXPECT_EQ(Lines("aa bb cc", DT_WORDBREAK, 25), (V{"aa bb", "cc"}));
    EXPECT_EQ(Lines("aa bb cc", DT_WORDBREAK, 24), (V{"aa", "bb", "cc"}));
    EXPECT_EQ(Lines("aa   bb", DT_WORDBREAK, 10), (V{"aa", "bb"})) << "spaces at a break vanish";
    EXPECT_EQ(Lines("abcdefgh xy", DT_WORDBREAK, 20), (V{"abcdefgh", "xy"}));
    EXPECT_EQ(Lines("aa bb cc", DT_WORDBREAK | DT_SINGLELINE, 10), (V{"aa bb cc"}));
    EXPECT_EQ(Lines("aa bb\ncc dd", DT_WORDBREAK, 25), (V{"aa bb", "cc dd"}));
    // Double-byte text breaks between any two characters.
    EXPECT_EQ(Lines("中文字体", DT_WORDBREAK, 20), (V{"中文", "字体"}));
    EXPECT_EQ(Lines("ab中文", DT_WORDBREAK, 20), (V{"ab中", "文"}));
    EXPECT_EQ(Lines("abc中文", DT_WORDBREAK, 20), (V{"abc", "中文"}));
    EXPECT_EQ(Lines("    ", DT_WORDBREAK, 5), (V{""}));
    EXPECT_EQ(Lines("abc", DT_WORDBREAK, -5), (V{"abc"})) << "a negative width still ends";
}

TEST(DrawTextLayout, EndEllipsisKeepsTheLongestFittingStart)
{
    EXPECT_EQ(Lines("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 32), (V{"abc..."}));
    EXPECT_EQ(Lines("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 50), (V{"abcdefghij"})) << "fits as it is";
    EXPECT_EQ(Lines("abcdefghij", DT_SINGLELINE | DT_END_ELLIPSIS, 5), (V{"..."})) << "the dots alone at the least";
    EXPECT_EQ(Lines("中文字体", DT_SINGLELINE | DT_END_ELLIPSIS, 24), (V{"..."})) << "never half a character";
    EXPECT_EQ(Lines("中文字体", DT_SINGLELINE | DT_END_ELLIPSIS, 34), (V{"中..."}));

    sys::TextLayoutRequest request{"&abcdefghij", 11, DT_SINGLELINE | DT_END_ELLIPSIS, 32};
    std::vector<TextLine> lines = LayOutText(request, Measure);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].width, 30);
    ASSERT_EQ(lines[0].underlined.size(), 1u) << "a kept mark stays underlined";
    sys::TextLayoutRequest cut{"abcdefg&hij", 11, DT_SINGLELINE | DT_END_ELLIPSIS, 32};
    EXPECT_TRUE(LayOutText(cut, Measure)[0].underlined.empty()) << "a cut-off mark goes";
}
