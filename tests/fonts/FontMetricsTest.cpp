#include "platform/gfx/TextLayout.h"
#include "tests/fonts/FontTestSupport.h"

#include <climits>
#include <gtest/gtest.h>

using fonttest::Get;
using gfx::MeasureText;

namespace {

int Width(gfx::Font& font, const std::string& text)
{
    return MeasureText(font, text.data(), text.size()).cx;
}

} // namespace

TEST(FontMetrics, PositiveHeightIsTheCellNegativeTheCharacter)
{
    for (const char* face : {"宋体", "Arial", "MS Sans Serif", "NoSuchFaceAnywhere"}) {
        for (int h : {6, 8, 11, 12, 15, 16, 18, 24, 40, 100}) {
            SCOPED_TRACE(std::string(face) + " " + std::to_string(h));
            const gfx::TextMetrics& cell = Get(face, h)->Metrics();
            EXPECT_EQ(cell.tmHeight, h);
            EXPECT_EQ(cell.tmAscent + cell.tmDescent, cell.tmHeight);
            EXPECT_GE(cell.tmInternalLeading, 0);
            EXPECT_EQ(cell.tmHeight - cell.tmInternalLeading, Get(face, h)->PixelsPerEm());

            const gfx::TextMetrics& chr = Get(face, -h)->Metrics();
            EXPECT_EQ(chr.tmHeight - chr.tmInternalLeading, h);
            EXPECT_EQ(chr.tmAscent + chr.tmDescent, chr.tmHeight);
            EXPECT_GE(chr.tmHeight, cell.tmHeight);
            EXPECT_EQ(MeasureText(*Get(face, -h), "x", 1).cy, chr.tmHeight);
        }
    }
    // Zero is the default size, a 12-pixel character.
    const gfx::TextMetrics& def = Get("宋体", 0)->Metrics();
    EXPECT_EQ(def.tmHeight - def.tmInternalLeading, 12);
    EXPECT_EQ(def.tmHeight, Get("宋体", -12)->Metrics().tmHeight);
}

TEST(FontMetrics, PointSizesAndStockFonts)
{
    EXPECT_EQ(gfx::HeightFromPoints(9), -12);
    EXPECT_EQ(gfx::HeightFromPoints(8), -11); // 10.67 rounds up
    EXPECT_EQ(gfx::HeightFromPoints(10), -13);
    EXPECT_EQ(gfx::HeightFromPoints(12), -16);
    EXPECT_EQ(gfx::HeightFromPoints(-9), 12);
    EXPECT_EQ(gfx::HeightFromPoints(0), 0);
    EXPECT_LT(gfx::HeightFromPoints(INT_MAX), 0); // clamped, not wrapped
    EXPECT_EQ(gfx::DefaultGuiFontRequest().height, -12);
    EXPECT_EQ(gfx::DefaultGuiFontRequest().faceName, "宋体");
    EXPECT_EQ(gfx::FontEngine::Instance().Get(gfx::SystemFontRequest())->Metrics().tmHeight, 16);
}

TEST(FontMetrics, HugeAndNonsenseSizesAreClampedWithoutFailing)
{
    for (int h : {INT_MIN, INT_MIN + 1, -1000000, 1000000, INT_MAX}) {
        SCOPED_TRACE(h);
        auto font = Get("宋体", h, 0, h);
        const gfx::TextMetrics& tm = font->Metrics();
        EXPECT_LE(tm.tmHeight, 2 * gfx::kMaxFontHeight);
        EXPECT_GE(tm.tmHeight, gfx::kMaxFontHeight);
        EXPECT_GT(MeasureText(*font, "W中", 3).cx, 0);
    }
    for (int h : {1, -1, 2}) {
        auto font = Get("Arial", h);
        EXPECT_GE(font->Metrics().tmHeight, 1);
        EXPECT_GE(Width(*font, "abc"), 0);
    }
    // Weights out of range are held to the scale.
    EXPECT_EQ(Get("Arial", 12, -5)->Metrics().tmWeight, 400);
    EXPECT_EQ(Get("Arial", 12, 5000)->Metrics().tmWeight, 1000);
}

TEST(FontMetrics, WeightWidthAndStyleChangeWhatIsDrawn)
{
    const std::string text = "Googlebot 66.249.66.1";
    // A face with a real bold, and one whose bold is simulated.
    for (const char* face : {"Arial", "宋体"}) {
        SCOPED_TRACE(face);
        auto regular = Get(face, 18, 400);
        auto bold = Get(face, 18, 700);
        EXPECT_GT(Width(*bold, text), Width(*regular, text));
        EXPECT_EQ(bold->Metrics().tmWeight, 700);
        EXPECT_EQ(regular->Metrics().tmWeight, 400);
        EXPECT_EQ(Get(face, 18, 0)->Metrics().tmWeight, 400);
        EXPECT_EQ(bold->Metrics().tmHeight, regular->Metrics().tmHeight);
    }
    // The simulated bold widens each character by one pixel.
    EXPECT_EQ(Width(*Get("宋体", 12, 700), "abc"), Width(*Get("宋体", 12), "abc") + 3);

    // A set width is the average character width; 0 keeps the face's proportions.
    auto natural = Get("Arial", 16);
    auto wide = Get("Arial", 16, 0, 2 * natural->Metrics().tmAveCharWidth);
    auto narrow = Get("Arial", 16, 0, 3);
    EXPECT_EQ(wide->Metrics().tmAveCharWidth, 2 * natural->Metrics().tmAveCharWidth);
    EXPECT_EQ(narrow->Metrics().tmAveCharWidth, 3);
    EXPECT_GT(Width(*wide, text), Width(*natural, text) * 3 / 2);
    EXPECT_LT(Width(*narrow, text), Width(*natural, text));
    EXPECT_EQ(wide->Metrics().tmHeight, natural->Metrics().tmHeight);

    gfx::FontRequest s;
    s.faceName = "宋体";
    s.height = 12;
    s.italic = s.underline = s.strikeOut = true;
    const gfx::TextMetrics& tm = gfx::FontEngine::Instance().Get(s)->Metrics();
    EXPECT_TRUE(tm.tmItalic && tm.tmUnderlined && tm.tmStruckOut);
}

TEST(FontMetrics, ReportedWidthsAgreeWithAdvances)
{
    // The Song face draws Latin at half and Han at full em, and says so.
    auto song = Get("宋体", 12);
    const gfx::TextMetrics& tm = song->Metrics();
    EXPECT_EQ(Width(*song, "a"), tm.tmAveCharWidth);
    EXPECT_EQ(Width(*song, "中"), song->PixelsPerEm());
    EXPECT_EQ(tm.tmCharSet, gfx::kGb2312Charset);

    for (auto font : {song, Get("Arial", 18, 700), Get("MS Sans Serif", -11), Get("宋体", 16, 700)}) {
        SCOPED_TRACE(font->Family());
        const gfx::TextMetrics& m = font->Metrics();
        const std::string lower = "abcdefghijklmnopqrstuvwxyz";
        int avg = Width(*font, lower) / 26;
        EXPECT_GE(m.tmAveCharWidth, avg * 3 / 4);
        EXPECT_LE(m.tmAveCharWidth, avg * 5 / 4 + 1);
        for (char32_t c : {U'W', U'M', U'm', U'@', U'中', U'文', U'i', U' '})
            EXPECT_LE(font->GlyphFor(c).advance, m.tmMaxCharWidth) << static_cast<unsigned>(c);
    }
    EXPECT_EQ(Get("Arial", 12)->Metrics().tmCharSet, gfx::kAnsiCharset);
}
