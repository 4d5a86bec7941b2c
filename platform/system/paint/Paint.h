// Update regions and the painting cycle (internal to the system tier).
#pragma once

#include "platform/gfx/Region.h"
#include "platform/system/window/WinUser.h"

#include <functional>

namespace sys {

// The next window that waits for painting, parent before children. Frame-only
// updates are painted on the spot (WM_NCPAINT); a client update gives WM_PAINT.
bool TakePaintMessage(const std::function<bool(HWND)>& accept, MSG* out);
// After WM_PAINT was dispatched: an update the procedure left alone is dropped,
// so a window that never calls BeginPaint cannot starve the queue.
void FinishPaintMessage(HWND hwnd);
// Invalidates or validates an area of the window (window coordinates; null
// for the whole window) with RDW_* flags, children by the usual rules.
void RedrawArea(HWND hwnd, const gfx::Region* area, UINT flags);
// The region being painted by a BeginPaint DC (surface coordinates), if any.
const gfx::Region* PaintRegionOf(HDC hdc);
// Drops a top-level surface's pending presentation.
void ForgetPaintState(HWND hwnd);

} // namespace sys
