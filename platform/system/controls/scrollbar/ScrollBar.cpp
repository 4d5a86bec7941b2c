#include "platform/system/controls/scrollbar/ScrollBar.h"

#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/SysMetrics.h"

#include <algorithm>

namespace sys {

namespace {

constexpr int kMinThumb = 8;

int Along(const RECT& r, bool vertical)
{
    return vertical ? r.bottom - r.top : r.right - r.left;
}
int Start(const RECT& r, bool vertical)
{
    return vertical ? r.top : r.left;
}

RECT Span(const RECT& bar, bool vertical, int from, int to)
{
    return vertical ? RECT{bar.left, from, bar.right, to} : RECT{from, bar.top, to, bar.bottom};
}

void Fill(HDC hdc, const RECT& r, int colorIndex)
{
    if (r.right > r.left && r.bottom > r.top) FillRect(hdc, &r, GetSysColorBrush(colorIndex));
}

// A small solid triangle pointing away from the track's centre.
void PaintArrowGlyph(HDC hdc, const RECT& r, bool vertical, bool less, bool pressed)
{
    int cx = (r.left + r.right) / 2 + (pressed ? 1 : 0);
    int cy = (r.top + r.bottom) / 2 + (pressed ? 1 : 0);
    HBRUSH brush = GetSysColorBrush(COLOR_BTNTEXT);
    for (int i = 0; i < 4; ++i) {
        int half = less ? i : 3 - i;
        RECT line = vertical ? RECT{cx - half, cy - 2 + i, cx + half + 1, cy - 1 + i}
                             : RECT{cx - 2 + i, cy - half, cx - 1 + i, cy + half + 1};
        FillRect(hdc, &line, brush);
    }
}

void PaintButton(HDC hdc, RECT r, bool pressed)
{
    if (r.right <= r.left || r.bottom <= r.top) return;
    Fill(hdc, r, COLOR_BTNFACE);
    if (pressed) {
        FrameRect(hdc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    } else {
        DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT);
    }
}

} // namespace

int ScrollModel::MaxPos() const
{
    long long top = static_cast<long long>(max) - std::max(page - 1, 0);
    return static_cast<int>(std::max<long long>(min, top));
}

int ScrollModel::ClampPos(long long p) const
{
    return static_cast<int>(std::clamp<long long>(p, min, MaxPos()));
}

void ScrollModel::Set(int newMin, int newMax, int newPage, int newPos)
{
    min = newMin;
    max = std::max(newMin, newMax);
    long long span = static_cast<long long>(max) - min + 1;
    page = static_cast<int>(std::clamp<long long>(newPage, 0, span));
    pos = ClampPos(newPos);
    trackPos = pos;
}

ScrollLayout LayoutScrollBar(const RECT& bar, bool vertical, const ScrollModel& model, int thumbPos)
{
    ScrollLayout l;
    int length = Along(bar, vertical);
    int start = Start(bar, vertical);
    int arrow = vertical ? GetSystemMetrics(SM_CYVSCROLL) : GetSystemMetrics(SM_CXHSCROLL);
    arrow = std::min(arrow, length / 2);
    l.arrowLess = Span(bar, vertical, start, start + arrow);
    l.arrowMore = Span(bar, vertical, start + length - arrow, start + length);
    l.track = Span(bar, vertical, start + arrow, start + length - arrow);
    int track = length - 2 * arrow;
    long long range = static_cast<long long>(model.max) - model.min + 1;
    if (track < kMinThumb || range <= 0 || model.page <= 0 || model.page >= range) return l;
    int thumb = static_cast<int>(static_cast<long long>(track) * model.page / range);
    thumb = std::clamp(thumb, kMinThumb, track);
    int travel = track - thumb;
    long long steps = static_cast<long long>(model.MaxPos()) - model.min;
    int at = 0;
    if (steps > 0) {
        long long p = std::clamp<long long>(thumbPos, model.min, model.MaxPos()) - model.min;
        at = static_cast<int>((p * travel + steps / 2) / steps);
    }
    int from = start + arrow + at;
    l.thumb = Span(bar, vertical, from, from + thumb);
    return l;
}

ScrollPart HitScrollBar(const ScrollLayout& l, POINT p, bool vertical)
{
    if (PtInRect(&l.arrowLess, p)) return ScrollPart::ArrowLess;
    if (PtInRect(&l.arrowMore, p)) return ScrollPart::ArrowMore;
    if (!PtInRect(&l.track, p)) return ScrollPart::None;
    if (l.thumb.right <= l.thumb.left || l.thumb.bottom <= l.thumb.top) return ScrollPart::None;
    if (PtInRect(&l.thumb, p)) return ScrollPart::Thumb;
    int at = vertical ? p.y : p.x;
    return at < Start(l.thumb, vertical) ? ScrollPart::PageLess : ScrollPart::PageMore;
}

int ScrollPosFromThumb(const ScrollLayout& l, bool vertical, const ScrollModel& model, int offset)
{
    int travel = Along(l.track, vertical) - Along(l.thumb, vertical);
    long long steps = static_cast<long long>(model.MaxPos()) - model.min;
    if (travel <= 0 || steps <= 0) return model.pos;
    offset = std::clamp(offset, 0, travel);
    return model.ClampPos(model.min + (static_cast<long long>(offset) * steps + travel / 2) / travel);
}

void PaintScrollBar(HDC hdc, const RECT& bar, bool vertical, const ScrollModel& model, int thumbPos, ScrollPart pressed)
{
    ScrollLayout l = LayoutScrollBar(bar, vertical, model, thumbPos);
    Fill(hdc, l.track, COLOR_SCROLLBAR);
    bool hasThumb = l.thumb.right > l.thumb.left && l.thumb.bottom > l.thumb.top;
    if (hasThumb && (pressed == ScrollPart::PageLess || pressed == ScrollPart::PageMore)) {
        RECT page = pressed == ScrollPart::PageLess
                        ? Span(l.track, vertical, Start(l.track, vertical), Start(l.thumb, vertical))
                        : Span(l.track, vertical, Start(l.thumb, vertical) + Along(l.thumb, vertical),
                               Start(l.track, vertical) + Along(l.track, vertical));
        Fill(hdc, page, COLOR_3DDKSHADOW);
    }
    PaintButton(hdc, l.arrowLess, pressed == ScrollPart::ArrowLess);
    PaintArrowGlyph(hdc, l.arrowLess, vertical, true, pressed == ScrollPart::ArrowLess);
    PaintButton(hdc, l.arrowMore, pressed == ScrollPart::ArrowMore);
    PaintArrowGlyph(hdc, l.arrowMore, vertical, false, pressed == ScrollPart::ArrowMore);
    if (hasThumb) PaintButton(hdc, l.thumb, false);
}

// ---- WindowScrollBars ----

bool WindowScrollBars::Shown(HWND hwnd, int bar)
{
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    return (static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE)) & bit) != 0;
}

