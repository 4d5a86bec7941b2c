// The combo box's face: a sunken field with the chosen string (highlighted
// while focused) and a raised button with a down arrow at its right.
#include "platform/system/controls/combobox/ComboBoxInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>

namespace sys::cb {

namespace {

HGDIOBJ Font(const Combo& c)
{
    return c.font ? static_cast<HGDIOBJ>(c.font) : GetStockObject(DEFAULT_GUI_FONT);
}

void PaintArrowButton(HDC hdc, RECT r, bool enabled)
{
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
    int cx = (r.left + r.right) / 2;
    int cy = (r.top + r.bottom) / 2 - 1;
    HBRUSH arrow = GetSysColorBrush(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
    for (int row = 0; row < 4; ++row) {
        RECT line{cx - 3 + row, cy - 1 + row, cx + 4 - row, cy + row};
        FillRect(hdc, &line, arrow);
    }
}

} // namespace

int FaceHeight(const Combo& c)
{
    HDC hdc = GetDC(c.hwnd);
    int text = 13;
    if (hdc) {
        HGDIOBJ old = SelectObject(hdc, Font(c));
        TEXTMETRICA tm{};
        if (GetTextMetrics(hdc, &tm)) text = tm.tmHeight;
        SelectObject(hdc, old);
        ReleaseDC(c.hwnd, hdc);
    }
    return text + 8;
}

void FitFace(Combo& c)
{
    RECT r{};
    GetWindowRect(c.hwnd, &r);
    int face = FaceHeight(c);
    c.dropHeight = std::max(c.dropHeight, face);
    if (r.bottom - r.top != face)
        SetWindowPos(c.hwnd, nullptr, 0, 0, r.right - r.left, face, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

FaceLayout LayoutFace(const Combo& c)
{
    RECT client{};
    GetClientRect(c.hwnd, &client);
    RECT inner{client.left + 2, client.top + 2, client.right - 2, client.bottom - 2};
    int buttonWidth = std::min(GetSystemMetrics(SM_CXVSCROLL), static_cast<int>(inner.right - inner.left));
    FaceLayout l;
    l.button = RECT{inner.right - buttonWidth, inner.top, inner.right, inner.bottom};
    l.field = RECT{inner.left + 1, inner.top + 1, l.button.left - 1, inner.bottom - 1};
    return l;
}

void Paint(const Combo& c, HDC hdc)
{
    RECT client{};
    GetClientRect(c.hwnd, &client);
    bool enabled = IsWindowEnabled(c.hwnd) != FALSE;
    FillRect(hdc, &client, GetSysColorBrush(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    RECT edge = client;
    DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
    const FaceLayout face = LayoutFace(c);
    PaintArrowButton(hdc, face.button, enabled);

    const RECT& field = face.field;
    bool highlight = c.focused && !c.list;
    if (highlight) FillRect(hdc, &field, GetSysColorBrush(COLOR_HIGHLIGHT));
    if (c.sel >= 0 && c.sel < static_cast<int>(c.items.size())) {
        HGDIOBJ oldFont = SelectObject(hdc, Font(c));
        int oldMode = SetBkMode(hdc, TRANSPARENT);
        COLORREF old = SetTextColor(hdc, GetSysColor(!enabled    ? COLOR_GRAYTEXT
                                                     : highlight ? COLOR_HIGHLIGHTTEXT
                                                                 : COLOR_WINDOWTEXT));
        const CString& s = c.items[static_cast<std::size_t>(c.sel)].text;
        RECT t{field.left + 2, field.top, field.right - 1, field.bottom};
        DrawText(hdc, s.GetString(), static_cast<int>(s.GetLength()), &t,
                 DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        SetTextColor(hdc, old);
        SetBkMode(hdc, oldMode);
        SelectObject(hdc, oldFont);
    }
    if (c.focused && !c.list) DrawFocusRect(hdc, &field);
}

} // namespace sys::cb
