// Where the tabs and the display area lie: one row of tabs along the top, each
// as wide as its text plus padding, over a raised panel.
#include "platform/system/controls/tab/TabInternal.h"
#include "platform/system/gdi/Gdi.h"

#include <algorithm>

namespace sys::tab {

namespace {

// Runs fn with a DC that has the control's font selected.
template <class Fn> auto WithFont(const Tab& t, HWND hwnd, Fn fn)
{
    HDC hdc = GetDC(hwnd);
    HGDIOBJ old = nullptr;
    if (hdc) old = SelectObject(hdc, t.font ? static_cast<HGDIOBJ>(t.font) : GetStockObject(DEFAULT_GUI_FONT));
    auto result = fn(hdc);
    if (hdc) {
        SelectObject(hdc, old);
        ReleaseDC(hwnd, hdc);
    }
    return result;
}

int ItemWidth(const Tab& t, HWND hwnd, HDC hdc, int index)
{
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    int width = 0;
    if ((style & TCS_FIXEDWIDTH) && t.fixedWidth > 0) {
        width = t.fixedWidth;
    } else {
        const CString& text = t.items[static_cast<std::size_t>(index)].text;
        SIZE size{0, 0};
        if (hdc && !text.IsEmpty())
            GetTextExtentPoint32(hdc, text.GetString(), static_cast<int>(text.GetLength()), &size);
        width = size.cx + 2 * t.padX;
    }
    return std::max(width, t.minWidth);
}

} // namespace

int ItemHeight(const Tab& t, HWND hwnd)
{
    if (t.fixedHeight > 0) return t.fixedHeight;
    int textHeight = WithFont(t, hwnd, [](HDC hdc) {
        TEXTMETRICA tm{};
        return (hdc && GetTextMetrics(hdc, &tm)) ? static_cast<int>(tm.tmHeight) : 13;
    });
    return textHeight + 2 * t.padY;
}

RECT ItemRect(const Tab& t, HWND hwnd, int index)
{
    if (index < 0 || index >= static_cast<int>(t.items.size())) return RECT{0, 0, 0, 0};
    int height = ItemHeight(t, hwnd);
    return WithFont(t, hwnd, [&](HDC hdc) {
        int left = kRowLeft;
        for (int i = 0; i < index; ++i)
            left += ItemWidth(t, hwnd, hdc, i);
        return RECT{left, kRowTop, left + ItemWidth(t, hwnd, hdc, index), kRowTop + height};
    });
}

RECT DrawnRect(const Tab& t, HWND hwnd, int index)
{
    RECT r = ItemRect(t, hwnd, index);
    if (index == t.cur) {
        r.left -= kSelGrow;
        r.right += kSelGrow;
        r.top -= kSelGrow;
        r.bottom += 1; // covers the panel's top edge
    }
    return r;
}

int PanelTop(const Tab& t, HWND hwnd)
{
    return kRowTop + ItemHeight(t, hwnd);
}

int HitTest(const Tab& t, HWND hwnd, POINT p, UINT* flags)
{
    int found = -1;
    // The selected tab stands in front of its neighbours.
    if (t.cur >= 0) {
        RECT r = DrawnRect(t, hwnd, t.cur);
        r.bottom = PanelTop(t, hwnd);
        if (PtInRect(&r, p)) found = t.cur;
    }
    for (int i = 0; found < 0 && i < static_cast<int>(t.items.size()); ++i) {
        RECT r = ItemRect(t, hwnd, i);
        if (PtInRect(&r, p)) found = i;
    }
    if (flags) *flags = found >= 0 ? TCHT_ONITEMLABEL : TCHT_NOWHERE;
    return found;
}

void AdjustRect(const Tab& t, HWND hwnd, bool larger, RECT* rect)
{
    int top = PanelTop(t, hwnd) + kDisplayInset;
    if (larger) {
        rect->left -= kDisplayInset;
        rect->top -= top;
        rect->right += kDisplayInset;
        rect->bottom += kDisplayInset;
    } else {
        rect->left += kDisplayInset;
        rect->top += top;
        rect->right -= kDisplayInset;
        rect->bottom -= kDisplayInset;
    }
}

} // namespace sys::tab
