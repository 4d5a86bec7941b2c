// Measuring code page 936 text in a font, by the same advances drawing uses.
#pragma once

#include "platform/gfx/Font.h"

#include <cstddef>
#include <vector>

namespace gfx {

struct TextSize {
    int cx = 0; // sum of the advances
    int cy = 0; // the cell height, tmHeight
};

// Extent of bytes as the system reports it: cy is the cell height even for empty text.
TextSize MeasureText(Font& font, const char* s, std::size_t n);

// ends[i] is the width of the text up to and including the character that holds byte i,
// so a caret may sit at 0 or at ends[i] of a character's last byte. ends gets n entries.
void CharacterEnds(Font& font, const char* s, std::size_t n, std::vector<int>& ends);

// How many leading bytes fit in maxWidth without splitting a character.
std::size_t BytesFitting(Font& font, const char* s, std::size_t n, int maxWidth);

} // namespace gfx
