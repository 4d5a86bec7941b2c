#include "platform/system/frame/FramePaint.h"

#include "platform/system/frame/NonClient.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/DesktopState.h"
#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>
#include <cstdint>

namespace sys {

namespace {

// A class brush may be a system colour index plus one instead of a handle.
HBRUSH ResolveBrush(HBRUSH brush)
{
    auto v = reinterpret_cast<std::uintptr_t>(brush);
    if (v > 0 && v <= static_cast<std::uintptr_t>(COLOR_GRADIENTINACTIVECAPTION) + 1)
        return GetSysColorBrush(static_cast<int>(v - 1));
    return brush;
}

void FillBand(HDC hdc, RECT r, int colorIndex)
{
    if (!IsRectEmpty(&r)) FillRect(hdc, &r, GetSysColorBrush(colorIndex));
}

void PaintCaptionButton(HDC hdc, RECT r)
{
    if (IsRectEmpty(&r)) return;
    FillRect(hdc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
}

// The close box's "x": two diagonals two pixels thick, one pixel wider than
// tall, centred in the face inside the raised edge (8 by 7 on the usual 16 by 14).
void PaintCloseGlyph(HDC hdc, RECT r)
{
    const int edge = 2;
    int faceW = Width(r) - 2 * edge, faceH = Height(r) - 2 * edge;
    int rows = std::min(faceW - 1, faceH) - 3;
    if (rows < 2) return;
    int left = r.left + edge + (faceW - (rows + 1)) / 2;
    int top = r.top + edge + (faceH - rows) / 2;
    HBRUSH ink = GetSysColorBrush(COLOR_BTNTEXT);
    for (int i = 0; i < rows; ++i) {
        RECT down{left + i, top + i, left + i + 2, top + i + 1};
        RECT up{left + rows - 1 - i, top + i, left + rows + 1 - i, top + i + 1};
        FillRect(hdc, &down, ink);
        FillRect(hdc, &up, ink);
    }
}

// The band, its icon and title, and the buttons, all where the hit test finds them.
void PaintCaption(HDC hdc, HWND hwnd, const Window& w, const CaptionLayout& cap)
{
    bool active = State().active == RootOf(hwnd);
    FillBand(hdc, cap.band, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    FillBand(hdc, cap.line, COLOR_BTNFACE);
    // No icon place (no system menu): a zero size would mean the icon's own size.
    if (!IsRectEmpty(&cap.icon) && (w.iconSmall || w.iconBig))
        DrawIconEx(hdc, cap.icon.left, cap.icon.top, w.iconSmall ? w.iconSmall : w.iconBig, Width(cap.icon),
                   Height(cap.icon), 0, nullptr, 3);
    int oldMode = SetBkMode(hdc, TRANSPARENT);
    COLORREF oldColor = SetTextColor(hdc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    HGDIOBJ oldFont = SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
    std::string title = w.text;
    RECT text = cap.title;
    DrawText(hdc, title.c_str(), static_cast<int>(title.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    SelectObject(hdc, oldFont);
    SetTextColor(hdc, oldColor);
    SetBkMode(hdc, oldMode);
    PaintCaptionButton(hdc, cap.close);
    if (!IsRectEmpty(&cap.close)) PaintCloseGlyph(hdc, cap.close);
    PaintCaptionButton(hdc, cap.maximize);
    PaintCaptionButton(hdc, cap.minimize);
}

} // namespace

void PaintFrame(HWND hwnd)
{
    Window* w = Lookup(hwnd);
    if (!w) return;
    FrameMetrics m = FrameFor(w->style, w->exStyle);
    if (!m.borderX && !m.borderY && !m.caption && !m.vscroll && !m.hscroll) return;
    HDC hdc = GetWindowDC(hwnd);
    if (!hdc) return;
    w = Lookup(hwnd);
    RECT whole{0, 0, Width(w->rect), Height(w->rect)};
    RECT client = w->client;
    int edgeX = (w->exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CXEDGE) : 0;
    int edgeY = (w->exStyle & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CYEDGE) : 0;
    int outerX = m.borderX - edgeX, outerY = m.borderY - edgeY;

    if ((w->style & (WS_THICKFRAME | WS_DLGFRAME)) || (w->exStyle & WS_EX_DLGMODALFRAME)) {
        FillBand(hdc, RECT{0, 0, whole.right, outerY}, COLOR_BTNFACE);
        FillBand(hdc, RECT{0, whole.bottom - outerY, whole.right, whole.bottom}, COLOR_BTNFACE);
        FillBand(hdc, RECT{0, 0, outerX, whole.bottom}, COLOR_BTNFACE);
        FillBand(hdc, RECT{whole.right - outerX, 0, whole.right, whole.bottom}, COLOR_BTNFACE);
        RECT edge = whole;
        DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT);
    } else if (w->style & WS_BORDER) {
        FrameRect(hdc, &whole, GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    CaptionLayout cap = LayoutCaption(*w);
    if (!IsRectEmpty(&cap.band)) PaintCaption(hdc, hwnd, *w, cap);
    if (edgeX || edgeY) {
        RECT edge = client;
        InflateRect(&edge, edgeX, edgeY);
        DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
    }
    if (m.vscroll && m.hscroll)
        FillBand(hdc, RECT{client.right, client.bottom, client.right + m.vscroll, client.bottom + m.hscroll},
                 COLOR_BTNFACE);
    ReleaseDC(hwnd, hdc);
}

LRESULT EraseWithClassBrush(HWND hwnd, HDC hdc)
{
    Window* w = Lookup(hwnd);
    if (!w || !hdc) return 0;
    HBRUSH brush = ResolveBrush(w->cls->background);
    if (!brush) return 0;
    RECT client{0, 0, Width(w->client), Height(w->client)};
    FillRect(hdc, &client, brush);
    return 1;
}

LRESULT DefaultControlColor(UINT message, HDC hdc)
{
    bool window = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    if (hdc) {
        SetTextColor(hdc, GetSysColor(window ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
        SetBkColor(hdc, GetSysColor(window ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    if (message == WM_CTLCOLORSCROLLBAR) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_SCROLLBAR));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(window ? COLOR_WINDOW : COLOR_BTNFACE));
}

} // namespace sys
