#include "platform/gfx/Region.h"

#include <gtest/gtest.h>
#include <ostream>
#include <random>
#include <string>

using gfx::Region;
using gfx::RegionOp;

namespace {

// The region's pixels inside (0,0)-(w,h), one text row per pixel row.
std::string Picture(const Region& rgn, int w, int h)
{
    std::string s;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            s += rgn.Contains(x, y) ? '#' : '.';
        s += '\n';
    }
    return s;
}

// The banding invariants every region must keep, whatever built it.
void ExpectCanonical(const Region& rgn)
{
    const auto& rs = rgn.Rects();
    for (std::size_t i = 0; i < rs.size(); ++i) {
        ASSERT_LT(rs[i].left, rs[i].right);
        ASSERT_LT(rs[i].top, rs[i].bottom);
        if (i == 0) continue;
        const CRect& p = rs[i - 1];
        if (p.top == rs[i].top) {
            ASSERT_EQ(p.bottom, rs[i].bottom) << "band with mixed bottoms";
            ASSERT_LT(p.right, rs[i].left) << "touching or overlapping rects in a band";
        } else {
            ASSERT_LE(p.bottom, rs[i].top) << "bands overlap";
        }
    }
}

} // namespace

namespace gfx {
void PrintTo(const Region& rgn, std::ostream* os)
{
    *os << "{";
    for (const CRect& r : rgn.Rects())
        *os << " (" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
    *os << " }";
}
} // namespace gfx

TEST(Region, RectanglesExcludeRightAndBottomAndEmptyInputsGiveEmpty)
{
    Region r(1, 1, 4, 3);
    EXPECT_EQ(Picture(r, 5, 4), ".....\n"
                                ".###.\n"
                                ".###.\n"
                                ".....\n");
    EXPECT_TRUE(r.IsRect());
    EXPECT_EQ(r.Bounds(), CRect(1, 1, 4, 3));
    EXPECT_TRUE(Region(3, 3, 3, 8).IsEmpty());
    EXPECT_TRUE(Region(5, 5, 1, 1).IsEmpty());
    EXPECT_EQ(Region().Bounds(), CRect());
    EXPECT_EQ(Region(2, 2, 2, 2), Region());
}

// Derivation of the corner shape: a region, like a rectangle, leaves out the
// right column and bottom row of its box, so CreateRoundRectRgn(0,0,7,6,..)
// covers columns 0..5 and rows 0..4, the pixels a rounded rectangle drawn
// without outline fills. Each corner keeps the pixels whose centres lie in
// the quarter of the w x h corner ellipse (widened by 0.3 px): a 5x5 ellipse
// (radius 2 between pixel centres) drops only the corner pixel; 7x7 drops two
// pixels on the first row and one on the second; 3x3 drops the corner pixel.
TEST(Region, RoundRectCornersAndExclusion)
{
    EXPECT_EQ(Picture(Region::RoundRect(0, 0, 7, 6, 5, 5), 7, 6), ".####..\n"
                                                                  "######.\n"
                                                                  "######.\n"
                                                                  "######.\n"
                                                                  ".####..\n"
                                                                  ".......\n");
    EXPECT_EQ(Picture(Region::RoundRect(0, 0, 9, 9, 7, 7), 9, 9), "..####...\n"
                                                                  ".######..\n"
                                                                  "########.\n"
                                                                  "########.\n"
                                                                  "########.\n"
                                                                  "########.\n"
                                                                  ".######..\n"
                                                                  "..####...\n"
                                                                  ".........\n");
    EXPECT_EQ(Picture(Region::RoundRect(1, 1, 6, 5, 3, 3), 6, 5), "......\n"
                                                                  "..##..\n"
                                                                  ".####.\n"
                                                                  "..##..\n"
                                                                  "......\n");
    // Ellipses of 0 or 1 pixel leave a plain rectangle one pixel smaller than the box.
    EXPECT_EQ(Region::RoundRect(0, 0, 6, 4, 1, 0), Region(0, 0, 5, 3));
    // An ellipse larger than the box is clamped to it: the shape becomes an ellipse.
    EXPECT_EQ(Region::RoundRect(0, 0, 6, 6, 50, 50), Region::Ellipse(0, 0, 6, 6));
    EXPECT_EQ(Picture(Region::Ellipse(0, 0, 6, 6), 6, 6), ".###..\n"
                                                          "#####.\n"
                                                          "#####.\n"
                                                          "#####.\n"
                                                          ".###..\n"
                                                          "......\n");
    // Swapped corners describe the same box.
    EXPECT_EQ(Region::RoundRect(7, 6, 0, 0, 5, 5), Region::RoundRect(0, 0, 7, 6, 5, 5));
    EXPECT_TRUE(Region::RoundRect(0, 0, 1, 9, 5, 5).IsEmpty());
}

