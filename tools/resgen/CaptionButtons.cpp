#include "tools/resgen/Coverage.h"
#include "tools/resgen/Images.h"

namespace resgen {
namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;

// Glyphs are built on a 16 x 15 cell whose visual centre is (8, 7.5).
Shape CloseGlyph()
{
    constexpr double r = 1.0;
    return Union({Capsule({4.6, 4.1}, {11.4, 10.9}, r), Capsule({11.4, 4.1}, {4.6, 10.9}, r)});
}

Shape HelpGlyph()
{
    // A hook: a ring open in its lower-left quarter, ending in a short stem.
    Shape ring = Subtract(Ellipse(8, 5.6, 3.7, 3.4), Ellipse(8, 5.6, 1.7, 1.5));
    Shape lowerLeft{[](double x, double y) { return x < 8 && y > 5.6; }, 0, 0, 16, 15};
    Shape hook = Subtract(ring, lowerLeft);
    // Stem and dot on whole pixels, so they stay sharp.
    Shape stem = Rect(7, 8, 9, 10);
    Shape dot = Rect(7, 11, 9, 13);
    return Union({hook, stem, dot});
}

// A window outline with a two-pixel title bar, on whole pixels so it stays sharp.
Shape WindowOutline(double l, double t, double r, double b)
{
    return Subtract(Rect(l, t, r, b), Rect(l + 1, t + 2, r - 1, b - 1));
}

Shape MaximizeGlyph()
{
    return WindowOutline(4, 3, 12, 12);
}

Shape RestoreGlyph()
{
    Shape front = WindowOutline(3, 6, 10, 12);
    // Only the back window's parts the front one does not hide.
    Shape back = Subtract(WindowOutline(6, 3, 13, 9), Rect(3, 6, 10, 12));
    return Union({front, back});
}

Shape MinimizeGlyph()
{
    return Rect(4, 10, 12, 12);
}

Shape GlyphShape(CaptionGlyph glyph)
{
    switch (glyph) {
    case CaptionGlyph::Close: return CloseGlyph();
    case CaptionGlyph::Help: return HelpGlyph();
    case CaptionGlyph::Maximize: return MaximizeGlyph();
    case CaptionGlyph::Restore: return RestoreGlyph();
    case CaptionGlyph::Minimize: return MinimizeGlyph();
    }
    return Shape{};
}

} // namespace

gfx::Surface DrawCaptionButton(CaptionGlyph glyph, CaptionSquare square)
{
    gfx::Pixel base = square == CaptionSquare::RedOrange ? kRedOrange : kOliveGreen;
    gfx::Surface s(kCaptionWidth, kCaptionHeight, 0xFF000000 | base);
    // Soften the four corners into the frame band so the square reads as a rounded tile.
    const int corners[4][2] = {
        {0, 0}, {kCaptionWidth - 1, 0}, {0, kCaptionHeight - 1}, {kCaptionWidth - 1, kCaptionHeight - 1}};
    for (const auto& c : corners)
        s.Set(c[0], c[1], 0xFF000000 | Mix(base, kFrameBand, 140));
    Fill(s, GlyphShape(glyph), kWhite);
    return s;
}

} // namespace resgen
