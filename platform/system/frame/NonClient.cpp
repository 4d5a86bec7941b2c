#include "platform/system/frame/NonClient.h"

#include "platform/system/window/SysMetrics.h"
#include "platform/system/window/WindowTree.h"

#include <algorithm>

namespace sys {

FrameMetrics FrameFor(DWORD style, DWORD exStyle)
{
    FrameMetrics m;
    if (style & WS_THICKFRAME) {
        m.borderX = GetSystemMetrics(SM_CXFRAME);
        m.borderY = GetSystemMetrics(SM_CYFRAME);
    } else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME)) {
        m.borderX = GetSystemMetrics(SM_CXDLGFRAME);
        m.borderY = GetSystemMetrics(SM_CYDLGFRAME);
    } else if (style & WS_BORDER) {
        m.borderX = GetSystemMetrics(SM_CXBORDER);
        m.borderY = GetSystemMetrics(SM_CYBORDER);
    }
    if (exStyle & WS_EX_CLIENTEDGE) {
        m.borderX += GetSystemMetrics(SM_CXEDGE);
        m.borderY += GetSystemMetrics(SM_CYEDGE);
    }
    if (exStyle & WS_EX_STATICEDGE) {
        m.borderX += GetSystemMetrics(SM_CXBORDER);
        m.borderY += GetSystemMetrics(SM_CYBORDER);
    }
    if ((style & WS_CAPTION) == WS_CAPTION)
        m.caption = GetSystemMetrics((exStyle & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (style & WS_VSCROLL) m.vscroll = GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL) m.hscroll = GetSystemMetrics(SM_CYHSCROLL);
    return m;
}

RECT ClientFromWindow(const RECT& window, DWORD style, DWORD exStyle)
{
    FrameMetrics m = FrameFor(style, exStyle);
    RECT c{window.left + m.borderX, window.top + m.borderY + m.caption, window.right - m.borderX - m.vscroll,
           window.bottom - m.borderY - m.hscroll};
    c.right = std::max(c.right, c.left);
    c.bottom = std::max(c.bottom, c.top);
    return c;
}

namespace {

// The parts a system menu brings into the band: the buttons at its right end,
// the icon and the system menu's hit area at its left.
void PlaceSysMenuParts(CaptionLayout& l, const Window& w, int caption)
{
    bool tool = (w.exStyle & WS_EX_TOOLWINDOW) != 0;
    int buttonW = GetSystemMetrics(tool ? SM_CXSMSIZE : SM_CXSIZE) - 2;
    int buttonH = caption - 1 - 4;
    int top = l.band.top + 2;
    int right = l.band.right - 2;
    l.close = RECT{right - buttonW, top, right, top + buttonH};
    if (!tool && (w.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) {
        right = l.close.left - 2;
        l.maximize = RECT{right - buttonW, top, right, top + buttonH};
        l.minimize = RECT{l.maximize.left - buttonW, top, l.maximize.left, top + buttonH};
    }
    if (tool || (w.exStyle & WS_EX_DLGMODALFRAME)) return;
    int size = GetSystemMetrics(SM_CXSMICON);
    l.icon = RECT{l.band.left + 2, l.band.top + 1, l.band.left + 2 + size, l.band.top + 1 + size};
    // A caption button's width from the band's left end, band and line.
    if (!IsRectEmpty(&l.icon))
        l.sysMenu = RECT{l.band.left, l.band.top, std::min(l.band.left + GetSystemMetrics(SM_CXSIZE), l.band.right),
                         l.line.bottom};
}

// The sizing border's codes for a point of a width x height window; HTNOWHERE off the border.
LRESULT SizingBorderHit(POINT p, int width, int height)
{
    int fx = GetSystemMetrics(SM_CXFRAME), fy = GetSystemMetrics(SM_CYFRAME);
    int corner = GetSystemMetrics(SM_CYCAPTION) + fy;
    bool left = p.x < fx, right = p.x >= width - fx, top = p.y < fy, bottom = p.y >= height - fy;
    if (!(top || bottom || left || right)) return HTNOWHERE;
    bool nearLeft = p.x < corner, nearRight = p.x >= width - corner;
    bool nearTop = p.y < corner, nearBottom = p.y >= height - corner;
    if ((top && nearLeft) || (left && nearTop)) return HTTOPLEFT;
    if ((top && nearRight) || (right && nearTop)) return HTTOPRIGHT;
    if ((bottom && nearLeft) || (left && nearBottom)) return HTBOTTOMLEFT;
    if ((bottom && nearRight) || (right && nearBottom)) return HTBOTTOMRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    return left ? HTLEFT : HTRIGHT;
}

} // namespace

CaptionLayout LayoutCaption(const Window& w)
{
    CaptionLayout l;
    FrameMetrics m = FrameFor(w.style, w.exStyle);
    if (!m.caption) return l;
    int width = Width(w.rect);
    int fx = m.borderX, fy = m.borderY;
    if (w.exStyle & WS_EX_CLIENTEDGE) {
        fx -= GetSystemMetrics(SM_CXEDGE);
        fy -= GetSystemMetrics(SM_CYEDGE);
    }
    // The band leaves its last row for the line under the caption.
    l.band = RECT{fx, fy, width - fx, fy + m.caption - 1};
    l.line = RECT{l.band.left, l.band.bottom, l.band.right, l.band.bottom + 1};
    if (w.style & WS_SYSMENU) PlaceSysMenuParts(l, w, m.caption);
    // The title runs from the icon to the buttons.
    l.title = l.band;
    l.title.left += IsRectEmpty(&l.icon) ? 2 : l.icon.right - l.band.left + 2;
    if (!IsRectEmpty(&l.minimize))
        l.title.right = l.minimize.left - 2;
    else if (!IsRectEmpty(&l.close))
        l.title.right = l.close.left - 2;
    return l;
}

LRESULT DefaultHitTest(const Window& w, POINT screen)
{
    POINT o = WindowScreenOrigin(w);
    POINT p{screen.x - o.x, screen.y - o.y};
    int width = Width(w.rect), height = Height(w.rect);
    RECT whole{0, 0, width, height};
    if (!PtInRect(&whole, p)) return HTNOWHERE;
    if (w.shape && !w.shape->Contains(p)) return HTNOWHERE;
    if (PtInRect(&w.client, p)) return HTCLIENT;

    FrameMetrics m = FrameFor(w.style, w.exStyle);
    if (w.style & WS_THICKFRAME && !(w.style & WS_MAXIMIZE)) {
        LRESULT sizing = SizingBorderHit(p, width, height);
        if (sizing != HTNOWHERE) return sizing;
    }
    CaptionLayout cap = LayoutCaption(w);
    if (!IsRectEmpty(&cap.band) && (PtInRect(&cap.band, p) || PtInRect(&cap.line, p))) {
        if (PtInRect(&cap.close, p)) return HTCLOSE;
        if (PtInRect(&cap.maximize, p)) return HTMAXBUTTON;
        if (PtInRect(&cap.minimize, p)) return HTMINBUTTON;
        if (PtInRect(&cap.sysMenu, p)) return HTSYSMENU;
        return HTCAPTION;
    }
    if (m.vscroll && p.x >= w.client.right && p.x < w.client.right + m.vscroll && p.y >= w.client.top &&
        p.y < w.client.bottom)
        return HTVSCROLL;
    if (m.hscroll && p.y >= w.client.bottom && p.y < w.client.bottom + m.hscroll && p.x >= w.client.left &&
        p.x < w.client.right)
        return HTHSCROLL;
    return HTBORDER;
}

} // namespace sys
