#include "tests/controls/ListCtrlClFixture.h"

#include "platform/gfx/Surface.h"
#include "platform/system/controls/listview/ListViewClass.h"

#include <algorithm>

namespace pagestest {

namespace {
constexpr const char* kParentClass = "PagesTestParent";
} // namespace

void ListCtrlClTest::SetUp()
{
    sys::SetBackend(&screen);
    ASSERT_TRUE(sys::RegisterListViewClasses());
    WNDCLASS wc{};
    wc.lpfnWndProc = &DefWindowProc;
    wc.lpszClassName = kParentClass;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    ASSERT_NE(RegisterClass(&wc), 0);
    ASSERT_TRUE(parent.CreateEx(0, kParentClass, "parent", WS_POPUP | WS_VISIBLE, 20, 20, kListW + 40, kListH + 40,
                                nullptr, nullptr));
    screen.MoveMouse(1000, 700);
    Pump();
}

void ListCtrlClTest::TearDown()
{
    parent.DestroyWindow();
    Pump();
    AfxDeleteTempMaps();
    sys::SetBackend(nullptr);
    AfxDeleteTempMaps();
}

void ListCtrlClTest::MakeList(DWORD style, int w, int h)
{
    HWND hwnd = CreateWindowEx(0, WC_LISTVIEW, "List1", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 0, 0, w, h,
                               parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kListId)), nullptr,
                               nullptr);
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(list.SubclassWindow(hwnd));
    Pump();
}

void ListCtrlClTest::Repaint()
{
    // From the parent down: a parent painted after its children would cover them.
    Pump();
    parent.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump();
}

COLORREF ListCtrlClTest::Pixel(HWND hwnd, int x, int y) const
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return gfx::ColorFromPixel(screen.PixelAt(r.left + x, r.top + y));
}

Ink ListCtrlClTest::InkIn(HWND hwnd, const RECT& area,
                          const std::function<COLORREF(int x, int y)>& background) const
{
    Ink ink;
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            if (Pixel(hwnd, x, y) == background(x, y)) continue;
            if (!any) ink.box = RECT{x, y, x + 1, y + 1};
            any = true;
            ink.box.left = std::min<LONG>(ink.box.left, x);
            ink.box.top = std::min<LONG>(ink.box.top, y);
            ink.box.right = std::max<LONG>(ink.box.right, x + 1);
            ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
        }
    return ink;
}

CRect ListCtrlClTest::Label(int row, int column)
{
    CRect r;
    list.GetSubItemRect(row, column, LVIR_LABEL, r);
    return r;
}

Ink ReferenceInk(const std::string& text, int fontHeight, int fontWidth, const RECT& rect, UINT format)
{
    int w = rect.right - rect.left;
    int h = rect.bottom - rect.top;
    // Bitmaps here are always 32-bit, whatever DC they are made for.
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, w, h);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all{0, 0, w, h};
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    FillRect(dc, &all, white);
    DeleteObject(white);
    HFONT font = CreateFont(fontHeight, fontWidth, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "宋体");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawText(dc, text.c_str(), static_cast<int>(text.size()), &all, format);
    Ink ink;
    bool any = false;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (GetPixel(dc, x, y) == RGB(255, 255, 255)) continue;
            if (!any) ink.box = RECT{x, y, x + 1, y + 1};
            any = true;
            ink.box.left = std::min<LONG>(ink.box.left, x);
            ink.box.top = std::min<LONG>(ink.box.top, y);
            ink.box.right = std::max<LONG>(ink.box.right, x + 1);
            ink.box.bottom = std::max<LONG>(ink.box.bottom, y + 1);
        }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return ink;
}

int FontCharHeight(int fontHeight, int fontWidth, bool stockGuiFont)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = stockGuiFont ? nullptr : CreateFont(fontHeight, fontWidth, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "宋体");
    HGDIOBJ old = SelectObject(dc, stockGuiFont ? GetStockObject(DEFAULT_GUI_FONT) : font);
    TEXTMETRIC tm{};
    GetTextMetrics(dc, &tm);
    SelectObject(dc, old);
    if (font) DeleteObject(font);
    DeleteDC(dc);
    return tm.tmHeight;
}

COLORREF GradientRow(int r, int g, int b, int step, int j)
{
    auto part = [&](int v) { return std::max(0, v - j * step); };
    return RGB(part(r), part(g), part(b));
}

} // namespace pagestest
