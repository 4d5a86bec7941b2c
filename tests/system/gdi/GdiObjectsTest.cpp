#include "tests/system/support/GdiTestCanvas.h"

#include <gtest/gtest.h>

using corvane::test::MemoryCanvas;

TEST(GdiObjects, StockObjectsHaveTheirKindsAndSurviveDeletion)
{
    struct {
        int index;
        DWORD type;
    } stock[] = {{WHITE_BRUSH, OBJ_BRUSH}, {NULL_BRUSH, OBJ_BRUSH}, {BLACK_BRUSH, OBJ_BRUSH}, {BLACK_PEN, OBJ_PEN},
                 {WHITE_PEN, OBJ_PEN},     {NULL_PEN, OBJ_PEN},     {SYSTEM_FONT, OBJ_FONT},  {DEFAULT_GUI_FONT, OBJ_FONT},
                 {ANSI_VAR_FONT, OBJ_FONT}, {DC_BRUSH, OBJ_BRUSH},  {DC_PEN, OBJ_PEN}};
    for (const auto& s : stock) {
        HGDIOBJ object = GetStockObject(s.index);
        ASSERT_NE(object, nullptr) << s.index;
        EXPECT_EQ(GetObjectType(object), s.type) << s.index;
        EXPECT_EQ(GetStockObject(s.index), object) << "stock objects are shared";
        EXPECT_TRUE(DeleteObject(object));
        EXPECT_EQ(GetObjectType(object), s.type) << "deleting a stock object leaves it";
    }
    EXPECT_EQ(GetStockObject(-1), nullptr);
    EXPECT_EQ(GetStockObject(9), nullptr);
    EXPECT_EQ(GetStockObject(1000), nullptr);

    LOGBRUSH lb{};
    ASSERT_EQ(GetObject(GetStockObject(WHITE_BRUSH), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbStyle, BS_SOLID);
    EXPECT_EQ(lb.lbColor, RGB(255, 255, 255));
    ASSERT_EQ(GetObject(GetStockObject(NULL_BRUSH), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbStyle, BS_NULL);
    LOGPEN lp{};
    ASSERT_EQ(GetObject(GetStockObject(NULL_PEN), sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_NULL));
}

TEST(GdiObjects, CreatedObjectsReportWhatWasAsked)
{
    HPEN pen = CreatePen(PS_INSIDEFRAME, 5, RGB(159, 175, 127));
    LOGPEN lp{};
    ASSERT_EQ(GetObject(pen, sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
    EXPECT_EQ(lp.lopnStyle, static_cast<UINT>(PS_INSIDEFRAME));
    EXPECT_EQ(lp.lopnWidth.x, 5);
    EXPECT_EQ(lp.lopnColor, RGB(159, 175, 127));
    HPEN thin = CreatePen(PS_SOLID, 0, 0);
    ASSERT_EQ(GetObject(thin, sizeof(lp), &lp), static_cast<int>(sizeof(lp)));
    EXPECT_EQ(lp.lopnWidth.x, 1) << "width 0 means one pixel";
    EXPECT_EQ(CreatePen(42, 1, 0), nullptr);

    HFONT font = CreateFont(18, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, FF_SWISS, "Arial");
    LOGFONTA lf{};
    ASSERT_EQ(GetObject(font, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, 18);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_EQ(lf.lfPitchAndFamily, FF_SWISS);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    // A face name longer than the field is cut and still terminated.
    HFONT longName = CreateFont(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "A face name far longer than thirty-one bytes");
    ASSERT_EQ(GetObject(longName, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(std::string(lf.lfFaceName).size(), static_cast<std::size_t>(LF_FACESIZE - 1));
    EXPECT_EQ(GetObject(font, sizeof(lf) - 1, &lf), 0) << "a short buffer fails";
    EXPECT_EQ(GetObject(font, 0, nullptr), static_cast<int>(sizeof(lf))) << "null asks for the size";

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 16, 15);
    BITMAP bm{};
    ASSERT_EQ(GetObject(bitmap, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 15);
    EXPECT_EQ(bm.bmBitsPixel, 32);

    for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(thin), static_cast<HGDIOBJ>(font),
                      static_cast<HGDIOBJ>(longName), static_cast<HGDIOBJ>(bitmap)})
        EXPECT_TRUE(DeleteObject(o));
    EXPECT_TRUE(DeleteDC(dc));
}

TEST(GdiObjects, BadBitmapSizesFailOrGiveTheOnePixelBitmap)
{
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, -1, 10), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 10, -5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(dc, 1 << 20, 1 << 20), nullptr) << "too large to allocate";
    HBITMAP empty = CreateCompatibleBitmap(dc, 0, 10);
    BITMAP bm{};
    ASSERT_EQ(GetObject(empty, sizeof(bm), &bm), static_cast<int>(sizeof(bm)));
    EXPECT_EQ(bm.bmWidth, 1);
    EXPECT_EQ(bm.bmHeight, 1);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 4, 4), nullptr);
    EXPECT_EQ(CreateBitmap(4, 4, 2, 32, nullptr), nullptr);
    DeleteDC(dc);
}

TEST(GdiObjects, DeletedAndForeignHandlesFailEverywhere)
{
    std::size_t before = sys::GdiObjectCount();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush)) << "deleting twice";
    EXPECT_EQ(GetObjectType(brush), 0u);
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(brush, sizeof(lb), &lb), 0);

    // A new object may reuse the slot but never answers to the old handle.
    HBRUSH reused = CreateSolidBrush(RGB(4, 5, 6));
    EXPECT_NE(reused, brush);
    EXPECT_EQ(GetObjectType(brush), 0u);

    MemoryCanvas canvas(4, 4);
    EXPECT_EQ(SelectObject(canvas.dc(), brush), nullptr);
    RECT r{0, 0, 2, 2};
    EXPECT_EQ(FillRect(canvas.dc(), &r, brush), 0);
    EXPECT_EQ(canvas.Count(RGB(255, 255, 255)), 16) << "nothing drawn with a dead brush";

    // Handles of the wrong kind, made-up values and null.
    HPEN pen = CreatePen(PS_SOLID, 1, 0);
    EXPECT_EQ(FillRect(canvas.dc(), &r, reinterpret_cast<HBRUSH>(pen)), 0);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(pen), GetStockObject(BLACK_PEN)), nullptr);
    HDC madeUp = reinterpret_cast<HDC>(static_cast<std::uintptr_t>(0xDEADBEEF12345678ull));
    EXPECT_EQ(SaveDC(madeUp), 0);
    EXPECT_EQ(SetBkColor(madeUp, 0), CLR_INVALID);
    EXPECT_EQ(SetBkMode(nullptr, TRANSPARENT), 0);
    EXPECT_FALSE(DeleteObject(nullptr));
    EXPECT_FALSE(DeleteDC(nullptr));
    EXPECT_FALSE(DeleteObject(canvas.dc())) << "a DC is not an object to DeleteObject";
    EXPECT_EQ(GetPixel(madeUp, 0, 0), CLR_INVALID);
    EXPECT_FALSE(Rectangle(madeUp, 0, 0, 2, 2));
    EXPECT_EQ(DrawTextA(madeUp, "x", 1, &r, 0), 0);
    EXPECT_FALSE(DrawEdge(madeUp, &r, EDGE_SUNKEN, BF_RECT));

    DeleteObject(reused);
    DeleteObject(pen);
    EXPECT_EQ(sys::GdiObjectCount(), before + 2) << "only the canvas's DC and bitmap are left";
}

