#include "platform/system/window/SysMetrics.h"
#include "tests/system/support/GdiTestCanvas.h"

#include <gtest/gtest.h>

#include <climits>

using corvane::test::MemoryCanvas;

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kRed = RGB(255, 0, 0);
const std::map<COLORREF, char> kLegend{{kBlack, '#'}, {kWhite, '.'}, {kRed, 'r'}, {RGB(0, 0, 255), 'b'}};
} // namespace

TEST(DcRaster, FillRectCoversLeftAndTopButNotRightAndBottom)
{
    MemoryCanvas canvas(5, 4);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{1, 1, 4, 3};
    EXPECT_NE(FillRect(canvas.dc(), &r, red), 0);
    EXPECT_EQ(canvas.Picture(kLegend), ".....\n"
                                       ".rrr.\n"
                                       ".rrr.\n"
                                       ".....");
    // An inverted rectangle fills nothing; a system colour index + 1 is a brush.
    RECT inverted{4, 3, 1, 1};
    EXPECT_NE(FillRect(canvas.dc(), &inverted, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(canvas.Count(kBlack), 0);
    RECT all{0, 0, 5, 4};
    FillRect(canvas.dc(), &all, reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(canvas.Count(GetSysColor(COLOR_BTNFACE)), 20);
    EXPECT_EQ(FillRect(canvas.dc(), nullptr, red), 0);
    DeleteObject(red);
}

TEST(DcRaster, OpaqueExtTextOutFillsAndLeavesTheBackgroundColour)
{
    // The framework's FillSolidRect: set the background colour, then an opaque
    // ExtTextOut of no text. The colour stays the DC's background colour.
    MemoryCanvas canvas(4, 3);
    RECT r{0, 1, 3, 3};
    SetBkColor(canvas.dc(), RGB(0, 0, 255));
    EXPECT_TRUE(ExtTextOutA(canvas.dc(), 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr));
    EXPECT_EQ(canvas.Picture(kLegend), "....\n"
                                       "bbb.\n"
                                       "bbb.");
    EXPECT_EQ(GetBkColor(canvas.dc()), RGB(0, 0, 255));
}

TEST(DcRaster, PatBltUsesTheSelectedBrushAndRasterOperation)
{
    MemoryCanvas canvas(4, 2);
    HBRUSH red = CreateSolidBrush(kRed);
    HGDIOBJ old = SelectObject(canvas.dc(), red);
    EXPECT_TRUE(PatBlt(canvas.dc(), 3, 0, -2, 2, PATCOPY)) << "a negative width counts leftward";
    EXPECT_EQ(canvas.Picture(kLegend), ".rr.\n"
                                       ".rr.");
    EXPECT_TRUE(PatBlt(canvas.dc(), 0, 0, 4, 1, DSTINVERT));
    EXPECT_EQ(canvas.Picture({{kBlack, '#'}, {kWhite, '.'}, {kRed, 'r'}, {RGB(0, 255, 255), 'c'}}), "#cc#\n"
                                                                                                 ".rr.");
    EXPECT_FALSE(PatBlt(canvas.dc(), 0, 0, 4, 1, SRCCOPY)) << "PatBlt has no source";
    SelectObject(canvas.dc(), old);
    DeleteObject(red);
}

TEST(DcRaster, BitBltCopiesFromAMemoryDcThroughTheViewport)
{
    MemoryCanvas source(2, 2, kRed);
    SetPixel(source.dc(), 1, 1, kBlack);
    MemoryCanvas target(4, 3);
    SetViewportOrgEx(target.dc(), 1, 0, nullptr);
    EXPECT_TRUE(BitBlt(target.dc(), 0, 1, 2, 2, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.Picture(kLegend), "....\n"
                                       ".rr.\n"
                                       ".r#.");
    // A source DC whose bitmap is gone fails, and nothing changes.
    HDC empty = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 2, 2, empty, 0, 0, SRCCOPY)) << "the 1x1 default bitmap is a source";
    EXPECT_EQ(target.Count(kRed), 3);
    DeleteDC(empty);
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, empty, 0, 0, SRCCOPY)) << "a deleted source DC";
}