TEST(Region, CombineMatchesPixelLogic)
{
    Region a(0, 0, 4, 4), b(2, 2, 6, 6);
    EXPECT_EQ(Picture(a.Union(b), 6, 6), "####..\n"
                                         "####..\n"
                                         "######\n"
                                         "######\n"
                                         "..####\n"
                                         "..####\n");
    EXPECT_EQ(a.Intersect(b), Region(2, 2, 4, 4));
    EXPECT_EQ(Picture(a.Subtract(b), 6, 6), "####..\n"
                                            "####..\n"
                                            "##....\n"
                                            "##....\n"
                                            "......\n"
                                            "......\n");
    EXPECT_EQ(Picture(a.Xor(b), 6, 6), "####..\n"
                                       "####..\n"
                                       "##..##\n"
                                       "##..##\n"
                                       "..####\n"
                                       "..####\n");
    EXPECT_EQ(Region::Combine(a, b, RegionOp::Copy), a);
    // Pieces that touch merge back into one rectangle, so equal pixel sets compare equal.
    Region left(0, 0, 3, 5), right(3, 0, 7, 5), top(0, 0, 7, 2), bottom(0, 2, 7, 5);
    EXPECT_EQ(left.Union(right), Region(0, 0, 7, 5));
    EXPECT_EQ(top.Union(bottom), Region(0, 0, 7, 5));
    EXPECT_TRUE(left.Union(right).IsRect());
    EXPECT_TRUE(a.Subtract(a).IsEmpty());
    EXPECT_EQ(a.Subtract(Region()), a);
    EXPECT_TRUE(a.Intersect(Region()).IsEmpty());

    // Random rectangle soups against per-pixel boolean logic.
    std::mt19937 rng(1234);
    std::uniform_int_distribution<int> coord(-2, 14);
    auto randomRegion = [&] {
        Region r;
        int n = rng() % 5;
        for (int i = 0; i < n; ++i)
            r = r.Union(Region(coord(rng), coord(rng), coord(rng), coord(rng)));
        if (rng() % 3 == 0) r = r.Xor(Region::RoundRect(coord(rng), coord(rng), coord(rng), coord(rng), 5, 7));
        return r;
    };
    for (int iter = 0; iter < 300; ++iter) {
        Region x = randomRegion(), y = randomRegion();
        for (RegionOp op : {RegionOp::And, RegionOp::Or, RegionOp::Xor, RegionOp::Diff}) {
            Region c = Region::Combine(x, y, op);
            ExpectCanonical(c);
            CRect bounds;
            for (int py = -3; py < 16; ++py)
                for (int px = -3; px < 16; ++px) {
                    bool ix = x.Contains(px, py), iy = y.Contains(px, py);
                    bool want = op == RegionOp::And   ? ix && iy
                                : op == RegionOp::Or  ? ix || iy
                                : op == RegionOp::Xor ? ix != iy
                                                      : ix && !iy;
                    ASSERT_EQ(c.Contains(px, py), want) << "op " << int(op) << " at " << px << "," << py;
                    if (want) {
                        CRect pixel(px, py, px + 1, py + 1);
                        bounds.UnionRect(&bounds, &pixel);
                        EXPECT_TRUE(c.Intersects(pixel));
                    }
                }
            EXPECT_EQ(c.Bounds(), bounds);
        }
        // Union is the same whatever the order, so the stored form is canonical.
        EXPECT_EQ(x.Union(y), y.Union(x));
    }
}

TEST(Region, OffsetPointTestsAndIntersects)
{
    Region r = Region::RoundRect(0, 0, 7, 6, 5, 5);
    r.Offset(10, -3);
    EXPECT_FALSE(r.Contains(10, -3));
    EXPECT_TRUE(r.Contains(11, -3));
    EXPECT_TRUE(r.Contains(CPoint(15, 0)));
    EXPECT_FALSE(r.Contains(16, 0));
    EXPECT_EQ(r.Bounds(), CRect(10, -3, 16, 2));
    EXPECT_TRUE(r.Intersects(CRect(14, 1, 40, 40)));
    EXPECT_FALSE(r.Intersects(CRect(15, 1, 40, 40))); // the cut corner pixel and outside
    EXPECT_FALSE(r.Intersects(CRect(10, 1, 11, 2)));  // the cut corner pixel only
    EXPECT_FALSE(r.Intersects(CRect(12, 1, 12, 9)));  // empty rectangle
    r.Offset(-10, 3);
    EXPECT_EQ(r, Region::RoundRect(0, 0, 7, 6, 5, 5));
}

TEST(Region, HugeCoordinatesStayBoundedAndNeverOverflow)
{
    Region huge(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
    EXPECT_FALSE(huge.IsEmpty());
    EXPECT_TRUE(huge.Contains(0, 0));
    EXPECT_TRUE(huge.Contains(-100000000, 100000000));
    huge.Offset(INT32_MAX, INT32_MAX); // already at the limit: the shape must survive
    EXPECT_EQ(huge.Bounds().Width(), 2 * Region::kCoordLimit);
    Region small(0, 0, 10, 10);
    small.Offset(INT32_MAX, INT32_MIN);
    EXPECT_EQ(small.Bounds().Width(), 10);
    EXPECT_EQ(small.Bounds().Height(), 10);
    // A huge rounded rectangle builds only its corner rows (bounded by the 32767 ellipse limit).
    Region big = Region::RoundRect(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
    EXPECT_FALSE(big.IsEmpty());
    EXPECT_LE(big.Rects().size(), 2u * 32768u);
    EXPECT_TRUE(big.Contains(0, 0));
    EXPECT_FALSE(big.Contains(-Region::kCoordLimit, -Region::kCoordLimit));
    EXPECT_TRUE(Region::Ellipse(INT32_MAX, 0, INT32_MAX, 5).IsEmpty());
    EXPECT_TRUE(Region::RoundRect(0, 0, 10, 10, -5, -5).IsRect());
}
