// Standard scroll bars: the range model, their geometry and painting, and the
// mouse tracking that turns arrow, page and thumb clicks into WM_VSCROLL and
// WM_HSCROLL for the window that owns them.
#pragma once

#include "platform/system/controls/PressTracker.h"
#include "platform/system/window/WinUser.h"

constexpr int SB_HORZ = 0;
constexpr int SB_VERT = 1;
constexpr int SB_CTL = 2;
constexpr int SB_BOTH = 3;

constexpr WORD SB_LINEUP = 0;
constexpr WORD SB_LINELEFT = 0;
constexpr WORD SB_LINEDOWN = 1;
constexpr WORD SB_LINERIGHT = 1;
constexpr WORD SB_PAGEUP = 2;
constexpr WORD SB_PAGELEFT = 2;
constexpr WORD SB_PAGEDOWN = 3;
constexpr WORD SB_PAGERIGHT = 3;
constexpr WORD SB_THUMBPOSITION = 4;
constexpr WORD SB_THUMBTRACK = 5;
constexpr WORD SB_TOP = 6;
constexpr WORD SB_LEFT = 6;
constexpr WORD SB_BOTTOM = 7;
constexpr WORD SB_RIGHT = 7;
constexpr WORD SB_ENDSCROLL = 8;

constexpr UINT SIF_RANGE = 0x0001;
constexpr UINT SIF_PAGE = 0x0002;
constexpr UINT SIF_POS = 0x0004;
constexpr UINT SIF_DISABLENOSCROLL = 0x0008;
constexpr UINT SIF_TRACKPOS = 0x0010;
constexpr UINT SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

struct SCROLLINFO {
    UINT cbSize;
    UINT fMask;
    int nMin;
    int nMax;
    UINT nPage;
    int nPos;
    int nTrackPos;
};
using LPSCROLLINFO = SCROLLINFO*;

namespace sys {

// Range min..max, a page of `page` units, the position in min..MaxPos().
struct ScrollModel {
    int min = 0;
    int max = 0;
    int page = 0;
    int pos = 0;
    int trackPos = 0;

    int MaxPos() const;
    void Set(int newMin, int newMax, int newPage, int newPos);
    // The position moved into the range.
    int ClampPos(long long p) const;
};

enum class ScrollPart { None, ArrowLess, PageLess, Thumb, PageMore, ArrowMore };

// The parts of one bar laid out in `bar`, the thumb drawn at thumbPos.
struct ScrollLayout {
    RECT arrowLess{0, 0, 0, 0};
    RECT arrowMore{0, 0, 0, 0};
    RECT track{0, 0, 0, 0}; // between the arrows
    RECT thumb{0, 0, 0, 0}; // empty when there is no room or nothing to scroll
};

ScrollLayout LayoutScrollBar(const RECT& bar, bool vertical, const ScrollModel& model, int thumbPos);
ScrollPart HitScrollBar(const ScrollLayout& layout, POINT p, bool vertical);
// The position whose thumb starts `offset` pixels into the track.
int ScrollPosFromThumb(const ScrollLayout& layout, bool vertical, const ScrollModel& model, int offset);
void PaintScrollBar(HDC hdc, const RECT& bar, bool vertical, const ScrollModel& model, int thumbPos,
                    ScrollPart pressed);

// The standard bars of one window, owned by that window's procedure: shown
// through WS_VSCROLL/WS_HSCROLL in the non-client area the system reserves,
// painted after the frame, tracked with the mouse captured.
class WindowScrollBars {
public:
    static constexpr UINT_PTR kRepeatTimer = 0xC5B1;
    static constexpr UINT kFirstDelayMs = 400;
    static constexpr UINT kRepeatMs = 50;

    ScrollModel& Model(int bar) { return bar == SB_VERT ? m_vert : m_horz; }
    const ScrollModel& Model(int bar) const { return bar == SB_VERT ? m_vert : m_horz; }

    // Sets the style bit and recomputes the frame when the visibility changes.
    // Returns true when it changed.
    static bool Show(HWND hwnd, int bar, bool show);
    static bool Shown(HWND hwnd, int bar);
    // The bar's rectangle in window coordinates; empty when hidden.
    static RECT BarRect(HWND hwnd, int bar);

    void Paint(HWND hwnd) const;
    // Marks the bars for repainting with the next non-client paint.
    static void Invalidate(HWND hwnd);

    // Message handlers; each returns true when it used the message.
    bool OnNcLButtonDown(HWND hwnd, WPARAM hit, LPARAM screenPoint);
    bool OnMouseMove(HWND hwnd, LPARAM clientPoint);
    bool OnLButtonUp(HWND hwnd, LPARAM clientPoint);
    bool OnTimer(HWND hwnd, WPARAM id);
    void OnCaptureChanged(HWND hwnd);
    bool Tracking() const { return m_press.Held(); }
    // During a thumb drag: the bar and position being tracked.
    bool ThumbTracking(int bar) const { return Tracking() && m_part == ScrollPart::Thumb && m_bar == bar; }

private:
    void Step(HWND hwnd);
    void Send(HWND hwnd, WORD code, int pos) const;
    ScrollLayout Layout(HWND hwnd) const;

    ScrollModel m_vert;
    ScrollModel m_horz;
    PressTracker m_press;                 // pressed while the pointer is over m_part
    ScrollPart m_part = ScrollPart::None; // the part pressed, while m_press is held
    int m_bar = SB_VERT;
    int m_grabOffset = 0;  // pointer offset into the thumb
    POINT m_pointer{0, 0}; // last pointer, window coordinates
};

} // namespace sys
