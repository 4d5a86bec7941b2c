#include "platform/gfx/Painter.h"
#include "tests/gfx/PixelArt.h"

#include <cstdint>
#include <gtest/gtest.h>

using gfx::Brush;
using gfx::Painter;
using gfx::Pixel;
using gfx::Region;
using gfx::Surface;
using gfxtest::Art;

namespace {
constexpr Pixel kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF;
const std::map<Pixel, char> kLegend{{0, '.'}, {kRed, 'R'}, {kBlue, 'B'}, {kWhite, 'W'}, {0x00FFFF, 'c'}};
} // namespace

TEST(PainterFill, TranslatesThenClipsAndRestoresState)
{
    Surface s(6, 4);
    Painter p(s);
    p.Save();
    p.Translate(2, 1);
    p.IntersectClip(CRect(-1, 0, 3, 2)); // surface (1,1)-(5,3)
    EXPECT_EQ(p.Clip(), Region(1, 1, 5, 3));
    p.FillRect(CRect(-5, -5, 2, 10), kRed);
    EXPECT_EQ(Art(s, kLegend), "......\n"
                               ".RRR..\n"
                               ".RRR..\n"
                               "......\n");
    p.Restore();
    EXPECT_EQ(p.Origin(), CPoint(0, 0));
    EXPECT_EQ(p.Clip(), Region(0, 0, 6, 4));
    p.Restore(); // nothing saved: harmless
    p.ExcludeClip(CRect(1, 0, 5, 4));
    p.FillRect(CRect(0, 0, 6, 1), Brush::Solid(kBlue));
    p.FillRect(CRect(0, 3, 6, 4), Brush::None());
    EXPECT_EQ(Art(s, kLegend), "B....B\n"
                               ".RRR..\n"
                               ".RRR..\n"
                               "......\n");
    // A clip set in surface coordinates never reaches outside the surface.
    p.SetClip(Region(-10, -10, 100, 100));
    EXPECT_EQ(p.Clip(), Region(0, 0, 6, 4));
    // Inverted and empty rectangles fill nothing.
    p.FillRect(CRect(6, 4, 5, 3), kWhite);
    p.FillRect(CRect(2, 2, 2, 4), kWhite);
    EXPECT_EQ(s.At(5, 3), 0u);
    EXPECT_EQ(s.At(2, 3), 0u);
}

TEST(PainterFill, PatternBrushesAlignToTheBrushOriginAndRopsCombine)
{
    const std::uint8_t checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
    Brush b = Brush::FromBits(checker, 0, kWhite);
    Surface s(4, 2);
    Painter p(s);
    p.PatBlt(0, 0, 4, 2, b, gfx::kPatCopy);
    EXPECT_EQ(Art(s, kLegend), "W.W.\n"
                               ".W.W\n");
    // Moving the brush origin one pixel shifts the pattern with it; the translation does not.
    p.SetBrushOrigin(1, 0);
    p.Translate(5, 5);
    p.PatBlt(-5, -5, 4, 2, b, gfx::kPatCopy);
    EXPECT_EQ(Art(s, kLegend), ".W.W\n"
                               "W.W.\n");
    // PATINVERT against itself clears; DSTINVERT twice restores; negative extents count backwards.
    p.PatBlt(-1, -3, -4, -2, b, gfx::kPatInvert);
    EXPECT_EQ(Art(s, kLegend), "....\n"
                               "....\n");
    s.Set(1, 0, kRed);
    p.PatBlt(-5, -5, 2, 1, b, gfx::kDstInvert);
    EXPECT_EQ(s.At(0, 0), kWhite);
    EXPECT_EQ(s.At(1, 0), 0x00FFFFu);
    p.InvertRect(CRect(-5, -5, -3, -4));
    EXPECT_EQ(s.At(0, 0), 0u);
    EXPECT_EQ(s.At(1, 0), kRed);
    p.PatBlt(-5, -5, 4, 1, b, gfx::kWhiteness);
    p.PatBlt(-5, -4, 4, 1, b, gfx::kBlackness);
    EXPECT_EQ(Art(s, kLegend), "WWWW\n"
                               "....\n");
    // Raster operations change colour only: an image's alpha byte survives.
    s.Set(0, 1, 0x80000000);
    p.PatBlt(-5, -4, 1, 1, Brush::Solid(kBlue), gfx::kPatCopy);
    EXPECT_EQ(s.At(0, 1), 0x800000FFu);
}

