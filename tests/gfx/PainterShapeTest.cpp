#include "platform/gfx/Painter.h"
#include "tests/gfx/PixelArt.h"

#include <climits>
#include <functional>
#include <gtest/gtest.h>

using gfx::Brush;
using gfx::Painter;
using gfx::Pen;
using gfx::PenStyle;
using gfx::Pixel;
using gfx::Region;
using gfx::Surface;
using gfxtest::Art;

namespace {
constexpr Pixel kInk = 0x112233, kFill = 0x00FF00, kWhite = 0xFFFFFF;
const std::map<Pixel, char> kLegend{{0, '.'}, {kInk, '#'}, {kFill, 'o'}, {kWhite, 'W'}};

std::string Draw(int w, int h, const std::function<void(Painter&)>& draw)
{
    Surface s(w, h);
    Painter p(s);
    draw(p);
    return Art(s, kLegend);
}
} // namespace

TEST(PainterLine, OnePixelLinesExcludeTheirEndPoint)
{
    Pen pen = Pen::Solid(kInk);
    EXPECT_EQ(Draw(5, 4,
                   [&](Painter& p) {
                       p.Line({0, 0}, {4, 0}, pen);
                   }),
              "####.\n"
              ".....\n"
              ".....\n"
              ".....\n");
    EXPECT_EQ(Draw(5, 4,
                   [&](Painter& p) {
                       p.Line({0, 0}, {3, 3}, pen);
                   }),
              "#....\n"
              ".#...\n"
              "..#..\n"
              ".....\n");
    // Half-way points round away from the start, in either direction.
    EXPECT_EQ(Draw(5, 3,
                   [&](Painter& p) {
                       p.Line({0, 0}, {4, 2}, pen);
                   }),
              "#....\n"
              ".##..\n"
              "...#.\n");
    EXPECT_EQ(Draw(5, 3,
                   [&](Painter& p) {
                       p.Line({4, 2}, {0, 0}, pen);
                   }),
              ".#...\n"
              "..##.\n"
              "....#\n");
    EXPECT_EQ(Draw(3, 4,
                   [&](Painter& p) {
                       p.Line({1, 3}, {1, 0}, pen);
                   }),
              "...\n"
              ".#.\n"
              ".#.\n"
              ".#.\n");
    // A line to its own start draws nothing; a null pen draws nothing.
    EXPECT_EQ(Draw(2, 1, [&](Painter& p) { p.Line({0, 0}, {0, 0}, pen); }), "..\n");
    EXPECT_EQ(Draw(2, 1, [&](Painter& p) { p.Line({0, 0}, {2, 0}, Pen::None()); }), "..\n");
    // Connected lines share their corners; the last end point stays empty.
    POINT square[] = {{0, 0}, {3, 0}, {3, 2}, {0, 2}, {0, 0}};
    EXPECT_EQ(Draw(4, 3, [&](Painter& p) { p.Polyline(square, 5, pen); }), "####\n"
                                                                           "#..#\n"
                                                                           "####\n");
    // Enormous coordinates cost only the clipped part and land on the right row.
    EXPECT_EQ(Draw(4, 3,
                   [&](Painter& p) {
                       p.Translate(1, 1);
                       p.Line({INT_MIN, 0}, {INT_MAX, 0}, pen);
                       p.Line({-2000000000, -1}, {-2000000000, 2000000000}, pen);
                   }),
              "....\n"
              "####\n"
              "....\n");
}

TEST(PainterLine, StyledPensDashAndContinueAcrossCorners)
{
    Pen dot{PenStyle::Dot, 1, kInk};
    EXPECT_EQ(Draw(14, 1, [&](Painter& p) { p.Line({0, 0}, {14, 0}, dot); }), "###...###...##\n");
    // The pattern continues into the next segment instead of restarting.
    EXPECT_EQ(Draw(8, 2,
                   [&](Painter& p) {
                       int phase = p.Line({0, 0}, {4, 0}, dot);
                       EXPECT_EQ(phase, 4);
                       p.Line({0, 1}, {8, 1}, dot, phase);
                   }),
              "###.....\n"
              "..###...\n");
    Pen dash{PenStyle::Dash, 1, kInk};
    EXPECT_EQ(Draw(26, 1, [&](Painter& p) { p.Line({0, 0}, {26, 0}, dash); }), "##################......##\n");
    // Styles exist only for one-pixel pens: a wide dotted pen draws solid.
    Pen wideDot{PenStyle::Dot, 3, kInk};
    EXPECT_FALSE(wideDot.IsStyled());
    // (Radius 1.5: the caps reach one pixel past each end on all three rows.)
    EXPECT_EQ(Draw(10, 3,
                   [&](Painter& p) {
                       p.Line({2, 1}, {7, 1}, wideDot);
                   }),
              ".########.\n"
              ".########.\n"
              ".########.\n");
}

