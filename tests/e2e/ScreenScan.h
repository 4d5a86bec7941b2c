// Reading a screenshot of the program the way a person looks at it: coloured
// row bands, lines of text, the black borders of a list, the tabs of a strip.
// Coordinates are the surface's own.
#pragma once

#include "platform/base/Geometry.h"
#include "platform/gfx/Surface.h"

#include <string>
#include <vector>

namespace corvane::test {

// Row backgrounds of a crawler list, by HTTP status.
enum class Shade { Green, Red, Yellow };
constexpr gfx::Pixel kGreenRow = 0x64FF64;  // 200
constexpr gfx::Pixel kRedRow = 0xFF0000;    // 404
constexpr gfx::Pixel kYellowRow = 0xFFFF00; // anything else

// A caption button's square: maximize and minimize olive, close and help red-orange, swapped under the pointer.
constexpr gfx::Pixel kOliveSquare = 0x9FAF7F;
constexpr gfx::Pixel kRedSquare = 0xE74D18;

struct Band {
    Shade shade;
    int top;    // first row
    int bottom; // one past the last row
};

// Runs of rows of `area` in which at least half the pixels show one status
// colour; runs shorter than minHeight (a stray gradient row) are left out.
std::vector<Band> StatusBands(const gfx::Surface& s, const CRect& area, int minHeight = 5);
// "green red yellow" for messages and comparisons.
std::string Names(const std::vector<Band>& bands);

struct Span {
    int from; // first
    int to;   // one past the last
};

// Runs of rows of `area` holding dark (text) pixels; gaps of up to `gap` rows join runs.
std::vector<Span> TextLines(const gfx::Surface& s, const CRect& area, int gap = 1);
// Whether column x is black from row top to row bottom - 1.
bool BlackColumn(const gfx::Surface& s, int x, int top, int bottom);
// The rightmost column of `area` that is black in every row of it; -1 when none.
int RightmostBlackColumn(const gfx::Surface& s, const CRect& area);
// The rows of the black vertical line through (x, y): where the list's border runs.
Span BlackRunThrough(const gfx::Surface& s, int x, int y);
// White runs of at least minLength pixels on rows top to bottom - 1 between x0
// and x1, runs of different rows that overlap joined, from left to right: the
// highlighted top edges of the items of a tab strip.
std::vector<Span> WhiteRuns(const gfx::Surface& s, int top, int bottom, int x0, int x1, int minLength);
// Pixels that differ between two surfaces of one size; -1 when the sizes differ.
int DifferentPixels(const gfx::Surface& a, const gfx::Surface& b);
// Pixels of colour p.
int CountPixels(const gfx::Surface& s, gfx::Pixel p);

} // namespace corvane::test
