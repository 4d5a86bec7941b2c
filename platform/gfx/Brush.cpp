#include "platform/gfx/Brush.h"

#include "platform/gfx/Pen.h"

namespace gfx {

Brush Brush::FromBits(const std::uint8_t rows[8], Pixel zeroColor, Pixel oneColor)
{
    Brush b{BrushStyle::Pattern, zeroColor, {}};
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            b.pattern[y * 8 + x] = (rows[y] >> (7 - x)) & 1 ? oneColor : zeroColor;
    return b;
}

bool Pen::IsStyled() const
{
    return EffectiveWidth() == 1 && (style == PenStyle::Dash || style == PenStyle::Dot || style == PenStyle::DashDot ||
                                     style == PenStyle::DashDotDot);
}

} // namespace gfx
