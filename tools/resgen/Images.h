// The pictures the program ships, drawn from shapes.
#pragma once

#include "platform/gfx/Surface.h"

namespace resgen {

enum class CaptionGlyph { Close, Help, Maximize, Restore, Minimize };
enum class CaptionSquare { RedOrange, OliveGreen };

// The caption buttons' squares and the frame band they sit on.
constexpr gfx::Pixel kRedOrange = 0xE74D18;  // RGB(231, 77, 24)
constexpr gfx::Pixel kOliveGreen = 0x9FAF7F; // RGB(159, 175, 127)
constexpr gfx::Pixel kFrameBand = 0xBBC88F;  // RGB(187, 200, 143)

constexpr int kCaptionWidth = 16;
constexpr int kCaptionHeight = 15;
constexpr int kIconSide = 48;
constexpr int kTabPicture = 24;
constexpr int kTabPictureCount = 7;

// A white glyph on an opaque square, 16 x 15.
gfx::Surface DrawCaptionButton(CaptionGlyph glyph, CaptionSquare square);
// The application icon, 48 x 48 with straight alpha.
gfx::Surface DrawAppIcon();
// Seven 24 x 24 pictures side by side, one per tab: all lines, then the six crawlers.
gfx::Surface DrawTabStrip();

} // namespace resgen