TEST(GdiObjects, SelectObjectReturnsThePreviousObjectOfItsKind)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    HFONT font = CreateFont(12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");

    // A fresh DC holds the black pen, the white brush and the system font.
    EXPECT_EQ(SelectObject(dc, pen), GetStockObject(BLACK_PEN));
    EXPECT_EQ(SelectObject(dc, brush), GetStockObject(WHITE_BRUSH));
    EXPECT_EQ(SelectObject(dc, font), GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_PEN)), pen);
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), font);
    EXPECT_EQ(SelectObject(dc, GetStockObject(NULL_BRUSH)), brush);

    // Selecting a region sets the clip and answers the complexity of what is left
    // visible: a fresh memory DC has a 1x1 bitmap.
    HRGN inside = CreateRectRgn(0, 0, 1, 1);
    HRGN outside = CreateRectRgn(5, 5, 6, 6);
    EXPECT_EQ(SelectObject(dc, inside), reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(SIMPLEREGION)));
    EXPECT_EQ(SelectObject(dc, outside), reinterpret_cast<HGDIOBJ>(static_cast<std::intptr_t>(NULLREGION)));
    EXPECT_TRUE(DeleteObject(inside)) << "the DC keeps a copy, not the region";
    DeleteObject(outside);

    for (HGDIOBJ o : {static_cast<HGDIOBJ>(pen), static_cast<HGDIOBJ>(brush), static_cast<HGDIOBJ>(font)})
        EXPECT_TRUE(DeleteObject(o));
    DeleteDC(dc);
}

TEST(GdiObjects, SelectedObjectsCannotBeDeletedAndBitmapsLiveInOneDc)
{
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(first, 8, 8);
    HPEN pen = CreatePen(PS_DOT, 1, 0);

    HGDIOBJ defaultBitmap = SelectObject(first, bitmap);
    ASSERT_NE(defaultBitmap, nullptr);
    EXPECT_EQ(SelectObject(second, bitmap), nullptr) << "already selected into another DC";
    EXPECT_EQ(SelectObject(first, bitmap), bitmap) << "reselecting into the same DC is fine";
    EXPECT_FALSE(DeleteObject(bitmap)) << "a selected bitmap is not deleted";
    EXPECT_EQ(GetObjectType(bitmap), OBJ_BITMAP);

    SelectObject(first, pen);
    SelectObject(second, pen); // pens may be selected into any number of DCs
    EXPECT_FALSE(DeleteObject(pen));
    SelectObject(first, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen)) << "still selected into the second DC";
    // Deleting a DC deselects what it held without deleting it.
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_TRUE(DeleteObject(pen));

    // The bitmap can move once the first DC lets it go.
    HDC third = CreateCompatibleDC(first);
    SelectObject(first, defaultBitmap);
    EXPECT_NE(SelectObject(third, bitmap), nullptr);
    EXPECT_TRUE(DeleteDC(third));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_FALSE(DeleteDC(first)) << "deleting a DC twice";
}

TEST(GdiObjects, ABitmapCanBeDeletedAndAnotherLoadedThroughTheSameVariable)
{
    // The caption painter's pattern: load, select, blit, deselect, delete, repeat.
    std::size_t before = sys::GdiObjectCount();
    MemoryCanvas target(16, 15);
    HDC memory = CreateCompatibleDC(target.dc());
    for (int round = 0; round < 50; ++round) {
        HBITMAP bitmap = CreateCompatibleBitmap(target.dc(), 16, 15);
        HGDIOBJ old = SelectObject(memory, bitmap);
        ASSERT_NE(old, nullptr);
        EXPECT_TRUE(BitBlt(target.dc(), 0, 0, 16, 15, memory, 0, 0, SRCCOPY));
        SelectObject(memory, old);
        ASSERT_TRUE(DeleteObject(bitmap));
    }
    DeleteDC(memory);
    EXPECT_EQ(sys::GdiObjectCount(), before + 2) << "no bitmap or DC leaked";
}
