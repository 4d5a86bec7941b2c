// Ternary raster operations: the result of a blit as a bitwise function of
// pattern (P), source (S) and destination (D). The code's index byte is that
// function's truth table, read for P = 0xF0, S = 0xCC, D = 0xAA. Raster
// operations write colour only: the destination keeps its high (alpha) byte.
#pragma once

#include "platform/gfx/Surface.h"

#include <cstdint>

namespace gfx {

using RopCode = std::uint32_t;

constexpr RopCode kSrcCopy = 0x00CC0020;
constexpr RopCode kSrcPaint = 0x00EE0086;   // S | D
constexpr RopCode kSrcAnd = 0x008800C6;     // S & D
constexpr RopCode kSrcInvert = 0x00660046;  // S ^ D
constexpr RopCode kSrcErase = 0x00440328;   // S & ~D
constexpr RopCode kNotSrcCopy = 0x00330008; // ~S
constexpr RopCode kMergePaint = 0x00BB0226; // ~S | D
constexpr RopCode kPatCopy = 0x00F00021;
constexpr RopCode kPatInvert = 0x005A0049; // P ^ D
constexpr RopCode kDstInvert = 0x00550009;
constexpr RopCode kBlackness = 0x00000042;
constexpr RopCode kWhiteness = 0x00FF0062;

constexpr std::uint8_t RopIndex(RopCode rop)
{
    return static_cast<std::uint8_t>((rop >> 16) & 0xFF);
}
// Whether the operation reads the source or the pattern at all.
constexpr bool RopUsesSource(RopCode rop)
{
    std::uint8_t i = RopIndex(rop);
    return ((i >> 2) & 0x33) != (i & 0x33);
}
constexpr bool RopUsesPattern(RopCode rop)
{
    std::uint8_t i = RopIndex(rop);
    return (i >> 4) != (i & 0x0F);
}

constexpr Pixel ApplyRop(std::uint8_t index, Pixel p, Pixel s, Pixel d)
{
    Pixel r = 0;
    for (int bit = 0; bit < 8; ++bit) {
        if (!((index >> bit) & 1)) continue;
        Pixel pp = (bit & 4) ? p : ~p;
        Pixel ss = (bit & 2) ? s : ~s;
        Pixel dd = (bit & 1) ? d : ~d;
        r |= pp & ss & dd;
    }
    return (r & 0x00FFFFFF) | (d & 0xFF000000);
}

} // namespace gfx