TEST(PainterFill, RegionsFramesAndPixels)
{
    Surface s(7, 6);
    Painter p(s);
    p.Translate(1, 0);
    p.FillRegion(Region::RoundRect(-1, 0, 6, 6, 5, 5), Brush::Solid(kRed));
    EXPECT_EQ(Art(s, kLegend), ".RRRR..\n"
                               "RRRRRR.\n"
                               "RRRRRR.\n"
                               "RRRRRR.\n"
                               ".RRRR..\n"
                               ".......\n");
    p.InvertRegion(Region(0, 1, 2, 2));
    EXPECT_EQ(s.At(1, 1), 0x00FFFFu);
    EXPECT_EQ(s.At(2, 1), 0x00FFFFu);
    s.Fill(0);
    p.FrameRect(CRect(0, 1, 4, 5), Brush::Solid(kBlue));
    EXPECT_EQ(Art(s, kLegend), ".......\n"
                               ".BBBB..\n"
                               ".B..B..\n"
                               ".B..B..\n"
                               ".BBBB..\n"
                               ".......\n");
    p.IntersectClip(CRect(0, 0, 3, 3));
    p.SetPixel(2, 2, kRed);
    p.SetPixel(3, 2, kRed); // outside the clip
    Pixel got = 0;
    EXPECT_TRUE(p.GetPixel(2, 2, &got));
    EXPECT_EQ(got, kRed);
    EXPECT_FALSE(p.GetPixel(3, 2, &got));
    EXPECT_EQ(s.At(4, 2), kBlue);
}

