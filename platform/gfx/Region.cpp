#include "platform/gfx/Region.h"

#include "platform/gfx/RoundCorner.h"

#include <algorithm>
#include <cstdint>

namespace gfx {

namespace {

int ClampCoord(std::int64_t v)
{
    return static_cast<int>(std::clamp<std::int64_t>(v, -Region::kCoordLimit, Region::kCoordLimit));
}

// One band of a banded rectangle list: rects [begin, end) share top and bottom.
struct BandView {
    std::size_t begin;
    std::size_t end;
};

std::size_t BandEnd(const std::vector<CRect>& rects, std::size_t begin)
{
    std::size_t end = begin + 1;
    while (end < rects.size() && rects[end].top == rects[begin].top)
        ++end;
    return end;
}

bool Keep(RegionOp op, bool inA, bool inB)
{
    switch (op) {
    case RegionOp::And: return inA && inB;
    case RegionOp::Or: return inA || inB;
    case RegionOp::Xor: return inA != inB;
    case RegionOp::Diff: return inA && !inB;
    case RegionOp::Copy: return inA;
    }
    return false;
}

// Combines two sorted, disjoint span lists (pairs of left, right) into `out`.
void CombineSpans(const std::vector<CRect>& ra, BandView a, const std::vector<CRect>& rb, BandView b, RegionOp op,
                  std::vector<int>& out)
{
    out.clear();
    std::size_t i = a.begin, j = b.begin;
    bool inA = false, inB = false, inOut = false;
    while (true) {
        // The next x where membership in A or B changes.
        constexpr int kNone = Region::kCoordLimit + 1;
        int xa = i < a.end ? (inA ? ra[i].right : ra[i].left) : kNone;
        int xb = j < b.end ? (inB ? rb[j].right : rb[j].left) : kNone;
        int x = std::min(xa, xb);
        if (x == kNone) break;
        if (xa == x) {
            if (inA) ++i;
            inA = !inA;
        }
        if (xb == x) {
            if (inB) ++j;
            inB = !inB;
        }
        bool keep = Keep(op, inA, inB);
        if (keep != inOut) {
            // Touching spans merge: reopening at the x just closed extends the last span.
            if (keep && !out.empty() && out.back() == x)
                out.pop_back();
            else
                out.push_back(x);
            inOut = keep;
        }
    }
}

} // namespace

Region::Region(const RECT& r)
{
    CRect c(ClampCoord(r.left), ClampCoord(r.top), ClampCoord(r.right), ClampCoord(r.bottom));
    if (c.IsRectEmpty()) return;
    m_rects.push_back(c);
    m_bounds = c;
}

void Region::AppendBand(int top, int bottom, const int* spans, std::size_t spanCount)
{
    if (spanCount == 0 || bottom <= top) return;
    // Merge with the previous band when it ends here with the same spans.
    if (!m_rects.empty() && m_rects.back().bottom == top) {
        std::size_t prevBegin = m_rects.size();
        int prevTop = m_rects.back().top;
        while (prevBegin > 0 && m_rects[prevBegin - 1].top == prevTop)
            --prevBegin;
        std::size_t prevCount = m_rects.size() - prevBegin;
        if (prevCount * 2 == spanCount) {
            bool same = true;
            for (std::size_t k = 0; k < prevCount && same; ++k)
                same = m_rects[prevBegin + k].left == spans[2 * k] && m_rects[prevBegin + k].right == spans[2 * k + 1];
            if (same) {
                for (std::size_t k = prevBegin; k < m_rects.size(); ++k)
                    m_rects[k].bottom = bottom;
                return;
            }
        }
    }
    for (std::size_t k = 0; k + 1 < spanCount; k += 2)
        m_rects.emplace_back(spans[k], top, spans[k + 1], bottom);
}

void Region::UpdateBounds()
{
    if (m_rects.empty()) {
        m_bounds = CRect();
        return;
    }
    CRect b(m_rects.front().left, m_rects.front().top, m_rects.front().right, m_rects.back().bottom);
    for (const CRect& r : m_rects) {
        b.left = std::min(b.left, r.left);
        b.right = std::max(b.right, r.right);
    }
    m_bounds = b;
}

Region Region::Combine(const Region& a, const Region& b, RegionOp op)
{
    if (op == RegionOp::Copy) return a;
    Region result;
    const std::vector<CRect>& ra = a.m_rects;
    const std::vector<CRect>& rb = b.m_rects;
    std::size_t ia = 0, ib = 0;
    std::vector<int> spans;
    // Sweep down through every y where either region's bands start or end.
    int y =
        std::min(ra.empty() ? Region::kCoordLimit : ra.front().top, rb.empty() ? Region::kCoordLimit : rb.front().top);
    while (ia < ra.size() || ib < rb.size()) {
        // Drop bands that end at or above y.
        while (ia < ra.size() && ra[ia].bottom <= y)
            ia = BandEnd(ra, ia);
        while (ib < rb.size() && rb[ib].bottom <= y)
            ib = BandEnd(rb, ib);
        if (ia >= ra.size() && ib >= rb.size()) break;
        bool aActive = ia < ra.size() && ra[ia].top <= y;
        bool bActive = ib < rb.size() && rb[ib].top <= y;
        // The slab [y, next) where the set of active bands does not change.
        int next = Region::kCoordLimit + 1;
        if (ia < ra.size()) next = std::min<int>(next, aActive ? ra[ia].bottom : ra[ia].top);
        if (ib < rb.size()) next = std::min<int>(next, bActive ? rb[ib].bottom : rb[ib].top);
        if (aActive || bActive) {
            BandView va{ia, aActive ? BandEnd(ra, ia) : ia};
            BandView vb{ib, bActive ? BandEnd(rb, ib) : ib};
            CombineSpans(ra, va, rb, vb, op, spans);
            result.AppendBand(y, next, spans.data(), spans.size());
        }
        y = next;
    }
    result.UpdateBounds();
    return result;
}

Region Region::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    // Regions leave out the right column and bottom row, as a rounded
    // rectangle filled without an outline does.
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    int l = ClampCoord(left), t = ClampCoord(top), r = ClampCoord(std::int64_t(right) - 1),
        b = ClampCoord(std::int64_t(bottom) - 1);
    Region result;
    if (r <= l || b <= t) return result;
    RoundCorner corner(ellipseWidth, ellipseHeight, r - l, b - t);
    int rows = std::min(corner.Rows(), (b - t + 1) / 2);
    auto band = [&](int y0, int y1, int inset) {
        int spans[2] = {l + inset, r - inset};
        if (spans[0] < spans[1]) result.AppendBand(y0, y1, spans, 2);
    };
    for (int i = 0; i < rows; ++i)
        band(t + i, t + i + 1, corner.Inset(i));
    band(t + rows, b - rows, 0);
    for (int i = rows - 1; i >= 0; --i)
        band(b - 1 - i, b - i, corner.Inset(i));
    result.UpdateBounds();
    return result;
}

