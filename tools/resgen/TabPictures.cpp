#include "tools/resgen/Coverage.h"
#include "tools/resgen/Images.h"

#include <vector>

namespace resgen {
namespace {

constexpr gfx::Pixel kWhite = 0xFFFFFF;
constexpr gfx::Pixel kInk = 0x5C6846;
constexpr gfx::Pixel kLine = 0x8C927E;
constexpr double kCentre = 12;

// A small spider hanging head down, centred in a 24 x 24 cell.
Shape SmallSpider()
{
    const std::vector<std::vector<PointF>> rightLegs = {{{13.2, 15.6}, {15.5, 17.5}, {16.5, 20.5}},
                                                        {{13.8, 14.6}, {17.0, 14.6}, {19.0, 17.0}},
                                                        {{13.8, 13.8}, {17.0, 12.0}, {19.5, 12.5}},
                                                        {{13.3, 13.0}, {16.0, 9.0}, {18.5, 7.0}}};
    std::vector<Shape> parts = {Ellipse(kCentre, 9.8, 2.9, 3.4), Ellipse(kCentre, 15.0, 2.0, 1.9),
                                Capsule({kCentre, 3.0}, {kCentre, 7.0}, 0.5)};
    for (const auto& leg : rightLegs) {
        Shape right = Stroke(leg, 0.75);
        parts.push_back(right);
        parts.push_back(MirrorX(right, kCentre));
    }
    return Union(std::move(parts));
}

// Badge outlines, each a different silhouette so the tabs differ in more than hue.
Shape Badge(int index)
{
    switch (index) {
    case 0: return Ellipse(kCentre, kCentre, 10.8, 10.8);
    case 1: return RoundRect(1.2, 1.2, 22.8, 22.8, 4.5);
    case 2: return Polygon({{12, 0.5}, {23.5, 12}, {12, 23.5}, {0.5, 12}});
    case 3: return Polygon({{12, 0.6}, {21.9, 6.3}, {21.9, 17.7}, {12, 23.4}, {2.1, 17.7}, {2.1, 6.3}});
    case 4:
        return Polygon(
            {{7.8, 1.2}, {16.2, 1.2}, {22.8, 7.8}, {22.8, 16.2}, {16.2, 22.8}, {7.8, 22.8}, {1.2, 16.2}, {1.2, 7.8}});
    default: return Polygon({{1.8, 1.8}, {22.2, 1.8}, {22.2, 11.5}, {12, 22.8}, {1.8, 11.5}});
    }
}

// How far the spider shrinks to stay inside each badge.
constexpr double kSpiderScale[6] = {0.92, 0.96, 0.72, 0.86, 0.92, 0.78};
constexpr double kSpiderLift[6] = {0, 0, 0, 0, 0, -1.8};
constexpr gfx::Pixel kBadgeColor[6] = {0x2A9D8F, 0x7E57C2, 0xC07A1E, 0x4A6FA5, 0xC2477A, 0x4C8C3A};

void DrawCrawlerPicture(gfx::Surface& strip, int index)
{
    double left = (index + 1) * kTabPicture;
    gfx::Pixel c = kBadgeColor[index];
    Shape badge = Offset(Badge(index), left, 0);
    Fill(strip, badge, Mix(c, 0x000000, 70));
    Fill(strip, Offset(Scale(Badge(index), kCentre, kCentre, 0.9), left, 0),
         VerticalGradient(1, Mix(c, kWhite, 60), 23, c));
    Shape spider = Scale(SmallSpider(), kCentre, kCentre, kSpiderScale[index]);
    Fill(strip, Offset(spider, left, kSpiderLift[index]), kWhite);
}

// "All lines": a sheet with numbered rows.
void DrawAllLinesPicture(gfx::Surface& strip)
{
    Fill(strip, RoundRect(3.5, 1.5, 20.5, 22.5, 2.5), kInk);
    Fill(strip, RoundRect(4.5, 2.5, 19.5, 21.5, 1.8), VerticalGradient(2, 0xFFFFFA, 22, 0xE9ECDD));
    const double lengths[] = {9, 6, 8, 5};
    for (int i = 0; i < 4; ++i) {
        double y = 5 + i * 4;
        Fill(strip, Rect(6, y, 8, y + 2), 0x9FAF7F);
        Fill(strip, Rect(9, y, 9 + lengths[i], y + 2), kLine);
    }
}

} // namespace

gfx::Surface DrawTabStrip()
{
    gfx::Surface strip(kTabPicture * kTabPictureCount, kTabPicture, 0);
    DrawAllLinesPicture(strip);
    for (int i = 0; i < kTabPictureCount - 1; ++i)
        DrawCrawlerPicture(strip, i);
    return strip;
}

} // namespace resgen
