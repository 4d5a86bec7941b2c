#include "tests/system/support/ListViewFixture.h"

#include "platform/gfx/Surface.h"
#include "platform/system/controls/listview/ListViewClass.h"
#include "platform/system/controls/scrollbar/ScrollBar.h"

namespace corvane::test {

ListViewTest* ListViewTest::current = nullptr;

namespace {
constexpr const char* kParentClass = "LvTestParent";
}

void ListViewTest::SetUp()
{
    current = this;
    sys::SetBackend(&screen);
    ASSERT_TRUE(sys::RegisterListViewClasses());
    WNDCLASS wc{};
    wc.lpfnWndProc = &ListViewTest::ParentProc;
    wc.lpszClassName = kParentClass;
    ASSERT_NE(RegisterClass(&wc), 0);
    parent = CreateWindowEx(0, kParentClass, "", WS_POPUP | WS_VISIBLE, 0, 0, kParentW, kParentH, nullptr, nullptr,
                            nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
}

void ListViewTest::TearDown()
{
    AfxDeleteTempMaps();
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
    current = nullptr;
}

HWND ListViewTest::MakeList(DWORD style, int x, int y, int w, int h)
{
    HWND list = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kListId)), nullptr, nullptr);
    return list;
}

int ListViewTest::Count(UINT code) const
{
    int n = 0;
    for (UINT c : notes) n += c == code;
    return n;
}

int ListViewTest::AddColumn(HWND list, int index, const char* title, int width, int fmt)
{
    LVCOLUMN c{};
    c.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    c.pszText = const_cast<LPSTR>(title);
    c.fmt = fmt;
    c.cx = width;
    return static_cast<int>(SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&c)));
}

int ListViewTest::InsertRow(HWND list, int index, const char* text)
{
    LVITEM item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<LPSTR>(text);
    return static_cast<int>(SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL ListViewTest::SetText(HWND list, int row, int sub, const char* text)
{
    LVITEM item{};
    item.iSubItem = sub;
    item.pszText = const_cast<LPSTR>(text);
    return static_cast<BOOL>(SendMessage(list, LVM_SETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

std::string ListViewTest::Text(HWND list, int row, int sub, int size)
{
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '#');
    LVITEM item{};
    item.iSubItem = sub;
    item.pszText = buffer.data();
    item.cchTextMax = size;
    auto n = SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return std::string(buffer.data(), static_cast<std::size_t>(n));
}

RECT ListViewTest::ItemRect(HWND list, int row, int code)
{
    RECT r{code, 0, 0, 0};
    SendMessage(list, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    return r;
}

POINT ListViewTest::ScreenOf(HWND hwnd, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(hwnd, &p);
    return p;
}

COLORREF ListViewTest::Pixel(int x, int y) const { return gfx::ColorFromPixel(screen.PixelAt(x, y)); }

RECT ListViewTest::ScreenBar(HWND hwnd, bool vertical)
{
    RECT r = sys::WindowScrollBars::BarRect(hwnd, vertical ? SB_VERT : SB_HORZ);
    RECT window{};
    GetWindowRect(hwnd, &window);
    OffsetRect(&r, window.left, window.top);
    return r;
}

LRESULT ListViewTest::ParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListViewTest* t = current;
    if (t && message == WM_NOTIFY && lParam) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        t->notes.push_back(hdr->code);
        if (hdr->code == HDN_TRACK) t->trackWidths.push_back(reinterpret_cast<NMHEADER*>(lParam)->pitem->cxy);
        return t->vetoCode && hdr->code == t->vetoCode ? TRUE : FALSE;
    }
    if (t && message == WM_DRAWITEM && lParam) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        t->drawn.push_back(Drawn{dis->itemID, dis->rcItem, dis->itemState});
        return TRUE;
    }
    if (t && message == WM_MEASUREITEM && lParam) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        t->measures.push_back(*mis);
        if (t->answerHeight) mis->itemHeight = t->answerHeight;
        return TRUE;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace corvane::test
