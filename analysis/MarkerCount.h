// Counting entry markers " - - " at memory speed.
#pragma once

#include <cstddef>

// Markers starting at positions from..last of text, where last = length - 5.
// Every occurrence is counted: two markers never start one byte apart (that
// would need a hyphen to be a space), so counting each occurrence is the same
// as a search that resumes two bytes after each hit.
std::size_t CountMarkersBetween(const char* text, std::ptrdiff_t length, std::ptrdiff_t from) noexcept;
