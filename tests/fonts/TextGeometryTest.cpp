#include "platform/base/Cp936Decode.h"
#include "platform/gfx/TextLayout.h"
#include "platform/gfx/TextRender.h"
#include "tests/fonts/FontTestSupport.h"

#include <climits>
#include <gtest/gtest.h>
#include <vector>

using fonttest::Get;
using fonttest::InkBox;
using gfx::MeasureText;

namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;

int Width(gfx::Font& font, const std::string& text)
{
    return MeasureText(font, text.data(), text.size()).cx;
}

gfx::Surface Draw(gfx::Font& font, const std::string& text, int x, int y, int w = 400, int h = 80,
                  COLORREF color = RGB(0, 0, 0))
{
    gfx::Surface s(w, h, kWhite);
    gfx::DrawString(s, s.Bounds(), x, y, font, text.data(), text.size(), color);
    return s;
}

std::vector<std::shared_ptr<gfx::Font>> ProgramFonts()
{
    gfx::FontRequest underlined;
    underlined.faceName = "宋体";
    underlined.height = 16;
    underlined.underline = true;
    return {Get("宋体", 12),
            Get("宋体", 15),
            Get("宋体", 16, 700),
            Get("Arial", 18, 700),
            Get("MS Sans Serif", -11),
            Get("宋体", -12),
            gfx::FontEngine::Instance().Get(underlined)};
}

} // namespace

TEST(TextGeometry, ExtentsAreAdditiveAndMatchCharacterEnds)
{
    // A lone lead byte joins with what follows, so it comes last.
    const std::vector<std::string> pieces = {"GET /index.html", "中文日志", " ",   "\xFF",
                                             "Googlebot/2.1",   "A\x80Z",   "\x81"};
    for (auto& font : ProgramFonts()) {
        SCOPED_TRACE(font->Family());
        std::string all;
        int sum = 0;
        for (const std::string& p : pieces) {
            all += p;
            sum += Width(*font, p);
            EXPECT_EQ(Width(*font, all), sum) << all;
        }
        std::vector<int> ends;
        gfx::CharacterEnds(*font, all.data(), all.size(), ends);
        ASSERT_EQ(ends.size(), all.size());
        EXPECT_EQ(ends.back(), sum);
        for (std::size_t i = 1; i < ends.size(); ++i)
            EXPECT_LE(ends[i - 1], ends[i]);
        // Both bytes of a double-byte character end at the same place.
        std::size_t han = all.find("中");
        EXPECT_EQ(ends[han], ends[han + 1]);
        EXPECT_LT(ends[han + 1], ends[han + 2]);
        // What fits is whole characters, never half of one.
        int limit = ends[han] - 1;
        EXPECT_EQ(gfx::BytesFitting(*font, all.data(), all.size(), limit), han);
        EXPECT_EQ(gfx::BytesFitting(*font, all.data(), all.size(), ends[han]), han + 2);
        EXPECT_EQ(gfx::BytesFitting(*font, all.data(), all.size(), INT_MAX), all.size());
    }
}

TEST(TextGeometry, TextIsDrawnInsideItsMeasuredBox)
{
    const std::vector<std::string> texts = {"Hello, World 123", "中文日志 GET /robots.txt", "Baiduspider 200 OK",
                                            "\xFF\xFEx\x81"};
    for (auto& font : ProgramFonts()) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(font->Family() + " h=" + std::to_string(font->Request().height) + " " + text);
            gfx::TextSize size = MeasureText(*font, text.data(), text.size());
            gfx::Surface s = Draw(*font, text, 20, 10, size.cx + 40, size.cy + 20);
            CRect ink = InkBox(s, kWhite);
            ASSERT_FALSE(ink.IsRectEmpty());
            EXPECT_GE(ink.left, 20);
            // Advances are whole pixels and outlines are not: the last glyph's antialiased edge
            // may reach into one more column, as it does on the system.
            EXPECT_LE(ink.right, 20 + size.cx + 1);
            EXPECT_GE(ink.top, 10);
            EXPECT_LE(ink.bottom, 10 + size.cy);
            // The ink spans the text, not just its start.
            EXPECT_GE(ink.right, 20 + size.cx - font->Metrics().tmMaxCharWidth);
        }
    }
}

