// Pens as the rasterizer sees them: a style, a width and a colour. The system
// tier maps its pen handles onto these.
#pragma once

#include "platform/gfx/Surface.h"

namespace gfx {

// The classic style values, so a system pen style converts by value.
enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };

struct Pen {
    // Wider pens are clamped (a width this large is a mistake, not a drawing).
    static constexpr int kMaxWidth = 4096;

    PenStyle style = PenStyle::Solid;
    int width = 1; // 0 or less draws one pixel wide
    Pixel color = 0;

    static Pen Solid(Pixel color, int width = 1) { return Pen{PenStyle::Solid, width, color}; }
    static Pen None() { return Pen{PenStyle::Null, 1, 0}; }

    bool IsNull() const { return style == PenStyle::Null; }
    int EffectiveWidth() const { return width < 1 ? 1 : (width > kMaxWidth ? kMaxWidth : width); }
    // Dashes and dots exist only for one-pixel pens; wider styled pens draw solid.
    bool IsStyled() const;
};

} // namespace gfx
