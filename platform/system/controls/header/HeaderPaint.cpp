// The header's own drawing: raised buttons with their titles, a pressed item
// sunk, the hot item's title in the hot-light colour, a blank button after the
// last item.
#include "platform/system/controls/header/HeaderInternal.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

namespace sys::hd {

namespace {

void PaintButtonFace(HDC hdc, RECT r, bool pressed)
{
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    if (pressed)
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    else
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_SOFT);
}

UINT AlignFlags(int fmt)
{
    switch (fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: return DT_RIGHT;
    case HDF_CENTER: return DT_CENTER;
    default: return DT_LEFT;
    }
}

} // namespace

void Paint(Header& h, HWND hwnd, HDC hdc)
{
    RECT client{};
    GetClientRect(hwnd, &client);
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    HGDIOBJ oldFont = SelectObject(hdc, h.font ? static_cast<HGDIOBJ>(h.font) : GetStockObject(DEFAULT_GUI_FONT));
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = GetTextColor(hdc);
    int right = 0;
    for (int i = 0; i < static_cast<int>(h.items.size()); ++i) {
        RECT r = ItemRect(h, hwnd, i);
        right = r.right;
        if (r.right <= r.left || r.left >= client.right) continue;
        bool pressed = h.press.Pressed() && h.trackItem == i;
        PaintButtonFace(hdc, r, pressed);
        const Item& item = h.items[static_cast<std::size_t>(i)];
        RECT text{r.left + kTextPad, r.top, r.right - kTextPad, r.bottom};
        if (pressed) OffsetRect(&text, 1, 1);
        bool hot = (style & HDS_HOTTRACK) && h.hot == i && h.mode == Mode::None && !h.press.Held();
        SetTextColor(hdc, GetSysColor(hot ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
        if (!item.text.IsEmpty() && text.right > text.left)
            DrawText(hdc, item.text.GetString(), static_cast<int>(item.text.GetLength()), &text,
                     AlignFlags(item.fmt) | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (right < client.right) PaintButtonFace(hdc, RECT{right, client.top, client.right, client.bottom}, false);
    SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
    SelectObject(hdc, oldFont);
}

} // namespace sys::hd