TEST(TextGeometry, LinesSitOnTheBaselineAndMoveWithTheirOrigin)
{
    for (auto& font : ProgramFonts()) {
        if (font->Metrics().tmUnderlined) continue;
        SCOPED_TRACE(font->Family() + " h=" + std::to_string(font->Request().height));
        const gfx::TextMetrics& tm = font->Metrics();
        // Capitals without descenders end on the baseline.
        CRect ink = InkBox(Draw(*font, "HEH", 5, 7), kWhite);
        EXPECT_EQ(ink.bottom, 7 + tm.tmAscent);
        EXPECT_GE(ink.top, 7);
        // A descender reaches below it, within the cell.
        CRect low = InkBox(Draw(*font, "gjpqy", 5, 7), kWhite);
        EXPECT_GT(low.bottom, 7 + tm.tmAscent);
        EXPECT_LE(low.bottom, 7 + tm.tmHeight);
        // Moving the origin moves the ink by the same amount.
        CRect moved = InkBox(Draw(*font, "HEH", 5 + 31, 7 + 13), kWhite);
        EXPECT_EQ(moved.left, ink.left + 31);
        EXPECT_EQ(moved.top, ink.top + 13);
        EXPECT_EQ(moved.right, ink.right + 31);
        EXPECT_EQ(moved.bottom, ink.bottom + 13);
    }
}

TEST(TextGeometry, InvalidBytesDrawAMarkAndTheTextGoesOn)
{
    for (auto& font : ProgramFonts()) {
        SCOPED_TRACE(font->Family());
        int a = Width(*font, "A"), b = Width(*font, "B");
        int mark = font->GlyphFor(corvane::kReplacementChar).advance;
        EXPECT_GT(mark, 0);
        EXPECT_EQ(Width(*font, "A\xFF"
                               "B"),
                  a + mark + b);
        EXPECT_EQ(Width(*font, "A\xD6 B"), a + mark + Width(*font, " ") + b);
        EXPECT_EQ(Width(*font, "AB\x81"), a + b + mark);
        // The mark and the text after it are drawn: ink reaches past A and the mark.
        CRect ink = InkBox(Draw(*font,
                                "A\xFF"
                                "B",
                                0, 0),
                           kWhite);
        EXPECT_GT(ink.right, a + mark);
        CRect markInk = InkBox(Draw(*font, "\xFF", 0, 0), kWhite);
        EXPECT_FALSE(markInk.IsRectEmpty());
    }
}

TEST(TextGeometry, EmptyAndDegenerateCallsChangeNothing)
{
    auto font = Get("宋体", 12);
    gfx::TextSize empty = MeasureText(*font, "", 0);
    EXPECT_EQ(empty.cx, 0);
    EXPECT_EQ(empty.cy, 12);
    EXPECT_EQ(MeasureText(*font, nullptr, 10).cx, 0);
    std::vector<int> ends{1, 2, 3};
    gfx::CharacterEnds(*font, "", 0, ends);
    EXPECT_TRUE(ends.empty());
    EXPECT_EQ(gfx::BytesFitting(*font, "abc", 3, -1), 0u);

    gfx::Surface s(50, 30, kWhite);
    gfx::DrawString(s, s.Bounds(), 0, 0, *font, "", 0, RGB(0, 0, 0));
    gfx::DrawString(s, s.Bounds(), 0, 0, *font, nullptr, 5, RGB(0, 0, 0));
    gfx::DrawString(s, CRect(10, 10, 5, 5), 0, 0, *font, "abc", 3, RGB(0, 0, 0));
    // Far off the surface, where coordinates would overflow if added carelessly.
    for (int x : {INT_MIN, -100000, 100000, INT_MAX - 2})
        for (int y : {INT_MIN, -5, INT_MAX - 2})
            gfx::DrawString(s, s.Bounds(), x, y, *font, "WW中", 4, RGB(0, 0, 0));
    gfx::Surface none;
    gfx::DrawString(none, CRect(0, 0, 10, 10), 0, 0, *font, "abc", 3, RGB(0, 0, 0));
    EXPECT_TRUE(InkBox(s, kWhite).IsRectEmpty());
}

