#include "tools/resgen/Coverage.h"
#include "tools/resgen/Images.h"

#include <vector>

namespace resgen {
namespace {

constexpr gfx::Pixel kInk = 0x5C6846; // sheet outline
constexpr gfx::Pixel kPaperTop = 0xFFFFFA;
constexpr gfx::Pixel kPaperBottom = 0xE9ECDD;
constexpr gfx::Pixel kBandTop = 0xAFBF8C;
constexpr gfx::Pixel kBandBottom = 0x93A472;
constexpr gfx::Pixel kLine = 0x8C927E;
constexpr gfx::Pixel kStatusOk = 0x6CC46C;
constexpr gfx::Pixel kStatusMissing = 0xDC3C32;
constexpr gfx::Pixel kStatusOther = 0xE8C030;
constexpr gfx::Pixel kSpider = 0x262A22;
constexpr gfx::Pixel kSpiderLight = 0x646E58;
constexpr gfx::Pixel kHalo = 0xFFFFFF;

constexpr double kAxis = 31; // the spider's axis of symmetry

// One side's legs of a spider hanging head down: hip, knee, foot.
std::vector<std::vector<PointF>> RightLegs()
{
    return {{{33.0, 36.0}, {37.5, 39.0}, {39.5, 45.5}},
            {{34.0, 34.5}, {40.0, 34.5}, {44.5, 39.5}},
            {{34.0, 33.0}, {40.5, 29.0}, {45.5, 30.5}},
            {{33.0, 31.5}, {38.5, 23.0}, {43.5, 18.5}}};
}

Shape Legs(double radius)
{
    std::vector<Shape> parts;
    for (const auto& leg : RightLegs()) {
        Shape right = Stroke(leg, radius);
        parts.push_back(right);
        parts.push_back(MirrorX(right, kAxis));
    }
    return Union(std::move(parts));
}

Shape Body(double grow)
{
    return Union({Ellipse(kAxis, 24.5, 6.2 + grow, 7.3 + grow), Ellipse(kAxis, 34.5, 4.1 + grow, 3.9 + grow)});
}

void DrawSheet(gfx::Surface& s)
{
    Fill(s, RoundRect(4.5, 3.5, 40.5, 46.5, 4.5), 0x000000, 60); // soft drop shadow
    Fill(s, RoundRect(4, 3, 40, 46, 4.5), kInk);
    Shape paper = RoundRect(5.25, 4.25, 38.75, 44.75, 3.4);
    Fill(s, paper, VerticalGradient(4, kPaperTop, 45, kPaperBottom));
    Fill(s, Intersect(paper, Rect(0, 0, 48, 11.5)), VerticalGradient(4, kBandTop, 11.5, kBandBottom));
    Fill(s, Rect(5.25, 11.5, 38.75, 12.25), kInk, 110);

    // Log lines, each led by a status mark in the colours the result lists use.
    const gfx::Pixel marks[] = {kStatusOk, kStatusOk, kStatusMissing, kStatusOk, kStatusOther, kStatusOk};
    const double lengths[] = {22, 15, 20, 11, 19, 14};
    for (int i = 0; i < 6; ++i) {
        double y = 16 + i * 4.8;
        Fill(s, Rect(8, y, 11, y + 2.4), marks[i]);
        Fill(s, RoundRect(13, y + 0.2, 13 + lengths[i], y + 2.2, 1.0), kLine);
    }
}

void DrawSpider(gfx::Surface& s)
{
    // A light halo keeps the dark spider apart from the lines and from dark backgrounds.
    Fill(s, Union({Legs(1.15 + 0.9), Body(0.9), Capsule({kAxis, 0.5}, {kAxis, 18}, 0.55 + 0.7)}), kHalo, 200);
    Fill(s, Capsule({kAxis, 0.2}, {kAxis, 18}, 0.55), kSpider); // the silk thread
    Fill(s, Legs(1.15), kSpider);
    Fill(s, Ellipse(kAxis, 24.5, 6.2, 7.3), RadialGradient(kAxis - 2.2, 21.5, 8.5, kSpiderLight, kSpider));
    Fill(s, Ellipse(kAxis, 34.5, 4.1, 3.9), RadialGradient(kAxis - 1.5, 33.2, 5, kSpiderLight, kSpider));
    // Hourglass mark on the abdomen, in the caption's red-orange.
    Fill(s,
         Polygon({{kAxis - 2.2, 20.5},
                  {kAxis + 2.2, 20.5},
                  {kAxis + 0.6, 24.5},
                  {kAxis + 2.2, 28.5},
                  {kAxis - 2.2, 28.5},
                  {kAxis - 0.6, 24.5}}),
         kRedOrange);
    Fill(s, Ellipse(kAxis - 1.5, 36.4, 0.85, 0.85), kHalo);
    Fill(s, Ellipse(kAxis + 1.5, 36.4, 0.85, 0.85), kHalo);
}

} // namespace

gfx::Surface DrawAppIcon()
{
    gfx::Surface s(kIconSide, kIconSide, 0);
    DrawSheet(s);
    DrawSpider(s);
    return s;
}

} // namespace resgen
