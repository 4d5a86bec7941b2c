#include "platform/base/Geometry.h"


#include <gtest/gtest.h>

namespace {

bool Same(const RECT& r, LONG l, LONG t, LONG rr, LONG b)
{
    return r.left == l && r.top == t && r.right == rr && r.bottom == b;
}

} // namespace

TEST(Geometry, IntersectRect)
{
    RECT a{0, 0, 10, 10}, b{5, 5, 20, 20}, out{1, 2, 3, 4};
    EXPECT_TRUE(IntersectRect(&out, &a, &b));
    EXPECT_TRUE(Same(out, 5, 5, 10, 10));

    // Every way of not overlapping empties the result and reports FALSE.
    RECT touching{10, 0, 20, 10}; // right edges are excluded: no shared pixel
    RECT apart{30, 30, 40, 40};
    RECT empty{3, 3, 3, 8};
    RECT inverted{8, 8, 2, 2};
    for (const RECT* other : {&touching, &apart, &empty, &inverted}) {
        out = RECT{1, 2, 3, 4};
        EXPECT_FALSE(IntersectRect(&out, &a, other));
        EXPECT_TRUE(Same(out, 0, 0, 0, 0));
    }
    EXPECT_FALSE(IntersectRect(nullptr, &a, &b));
    EXPECT_FALSE(IntersectRect(&out, nullptr, &b));

    // The result may be one of the inputs.
    RECT self{0, 0, 10, 10};
    EXPECT_TRUE(IntersectRect(&self, &self, &b));
    EXPECT_TRUE(Same(self, 5, 5, 10, 10));
}

TEST(Geometry, UnionAndTests)
{
    RECT a{0, 0, 10, 10}, b{20, 5, 30, 8}, empty{5, 5, 5, 5}, out{};
    EXPECT_TRUE(UnionRect(&out, &a, &b));
    EXPECT_TRUE(Same(out, 0, 0, 30, 10));
    EXPECT_TRUE(UnionRect(&out, &empty, &b)); // empty rectangles add nothing
    EXPECT_TRUE(Same(out, 20, 5, 30, 8));
    EXPECT_TRUE(UnionRect(&out, &a, &empty));
    EXPECT_TRUE(Same(out, 0, 0, 10, 10));
    RECT empty2{7, 7, 1, 9};
    out = RECT{1, 1, 1, 1};
    EXPECT_FALSE(UnionRect(&out, &empty, &empty2));
    EXPECT_TRUE(Same(out, 0, 0, 0, 0));

    EXPECT_TRUE(PtInRect(&a, POINT{0, 0}));
    EXPECT_TRUE(PtInRect(&a, POINT{9, 9}));
    EXPECT_FALSE(PtInRect(&a, POINT{10, 5}));
    EXPECT_FALSE(PtInRect(&a, POINT{5, 10}));
    EXPECT_FALSE(PtInRect(&a, POINT{-1, 5}));
    EXPECT_FALSE(PtInRect(nullptr, POINT{0, 0}));
    EXPECT_TRUE(IsRectEmpty(&empty));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(IsRectEmpty(&a));
    EXPECT_TRUE(EqualRect(&a, &a));
    EXPECT_FALSE(EqualRect(&a, &b));
    EXPECT_FALSE(EqualRect(&a, nullptr));
    EXPECT_FALSE(SetRect(nullptr, 1, 2, 3, 4));
    EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
    EXPECT_FALSE(InflateRect(nullptr, 1, 1));
    EXPECT_FALSE(CopyRect(nullptr, &a));
}

TEST(Geometry, CRectOperations)
{
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Size(), CSize(100, 50));
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));

    CRect c = r;
    c.InflateRect(2, 3);
    EXPECT_TRUE(Same(c, 8, 17, 112, 73));
    c.DeflateRect(2, 3);
    EXPECT_TRUE(c == r);
    c.InflateRect(1, 2, 3, 4);
    EXPECT_TRUE(Same(c, 9, 18, 113, 74));
    c.DeflateRect(1, 2, 3, 4);
    EXPECT_TRUE(c == r);
    c.OffsetRect(-10, -20);
    EXPECT_TRUE(Same(c, 0, 0, 100, 50));
    c.OffsetRect(CPoint(1, 1));
    c.OffsetRect(CSize(1, 1));
    EXPECT_TRUE(Same(c, 2, 2, 102, 52));
    EXPECT_TRUE(c != r);

    CRect flipped(50, 40, 10, 5);
    EXPECT_TRUE(flipped.IsRectEmpty());
    flipped.NormalizeRect();
    EXPECT_TRUE(Same(flipped, 10, 5, 50, 40));
    EXPECT_FALSE(flipped.IsRectEmpty());
    EXPECT_FALSE(flipped.IsRectNull());
    flipped.SetRectEmpty();
    EXPECT_TRUE(flipped.IsRectNull());

    CRect both;
    EXPECT_TRUE(both.IntersectRect(&r, CRect(100, 60, 200, 200)));
    EXPECT_TRUE(Same(both, 100, 60, 110, 70));
    EXPECT_FALSE(both.IntersectRect(&r, CRect(0, 0, 10, 10)));
    EXPECT_TRUE(both.IsRectNull());
    EXPECT_TRUE(both.UnionRect(&r, CRect(0, 0, 1, 1)));
    EXPECT_TRUE(Same(both, 0, 0, 110, 70));
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_FALSE(r.PtInRect(CPoint(110, 20)));

    EXPECT_TRUE(Same(CRect(CPoint(1, 2), CSize(3, 4)), 1, 2, 4, 6));
    EXPECT_TRUE(Same(CRect(CPoint(1, 2), CPoint(3, 4)), 1, 2, 3, 4));
    EXPECT_TRUE(Same(CRect(static_cast<const RECT*>(nullptr)), 0, 0, 0, 0));
    RECT plain{1, 1, 2, 2};
    CRect assigned;
    assigned = plain;
    EXPECT_TRUE(assigned == plain);

    EXPECT_EQ(CPoint(5, 5) - CPoint(2, 1), CSize(3, 4));
    // Mouse coordinates are signed 16-bit values packed in an LPARAM.
    CPoint packed(MAKELPARAM(static_cast<WORD>(-5), static_cast<WORD>(300)));
    EXPECT_EQ(packed, CPoint(-5, 300));
    EXPECT_EQ(GET_X_LPARAM(MAKELPARAM(0xFFFF, 0)), -1);
}
