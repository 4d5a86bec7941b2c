// The staircase of a rounded corner, shared by rounded-rectangle regions and
// the RoundRect and Ellipse primitives so a window shaped by a region and a
// frame drawn over it agree pixel for pixel.
#pragma once

namespace gfx {

// A corner ellipse of width x height pixels, seen from a box edge. Pixels sit on
// the integer lattice; the ellipse passes through the centres of the edge pixels
// of its width x height box, widened by 0.3 pixel so that small ellipses keep
// the classic steps (3x3 and 5x5 lose only the corner pixel, 7x7 loses 2+1).
class RoundCorner {
public:
    // Sizes are clamped to the box (boxWidth x boxHeight) and to 32767, the system's region limit.
    RoundCorner(int width, int height, int boxWidth, int boxHeight);

    // Rows from the box's top (and, mirrored, from its bottom) that are cut.
    int Rows() const { return m_rows; }
    // Pixels cut at each end of row `row` (counted from the nearer horizontal box edge).
    int Inset(int row) const;

private:
    int m_diamX = 0; // ellipse width - 1: lattice distance between its leftmost and rightmost pixels
    int m_diamY = 0;
    int m_rows = 0;
};

} // namespace gfx
