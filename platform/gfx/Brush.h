// Brushes as the rasterizer sees them: solid, hollow, or an 8x8 pattern that
// repeats from the painter's brush origin.
#pragma once

#include "platform/gfx/Surface.h"

#include <array>
#include <cstdint>

namespace gfx {

enum class BrushStyle { Solid, Null, Pattern };

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    Pixel color = 0xFFFFFF;
    std::array<Pixel, 64> pattern{}; // row-major 8x8, used by Pattern brushes

    static Brush Solid(Pixel color) { return Brush{BrushStyle::Solid, color, {}}; }
    static Brush None() { return Brush{BrushStyle::Null, 0, {}}; }
    static Brush FromPattern(const std::array<Pixel, 64>& pixels) { return Brush{BrushStyle::Pattern, 0, pixels}; }
    // A monochrome pattern: eight rows of bits, the leftmost pixel in the high
    // bit; 0 bits take zeroColor and 1 bits oneColor.
    static Brush FromBits(const std::uint8_t rows[8], Pixel zeroColor, Pixel oneColor);

    bool IsNull() const { return style == BrushStyle::Null; }
    // The brush's pixel at (x, y) relative to the brush origin.
    Pixel At(int x, int y) const { return style == BrushStyle::Pattern ? pattern[(y & 7) * 8 + (x & 7)] : color; }
};

} // namespace gfx
