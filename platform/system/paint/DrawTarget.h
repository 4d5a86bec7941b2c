// The seam between the window manager and device contexts: where a window's
// pixels live and which of them it may touch.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"
#include "platform/system/window/Handles.h"

namespace sys {

struct DrawTarget {
    gfx::Surface* surface = nullptr; // the top-level window's surface
    POINT origin{0, 0};              // surface position of the DC's (0, 0)
    gfx::Region clip;                // visible pixels, in surface coordinates
};

// Window manager side: the whole window (wholeWindow) or its client area, clipped
// to what is visible (inside the parent's client area, less siblings above it,
// inside its window region). False for an invalid or hidden window.
bool GetWindowDrawTarget(HWND hwnd, bool wholeWindow, DrawTarget* out);

// Tells the window manager that pixels of a top-level surface changed, so the
// backend presents them (surface coordinates).
void MarkSurfaceDirty(gfx::Surface* surface, const RECT& rect);

// Device-context side: a DC drawing into a window, optionally clipped further
// (paint DCs clip to the update region, in surface coordinates).
HDC CreateWindowDC(HWND hwnd, bool wholeWindow, const gfx::Region* extraClip);
void DestroyWindowDC(HDC hdc);

} // namespace sys
