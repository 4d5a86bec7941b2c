// Text through a DC: the selected font and one run of text in the DC's colours.
#pragma once

#include "platform/gfx/Font.h"
#include "platform/system/paint/DcState.h"

#include <cstddef>

namespace sys {

// The DC's font, falling back to the system font; null only for a bad DC.
gfx::Font* CurrentFont(const DcObject& dc);

// Draws bytes with the top-left of the first cell at logical (x, y) in color,
// inside clip (logical; null for no clip beyond the DC's). An opaque run
// first fills its cell box with the background colour.
void DrawRun(const DcCanvas& canvas, gfx::Font& font, int x, int y, const char* s, std::size_t n, COLORREF color,
             const RECT* clip, bool opaque);

// Width of bytes in the font.
int RunWidth(gfx::Font& font, const char* s, std::size_t n);

} // namespace sys
