#include "platform/system/window/SysMetrics.h"
#include "tests/system/support/GdiTestCanvas.h"

#include <gtest/gtest.h>

#include <set>

using corvane::test::MemoryCanvas;

namespace {

const COLORREF kBackground = RGB(0, 0, 255);

// w highlight, l light (the same colour as the face), s shadow, d dark shadow.
std::map<COLORREF, char> EdgeLegend()
{
    return {{GetSysColor(COLOR_3DHIGHLIGHT), 'w'}, {GetSysColor(COLOR_3DLIGHT), 'l'},
            {GetSysColor(COLOR_3DSHADOW), 's'},    {GetSysColor(COLOR_3DDKSHADOW), 'd'},
            {kBackground, '.'},                    {RGB(0, 0, 0), '#'}};
}

std::string Edge(UINT edge, UINT flags, RECT* io = nullptr)
{
    MemoryCanvas canvas(5, 5, kBackground);
    RECT r{0, 0, 5, 5};
    EXPECT_TRUE(DrawEdge(canvas.dc(), &r, edge, flags));
    if (io) *io = r;
    return canvas.Picture(EdgeLegend());
}

} // namespace

TEST(DrawEdge, ClassicColoursAreDistinct)
{
    // The pictures below rely on these being told apart.
    EXPECT_EQ(GetSysColor(COLOR_3DHIGHLIGHT), RGB(255, 255, 255));
    std::set<COLORREF> colours{GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_3DLIGHT),
                               GetSysColor(COLOR_3DSHADOW), GetSysColor(COLOR_3DDKSHADOW), kBackground};
    EXPECT_EQ(colours.size(), 5u);
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DFACE));
}

TEST(DrawEdge, SunkenAndRaisedEdgesLayTwoRingsWithTheBottomRightOwningTheCorners)
{
    EXPECT_EQ(Edge(EDGE_SUNKEN, BF_RECT), "ssssw\n"
                                          "sddlw\n"
                                          "sd.lw\n"
                                          "slllw\n"
                                          "wwwww");
    EXPECT_EQ(Edge(EDGE_RAISED, BF_RECT), "lllld\n"
                                          "lwwsd\n"
                                          "lw.sd\n"
                                          "lsssd\n"
                                          "ddddd");
    EXPECT_EQ(Edge(EDGE_ETCHED, BF_RECT), "ssssw\n"
                                          "swwsw\n"
                                          "sw.sw\n"
                                          "ssssw\n"
                                          "wwwww");
    EXPECT_EQ(Edge(BDR_SUNKENOUTER, BF_RECT), "ssssw\n"
                                              "s...w\n"
                                              "s...w\n"
                                              "s...w\n"
                                              "wwwww");
    EXPECT_EQ(Edge(BDR_RAISEDINNER, BF_RECT | BF_MIDDLE), "wwwws\n"
                                                          "wllls\n"
                                                          "wllls\n"
                                                          "wllls\n"
                                                          "sssss");
}

TEST(DrawEdge, FlatEdgesUseShadowOutsideAndFaceInside)
{
    // The framed edit box's normal border: EDGE_SUNKEN with BF_RECT | BF_FLAT.
    EXPECT_EQ(Edge(EDGE_SUNKEN, BF_RECT | BF_FLAT), "sssss\n"
                                                    "sllls\n"
                                                    "sl.ls\n"
                                                    "sllls\n"
                                                    "sssss");
    EXPECT_EQ(Edge(EDGE_SUNKEN, BF_RECT | BF_MONO), "#####\n"
                                                    "#www#\n"
                                                    "#w.w#\n"
                                                    "#www#\n"
                                                    "#####");
}

TEST(DrawEdge, SubsetsOfSidesAndAdjustment)
{
    // Each ring moves in only on the sides it draws.
    EXPECT_EQ(Edge(EDGE_SUNKEN, BF_TOP), "ssss.\n"
                                         "dddd.\n"
                                         ".....\n"
                                         ".....\n"
                                         ".....");
    EXPECT_EQ(Edge(EDGE_SUNKEN, BF_BOTTOMRIGHT), "...lw\n"
                                                 "...lw\n"
                                                 "...lw\n"
                                                 "llllw\n"
                                                 "wwwww");

    RECT r{};
    Edge(EDGE_SUNKEN, BF_RECT | BF_ADJUST, &r);
    EXPECT_EQ(r.left, 2);
    EXPECT_EQ(r.top, 2);
    EXPECT_EQ(r.right, 3);
    EXPECT_EQ(r.bottom, 3);
    Edge(BDR_RAISEDINNER, BF_TOPLEFT | BF_ADJUST, &r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right, 5);
    EXPECT_EQ(r.bottom, 5);
    Edge(EDGE_SUNKEN, BF_RECT, &r);
    EXPECT_EQ(r.left, 0) << "without BF_ADJUST the rectangle is left alone";
}

TEST(DrawEdge, DegenerateRectanglesAndBadArguments)
{
    MemoryCanvas canvas(3, 3, kBackground);
    RECT empty{2, 2, 2, 2};
    EXPECT_TRUE(DrawEdge(canvas.dc(), &empty, EDGE_SUNKEN, BF_RECT | BF_ADJUST));
    RECT inverted{3, 3, 0, 0};
    EXPECT_TRUE(DrawEdge(canvas.dc(), &inverted, EDGE_RAISED, BF_RECT | BF_MIDDLE));
    EXPECT_EQ(canvas.Count(kBackground), 9) << "nothing drawn for empty rectangles";
    EXPECT_FALSE(DrawEdge(canvas.dc(), nullptr, EDGE_SUNKEN, BF_RECT));
    RECT r{0, 0, 3, 3};
    EXPECT_FALSE(DrawEdge(canvas.dc(), &r, EDGE_SUNKEN, BF_RECT | BF_DIAGONAL));
}

TEST(DrawFocusRect, DotsEveryOtherPixelAndTwiceRestores)
{
    MemoryCanvas canvas(6, 4, RGB(255, 255, 255));
    RECT r{0, 0, 5, 4};
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    const std::map<COLORREF, char> legend{{RGB(0, 0, 0), '#'}, {RGB(255, 255, 255), '.'}};
    EXPECT_EQ(canvas.Picture(legend), "#.#.#.\n"
                                      "......\n"
                                      "#...#.\n"
                                      ".#.#..");
    ASSERT_TRUE(DrawFocusRect(canvas.dc(), &r));
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 24);

    // On a coloured face the dots are the inverse colour and vanish again.
    canvas.Clear(RGB(212, 208, 200));
    DrawFocusRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.At(0, 0), RGB(255 - 212, 255 - 208, 255 - 200));
    DrawFocusRect(canvas.dc(), &r);
    EXPECT_EQ(canvas.Count(RGB(212, 208, 200)), 24);
    RECT empty{1, 1, 1, 3};
    EXPECT_TRUE(DrawFocusRect(canvas.dc(), &empty));
    EXPECT_FALSE(DrawFocusRect(canvas.dc(), nullptr));
}
