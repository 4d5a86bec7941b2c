// Where DrawText puts its lines: prefix marks taken out, lines split and wrapped,
// long lines shortened with an ellipsis. Kept apart from drawing so the layout
// can be checked with any measure.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace sys {

// Width in pixels of bytes.
using MeasureFn = std::function<int(const char* s, std::size_t n)>;

struct TextLine {
    std::string text; // what is drawn, ellipsis included
    int width = 0;
    // Underlined characters: byte offset in text and byte length.
    std::vector<std::pair<std::size_t, std::size_t>> underlined;
};

struct TextLayoutRequest {
    const char* text = nullptr;
    std::size_t length = 0;
    unsigned format = 0; // DT_* flags
    int maxWidth = 0;    // the rectangle's width, for word breaking and ellipses
};

// Lays the text out into lines. Never fails: bad bytes are kept as they are.
std::vector<TextLine> LayOutText(const TextLayoutRequest& request, const MeasureFn& measure);

// Removes "&" prefix marks: "&&" gives "&", "&x" gives x and records it as
// underlined (byte offset and length), a lone "&" at the end is dropped.
std::string StripPrefixes(const char* s, std::size_t n, std::vector<std::pair<std::size_t, std::size_t>>* marks);

} // namespace sys
