// Pixels of a test X server read straight from it (XGetImage): a few
// milliseconds for a strip, fast enough to watch a page slide in on a 10 ms
// timer, where a screenshot program takes more than half a second.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/gfx/Surface.h"

#include <string>

namespace corvane::test {

class ScreenGrabber {
public:
    explicit ScreenGrabber(const std::string& display);
    ~ScreenGrabber();
    ScreenGrabber(const ScreenGrabber&) = delete;
    ScreenGrabber& operator=(const ScreenGrabber&) = delete;

    bool Ok() const { return m_display != nullptr; }
    int ScreenWidth() const { return m_width; }
    int ScreenHeight() const { return m_height; }
    // The screen rectangle (clipped to the screen) as 0x00RRGGBB pixels.
    bool Grab(const CRect& rect, gfx::Surface* out);
    bool GrabScreen(gfx::Surface* out) { return Grab(CRect(0, 0, m_width, m_height), out); }

private:
    void* m_display = nullptr; // Display*, kept out of this header with the rest of Xlib
    int m_width = 0;
    int m_height = 0;
};

} // namespace corvane::test
