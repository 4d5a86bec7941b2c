// What a caller asks a font to be (the meaning of the system's logical font) and what
// the resolved font reports back (the meaning of its text metrics).
#pragma once

#include "platform/base/WinDef.h"

#include <cstddef>
#include <string>

namespace gfx {

// Screen resolution fonts are made for: a point is 96/72 pixels.
constexpr int kScreenDpi = 96;

struct FontRequest {
    // > 0: cell height (ascent + descent) in pixels; < 0: character height (the em, cell
    // less internal leading); 0: the default, a 12-pixel character height.
    int height = 0;
    // Average character width in pixels (a negative width counts by its size); 0 lets the
    // mapper keep the face's proportions.
    int width = 0;
    // 0 (don't care) means normal, 400; 700 is bold.
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    // Code page 936 bytes, as the program names faces ("宋体", "Arial"). Empty picks the
    // system's default face.
    std::string faceName;

    bool operator==(const FontRequest&) const = default;
};

struct FontRequestHash {
    std::size_t operator()(const FontRequest& s) const noexcept;
};

// Height for a point size at the screen resolution: -MulDiv(points, 96, 72).
int HeightFromPoints(int points);

// The stock fonts of this system, which speaks code page 936: the GUI font is 9-point
// 宋体; the system font is the same face with a 16-pixel cell.
FontRequest DefaultGuiFontRequest();
FontRequest SystemFontRequest();

// Field names and meanings follow the system's text metrics, in pixels.
struct TextMetrics {
    LONG tmHeight = 0; // tmAscent + tmDescent
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0; // tmHeight less the em
    LONG tmExternalLeading = 0;
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
    LONG tmWeight = 0;
    LONG tmOverhang = 0;
    LONG tmDigitizedAspectX = kScreenDpi;
    LONG tmDigitizedAspectY = kScreenDpi;
    BYTE tmFirstChar = 0x20;
    BYTE tmLastChar = 0xFF;
    BYTE tmDefaultChar = 0x1F;
    BYTE tmBreakChar = 0x20;
    BYTE tmItalic = 0;
    BYTE tmUnderlined = 0;
    BYTE tmStruckOut = 0;
    BYTE tmPitchAndFamily = 0;
    BYTE tmCharSet = 0;
};

// Bits of tmPitchAndFamily. Note the system's inverted sense: the "fixed pitch" bit set
// means a variable-pitch font.
constexpr BYTE kTmpfFixedPitch = 0x01;
constexpr BYTE kTmpfVector = 0x02;
constexpr BYTE kTmpfTrueType = 0x04;
constexpr BYTE kFamilyRoman = 0x10;
constexpr BYTE kFamilySwiss = 0x20;
constexpr BYTE kFamilyModern = 0x30;

constexpr BYTE kAnsiCharset = 0;
constexpr BYTE kGb2312Charset = 134;

} // namespace gfx
