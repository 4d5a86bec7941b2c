// The gradient header: banded rows with clamping, the unpainted separator
// columns, the filler, title placement and the height factor.
#include "tests/controls/ListCtrlClFixture.h"

#include <cmath>
#include <limits>

namespace pagestest {
namespace {

int WindowHeight(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.bottom - r.top;
}

// Lays the list out again, as a resize does, so a new height factor applies.
void Relayout(CListCtrlCl& list)
{
    CRect r;
    list.GetWindowRect(&r);
    list.SetWindowPos(nullptr, 0, 0, r.Width(), r.Height() + 1, SWP_NOMOVE | SWP_NOZORDER);
    list.SetWindowPos(nullptr, 0, 0, r.Width(), r.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

TEST_F(ListCtrlClTest, HeaderPaintsBandedGradientWithUnpaintedSeparators)
{
    MakeList();
    list.InsertColumn(0, "ID", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "内容", LVCFMT_LEFT, 150);
    list.SetHeaderHeightFactor(2.5f);
    Relayout(list);
    Repaint();
    HWND header = Header();
    int h = WindowHeight(header);
    ASSERT_GE(h, 23) << "the header must be tall enough to show row 22";

    // Worked values of the default colours, away from the titles.
    EXPECT_EQ(Pixel(header, 95, 0), RGB(171, 199, 235));
    EXPECT_EQ(Pixel(header, 95, 1), RGB(163, 191, 227));
    EXPECT_EQ(Pixel(header, 95, 22), RGB(0, 23, 59));
    // Every row of an item, of its first painted column and of the filler.
    for (int y = 0; y < h; ++y) {
        COLORREF band = GradientRow(171, 199, 235, 8, y);
        ASSERT_EQ(Pixel(header, 1, y), band) << "row " << y;
        ASSERT_EQ(Pixel(header, 101, y), band) << "row " << y;
        ASSERT_EQ(Pixel(header, 245, y), band) << "row " << y;
        ASSERT_EQ(Pixel(header, 251, y), band) << "row " << y;
        ASSERT_EQ(Pixel(header, kListW - 1, y), band) << "row " << y;
    }
    // The leftmost column of every item and the column right of the last item
    // are left to what was under them: the same there, never the band.
    for (int y = 0; y < h; ++y) {
        COLORREF band = GradientRow(171, 199, 235, 8, y);
        EXPECT_NE(Pixel(header, 0, y), band) << "row " << y;
        EXPECT_NE(Pixel(header, 100, y), band) << "row " << y;
        EXPECT_NE(Pixel(header, 250, y), band) << "row " << y;
        EXPECT_EQ(Pixel(header, 100, y), Pixel(header, 250, y)) << "row " << y;
    }
}

TEST_F(ListCtrlClTest, HeaderGradientFollowsItsBaseColourAndStep)
{
    MakeList();
    list.InsertColumn(0, "IP", LVCFMT_LEFT, 90);
    list.SetHeaderBackColor(100, 255, 100, 8);
    list.SetHeaderHeightFactor(2.5f);
    Relayout(list);
    Repaint();
    HWND header = Header();
    ASSERT_GE(WindowHeight(header), 14);
    EXPECT_EQ(Pixel(header, 85, 12), RGB(4, 159, 4));
    EXPECT_EQ(Pixel(header, 85, 13), RGB(0, 151, 0));
    EXPECT_EQ(Pixel(header, 85, 0), RGB(100, 255, 100));

    // A larger step clamps sooner; the filler starts again from the base colour.
    list.SetHeaderBackColor(30, 60, 90, 20);
    Repaint();
    for (int y = 0; y < WindowHeight(header); ++y) {
        ASSERT_EQ(Pixel(header, 85, y), GradientRow(30, 60, 90, 20, y)) << "row " << y;
        ASSERT_EQ(Pixel(header, 300, y), GradientRow(30, 60, 90, 20, y)) << "row " << y;
    }
}

TEST_F(ListCtrlClTest, HeightFactorScalesTheProposedHeightTruncated)
{
    MakeList();
    list.InsertColumn(0, "ID", LVCFMT_LEFT, 100);
    HWND header = Header();
    auto layout = [&](float factor, RECT* roomOut = nullptr) {
        list.SetHeaderHeightFactor(factor);
        RECT room{0, 0, 300, 200};
        WINDOWPOS wp{};
        HDLAYOUT hl{&room, &wp};
        EXPECT_TRUE(SendMessage(header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&hl)));
        if (roomOut) *roomOut = room;
        EXPECT_EQ(room.top, wp.cy);
        return wp.cy;
    };
    // Find a header font for which the system proposes 17 pixels.
    CFont font;
    bool found = false;
    for (int size = 6; size <= 30 && !found; ++size) {
        font.DeleteObject();
        font.CreateFont(-size, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        SendMessage(header, WM_SETFONT, reinterpret_cast<WPARAM>(font.m_hObject), FALSE);
        found = layout(1.0f) == 17;
    }
    ASSERT_TRUE(found) << "no font gives a proposed height of 17";

    EXPECT_EQ(layout(1.0f), 17);
    EXPECT_EQ(layout(1.5f), 25); // 25.5 truncated
    EXPECT_EQ(layout(2.0f), 34);
    EXPECT_EQ(layout(0.9f), 15); // 15.3

    // Factors that give no usable height are held to the range; nothing breaks.
    EXPECT_EQ(layout(-1.0f), 0);
    EXPECT_EQ(layout(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(layout(1e30f), 32767);
    EXPECT_EQ(SendMessage(header, HDM_LAYOUT, 0, 0), 0);

    // Through the list: the header takes the new height and rows start below it.
    list.SetHeaderHeightFactor(1.5f);
    Relayout(list);
    list.InsertItem(0, "a");
    EXPECT_EQ(WindowHeight(header), 25);
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    list.GetItemRect(0, &row, LVIR_BOUNDS);
    EXPECT_EQ(row.top, 25);
}

TEST_F(ListCtrlClTest, TitlesAreInsetByAlignmentAndCentredByTheTitleFont)
{
    MakeList();
    list.InsertColumn(0, "ID", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "HTTP", LVCFMT_RIGHT, 120);
    list.InsertColumn(2, "状态", LVCFMT_CENTER, 100);
    list.SetHeaderFontSize(16, 0);
    list.SetHeaderTitleColor(RGB(255, 200, 100));
    list.SetHeaderHeightFactor(2.0f);
    Relayout(list);
    Repaint();
    HWND header = Header();
    int h = WindowHeight(header);
    int shift = (h - FontCharHeight(16, 0)) / 2;
    ASSERT_GT(shift, 0);
    auto band = [](int, int y) { return GradientRow(171, 199, 235, 8, y); };

    struct Case {
        const char* title;
        int left, right; // the item
        RECT refRect;    // the text rectangle, relative to the item's left and moved-down top
        UINT format;
    };
    const Case cases[] = {
        {"ID", 0, 100, RECT{3, 0, 100, h}, DT_LEFT},
        {"HTTP", 100, 220, RECT{0, 0, 117, h}, DT_RIGHT},
        {"状态", 220, 320, RECT{0, 0, 100, h}, DT_CENTER},
    };
    for (const Case& c : cases) {
        RECT size{0, 0, c.refRect.right - c.refRect.left, h};
        Ink ref = ReferenceInk(c.title, 16, 0, size, c.format);
        ASSERT_TRUE(ref.Any()) << c.title;
        Ink ink = InkIn(header, RECT{c.left + 1, 0, c.right, h}, band);
        ASSERT_TRUE(ink.Any()) << c.title;
        EXPECT_EQ(ink.box.left, c.left + c.refRect.left + ref.box.left) << c.title;
        EXPECT_EQ(ink.box.right, c.left + c.refRect.left + ref.box.right) << c.title;
        EXPECT_EQ(ink.box.top, shift + ref.box.top) << c.title;
    }
    // The title colour is the one set.
    bool sawTitleColour = false;
    for (int y = 0; y < h && !sawTitleColour; ++y)
        for (int x = 1; x < 100 && !sawTitleColour; ++x) sawTitleColour = Pixel(header, x, y) == RGB(255, 200, 100);
    EXPECT_TRUE(sawTitleColour);
}

TEST_F(ListCtrlClTest, HeaderWithoutItemsOrWithAForeignColumnStaysSound)
{
    MakeList();
    Repaint();
    HWND header = Header();
    int h = WindowHeight(header);
    ASSERT_GT(h, 0);
    // No items: the whole header is room right of "the last item".
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(Pixel(header, 0, y), GradientRow(171, 199, 235, 8, y));
        EXPECT_EQ(Pixel(header, kListW - 1, y), GradientRow(171, 199, 235, 8, y));
    }

    // A column inserted past InsertColumn has no title or digit: an empty title.
    list.InsertColumn(0, "ID", LVCFMT_LEFT, 100);
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.pszText = const_cast<LPSTR>("Foreign");
    column.cx = 150;
    ASSERT_EQ(list.InsertColumn(1, &column), 1);
    list.InsertItem(0, "a");
    list.SetItemText(0, 1, "cell");
    Repaint();
    EXPECT_EQ(list.m_header.m_titles.GetSize(), 1);
    Ink ink = InkIn(header, RECT{101, 0, 250, h}, [](int, int y) { return GradientRow(171, 199, 235, 8, y); });
    EXPECT_FALSE(ink.Any());
    // Its cells are centred, like any column without a digit.
    CRect cell = Label(0, 1);
    Ink cellInk = InkIn(list.m_hWnd, cell, [&](int, int) { return list.GetBkColor(); });
    Ink ref = ReferenceInk("cell", 12, 0, RECT{0, 0, cell.Width(), cell.Height()}, DT_CENTER);
    ASSERT_TRUE(cellInk.Any());
    EXPECT_EQ(cellInk.box.left, cell.left + ref.box.left);
}

} // namespace
} // namespace pagestest
