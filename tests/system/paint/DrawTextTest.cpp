#include "tests/system/support/GdiTestCanvas.h"

#include <gtest/gtest.h>

#include <cstring>

using corvane::test::MemoryCanvas;

namespace {

const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kRed = RGB(255, 0, 0);

struct TextCanvas : MemoryCanvas {
    HFONT font;
    HGDIOBJ oldFont;
    TEXTMETRICA tm{};

    TextCanvas(int width, int height, LPCSTR face = "Arial", int fontHeight = 16) : MemoryCanvas(width, height)
    {
        font = CreateFont(fontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, face);
        oldFont = SelectObject(dc(), font);
        GetTextMetrics(dc(), &tm);
    }
    ~TextCanvas()
    {
        SelectObject(dc(), oldFont);
        DeleteObject(font);
    }
    SIZE Extent(const char* s)
    {
        SIZE size{};
        GetTextExtentPoint32A(dc(), s, static_cast<int>(std::strlen(s)), &size);
        return size;
    }
    // Draws with an opaque red background, so the cells the text took show exactly.
    RECT Cells(const char* s, RECT r, UINT format)
    {
        Clear(kWhite);
        SetBkMode(dc(), OPAQUE);
        SetBkColor(dc(), kRed);
        SetTextColor(dc(), RGB(0, 0, 0));
        DrawTextA(dc(), s, -1, &r, format);
        return InkBox(kWhite);
    }
};

void ExpectRect(const RECT& actual, LONG l, LONG t, LONG r, LONG b)
{
    EXPECT_EQ(actual.left, l);
    EXPECT_EQ(actual.top, t);
    EXPECT_EQ(actual.right, r);
    EXPECT_EQ(actual.bottom, b);
}

} // namespace

TEST(DrawText, MetricsAndExtentsComeFromTheSelectedFont)
{
    TextCanvas canvas(10, 10);
    EXPECT_EQ(canvas.tm.tmHeight, 16) << "a positive height is the cell height";
    EXPECT_EQ(canvas.tm.tmAscent + canvas.tm.tmDescent, canvas.tm.tmHeight);
    SIZE one = canvas.Extent("W");
    SIZE three = canvas.Extent("WWW");
    EXPECT_GT(one.cx, 0);
    EXPECT_EQ(three.cx, 3 * one.cx);
    EXPECT_EQ(three.cy, 16);
    SIZE none{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc(), "", 0, &none));
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, 16) << "empty text still has the cell height";
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), nullptr, 3, &none));
    EXPECT_FALSE(GetTextExtentPoint32A(canvas.dc(), "abc", -1, &none));

    // A face that matches nothing still gives a usable font; the stock GUI font has a 9-point em.
    HFONT odd = CreateFont(-12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "No Such Face At All");
    HGDIOBJ previous = SelectObject(canvas.dc(), odd);
    TEXTMETRICA tm{};
    EXPECT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
    SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(GetTextMetricsA(canvas.dc(), &tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 12);
    SelectObject(canvas.dc(), previous);
    DeleteObject(odd);
}

