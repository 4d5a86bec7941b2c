// A region: a set of pixels stored as y-x banded, non-overlapping rectangles.
// Rows are grouped in bands (same top and bottom), each band's rectangles are
// sorted by x and never touch; vertically adjacent bands with the same spans
// are merged, so two regions covering the same pixels compare equal.
#pragma once

#include "platform/base/Geometry.h"

#include <vector>

namespace gfx {

// The combine modes of the system interface (RGN_AND .. RGN_COPY keep their values).
enum class RegionOp { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

class Region {
public:
    // Coordinates are clamped to +-kCoordLimit so widths and offsets never overflow.
    static constexpr int kCoordLimit = 1 << 27;

    Region() = default;
    // An empty or inverted rectangle gives the empty region.
    explicit Region(const RECT& r);
    Region(int left, int top, int right, int bottom) : Region(RECT{left, top, right, bottom}) {}

    // The rounded rectangle the system's CreateRoundRectRgn makes: like every
    // region it excludes the right column and the bottom row of its box (it is
    // the shape a rounded rectangle drawn without outline fills), with each
    // corner cut by a quarter of an ellipseWidth x ellipseHeight ellipse.
    static Region RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
    // The elliptic region of CreateEllipticRgn (right and bottom excluded the same way).
    static Region Ellipse(int left, int top, int right, int bottom);

    bool IsEmpty() const { return m_rects.empty(); }
    // One rectangle (the system's SIMPLEREGION).
    bool IsRect() const { return m_rects.size() == 1; }
    // The smallest rectangle holding the region; empty (0,0,0,0) for the empty region.
    CRect Bounds() const { return m_bounds; }
    // The banded rectangles, top to bottom, left to right within a band.
    const std::vector<CRect>& Rects() const { return m_rects; }

    bool Contains(int x, int y) const;
    bool Contains(POINT p) const { return Contains(p.x, p.y); }
    // True when any pixel of r lies in the region.
    bool Intersects(const RECT& r) const;

    void Offset(int dx, int dy);
    void Clear();

    Region Union(const Region& other) const { return Combine(*this, other, RegionOp::Or); }
    Region Intersect(const Region& other) const { return Combine(*this, other, RegionOp::And); }
    Region Subtract(const Region& other) const { return Combine(*this, other, RegionOp::Diff); }
    Region Xor(const Region& other) const { return Combine(*this, other, RegionOp::Xor); }
    static Region Combine(const Region& a, const Region& b, RegionOp op);

    bool operator==(const Region& o) const;
    bool operator!=(const Region& o) const { return !(*this == o); }

    // Builds a region row by row from one span [left, right) per row; rows
    // with an empty span are skipped. Used by the shape constructors.
    static Region FromRowSpans(int top, const std::vector<int>& lefts, const std::vector<int>& rights);

private:
    void AppendBand(int top, int bottom, const int* spans, std::size_t spanCount);
    void UpdateBounds();

    std::vector<CRect> m_rects;
    CRect m_bounds;
};

} // namespace gfx