TEST(TextGeometry, DrawingStaysInsideTheClip)
{
    auto font = Get("Arial", 18, 700);
    const std::string text = "Clipped 中文 text";
    CRect clip(30, 8, 70, 15);
    gfx::Surface s(200, 40, kWhite);
    gfx::DrawString(s, clip, 10, 2, *font, text.data(), text.size(), RGB(0, 0, 0));
    CRect ink = InkBox(s, kWhite);
    ASSERT_FALSE(ink.IsRectEmpty());
    EXPECT_GE(ink.left, clip.left);
    EXPECT_GE(ink.top, clip.top);
    EXPECT_LE(ink.right, clip.right);
    EXPECT_LE(ink.bottom, clip.bottom);
    // Inside the clip the pixels are those of an unclipped draw.
    gfx::Surface full = Draw(*font, text, 10, 2, 200, 40);
    for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left; x < clip.right; ++x)
            ASSERT_EQ(s.At(x, y), full.At(x, y)) << x << "," << y;

    // A region clips to its rectangles only.
    gfx::Region region = gfx::Region(0, 0, 40, 40).Union(gfx::Region(120, 0, 200, 40));
    gfx::Surface r(200, 40, kWhite);
    gfx::DrawString(r, region, 10, 2, *font, text.data(), text.size(), RGB(0, 0, 0));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x)
            ASSERT_EQ(r.At(x, y), region.Contains(x, y) ? full.At(x, y) : kWhite);
}

TEST(TextGeometry, CoverageBlendsBetweenBackgroundAndTextColour)
{
    const COLORREF color = RGB(200, 40, 100);
    const gfx::Pixel fg = gfx::PixelFromColor(color), bg = 0x1080F0;
    for (auto& font : {Get("Arial", 18, 700), Get("宋体", 12)}) {
        gfx::Surface s(200, 40, bg);
        gfx::DrawString(s, s.Bounds(), 2, 2, *font, "Wave 中文", 9, color);
        int full = 0;
        for (int y = 0; y < s.Height(); ++y) {
            for (int x = 0; x < s.Width(); ++x) {
                gfx::Pixel p = s.At(x, y);
                full += p == fg;
                for (int shift : {0, 8, 16}) {
                    int c = (p >> shift) & 0xFF, f = (fg >> shift) & 0xFF, b = (bg >> shift) & 0xFF;
                    ASSERT_GE(c, std::min(f, b));
                    ASSERT_LE(c, std::max(f, b));
                }
                ASSERT_EQ(p >> 24, 0u);
            }
        }
        EXPECT_GT(full, 10);
    }
}

TEST(TextGeometry, UnderlineAndStrikeOutSpanTheAdvances)
{
    for (const char* face : {"宋体", "Arial"}) {
        gfx::FontRequest spec;
        spec.faceName = face;
        spec.height = 16;
        spec.underline = true;
        auto under = gfx::FontEngine::Instance().Get(spec);
        spec.underline = false;
        spec.strikeOut = true;
        auto struck = gfx::FontEngine::Instance().Get(spec);
        const std::string text = "a b";
        int w = Width(*under, text);
        for (auto& font : {under, struck}) {
            SCOPED_TRACE(std::string(face) + (font == under ? " underline" : " strike-out"));
            gfx::Surface s = Draw(*font, text, 10, 5);
            int row = 5 + (font == under ? font->UnderlineTop() : font->StrikeOutTop());
            EXPECT_GE(row, 5);
            EXPECT_LT(row, 5 + font->Metrics().tmHeight);
            for (int x = 10; x < 10 + w; ++x)
                EXPECT_EQ(s.At(x, row), 0u) << x;
            EXPECT_EQ(s.At(9, row), kWhite);
            EXPECT_EQ(s.At(10 + w, row), kWhite);
        }
        EXPECT_GT(under->UnderlineTop(), struck->StrikeOutTop());
    }
}