bool WindowScrollBars::Show(HWND hwnd, int bar, bool show)
{
    if (Shown(hwnd, bar) == show) return false;
    DWORD bit = bar == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
    DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(show ? style | bit : style & ~bit));
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return true;
}

RECT WindowScrollBars::BarRect(HWND hwnd, int bar)
{
    if (!Shown(hwnd, bar)) return RECT{0, 0, 0, 0};
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    if (bar == SB_VERT)
        return RECT{client.right, client.top, client.right + GetSystemMetrics(SM_CXVSCROLL), client.bottom};
    return RECT{client.left, client.bottom, client.right, client.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

void WindowScrollBars::Paint(HWND hwnd) const
{
    if (!Shown(hwnd, SB_VERT) && !Shown(hwnd, SB_HORZ)) return;
    HDC hdc = GetWindowDC(hwnd);
    if (!hdc) return;
    for (int bar : {SB_VERT, SB_HORZ}) {
        RECT r = BarRect(hwnd, bar);
        if (IsRectEmpty(&r)) continue;
        const ScrollModel& m = Model(bar);
        bool tracking = Tracking() && m_bar == bar;
        int thumbAt = tracking && m_part == ScrollPart::Thumb ? m.trackPos : m.pos;
        ScrollPart pressed = tracking && m_press.Pressed() ? m_part : ScrollPart::None;
        PaintScrollBar(hdc, r, bar == SB_VERT, m, thumbAt, pressed == ScrollPart::Thumb ? ScrollPart::None : pressed);
    }
    ReleaseDC(hwnd, hdc);
}

void WindowScrollBars::Invalidate(HWND hwnd)
{
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    for (int bar : {SB_VERT, SB_HORZ}) {
        RECT r = BarRect(hwnd, bar);
        if (IsRectEmpty(&r)) continue;
        // Client coordinates, outside the client area: only the frame is marked.
        OffsetRect(&r, window.left - origin.x, window.top - origin.y);
        HRGN rgn = CreateRectRgnIndirect(&r);
        RedrawWindow(hwnd, nullptr, rgn, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
        DeleteObject(rgn);
    }
}

ScrollLayout WindowScrollBars::Layout(HWND hwnd) const
{
    const ScrollModel& m = Model(m_bar);
    return LayoutScrollBar(BarRect(hwnd, m_bar), m_bar == SB_VERT, m, m.pos);
}

void WindowScrollBars::Send(HWND hwnd, WORD code, int pos) const
{
    UINT msg = m_bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    SendMessage(hwnd, msg, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
}

bool WindowScrollBars::OnNcLButtonDown(HWND hwnd, WPARAM hit, LPARAM screenPoint)
{
    int bar = static_cast<LRESULT>(hit) == HTVSCROLL ? SB_VERT : static_cast<LRESULT>(hit) == HTHSCROLL ? SB_HORZ : -1;
    if (bar < 0 || !Shown(hwnd, bar)) return false;
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT p{GET_X_LPARAM(screenPoint) - window.left, GET_Y_LPARAM(screenPoint) - window.top};
    m_bar = bar;
    ScrollLayout l = Layout(hwnd);
    ScrollPart part = HitScrollBar(l, p, bar == SB_VERT);
    if (part == ScrollPart::None) return true;
    m_part = part;
    m_press.Press();
    m_pointer = p;
    SetCapture(hwnd);
    ScrollModel& m = Model(bar);
    if (part == ScrollPart::Thumb) {
        m_grabOffset = (bar == SB_VERT ? p.y - l.thumb.top : p.x - l.thumb.left);
        m.trackPos = m.pos;
        Invalidate(hwnd);
        return true;
    }
    Step(hwnd);
    SetTimer(hwnd, kRepeatTimer, kFirstDelayMs, nullptr);
    Invalidate(hwnd);
    return true;
}

void WindowScrollBars::Step(HWND hwnd)
{
    switch (m_part) {
    case ScrollPart::ArrowLess: Send(hwnd, SB_LINEUP, 0); break;
    case ScrollPart::ArrowMore: Send(hwnd, SB_LINEDOWN, 0); break;
    case ScrollPart::PageLess:
    case ScrollPart::PageMore: {
        // Paging stops once the thumb reaches the pointer.
        ScrollLayout l = Layout(hwnd);
        if (HitScrollBar(l, m_pointer, m_bar == SB_VERT) != m_part) return;
        Send(hwnd, m_part == ScrollPart::PageLess ? SB_PAGEUP : SB_PAGEDOWN, 0);
        break;
    }
    default: break;
    }
}

bool WindowScrollBars::OnMouseMove(HWND hwnd, LPARAM clientPoint)
{
    if (!Tracking()) return false;
    RECT window{};
    GetWindowRect(hwnd, &window);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    POINT p{GET_X_LPARAM(clientPoint) + origin.x - window.left, GET_Y_LPARAM(clientPoint) + origin.y - window.top};
    m_pointer = p;
    ScrollModel& m = Model(m_bar);
    if (m_part == ScrollPart::Thumb) {
        ScrollLayout l = Layout(hwnd);
        int offset = (m_bar == SB_VERT ? p.y - l.track.top : p.x - l.track.left) - m_grabOffset;
        int pos = ScrollPosFromThumb(l, m_bar == SB_VERT, m, offset);
        if (pos != m.trackPos) {
            m.trackPos = pos;
            Send(hwnd, SB_THUMBTRACK, pos);
            Invalidate(hwnd);
        }
        return true;
    }
    ScrollLayout l = Layout(hwnd);
    if (m_press.Move(HitScrollBar(l, p, m_bar == SB_VERT) == m_part)) Invalidate(hwnd);
    return true;
}

bool WindowScrollBars::OnLButtonUp(HWND hwnd, LPARAM)
{
    // The part acted when pressed and while held; the release only ends it.
    if (m_press.Release() == PressEnd::None) return false;
    KillTimer(hwnd, kRepeatTimer);
    // A handler may destroy the window and these bars with it: from the first
    // send on only locals are read, and nothing is sent to a window that is gone.
    const UINT message = m_bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    const bool thumb = m_part == ScrollPart::Thumb;
    const WORD trackPos = static_cast<WORD>(Model(m_bar).trackPos);
    if (thumb) SendMessage(hwnd, message, MAKEWPARAM(SB_THUMBPOSITION, trackPos), 0);
    if (!IsWindow(hwnd)) return true;
    SendMessage(hwnd, message, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
    if (!IsWindow(hwnd)) return true;
    EndCapture(hwnd);
    Invalidate(hwnd);
    return true;
}

bool WindowScrollBars::OnTimer(HWND hwnd, WPARAM id)
{
    if (id != kRepeatTimer) return false;
    if (!Tracking() || m_part == ScrollPart::Thumb) {
        KillTimer(hwnd, kRepeatTimer);
        return true;
    }
    SetTimer(hwnd, kRepeatTimer, kRepeatMs, nullptr);
    if (m_press.Pressed()) Step(hwnd);
    return true;
}

void WindowScrollBars::OnCaptureChanged(HWND hwnd)
{
    if (m_press.Cancel() == PressEnd::None) return;
    KillTimer(hwnd, kRepeatTimer);
    Invalidate(hwnd);
}

} // namespace sys