TEST(PainterBlit, CopiesClipsAtBothEndsAndHandlesOverlap)
{
    Surface src(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            src.Set(x, y, 0x10 * (y + 1) + x); // 0x10 0x11 0x12 / 0x20 ...
    {
        // Destination partly off the surface at negative coordinates.
        Surface d(4, 4, kWhite);
        Painter p(d);
        p.BitBlt(-1, -1, 3, 3, src, 0, 0);
        EXPECT_EQ(d.At(0, 0), 0x21u);
        EXPECT_EQ(d.At(1, 1), 0x32u);
        EXPECT_EQ(d.At(2, 0), kWhite);
        EXPECT_EQ(d.At(2, 2), kWhite);
    }
    {
        // Source rectangle hanging past the source: only existing pixels are copied.
        Surface d(4, 4, kWhite);
        Painter p(d);
        p.Translate(1, 1);
        p.BitBlt(-1, -1, 4, 4, src, 1, -1);
        EXPECT_EQ(d.At(0, 0), kWhite); // source row -1
        EXPECT_EQ(d.At(0, 1), 0x11u);
        EXPECT_EQ(d.At(1, 1), 0x12u);
        EXPECT_EQ(d.At(2, 1), kWhite); // source column 3
        EXPECT_EQ(d.At(1, 3), 0x32u);
        p.IntersectClip(CRect(0, 0, 1, 1)); // surface pixel (1,1) only
        p.BitBlt(-1, -1, 4, 4, src, 0, 0, gfx::kSrcInvert);
        EXPECT_EQ(d.At(1, 1), 0x12u ^ 0x21u);
        EXPECT_EQ(d.At(0, 1), 0x11u);
        // Huge and negative sizes are harmless.
        p.BitBlt(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, src, INT32_MAX, INT32_MIN);
        p.BitBlt(0, 0, -3, 3, src, 0, 0);
        EXPECT_EQ(d.At(1, 1), 0x12u ^ 0x21u);
    }
    {
        // Moving pixels within one surface, overlapping in both directions.
        Surface d(5, 1);
        for (int x = 0; x < 5; ++x)
            d.Set(x, 0, 0xA + x);
        Painter p(d);
        p.BitBlt(1, 0, 4, 1, d, 0, 0);
        EXPECT_EQ(Art(d, {{0xA, 'A'}, {0xB, 'B'}, {0xC, 'C'}, {0xD, 'D'}, {0xE, 'E'}}), "AABCD\n");
        p.BitBlt(0, 0, 4, 1, d, 1, 0);
        EXPECT_EQ(Art(d, {{0xA, 'A'}, {0xB, 'B'}, {0xC, 'C'}, {0xD, 'D'}, {0xE, 'E'}}), "ABCDD\n");
    }
    {
        // A view with a stride reads and writes only its own columns.
        std::vector<Pixel> buffer(4 * 2, kBlue);
        Surface view = Surface::Wrap(buffer.data(), 2, 2, 4);
        Painter p(view);
        p.BitBlt(0, 0, 2, 2, src, 1, 1);
        EXPECT_EQ(buffer[0], 0x21u);
        EXPECT_EQ(buffer[1], 0x22u);
        EXPECT_EQ(buffer[2], kBlue);
        EXPECT_EQ(buffer[4], 0x31u);
        EXPECT_EQ(buffer[6], kBlue);
    }
}

TEST(PainterBlit, StretchMirrorsAndAlphaBlendRounds)
{
    Surface src(2, 1);
    src.Set(0, 0, kRed);
    src.Set(1, 0, kBlue);
    Surface d(4, 2);
    Painter p(d);
    p.StretchBlt(CRect(0, 0, 4, 1), src, CRect(0, 0, 2, 1));
    p.StretchBlt(CRect(4, 1, 0, 2), src, CRect(0, 0, 2, 1));
    EXPECT_EQ(Art(d, kLegend), "RRBB\n"
                               "BBRR\n");

    Surface img(3, 1);
    img.Set(0, 0, 0x80FF0000); // red at half alpha (straight)
    img.Set(1, 0, 0x00FFFFFF); // fully transparent
    img.Set(2, 0, 0xFF00FF00); // opaque green
    Surface black(3, 1), white(3, 1, kWhite);
    Painter(black).AlphaBlend(CRect(0, 0, 3, 1), img, CRect(0, 0, 3, 1));
    Painter(white).AlphaBlend(CRect(0, 0, 3, 1), img, CRect(0, 0, 3, 1));
    EXPECT_EQ(black.At(0, 0), 0x800000u);
    EXPECT_EQ(white.At(0, 0), 0xFF7F7Fu);
    EXPECT_EQ(black.At(1, 0), 0u);
    EXPECT_EQ(white.At(1, 0), kWhite);
    EXPECT_EQ(black.At(2, 0), 0x00FF00u);
    // Constant alpha halves an opaque pixel; premultiplied input is taken as is.
    Surface c(2, 1);
    Painter(c).AlphaBlend(CRect(1, 0, 2, 1), img, CRect(2, 0, 3, 1), 128);
    EXPECT_EQ(c.At(1, 0), 0x008000u);
    Surface pre(1, 1, 0x80800000);
    Painter(c).AlphaBlend(CRect(0, 0, 1, 1), pre, CRect(0, 0, 1, 1), 255, true);
    EXPECT_EQ(c.At(0, 0), 0x800000u);
    // Smooth downscaling averages the footprint; nearest picks one pixel.
    Surface quad(2, 2, 0xFF000000);
    quad.Set(1, 0, 0xFFFFFFFF);
    quad.Set(0, 1, 0xFFFFFFFF);
    Surface one(1, 1);
    Painter(one).AlphaBlend(CRect(0, 0, 1, 1), quad, CRect(0, 0, 2, 2));
    EXPECT_EQ(one.At(0, 0), 0x808080u);
    Painter(one).AlphaBlend(CRect(0, 0, 1, 1), quad, CRect(0, 0, 2, 2), 255, false, false);
    EXPECT_EQ(one.At(0, 0), 0u); // centre sample (1,1) is black
    // Mirrored or empty rectangles blend nothing.
    Painter(one).AlphaBlend(CRect(1, 0, 0, 1), quad, CRect(0, 0, 1, 1));
    Painter(one).AlphaBlend(CRect(0, 0, 1, 1), quad, CRect(0, 0, 0, 1));
    EXPECT_EQ(one.At(0, 0), 0u);
}
