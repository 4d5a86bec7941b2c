// The framework's list and header wrappers, driven the way an owner-drawn
// colour list uses them: attached to an existing list window, the style made
// owner-drawn and the header taken over before the columns go in.
#include "platform/framework/ListCtrl.h"
#include "platform/system/controls/listview/ListViewInternal.h"
#include "tests/system/support/ListViewFixture.h"

namespace corvane::test {
namespace {

std::vector<std::string> g_events;

class CTallHeader : public CHeaderCtrl {
public:
    LRESULT OnLayout(WPARAM, LPARAM lParam)
    {
        LRESULT result = Default();
        auto* layout = reinterpret_cast<HDLAYOUT*>(lParam);
        int height = static_cast<int>(layout->pwpos->cy * 1.5f);
        layout->pwpos->cy = height;
        layout->prc->top = height;
        return result;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTallHeader, CHeaderCtrl)
    ON_MESSAGE(HDM_LAYOUT, OnLayout)
END_MESSAGE_MAP()

class CDrawnList : public CListCtrl {
public:
    CTallHeader m_header;
    int m_nRowHeight = 20;

    void PreSubclassWindow() override
    {
        ModifyStyle(0, LVS_OWNERDRAWFIXED);
        CListCtrl::PreSubclassWindow();
        m_header.SubclassWindow(GetHeaderCtrl()->GetSafeHwnd());
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        char text[256];
        GetItemText(static_cast<int>(dis->itemID), 1, text, sizeof text);
        g_events.push_back("draw " + std::to_string(dis->itemID) + " " + text + " h=" +
                           std::to_string(dis->rcItem.bottom - dis->rcItem.top));
    }
    void MeasureItem(LPMEASUREITEMSTRUCT mis)
    {
        if (m_nRowHeight > 0) mis->itemHeight = static_cast<UINT>(m_nRowHeight);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawnList, CListCtrl)
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

TEST_F(ListViewTest, FrameworkListAttachesDrawsAndSharesItsStrings)
{
    g_events.clear();
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterDefaultWndClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                               nullptr));
    HWND raw = CreateWindowEx(0, WC_LISTVIEW, "List1", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 0, 0, 390, 280,
                              owner.m_hWnd, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(1004)), nullptr, nullptr);
    ASSERT_NE(raw, nullptr);
    HWND header = reinterpret_cast<HWND>(SendMessage(raw, LVM_GETHEADER, 0, 0));
    RECT before{};
    GetWindowRect(header, &before);
    int plainHeight = before.bottom - before.top;

    CDrawnList list;
    ASSERT_TRUE(list.SubclassWindow(raw));
    EXPECT_TRUE(list.GetStyle() & LVS_OWNERDRAWFIXED);
    EXPECT_EQ(list.GetHeaderCtrl(), &list.m_header);

    EXPECT_EQ(list.InsertColumn(0, "ID", LVCFMT_LEFT, -1, -1), 0);
    EXPECT_EQ(list.InsertColumn(1, "Text", LVCFMT_CENTER, -1, -1), 1);
    EXPECT_EQ(list.GetHeaderCtrl()->GetItemCount(), 2);
    EXPECT_EQ(list.GetColumnWidth(1), 0); // no width given
    ASSERT_TRUE(list.SetColumnWidth(0, 50));
    ASSERT_TRUE(list.SetColumnWidth(1, 300));
    LVCOLUMN c{};
    c.mask = LVCF_FMT | LVCF_SUBITEM;
    ASSERT_TRUE(list.GetColumn(1, &c));
    EXPECT_EQ(c.fmt, LVCFMT_CENTER);
    EXPECT_EQ(c.iSubItem, 1);
    EXPECT_FALSE(list.GetColumn(2, &c));

    EXPECT_EQ(list.SetExtendedStyle(0x21), 0u);
    list.SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0x20, 0x20);
    EXPECT_EQ(list.GetExtendedStyle(), 0x21u);
    EXPECT_TRUE(list.SetBkColor(RGB(1, 2, 3)));
    EXPECT_EQ(list.GetBkColor(), RGB(1, 2, 3));

    // Re-measuring as a control does, then the header lays out taller.
    RECT wr{};
    list.GetWindowRect(&wr);
    WINDOWPOS wp{list.m_hWnd, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top, 0x216};
    list.SendMessage(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&wp));
    RECT hr{};
    GetWindowRect(header, &hr);
    EXPECT_EQ(hr.bottom - hr.top, static_cast<int>(plainHeight * 1.5f));

    CString text("the line's text");
    for (int k = 3; k >= 1; --k) {
        CString id;
        id.Format("%d", k);
        ASSERT_EQ(list.InsertItem(0, id), 0);
        ASSERT_TRUE(list.SetItemText(0, 1, text));
    }
    ASSERT_TRUE(list.SetItemText(2, 1, "literal"));
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(0, 0), CString("1"));
    EXPECT_EQ(list.GetItemText(2, 1), CString("literal"));
    EXPECT_TRUE(sys::lv::From(raw)->rows.Text(1, 1).SharesBufferWith(text));
    char four[4];
    EXPECT_EQ(list.GetItemText(0, 1, four, 4), 3);
    EXPECT_STREQ(four, "the");

    CRect cell;
    ASSERT_TRUE(list.GetSubItemRect(1, 1, LVIR_LABEL, cell));
    EXPECT_EQ(cell.left, 50);
    EXPECT_EQ(cell.Height(), 20);
    EXPECT_EQ(cell.top, hr.bottom - hr.top + 20);
    ASSERT_TRUE(list.GetSubItemRect(1, 0, LVIR_LABEL, cell));
    EXPECT_EQ(cell.left, 2);
    EXPECT_FALSE(list.GetSubItemRect(1, 2, LVIR_LABEL, cell));

    Pump();
    std::vector<std::string> expected{"draw 0 the line's text h=20", "draw 1 the line's text h=20",
                                      "draw 2 literal h=20"};
    EXPECT_EQ(g_events, expected);

    ASSERT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    POSITION pos = list.GetFirstSelectedItemPosition();
    EXPECT_EQ(list.GetNextSelectedItem(pos), 1);
    EXPECT_EQ(pos, nullptr);
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    EXPECT_EQ(list.GetItemText(0, 0), CString(""));
}

} // namespace
} // namespace corvane::test
