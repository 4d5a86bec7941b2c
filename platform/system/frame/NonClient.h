// The system's own frame: how styles turn a window rectangle into a client
// area, where the caption and its buttons sit, and what a point hits.
#pragma once

#include "platform/system/window/WinUser.h"

namespace sys {

struct Window;

struct FrameMetrics {
    int borderX = 0; // outer frame plus edges, each side
    int borderY = 0;
    int caption = 0; // height of the caption band, 0 without one
    int vscroll = 0;
    int hscroll = 0;
};

FrameMetrics FrameFor(DWORD style, DWORD exStyle);
// The client rectangle for a window rectangle (same coordinates); never inverted.
RECT ClientFromWindow(const RECT& window, DWORD style, DWORD exStyle);

// Caption parts in window coordinates; empty rectangles for absent parts.
// Painting and hit testing both read them, so what is drawn is what is hit.
struct CaptionLayout {
    RECT band{0, 0, 0, 0};
    RECT line{0, 0, 0, 0}; // the row under the band: painted as frame, hit as caption
    RECT icon{0, 0, 0, 0};
    RECT sysMenu{0, 0, 0, 0}; // where a press opens the system menu: the band's left end
    RECT title{0, 0, 0, 0};   // the caption text, between the icon and the buttons
    RECT close{0, 0, 0, 0};
    RECT maximize{0, 0, 0, 0};
    RECT minimize{0, 0, 0, 0};
};
CaptionLayout LayoutCaption(const Window& w);

// WM_NCHITTEST as the system answers it (screen point).
LRESULT DefaultHitTest(const Window& w, POINT screen);

} // namespace sys