TEST(DcRaster, RectangleDrawsThePenOutlineAndTheBrushInterior)
{
    MemoryCanvas canvas(6, 5);
    HPEN pen = CreatePen(PS_SOLID, 1, kBlack);
    HBRUSH brush = CreateSolidBrush(kRed);
    SelectObject(canvas.dc(), pen);
    SelectObject(canvas.dc(), brush);
    EXPECT_TRUE(Rectangle(canvas.dc(), 0, 0, 5, 4));
    EXPECT_EQ(canvas.Picture(kLegend), "#####.\n"
                                       "#rrr#.\n"
                                       "#rrr#.\n"
                                       "#####.\n"
                                       "......");
    // The outline of a hover button's edit box: default pen, a pale brush, the whole box.
    canvas.Clear(kWhite);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    EXPECT_TRUE(Rectangle(canvas.dc(), 0, 0, 4, 3));
    EXPECT_EQ(canvas.Picture(kLegend), "rrr...\n"
                                       "rrr...\n"
                                       "......\n"
                                       "......\n"
                                       "......")
        << "without a pen the interior alone shrinks by one on the right and bottom";

    // A wide inside-frame pen stays inside the box.
    canvas.Clear(kWhite);
    HPEN wide = CreatePen(PS_INSIDEFRAME, 2, kBlack);
    SelectObject(canvas.dc(), wide);
    SelectObject(canvas.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(Rectangle(canvas.dc(), 0, 0, 6, 5));
    EXPECT_EQ(canvas.Picture(kLegend), "######\n"
                                       "######\n"
                                       "##..##\n"
                                       "######\n"
                                       "######");
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    SelectObject(canvas.dc(), GetStockObject(WHITE_BRUSH));
    for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(wide)})
        EXPECT_TRUE(DeleteObject(o));
}

TEST(DcRaster, LinesStopBeforeTheirEndPointAndMoveThePosition)
{
    MemoryCanvas canvas(5, 3);
    HDC dc = canvas.dc();
    MoveToEx(dc, 0, 1, nullptr);
    EXPECT_TRUE(LineTo(dc, 4, 1));
    POINT at{};
    GetCurrentPositionEx(dc, &at);
    EXPECT_EQ(at.x, 4);
    EXPECT_EQ(canvas.Picture(kLegend), ".....\n"
                                       "####.\n"
                                       ".....");
    // A null pen draws nothing but still moves.
    SelectObject(dc, GetStockObject(NULL_PEN));
    EXPECT_TRUE(LineTo(dc, 4, 0));
    GetCurrentPositionEx(dc, &at);
    EXPECT_EQ(at.y, 0);
    EXPECT_EQ(canvas.Count(kBlack), 4);
}

TEST(DcRaster, RoundRectWithoutPenFillsExactlyTheRoundedRegion)
{
    MemoryCanvas canvas(12, 8);
    SelectObject(canvas.dc(), GetStockObject(NULL_PEN));
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    EXPECT_TRUE(RoundRect(canvas.dc(), 1, 1, 11, 7, 5, 5));
    HRGN shape = CreateRoundRectRgn(1, 1, 11, 7, 5, 5);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(GetPixel(canvas.dc(), x, y) == kBlack, PtInRegion(shape, x, y) != 0) << x << "," << y;
    DeleteObject(shape);
}

TEST(DcRaster, HugeAndDegenerateCoordinatesDrawSafely)
{
    MemoryCanvas canvas(4, 4);
    HDC dc = canvas.dc();
    HBRUSH red = CreateSolidBrush(kRed);
    RECT huge{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    EXPECT_NE(FillRect(dc, &huge, red), 0);
    EXPECT_EQ(canvas.Count(kRed), 16);
    EXPECT_TRUE(Rectangle(dc, INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    MoveToEx(dc, INT_MIN, INT_MIN, nullptr);
    EXPECT_TRUE(LineTo(dc, INT_MAX, INT_MAX));
    EXPECT_TRUE(RoundRect(dc, 0, 0, 4, 4, INT_MAX, -5));
    EXPECT_TRUE(PatBlt(dc, INT_MAX, INT_MAX, INT_MAX, INT_MAX, PATCOPY));
    SetViewportOrgEx(dc, INT_MAX, INT_MIN, nullptr);
    EXPECT_NE(FillRect(dc, &huge, red), 0);
    RECT r{0, 0, 4, 4};
    EXPECT_TRUE(DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT));
    EXPECT_TRUE(TextOutA(dc, INT_MAX, INT_MAX, "abc", 3));
    EXPECT_EQ(DrawTextA(dc, "abc", -1, &huge, DT_CENTER | DT_VCENTER | DT_SINGLELINE) >= 0, true);
    EXPECT_FALSE(Polyline(dc, nullptr, 3));
    EXPECT_EQ(SetPixel(dc, 0, 0, kBlack), CLR_INVALID) << "logical (0,0) is far outside now";
    DeleteObject(red);
}

TEST(Kernel, MulDivRoundsHalfAwayFromZeroAndReportsOverflow)
{
    EXPECT_EQ(MulDiv(9, 96, 72), 12);
    EXPECT_EQ(MulDiv(-9, 96, 72), -12);
    EXPECT_EQ(MulDiv(5, 1, 2), 3);
    EXPECT_EQ(MulDiv(-5, 1, 2), -3);
    EXPECT_EQ(MulDiv(5, 1, -2), -3);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, 1), -1);
    EXPECT_EQ(MulDiv(INT_MAX, INT_MAX, INT_MAX), INT_MAX);
}