TEST(PainterLine, WidePensAreCentredRoundCappedStrokes)
{
    // Width 5: columns x-2..x+2; the round caps reach two rows past each end (3 pixels wide there).
    EXPECT_EQ(Draw(11, 7,
                   [&](Painter& p) {
                       p.Line({3, 3}, {7, 3}, Pen::Solid(kInk, 5));
                   }),
              "...........\n"
              "..#######..\n"
              ".#########.\n"
              ".#########.\n"
              ".#########.\n"
              "..#######..\n"
              "...........\n");
    // Even widths have no centre pixel: width 4 covers x-2..x+1.
    EXPECT_EQ(Draw(7, 7,
                   [&](Painter& p) {
                       p.Line({3, 1}, {3, 4}, Pen::Solid(kInk, 4));
                   }),
              ".####..\n"
              ".####..\n"
              ".####..\n"
              ".####..\n"
              ".####..\n"
              "..##...\n"
              ".......\n");
    // The inside-frame style only matters for figures; on lines it is a solid pen.
    EXPECT_EQ(Draw(11, 7,
                   [&](Painter& p) {
                       p.Line({3, 3}, {7, 3}, Pen{PenStyle::InsideFrame, 5, kInk});
                   }),
              Draw(11, 7, [&](Painter& p) {
                  p.Line({3, 3}, {7, 3}, Pen::Solid(kInk, 5));
              }));
    // A zero width draws one pixel wide.
    EXPECT_EQ(Draw(4, 1, [&](Painter& p) { p.Line({0, 0}, {3, 0}, Pen::Solid(kInk, 0)); }), "###.\n");
    // A diagonal wide stroke stays symmetric about its centre line.
    Surface s(9, 9);
    Painter p(s);
    p.Line({2, 2}, {6, 6}, Pen::Solid(kInk, 3));
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(s.At(x, y), s.At(y, x)) << x << "," << y;
    EXPECT_EQ(s.At(4, 4), kInk);
    EXPECT_EQ(s.At(0, 8), 0u);
}

TEST(PainterShape, RectangleOutlineInteriorAndPenWidths)
{
    Pen thin = Pen::Solid(kInk);
    Brush fill = Brush::Solid(kFill);
    EXPECT_EQ(Draw(7, 6, [&](Painter& p) { p.Rectangle(CRect(1, 1, 6, 5), thin, fill); }), ".......\n"
                                                                                           ".#####.\n"
                                                                                           ".#ooo#.\n"
                                                                                           ".#ooo#.\n"
                                                                                           ".#####.\n"
                                                                                           ".......\n");
    // No pen: the interior alone, one pixel smaller on the right and bottom.
    EXPECT_EQ(Draw(7, 6, [&](Painter& p) { p.Rectangle(CRect(1, 1, 6, 5), Pen::None(), fill); }), ".......\n"
                                                                                                  ".oooo..\n"
                                                                                                  ".oooo..\n"
                                                                                                  ".oooo..\n"
                                                                                                  ".......\n"
                                                                                                  ".......\n");
    // No brush: the interior keeps what was there; swapped corners are put in order.
    EXPECT_EQ(Draw(4, 3, [&](Painter& p) { p.Rectangle(CRect(4, 3, 0, 0), thin, Brush::None()); }), "####\n"
                                                                                                    "#..#\n"
                                                                                                    "####\n");
    // Width 3 centred on the one-pixel outline x 2..7, y 2..6.
    EXPECT_EQ(Draw(10, 9, [&](Painter& p) { p.Rectangle(CRect(2, 2, 8, 7), Pen::Solid(kInk, 3), fill); }),
              "..........\n"
              ".########.\n"
              ".########.\n"
              ".########.\n"
              ".###oo###.\n"
              ".########.\n"
              ".########.\n"
              ".########.\n"
              "..........\n");
    // Inside frame: the same kind of pen stays within the rectangle.
    EXPECT_EQ(Draw(8, 7,
                   [&](Painter& p) {
                       p.Rectangle(CRect(1, 1, 7, 6), Pen{PenStyle::InsideFrame, 2, kInk}, fill);
                   }),
              "........\n"
              ".######.\n"
              ".######.\n"
              ".##oo##.\n"
              ".######.\n"
              ".######.\n"
              "........\n");
    // Too small for an interior: all outline. Empty: nothing.
    EXPECT_EQ(Draw(3, 2, [&](Painter& p) { p.Rectangle(CRect(0, 0, 3, 1), thin, fill); }), "###\n"
                                                                                           "...\n");
    EXPECT_EQ(Draw(3, 1, [&](Painter& p) { p.Rectangle(CRect(1, 0, 1, 1), thin, fill); }), "...\n");
}