Region Region::Ellipse(int left, int top, int right, int bottom)
{
    std::int64_t w = std::abs(std::int64_t(right) - left), h = std::abs(std::int64_t(bottom) - top);
    return RoundRect(left, top, right, bottom, static_cast<int>(std::min<std::int64_t>(w, kCoordLimit)),
                     static_cast<int>(std::min<std::int64_t>(h, kCoordLimit)));
}

Region Region::FromRowSpans(int top, const std::vector<int>& lefts, const std::vector<int>& rights)
{
    Region result;
    std::size_t n = std::min(lefts.size(), rights.size());
    for (std::size_t i = 0; i < n; ++i) {
        int y = ClampCoord(std::int64_t(top) + static_cast<std::int64_t>(i));
        int spans[2] = {ClampCoord(lefts[i]), ClampCoord(rights[i])};
        if (spans[0] < spans[1] && y < kCoordLimit) result.AppendBand(y, y + 1, spans, 2);
    }
    result.UpdateBounds();
    return result;
}

bool Region::Contains(int x, int y) const
{
    if (!m_bounds.PtInRect(CPoint(x, y))) return false;
    // Bands are sorted by top: find the first rect whose bottom is below y.
    auto it = std::partition_point(m_rects.begin(), m_rects.end(), [y](const CRect& r) { return r.bottom <= y; });
    for (; it != m_rects.end() && it->top <= y; ++it)
        if (x >= it->left && x < it->right) return true;
    return false;
}

bool Region::Intersects(const RECT& r) const
{
    CRect c(r);
    if (c.IsRectEmpty()) return false;
    auto it = std::partition_point(m_rects.begin(), m_rects.end(), [&](const CRect& q) { return q.bottom <= c.top; });
    for (; it != m_rects.end() && it->top < c.bottom; ++it)
        if (it->left < c.right && it->right > c.left) return true;
    return false;
}

void Region::Offset(int dx, int dy)
{
    if (m_rects.empty()) return;
    // Clamping could squash rectangles together; keep the shape by limiting the move instead.
    std::int64_t mdx = std::clamp<std::int64_t>(dx, -kCoordLimit - std::int64_t(m_bounds.left),
                                                kCoordLimit - std::int64_t(m_bounds.right));
    std::int64_t mdy = std::clamp<std::int64_t>(dy, -kCoordLimit - std::int64_t(m_bounds.top),
                                                kCoordLimit - std::int64_t(m_bounds.bottom));
    for (CRect& r : m_rects)
        r.OffsetRect(static_cast<int>(mdx), static_cast<int>(mdy));
    m_bounds.OffsetRect(static_cast<int>(mdx), static_cast<int>(mdy));
}

void Region::Clear()
{
    m_rects.clear();
    m_bounds = CRect();
}

bool Region::operator==(const Region& o) const
{
    if (m_rects.size() != o.m_rects.size()) return false;
    for (std::size_t i = 0; i < m_rects.size(); ++i)
        if (m_rects[i] != o.m_rects[i]) return false;
    return true;
}

} // namespace gfx
