// The classic look: a raised panel, tabs with a light left and top edge, a
// shadowed right edge and clipped corners; the selected tab stands taller and
// opens into the panel; the hot tab's title in the hot-light colour.
#include "platform/system/controls/tab/TabInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

namespace sys::tab {

namespace {

void Line(HDC hdc, int left, int top, int right, int bottom, int color)
{
    if (right <= left || bottom <= top) return;
    RECT r{left, top, right, bottom};
    FillRect(hdc, &r, GetSysColorBrush(color));
}

// The outline of one tab; bottom is where its sides end.
void PaintTabFrame(HDC hdc, const RECT& r, int bottom)
{
    Line(hdc, r.left, r.top + 2, r.left + 1, bottom, COLOR_BTNHIGHLIGHT);
    Line(hdc, r.left + 1, r.top + 1, r.left + 2, r.top + 2, COLOR_BTNHIGHLIGHT);
    Line(hdc, r.left + 2, r.top, r.right - 2, r.top + 1, COLOR_BTNHIGHLIGHT);
    Line(hdc, r.right - 2, r.top + 1, r.right - 1, r.top + 2, COLOR_3DDKSHADOW);
    Line(hdc, r.right - 2, r.top + 2, r.right - 1, bottom, COLOR_BTNSHADOW);
    Line(hdc, r.right - 1, r.top + 2, r.right, bottom, COLOR_3DDKSHADOW);
}

void PaintTitle(const Tab& t, HWND hwnd, HDC hdc, int index, RECT r)
{
    const Item& item = t.items[static_cast<std::size_t>(index)];
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    bool hot = (style & TCS_HOTTRACK) && t.hot == index;
    SetTextColor(hdc, GetSysColor(hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
    if (!item.text.IsEmpty())
        DrawText(hdc, item.text.GetString(), static_cast<int>(item.text.GetLength()), &r,
                 DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
}

} // namespace

void Paint(const Tab& t, HWND hwnd, HDC hdc)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    FillRect(hdc, &client, GetSysColorBrush(COLOR_BTNFACE));
    int panelTop = PanelTop(t, hwnd);
    RECT panel{client.left, panelTop, client.right, client.bottom};
    DrawEdge(hdc, &panel, EDGE_RAISED, BF_RECT | BF_SOFT);

    HGDIOBJ oldFont = SelectObject(hdc, t.font ? static_cast<HGDIOBJ>(t.font) : GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(hdc);
    for (int i = 0; i < static_cast<int>(t.items.size()); ++i) {
        if (i == t.cur) continue;
        RECT r = ItemRect(t, hwnd, i);
        if (r.left >= client.right) break;
        PaintTabFrame(hdc, r, panelTop);
        PaintTitle(t, hwnd, hdc, i, r);
    }
    if (t.cur >= 0 && t.cur < static_cast<int>(t.items.size())) {
        RECT r = DrawnRect(t, hwnd, t.cur);
        // Open the panel's top edge under the selected tab.
        RECT face{r.left + 1, r.top + 1, r.right - 2, panelTop + 2};
        FillRect(hdc, &face, GetSysColorBrush(COLOR_BTNFACE));
        PaintTabFrame(hdc, r, panelTop + 2);
        RECT title = ItemRect(t, hwnd, t.cur);
        OffsetRect(&title, 0, -1);
        PaintTitle(t, hwnd, hdc, t.cur, title);
        if (t.focused) {
            RECT focus = title;
            InflateRect(&focus, -2, -2);
            DrawFocusRect(hdc, &focus);
        }
    }
    SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, oldFont);
}

} // namespace sys::tab
