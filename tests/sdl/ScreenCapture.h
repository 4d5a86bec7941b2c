// Screenshots of a test X server, as 0x00RRGGBB surfaces.
#pragma once

#include "platform/gfx/Surface.h"
#include "tests/sdl/XvfbSession.h"

#include <functional>
#include <string>
#include <string_view>

namespace corvane::test {

// Reads a binary PPM (P6, maxval up to 65535); false for anything malformed.
bool ParsePpm(std::string_view bytes, gfx::Surface* out);

// The whole screen, taken with ImageMagick's `import -window root`.
bool CaptureScreen(const XvfbSession& session, gfx::Surface* out, std::string* error);

// Takes screenshots until `accept` is true or the time is up (the desktop
// shows what a client sent a moment later); returns the last one taken.
bool CaptureScreenUntil(const XvfbSession& session, const std::function<bool(const gfx::Surface&)>& accept,
                        gfx::Surface* out, int timeoutMs = 3000, const std::function<void()>& pump = nullptr);

} // namespace corvane::test
