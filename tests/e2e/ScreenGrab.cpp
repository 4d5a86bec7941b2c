// Kept apart: Xlib's headers define names (None, Bool, Status) that clash with the layer's.
#include "tests/e2e/ScreenGrab.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>

namespace corvane::test {

namespace {

Display* Dpy(void* d)
{
    return static_cast<Display*>(d);
}

// Where a mask's lowest bit sits and how many bits it has.
void MaskShape(unsigned long mask, int* shift, int* bits)
{
    *shift = 0;
    *bits = 0;
    if (!mask) return;
    while (!(mask & 1)) {
        mask >>= 1;
        ++*shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++*bits;
    }
}

// One colour channel of the image's pixels, scaled to 8 bits.
struct ChannelReader {
    unsigned long mask = 0;
    int shift = 0;
    unsigned long max = 0;
    explicit ChannelReader(unsigned long m) : mask(m)
    {
        int bits = 0;
        MaskShape(m, &shift, &bits);
        max = bits ? (1ul << bits) - 1 : 0;
    }
    unsigned operator()(unsigned long pixel) const
    {
        if (!max) return 0;
        return static_cast<unsigned>((((pixel & mask) >> shift) * 255 + max / 2) / max);
    }
};

} // namespace

ScreenGrabber::ScreenGrabber(const std::string& display)
{
    Display* d = XOpenDisplay(display.c_str());
    if (!d) return;
    m_display = d;
    m_width = DisplayWidth(d, DefaultScreen(d));
    m_height = DisplayHeight(d, DefaultScreen(d));
}

ScreenGrabber::~ScreenGrabber()
{
    if (m_display) XCloseDisplay(Dpy(m_display));
}

bool ScreenGrabber::Grab(const CRect& rectIn, gfx::Surface* out)
{
    if (!m_display) return false;
    CRect rect = rectIn;
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, m_width);
    rect.bottom = std::min<LONG>(rect.bottom, m_height);
    if (rect.IsRectEmpty()) return false;
    Display* d = Dpy(m_display);
    XImage* image = XGetImage(d, DefaultRootWindow(d), rect.left, rect.top, static_cast<unsigned>(rect.Width()),
                              static_cast<unsigned>(rect.Height()), AllPlanes, ZPixmap);
    if (!image) return false;
    ChannelReader red(image->red_mask), green(image->green_mask), blue(image->blue_mask);
    gfx::Surface surface(rect.Width(), rect.Height());
    for (int y = 0; y < rect.Height(); ++y) {
        gfx::Pixel* row = surface.Row(y);
        for (int x = 0; x < rect.Width(); ++x) {
            unsigned long p = XGetPixel(image, x, y);
            row[x] = (red(p) << 16) | (green(p) << 8) | blue(p);
        }
    }
    XDestroyImage(image);
    *out = std::move(surface);
    return true;
}

} // namespace corvane::test