TEST(DrawText, CalcRectMeasuresWithoutDrawing)
{
    TextCanvas canvas(100, 60);
    RECT r{5, 7, 5, 7};
    int height = DrawTextA(canvas.dc(), "Hello", -1, &r, DT_SINGLELINE | DT_CALCRECT);
    EXPECT_EQ(height, 16);
    ExpectRect(r, 5, 7, 5 + canvas.Extent("Hello").cx, 7 + 16);
    EXPECT_EQ(canvas.Count(kWhite), 100 * 60) << "nothing drawn";

    RECT two{0, 0, 1000, 0};
    EXPECT_EQ(DrawTextA(canvas.dc(), "ab\nlonger line", -1, &two, DT_CALCRECT), 32);
    ExpectRect(two, 0, 0, canvas.Extent("longer line").cx, 32);

    // Word breaking in a narrow box: one word per line, the box as wide as the widest.
    LONG narrow = canvas.Extent("three").cx + 2;
    RECT wrapped{0, 0, narrow, 0};
    EXPECT_EQ(DrawTextA(canvas.dc(), "one two three", -1, &wrapped, DT_WORDBREAK | DT_CALCRECT), 48);
    EXPECT_EQ(wrapped.right, canvas.Extent("three").cx);

    // Prefix marks take no room unless DT_NOPREFIX.
    RECT prefixed{0, 0, 0, 0}, plain{0, 0, 0, 0};
    DrawTextA(canvas.dc(), "&Open", -1, &prefixed, DT_SINGLELINE | DT_CALCRECT);
    DrawTextA(canvas.dc(), "&Open", -1, &plain, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(prefixed.right, canvas.Extent("Open").cx);
    EXPECT_EQ(plain.right, canvas.Extent("&Open").cx);

    // An ellipsis keeps the text inside the box.
    LONG box = canvas.Extent("Hello wor").cx;
    RECT shortened{0, 0, box, 20};
    DrawTextA(canvas.dc(), "Hello world, this is long", -1, &shortened,
              DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
    EXPECT_LE(shortened.right, box);
    EXPECT_GT(shortened.right, canvas.Extent("...").cx);
}

TEST(DrawText, HorizontalAndVerticalPlacementFollowTheFlags)
{
    TextCanvas canvas(200, 50);
    const RECT box{10, 5, 190, 45};
    const LONG cx = canvas.Extent("Hello").cx, h = canvas.tm.tmHeight;

    ExpectRect(canvas.Cells("Hello", box, DT_SINGLELINE), 10, 5, 10 + cx, 5 + h);
    ExpectRect(canvas.Cells("Hello", box, DT_SINGLELINE | DT_RIGHT), 190 - cx, 5, 190, 5 + h);
    LONG centreX = 10 + (180 - cx) / 2;
    ExpectRect(canvas.Cells("Hello", box, DT_SINGLELINE | DT_CENTER), centreX, 5, centreX + cx, 5 + h);
    LONG centreY = 5 + (40 - h) / 2;
    ExpectRect(canvas.Cells("Hello", box, DT_SINGLELINE | DT_VCENTER), 10, centreY, 10 + cx, centreY + h);
    ExpectRect(canvas.Cells("Hello", box, DT_SINGLELINE | DT_BOTTOM | DT_RIGHT), 190 - cx, 45 - h, 190, 45);
    // Vertical placement needs a single line.
    ExpectRect(canvas.Cells("Hello", box, DT_VCENTER), 10, 5, 10 + cx, 5 + h);

    // Results: the text height, or with vertical placement the offset to its bottom.
    RECT r = box;
    EXPECT_EQ(DrawTextA(canvas.dc(), "Hello", -1, &r, DT_SINGLELINE | DT_VCENTER), centreY + h - 5);
    EXPECT_EQ(DrawTextA(canvas.dc(), "Hello", -1, &r, DT_SINGLELINE | DT_BOTTOM), 40);
    EXPECT_EQ(DrawTextA(canvas.dc(), "a\nb\nc", -1, &r, 0), 3 * h);
}

TEST(DrawText, ClippedToTheRectangleUnlessNoClip)
{
    TextCanvas canvas(120, 30);
    const RECT box{10, 5, 30, 25};
    ExpectRect(canvas.Cells("Hello world", box, DT_SINGLELINE), 10, 5, 30, 5 + canvas.tm.tmHeight);
    RECT drawn = canvas.Cells("Hello world", box, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_EQ(drawn.right, 10 + canvas.Extent("Hello world").cx);
    // Transparent text leaves the background alone and inks only inside the box.
    canvas.Clear(kWhite);
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r = box;
    DrawTextA(canvas.dc(), "Hello world", -1, &r, DT_SINGLELINE);
    RECT ink = canvas.InkBox(kWhite);
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 30);
    EXPECT_EQ(canvas.Count(kRed), 0);
}

TEST(DrawText, PrefixedCharactersAreUnderlinedBelowTheBaseline)
{
    TextCanvas canvas(100, 30);
    SetBkMode(canvas.dc(), TRANSPARENT);
    RECT r{4, 2, 100, 30};
    DrawTextA(canvas.dc(), "&AB", -1, &r, DT_SINGLELINE);
    const int row = 2 + canvas.tm.tmAscent + 1;
    const LONG a = canvas.Extent("A").cx, ab = canvas.Extent("AB").cx;
    for (int x = 4; x < 4 + a; ++x) EXPECT_EQ(canvas.At(x, row), RGB(0, 0, 0)) << x;
    for (int x = 4 + a; x < 4 + ab; ++x) EXPECT_EQ(canvas.At(x, row), kWhite) << x;

    canvas.Clear(kWhite);
    r = RECT{4, 2, 100, 30};
    DrawTextA(canvas.dc(), "&AB", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
    for (int x = 4; x < 4 + a; ++x) EXPECT_EQ(canvas.At(x, row), kWhite) << "hidden underline at " << x;
}

TEST(DrawText, BadArgumentsFailWithoutDrawing)
{
    TextCanvas canvas(20, 20);
    RECT r{0, 0, 20, 20};
    EXPECT_EQ(DrawTextA(canvas.dc(), nullptr, -1, &r, 0), 0);
    EXPECT_EQ(DrawTextA(canvas.dc(), "abc", 3, nullptr, 0), 0);
    EXPECT_EQ(DrawTextA(canvas.dc(), nullptr, 0, &r, DT_CALCRECT), 16) << "no text is one empty line";
    RECT inverted{20, 20, 0, 0};
    EXPECT_GE(DrawTextA(canvas.dc(), "abc", -1, &inverted, DT_WORDBREAK | DT_END_ELLIPSIS), 0);
    EXPECT_EQ(canvas.Count(kWhite), 400);
    // Bytes that are not valid text still draw and measure.
    const char bad[] = {'\xFF', '\x81', 'a', '\x80', '\0'};
    SIZE size{};
    EXPECT_TRUE(GetTextExtentPoint32A(canvas.dc(), bad, 4, &size));
    EXPECT_GT(size.cx, 0);
    r = RECT{0, 0, 20, 20};
    EXPECT_GT(DrawTextA(canvas.dc(), bad, -1, &r, DT_WORDBREAK), 0);
}

TEST(DrawState, PrefixTextNormalAndEmbossed)
{
    TextCanvas canvas(80, 30);
    SIZE size = canvas.Extent("Home");
    canvas.Clear(RGB(0, 0, 255));
    SetTextColor(canvas.dc(), RGB(0, 0, 0));
    EXPECT_TRUE(DrawStateA(canvas.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>("&Home"), 0, 5, 5, 0, 0,
                           DST_PREFIXTEXT | DSS_NORMAL));
    RECT ink = canvas.InkBox(RGB(0, 0, 255));
    EXPECT_GE(ink.left, 5);
    EXPECT_LE(ink.right, 5 + size.cx);
    EXPECT_EQ(ink.bottom, 5 + canvas.tm.tmAscent + 2) << "the underline is the lowest ink of text without descenders";
    EXPECT_EQ(GetBkMode(canvas.dc()), OPAQUE) << "the DC's mode is left as it was";

    canvas.Clear(RGB(0, 0, 255));
    EXPECT_TRUE(DrawStateA(canvas.dc(), nullptr, nullptr, reinterpret_cast<LPARAM>("&Home"), 5, 5, 5, size.cx,
                           size.cy, DST_PREFIXTEXT | DSS_DISABLED));
    EXPECT_GT(canvas.Count(RGB(255, 255, 255)), 0) << "the highlight copy";
    EXPECT_GT(canvas.Count(RGB(128, 128, 128)), 0) << "the shadow copy";
    EXPECT_EQ(canvas.Count(RGB(0, 0, 0)), 0) << "not in the text colour";
    // The shadow's underline at the base row, the highlight's one row lower and one pixel right.
    int row = 5 + canvas.tm.tmAscent + 1;
    EXPECT_EQ(canvas.At(5, row), RGB(128, 128, 128));
    EXPECT_EQ(canvas.At(5, row + 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(6, row + 1), RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(canvas.dc()), RGB(0, 0, 0));
    EXPECT_FALSE(DrawStateA(canvas.dc(), nullptr, nullptr, 0, 0, 0, 0, 0, 0, DST_TEXT));
}

TEST(TextOut, DrawsAtTheReferencePointInTheCellBox)
{
    TextCanvas canvas(100, 40);
    SetBkColor(canvas.dc(), kRed);
    EXPECT_TRUE(TextOutA(canvas.dc(), 7, 3, "Hi", 2));
    ExpectRect(canvas.InkBox(kWhite), 7, 3, 7 + canvas.Extent("Hi").cx, 3 + canvas.tm.tmHeight);
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, "Hi", -1));
    EXPECT_FALSE(TextOutA(canvas.dc(), 0, 0, nullptr, 2));
    EXPECT_TRUE(TextOutA(canvas.dc(), 0, 0, nullptr, 0));
    EXPECT_EQ(lstrlenA("打开..."), 7);
    EXPECT_EQ(lstrlenA(nullptr), 0);
}
