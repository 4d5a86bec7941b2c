// The colour list: attaching, column bookkeeping, the per-cell fill and text
// colour precedence, the selected row, text placement and cutting, row height
// and the colour store.
#include "tests/controls/ListCtrlClFixture.h"

#include <cstring>
#include <limits>
#include <string>

namespace pagestest {
namespace {

constexpr COLORREF kListBk = RGB(240, 240, 240);

bool HasPixel(const ListCtrlClTest& t, HWND hwnd, const RECT& area, COLORREF colour)
{
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (t.Pixel(hwnd, x, y) == colour) return true;
    return false;
}

// Three columns of 100 pixels and three rows of texts.
void FillThreeByThree(CListCtrlCl& list, const char* text = "WW")
{
    list.InsertColumn(0, "A", LVCFMT_LEFT, 100);
    list.InsertColumn(1, "B", LVCFMT_LEFT, 100);
    list.InsertColumn(2, "C", LVCFMT_LEFT, 100);
    for (int row = 2; row >= 0; --row) {
        list.InsertItem(0, text);
        list.SetItemText(0, 1, text);
        list.SetItemText(0, 2, text);
    }
    list.SetBkColor(kListBk);
}

TEST_F(ListCtrlClTest, AttachingMakesTheListOwnerDrawnUnderTheGradientHeader)
{
    MakeList();
    EXPECT_TRUE(list.GetStyle() & LVS_OWNERDRAWFIXED);
    EXPECT_TRUE(list.GetStyle() & LVS_REPORT);
    HWND header = reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(list.m_header.GetSafeHwnd(), header);
    EXPECT_EQ(CWnd::FromHandlePermanent(header), &list.m_header);
    EXPECT_STREQ(list.GetRuntimeClass()->m_lpszClassName, "CListCtrlCl");
    EXPECT_EQ(list.GetRuntimeClass()->GetBaseClass(), RUNTIME_CLASS(CListCtrl));
    EXPECT_STREQ(list.m_header.GetRuntimeClass()->m_lpszClassName, "CHeaderCtrlCl");
    EXPECT_EQ(list.m_header.GetRuntimeClass()->GetBaseClass(), RUNTIME_CLASS(CHeaderCtrl));
    // Defaults of the header the list configures.
    EXPECT_EQ(list.m_header.m_red, 171);
    EXPECT_EQ(list.m_header.m_green, 199);
    EXPECT_EQ(list.m_header.m_blue, 235);
    EXPECT_EQ(list.m_header.m_gradientStep, 8);
    EXPECT_EQ(list.m_header.m_heightFactor, 1.0f);
    EXPECT_EQ(list.m_header.m_fontHeight, 15);
    EXPECT_EQ(list.m_header.m_fontWidth, 0);
    EXPECT_EQ(list.m_header.m_textColor, 0u);
    EXPECT_EQ(list.m_nRowHeight, 0);
}

TEST_F(ListCtrlClTest, InsertColumnRecordsTitleAndAlignmentDigit)
{
    MakeList();
    EXPECT_EQ(list.InsertColumn(0, "left", LVCFMT_LEFT, 60), 0);
    EXPECT_EQ(list.InsertColumn(1, "centre", LVCFMT_CENTER, 60), 1);
    EXPECT_EQ(list.InsertColumn(2, "right", LVCFMT_RIGHT, 60), 2);
    EXPECT_EQ(list.InsertColumn(3, "three", 3, 60), 3);
    EXPECT_EQ(list.InsertColumn(4, nullptr, LVCFMT_LEFT), 4);
    EXPECT_STREQ(list.m_header.m_alignDigits.GetString(), "01210");
    ASSERT_EQ(list.m_header.m_titles.GetSize(), 5);
    EXPECT_STREQ(list.m_header.m_titles.GetAt(0).GetString(), "left");
    EXPECT_STREQ(list.m_header.m_titles.GetAt(3).GetString(), "three");
    EXPECT_STREQ(list.m_header.m_titles.GetAt(4).GetString(), "");
    // The list column keeps the format it was given; width -1 means none given.
    LVCOLUMN column{};
    column.mask = LVCF_FMT | LVCF_WIDTH;
    ASSERT_TRUE(list.GetColumn(3, &column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, 3);
    EXPECT_EQ(column.cx, 60);
    EXPECT_EQ(list.m_header.GetItemCount(), 5);
}

TEST_F(ListCtrlClTest, CellBeatsColumnBeatsListBackground)
{
    MakeList();
    FillThreeByThree(list, ""); // no ink over the fills
    const COLORREF a = RGB(10, 20, 30), b = RGB(200, 100, 0), c = RGB(0, 150, 250), f = RGB(90, 0, 90);
    list.SetColumnBackColor(1, a);
    list.SetCellBackColor(1, 0, b);
    list.SetCellBackColor(2, 1, c);
    list.SetCellBackColor(0, 2, f);
    // Later colours for a key already coloured are never consulted.
    list.SetCellBackColor(1, 0, RGB(1, 2, 3));
    list.SetColumnBackColor(1, RGB(4, 5, 6));
    Repaint();

    auto at = [&](int row, int column) {
        CRect r = Label(row, column);
        return Pixel(list.m_hWnd, r.right - 4, r.top + 2);
    };
    EXPECT_EQ(at(0, 0), kListBk);
    EXPECT_EQ(at(0, 1), b);
    EXPECT_EQ(at(1, 1), a);
    EXPECT_EQ(at(2, 1), a);
    EXPECT_EQ(at(0, 2), kListBk);
    EXPECT_EQ(at(1, 2), c);
    EXPECT_EQ(at(2, 0), f);

    COLORREF found = 0;
    EXPECT_TRUE(list.FindCellBackColor(1, 0, found));
    EXPECT_EQ(found, b);
    EXPECT_TRUE(list.FindColumnBackColor(1, found));
    EXPECT_EQ(found, a);
    found = 77;
    EXPECT_FALSE(list.FindCellBackColor(0, 0, found));
    EXPECT_FALSE(list.FindColumnBackColor(0, found));
    EXPECT_EQ(found, 77u);

    // Column 0 is filled from 2 pixels left of its label; column 1 from its label.
    CRect label0 = Label(2, 0);
    CRect label1 = Label(2, 1);
    EXPECT_EQ(Pixel(list.m_hWnd, label0.left - 2, label0.top + 2), f);
    EXPECT_EQ(Pixel(list.m_hWnd, label0.left - 1, label0.top + 2), f);
    EXPECT_EQ(Pixel(list.m_hWnd, label1.left, label1.top + 2), a);
    EXPECT_EQ(Pixel(list.m_hWnd, label1.left - 1, label1.top + 2), f);
    // Nothing is painted right of the last column.
    EXPECT_NE(Pixel(list.m_hWnd, 305, label0.top + 2), f);
}

TEST_F(ListCtrlClTest, CellTextColourBeatsColumnBeatsDefault)
{
    MakeList();
    FillThreeByThree(list);
    const COLORREF def = RGB(0, 0, 255), col = RGB(255, 0, 0), cell = RGB(0, 128, 0);
    EXPECT_TRUE(list.SetDefaultTextColor(def));
    list.SetColumnTextColor(1, col);
    list.SetCellTextColor(1, 1, cell);
    list.SetCellTextColor(1, 1, RGB(255, 0, 255)); // the first stays
    list.SetColumnTextColor(1, RGB(255, 0, 255));
    Repaint();
    struct Case {
        int row, column;
        COLORREF expected;
    };
    for (Case k : {Case{0, 0, def}, Case{0, 1, col}, Case{1, 1, cell}, Case{2, 1, col}, Case{1, 2, def}}) {
        CRect r = Label(k.row, k.column);
        EXPECT_TRUE(HasPixel(*this, list.m_hWnd, r, k.expected)) << k.row << "," << k.column;
        for (COLORREF other : {def, col, cell, RGB(255, 0, 255)})
            if (other != k.expected) {
                EXPECT_FALSE(HasPixel(*this, list.m_hWnd, r, other)) << k.row << "," << k.column;
            }
    }
    // The list-view's own text colour setting is not touched.
    EXPECT_NE(list.GetTextColor(), def);
}

TEST_F(ListCtrlClTest, SelectedRowShowsHighlightWhateverItsColours)
{
    MakeList();
    FillThreeByThree(list);
    list.SetColumnBackColor(0, RGB(1, 100, 1));
    for (int k = 0; k < 3; ++k) list.SetCellBackColor(k, 1, RGB(200, 0, 0));
    list.SetCellTextColor(1, 1, RGB(0, 0, 200));
    list.SetFocus();
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    Repaint();
    const COLORREF high = GetSysColor(COLOR_HIGHLIGHT);
    const COLORREF highText = GetSysColor(COLOR_HIGHLIGHTTEXT);
    for (int k = 0; k < 3; ++k) {
        CRect r = Label(1, k);
        EXPECT_EQ(Pixel(list.m_hWnd, r.right - 4, r.top + 2), high) << k;
        EXPECT_TRUE(HasPixel(*this, list.m_hWnd, r, highText)) << k;
        EXPECT_FALSE(HasPixel(*this, list.m_hWnd, r, RGB(0, 0, 200))) << k;
    }
    CRect first = Label(1, 0);
    EXPECT_EQ(Pixel(list.m_hWnd, first.left - 2, first.top + 2), high);
    // Other rows keep their colours.
    CRect other = Label(0, 0);
    EXPECT_EQ(Pixel(list.m_hWnd, other.right - 4, other.top + 2), RGB(1, 100, 1));

    list.SetItemState(1, 0, LVIS_SELECTED);
    Repaint();
    for (int k = 0; k < 3; ++k) {
        CRect r = Label(1, k);
        EXPECT_EQ(Pixel(list.m_hWnd, r.right - 4, r.top + 2), RGB(200, 0, 0)) << k;
    }
    EXPECT_TRUE(HasPixel(*this, list.m_hWnd, Label(1, 1), RGB(0, 0, 200)));
}

TEST_F(ListCtrlClTest, CellTextIsAlignedByDigitAndCentredByTheStockFont)
{
    MakeList();
    list.InsertColumn(0, "L", LVCFMT_LEFT, 120);
    list.InsertColumn(1, "C", LVCFMT_CENTER, 120);
    list.InsertColumn(2, "R", LVCFMT_RIGHT, 120);
    list.InsertItem(0, "Wg");
    list.SetItemText(0, 1, "Wg");
    list.SetItemText(0, 2, "Wg");
    list.SetBkColor(kListBk);
    list.SetCellFontSize(20, 0);
    list.SetRowHeight(40);
    Repaint();
    int shift = (40 - FontCharHeight(0, 0, true)) / 2;
    // The cell font is larger, so centring by it would land elsewhere.
    ASSERT_NE(shift, (40 - FontCharHeight(20, 0)) / 2);
    const UINT formats[] = {DT_LEFT, DT_CENTER, DT_RIGHT};
    for (int k = 0; k < 3; ++k) {
        CRect cell = Label(0, k);
        ASSERT_EQ(cell.Height(), 40);
        Ink ref = ReferenceInk("Wg", 20, 0, RECT{0, 0, cell.Width(), 40}, formats[k]);
        Ink ink = InkIn(list.m_hWnd, cell, [](int, int) { return kListBk; });
        ASSERT_TRUE(ink.Any()) << k;
        EXPECT_EQ(ink.box.left, cell.left + ref.box.left) << k;
        EXPECT_EQ(ink.box.right, cell.left + ref.box.right) << k;
        EXPECT_EQ(ink.box.top, cell.top + shift + ref.box.top) << k;
    }
}

TEST_F(ListCtrlClTest, CellTextIsCutAt255Bytes)
{
    MakeList();
    // Right-aligned, so the end of what is drawn lies at the cell's right edge.
    list.InsertColumn(0, "T", LVCFMT_RIGHT, 200);
    std::string inkAt254(254, ' ');
    inkAt254 += "X";
    inkAt254 += std::string(45, ' ');
    std::string inkPast255(255, ' ');
    inkPast255 += std::string(45, 'X');
    ASSERT_EQ(inkAt254.size(), 300u);
    ASSERT_EQ(inkPast255.size(), 300u);
    list.InsertItem(0, inkPast255.c_str());
    list.InsertItem(0, inkAt254.c_str());
    list.SetBkColor(kListBk);
    Repaint();
    auto bk = [](int, int) { return kListBk; };
    EXPECT_TRUE(InkIn(list.m_hWnd, Label(0, 0), bk).Any());
    EXPECT_FALSE(InkIn(list.m_hWnd, Label(1, 0), bk).Any());
    // The list still holds the whole text.
    EXPECT_EQ(list.GetItemText(1, 0).GetLength(), 300);
}

TEST_F(ListCtrlClTest, SetRowHeightRemeasuresTheRows)
{
    MakeList();
    list.InsertColumn(0, "A", LVCFMT_LEFT, 100);
    list.InsertItem(0, "a");
    list.InsertItem(1, "b");
    auto height = [&] {
        CRect r;
        list.GetItemRect(1, &r, LVIR_BOUNDS);
        return r.Height();
    };
    int proposed = height();
    list.SetRowHeight(20);
    EXPECT_EQ(list.m_nRowHeight, 20);
    EXPECT_EQ(height(), 20);
    list.SetRowHeight(0);
    EXPECT_EQ(height(), proposed);
    list.SetRowHeight(33);
    EXPECT_EQ(height(), 33);
    list.SetRowHeight(-4);
    EXPECT_EQ(height(), proposed);
    // Measuring directly: a height of 0 or less leaves the proposal alone.
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTVIEW;
    mis.CtlID = kListId;
    mis.itemHeight = 17;
    parent.SendMessage(WM_MEASUREITEM, kListId, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemHeight, 17u);
    list.m_nRowHeight = 24;
    parent.SendMessage(WM_MEASUREITEM, kListId, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(mis.itemHeight, 24u);
    // Without a window there is nothing to re-measure, and nothing breaks.
    CListCtrlCl unattached;
    unattached.SetRowHeight(12);
    EXPECT_EQ(unattached.m_nRowHeight, 12);
}

TEST_F(ListCtrlClTest, ColourStoreKeepsFirstColourPerKeyAndDropsCellColoursOnRequest)
{
    CListCtrlCl store; // the store needs no window
    for (int row = 0; row < 100000; ++row)
        for (int k = 0; k < 3; ++k) store.SetCellBackColor(k, row, static_cast<COLORREF>(row * 3 + k));
    for (int row = 0; row < 100000; row += 7) store.SetCellBackColor(1, row, 0xABCDEF);
    store.SetCellTextColor(4, -9, RGB(9, 9, 9));
    store.SetColumnBackColor(2, RGB(1, 1, 1));
    store.SetColumnTextColor(2, RGB(2, 2, 2));
    EXPECT_EQ(store.GetCellColorCount(), 300001u);
    COLORREF clr = 0;
    for (int row = 0; row < 100000; row += 997)
        for (int k = 0; k < 3; ++k) {
            ASSERT_TRUE(store.FindCellBackColor(k, row, clr));
            ASSERT_EQ(clr, static_cast<COLORREF>(row * 3 + k));
        }
    EXPECT_FALSE(store.FindCellBackColor(3, 0, clr));
    EXPECT_FALSE(store.FindCellBackColor(0, 100000, clr));
    EXPECT_TRUE(store.FindCellTextColor(4, -9, clr));
    EXPECT_EQ(clr, RGB(9, 9, 9));

    // Odd keys are keys like any other.
    const int kMin = std::numeric_limits<int>::min();
    store.SetCellBackColor(kMin, kMin, RGB(5, 5, 5));
    store.SetCellBackColor(kMin, kMin, RGB(6, 6, 6));
    store.SetCellBackColor(kMin, 0, RGB(7, 7, 7));
    EXPECT_TRUE(store.FindCellBackColor(kMin, kMin, clr));
    EXPECT_EQ(clr, RGB(5, 5, 5));
    EXPECT_TRUE(store.FindCellBackColor(kMin, 0, clr));
    EXPECT_EQ(clr, RGB(7, 7, 7));

    store.RemoveAllCellColors();
    EXPECT_EQ(store.GetCellColorCount(), 0u);
    EXPECT_FALSE(store.FindCellBackColor(0, 0, clr));
    EXPECT_FALSE(store.FindCellBackColor(kMin, kMin, clr));
    EXPECT_FALSE(store.FindCellTextColor(4, -9, clr));
    // Column colours are not cell colours: they stay.
    EXPECT_TRUE(store.FindColumnBackColor(2, clr));
    EXPECT_EQ(clr, RGB(1, 1, 1));
    EXPECT_TRUE(store.FindColumnTextColor(2, clr));
    EXPECT_EQ(clr, RGB(2, 2, 2));
    // After dropping, a key takes a new first colour.
    store.SetCellBackColor(1, 0, RGB(3, 3, 3));
    EXPECT_TRUE(store.FindCellBackColor(1, 0, clr));
    EXPECT_EQ(clr, RGB(3, 3, 3));
}

} // namespace
} // namespace pagestest
