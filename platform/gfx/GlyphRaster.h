// Turning one glyph of a sized FreeType face into coverage, with the simulations the
// system applies when a face lacks the asked-for weight or slant.
#pragma once

#include "platform/gfx/Glyph.h"

#include <cstdint>
#include <vector>

struct FT_FaceRec_;

namespace gfx {

struct RasterOptions {
    bool emboldenPixel = false; // smear one pixel right and widen the advance by one
    bool oblique = false;       // shear outlines; bitmap strikes are skipped then
};

// Renders glyph index of face at its active size. False (out untouched) when FreeType
// cannot load or render it.
bool RasterizeGlyph(FT_FaceRec_* face, unsigned glyphIndex, const RasterOptions& options, Glyph& out,
                    std::vector<std::uint8_t>& pixels);

// An outlined box, the mark for characters no face can draw.
void MakeBoxGlyph(int advance, int ascent, Glyph& out, std::vector<std::uint8_t>& pixels);

// A solid diamond standing on the baseline, inside an advance of about advance pixels and
// the cell: the mark for bytes that are not text.
void MakeReplacementGlyph(int advance, int ascent, int descent, Glyph& out, std::vector<std::uint8_t>& pixels);

} // namespace gfx