TEST(PainterShape, RoundRectAndEllipseShareTheRegionStaircase)
{
    Pen thin = Pen::Solid(kInk);
    Brush fill = Brush::Solid(kFill);
    // 5x5 corners: the outline drops only the corner pixel; the inner 3x3 corner steps once more.
    EXPECT_EQ(Draw(7, 6, [&](Painter& p) { p.RoundRect(CRect(0, 0, 7, 6), 5, 5, thin, fill); }), ".#####.\n"
                                                                                                 "##ooo##\n"
                                                                                                 "#ooooo#\n"
                                                                                                 "#ooooo#\n"
                                                                                                 "##ooo##\n"
                                                                                                 ".#####.\n");
    EXPECT_EQ(Draw(5, 4, [&](Painter& p) { p.RoundRect(CRect(0, 0, 5, 4), 3, 3, thin, fill); }), ".###.\n"
                                                                                                 "#ooo#\n"
                                                                                                 "#ooo#\n"
                                                                                                 ".###.\n");
    EXPECT_EQ(Draw(5, 5, [&](Painter& p) { p.Ellipse(CRect(0, 0, 5, 5), thin, Brush::None()); }), ".###.\n"
                                                                                                  "##.##\n"
                                                                                                  "#...#\n"
                                                                                                  "##.##\n"
                                                                                                  ".###.\n");
    // Without a pen the filled pixels are exactly those of the region of the same arguments.
    for (int ew : {0, 2, 3, 5, 8, 30})
        for (int eh : {0, 3, 5, 6, 30}) {
            Surface s(14, 12);
            Painter p(s);
            p.RoundRect(CRect(1, 2, 13, 11), ew, eh, Pen::None(), fill);
            Region rgn = Region::RoundRect(1, 2, 13, 11, ew, eh);
            for (int y = 0; y < 12; ++y)
                for (int x = 0; x < 14; ++x)
                    ASSERT_EQ(s.At(x, y) == kFill, rgn.Contains(x, y)) << ew << "x" << eh << " at " << x << "," << y;
        }
    // A one-pixel outline and its interior cover the region of the box one pixel larger, nothing more.
    Surface s(12, 10);
    Painter p(s);
    p.RoundRect(CRect(1, 1, 11, 9), 7, 7, thin, fill);
    Region outerRgn = Region::RoundRect(1, 1, 12, 10, 7, 7);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(s.At(x, y) != 0, outerRgn.Contains(x, y)) << x << "," << y;
    // Inside frame keeps a wide outline within the box.
    Surface f(12, 10);
    Painter(f).RoundRect(CRect(1, 1, 11, 9), 7, 7, Pen{PenStyle::InsideFrame, 3, kInk}, fill);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 12; ++x)
            if (x == 0 || y == 0 || x == 11 || y == 9) {
                ASSERT_EQ(f.At(x, y), 0u) << x << "," << y;
            }
    EXPECT_EQ(f.At(3, 3), kInk);
    EXPECT_EQ(f.At(4, 4), kFill);
}

TEST(PainterShape, FocusRectDotsAreXorAndAlignToTheBrushOrigin)
{
    Surface s(5, 4);
    Painter p(s);
    p.FocusRect(CRect(0, 0, 5, 4));
    EXPECT_EQ(Art(s, kLegend), "W.W.W\n"
                               ".....\n"
                               "W...W\n"
                               ".W.W.\n");
    p.FocusRect(CRect(0, 0, 5, 4));
    EXPECT_EQ(Art(s, kLegend), ".....\n"
                               ".....\n"
                               ".....\n"
                               ".....\n");
    // Over colour the dots invert it; one brush-origin step flips the dots.
    s.Fill(kFill);
    p.SetBrushOrigin(1, 0);
    p.FocusRect(CRect(0, 0, 5, 2));
    EXPECT_EQ(s.At(0, 0), kFill);
    EXPECT_EQ(s.At(1, 0), kFill ^ 0xFFFFFFu);
    EXPECT_EQ(s.At(0, 1), kFill ^ 0xFFFFFFu);
    EXPECT_EQ(s.At(2, 2), kFill);
    // A one-row rectangle is dotted once, not toggled twice.
    Surface row(4, 1);
    Painter(row).FocusRect(CRect(0, 0, 4, 1));
    EXPECT_EQ(Art(row, kLegend), "W.W.\n");
}

