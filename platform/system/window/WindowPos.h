// Positioning helpers shared by the system commands (internal).
#pragma once

#include "platform/gfx/Region.h"
#include "platform/system/window/WinUser.h"

#include <optional>

namespace sys {

void Minimize(HWND hwnd);
void Maximize(HWND hwnd);
void Restore(HWND hwnd);
// Replaces the window region (window coordinates); nullopt removes it.
void SetWindowRegion(HWND hwnd, std::optional<gfx::Region> region, bool redraw);
// Puts top-level windows in a consistent order: topmost ones first, owned
// windows above their owners.
void NormalizeTopLevelOrder();

} // namespace sys
