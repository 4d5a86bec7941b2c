// Drawing code page 936 text: glyph coverage blended into a surface in one colour.
#pragma once

#include "platform/base/Color.h"
#include "platform/base/Geometry.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/Region.h"
#include "platform/gfx/Surface.h"

#include <cstddef>

namespace gfx {

// Draws bytes with the top-left of the first character cell at (x, y): the baseline lies
// tmAscent below y and each character moves the pen by its advance, as MeasureText counts.
// Coverage is blended in color; underline and strike-out follow the font and span the
// advances. Only pixels inside clip and the surface change. A byte that starts no valid
// character draws the replacement mark and the text goes on.
void DrawString(Surface& surface, const RECT& clip, int x, int y, Font& font, const char* s, std::size_t n,
                COLORREF color);

// The same, clipped to a region.
void DrawString(Surface& surface, const Region& clip, int x, int y, Font& font, const char* s, std::size_t n,
                COLORREF color);

} // namespace gfx