// Every primitive, drawn translated and clipped, equals the same drawing made
// without a clip and masked afterwards, and the same drawing moved elsewhere
// matches pixel for pixel.
TEST(PainterShape, EveryPrimitiveTranslatesThenClips)
{
    Surface src(6, 6);
    for (int i = 0; i < 36; ++i)
        src.Set(i % 6, i / 6, 0xFF000000 | (0x010203u * (i + 1)));
    const std::uint8_t bits[8] = {0xF0, 0x0F, 0xCC, 0x33, 0xAA, 0x55, 0x81, 0x18};
    Brush pattern = Brush::FromBits(bits, kFill, kWhite);
    POINT zig[] = {{-2, 1}, {5, 9}, {9, -1}, {14, 12}};
    std::vector<std::pair<const char*, std::function<void(Painter&)>>> primitives = {
        {"fill", [&](Painter& p) { p.FillRect(CRect(-3, -1, 9, 7), kInk); }},
        {"pattern", [&](Painter& p) { p.PatBlt(-4, 0, 30, 7, pattern, gfx::kPatCopy); }},
        {"invert", [&](Painter& p) { p.InvertRect(CRect(0, 0, 12, 9)); }},
        {"region", [&](Painter& p) { p.FillRegion(Region::RoundRect(-1, -1, 11, 9, 6, 6), pattern); }},
        {"bitblt", [&](Painter& p) { p.BitBlt(-2, -1, 6, 6, src, 0, 0); }},
        {"stretch", [&](Painter& p) { p.StretchBlt(CRect(-1, 0, 11, 9), src, CRect(0, 0, 6, 6)); }},
        {"alpha", [&](Painter& p) { p.AlphaBlend(CRect(-1, 0, 11, 9), src, CRect(0, 0, 6, 6), 200); }},
        {"line",
         [&](Painter& p) {
             p.Line({-3, -2}, {12, 9}, Pen::Solid(kInk));
         }},
        {"dots",
         [&](Painter& p) {
             p.Polyline(zig, 4, Pen{PenStyle::DashDot, 1, kInk});
         }},
        {"wide", [&](Painter& p) { p.Polyline(zig, 4, Pen::Solid(kInk, 4)); }},
        {"rect", [&](Painter& p) { p.Rectangle(CRect(-1, 0, 9, 8), Pen::Solid(kInk, 3), pattern); }},
        {"roundrect", [&](Painter& p) { p.RoundRect(CRect(-1, -1, 12, 9), 7, 5, Pen::Solid(kInk), pattern); }},
        {"ellipse",
         [&](Painter& p) {
             p.Ellipse(CRect(0, -2, 11, 9), Pen{PenStyle::InsideFrame, 2, kInk}, pattern);
         }},
        {"focus", [&](Painter& p) { p.FocusRect(CRect(-1, 0, 10, 8)); }},
        {"pixel", [&](Painter& p) { p.SetPixel(3, 3, kInk); }},
    };
    const Pixel kBack = 0x404040;
    Region clip = Region::RoundRect(2, 1, 13, 11, 5, 5).Subtract(Region(6, 4, 8, 6));
    for (auto& [name, draw] : primitives) {
        Surface full(14, 12, kBack), clipped(14, 12, kBack), moved(20, 16, kBack);
        {
            Painter p(full);
            p.Translate(3, 2);
            p.SetBrushOrigin(3, 2);
            draw(p);
        }
        {
            Painter p(clipped);
            p.SetClip(clip);
            p.Translate(3, 2);
            p.SetBrushOrigin(3, 2);
            draw(p);
        }
        {
            // The same drawing two pixels right and three down on a larger surface.
            Painter p(moved);
            p.SetOrigin(5, 5);
            p.SetBrushOrigin(5, 5);
            draw(p);
        }
        bool changed = false;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 14; ++x) {
                Pixel want = clip.Contains(x, y) ? full.At(x, y) : kBack;
                ASSERT_EQ(clipped.At(x, y), want) << name << " at " << x << "," << y;
                changed |= full.At(x, y) != kBack;
                ASSERT_EQ(moved.At(x + 2, y + 3), full.At(x, y)) << name << " moved, at " << x << "," << y;
            }
        EXPECT_TRUE(changed) << name << " drew nothing";
    }
}
