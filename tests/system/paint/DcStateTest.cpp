#include "tests/system/support/GdiTestCanvas.h"

#include <gtest/gtest.h>

using corvane::test::MemoryCanvas;

TEST(DcState, SettersReturnThePreviousValue)
{
    MemoryCanvas canvas(2, 2);
    HDC dc = canvas.dc();
    EXPECT_EQ(SetBkColor(dc, RGB(1, 2, 3)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkColor(dc, RGB(4, 5, 6)), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
    EXPECT_EQ(SetTextColor(dc, RGB(255, 255, 255)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(9, 9, 9)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkMode(dc, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(dc, OPAQUE), TRANSPARENT);
    EXPECT_EQ(SetBkMode(dc, 7), 0) << "an unknown mode fails";
    EXPECT_EQ(GetBkMode(dc), OPAQUE) << "and changes nothing";
    POINT old{-1, -1};
    EXPECT_TRUE(MoveToEx(dc, 3, 4, &old));
    EXPECT_EQ(old.x, 0);
    EXPECT_EQ(old.y, 0);
    EXPECT_TRUE(MoveToEx(dc, 5, 6, &old));
    EXPECT_EQ(old.x, 3);
    EXPECT_EQ(old.y, 4);
}

TEST(DcState, SaveAndRestoreBringBackEverything)
{
    MemoryCanvas canvas(8, 8);
    HDC dc = canvas.dc();
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));

    int first = SaveDC(dc);
    EXPECT_EQ(first, 1);
    SelectObject(dc, red);
    SetTextColor(dc, RGB(10, 20, 30));
    SetBkMode(dc, TRANSPARENT);
    IntersectClipRect(dc, 0, 0, 2, 2);
    int second = SaveDC(dc);
    EXPECT_EQ(second, 2);
    SelectObject(dc, green);
    SetViewportOrgEx(dc, 3, 3, nullptr);
    EXPECT_EQ(SaveDC(dc), 3);

    EXPECT_TRUE(RestoreDC(dc, -1)); // back to state 3: all of the above still set
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), green);
    EXPECT_TRUE(RestoreDC(dc, first)); // skips state 2
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 0));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    POINT org{};
    GetViewportOrgEx(dc, &org);
    EXPECT_EQ(org.x, 0);
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 8) << "the clip went with the restored state";

    EXPECT_FALSE(RestoreDC(dc, 1)) << "state 1 was used up";
    EXPECT_FALSE(RestoreDC(dc, -1));
    EXPECT_FALSE(RestoreDC(dc, 0));
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_TRUE(DeleteObject(green)) << "nothing holds them once restored away";
}

TEST(DcState, RestoringAStateWhoseObjectsWereDeletedFallsBackToDefaults)
{
    MemoryCanvas canvas(4, 4);
    HDC dc = canvas.dc();
    HBRUSH brush = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(dc, brush);
    int saved = SaveDC(dc);
    SelectObject(dc, GetStockObject(BLACK_BRUSH));
    ASSERT_TRUE(DeleteObject(brush)); // only the saved state names it now
    ASSERT_TRUE(RestoreDC(dc, saved));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
    EXPECT_TRUE(PatBlt(dc, 0, 0, 4, 4, PATCOPY)) << "drawing still works";
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 16);
}

TEST(DcState, ClipRectanglesAndRegionsLimitDrawing)
{
    MemoryCanvas canvas(6, 4);
    HDC dc = canvas.dc();
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RECT all{0, 0, 6, 4};
    const std::map<COLORREF, char> legend{{RGB(0, 0, 0), '#'}, {RGB(255, 255, 255), '.'}};

    EXPECT_EQ(IntersectClipRect(dc, 1, 1, 5, 3), SIMPLEREGION);
    EXPECT_EQ(ExcludeClipRect(dc, 2, 1, 3, 3), COMPLEXREGION);
    FillRect(dc, &all, black);
    EXPECT_EQ(canvas.Picture(legend), "......\n"
                                      ".#.##.\n"
                                      ".#.##.\n"
                                      "......");
    RECT box{};
    EXPECT_EQ(GetClipBox(dc, &box), COMPLEXREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 5);
    EXPECT_FALSE(PtVisible(dc, 2, 1));
    EXPECT_TRUE(PtVisible(dc, 3, 1));

    // Clip regions are in device units: a moved viewport does not move them,
    // while clip rectangles are given in logical units.
    canvas.Clear(RGB(255, 255, 255));
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    HRGN region = CreateRectRgn(0, 0, 2, 2);
    SelectClipRgn(dc, region);
    SetViewportOrgEx(dc, 1, 1, nullptr);
    FillRect(dc, &all, black);
    EXPECT_EQ(canvas.Picture(legend), "......\n"
                                      ".#....\n"
                                      "......\n"
                                      "......");
    EXPECT_EQ(GetClipRgn(dc, region), 1);
    RECT rgnBox{};
    GetRgnBox(region, &rgnBox);
    EXPECT_EQ(rgnBox.right, 2);
    EXPECT_EQ(SelectClipRgn(dc, nullptr), SIMPLEREGION);
    EXPECT_EQ(GetClipRgn(dc, region), 0) << "no clip region any more";
    EXPECT_EQ(ExtSelectClipRgn(dc, nullptr, RGN_AND), ERROR);
    DeleteObject(region);
}

TEST(DcState, RegionsCombineAndAnswerTheirComplexity)
{
    HRGN a = CreateRectRgn(0, 0, 10, 10);
    HRGN b = CreateRectRgn(5, 5, 15, 15);
    HRGN out = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_AND), SIMPLEREGION);
    RECT box{};
    EXPECT_EQ(GetRgnBox(out, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 5);
    EXPECT_EQ(box.bottom, 10);
    EXPECT_EQ(CombineRgn(out, a, b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(PtInRegion(out, 14, 14));
    EXPECT_FALSE(PtInRegion(out, 14, 2));
    EXPECT_EQ(CombineRgn(out, a, a, RGN_DIFF), NULLREGION);
    EXPECT_EQ(CombineRgn(a, a, b, RGN_XOR), COMPLEXREGION) << "the destination may be a source";
    EXPECT_EQ(OffsetRgn(b, -5, -5), SIMPLEREGION);
    EXPECT_EQ(GetRgnBox(b, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(CombineRgn(out, a, b, 9), ERROR);
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_AND), ERROR);
    EXPECT_EQ(CombineRgn(out, a, nullptr, RGN_COPY), COMPLEXREGION) << "a copy needs one source";

    // Inverted corners are put in order; a 5x5 rounded region cuts its corners.
    HRGN inverted = CreateRectRgn(10, 10, 0, 0);
    EXPECT_EQ(GetRgnBox(inverted, &box), SIMPLEREGION);
    EXPECT_EQ(box.right, 10);
    HRGN round = CreateRoundRectRgn(0, 0, 20, 10, 5, 5);
    EXPECT_FALSE(PtInRegion(round, 0, 0));
    EXPECT_TRUE(PtInRegion(round, 10, 0));
    EXPECT_TRUE(PtInRegion(round, 0, 5));

    // A region handed to an owner is gone from the table.
    gfx::Region taken;
    EXPECT_TRUE(sys::TakeRegion(round, &taken));
    EXPECT_TRUE(taken.Contains(10, 5));
    EXPECT_EQ(GetObjectType(round), 0u);
    EXPECT_FALSE(sys::TakeRegion(round, &taken));

    for (HRGN r : {a, b, out, inverted}) EXPECT_TRUE(DeleteObject(r));
}
