#include "platform/gfx/RoundCorner.h"

#include <algorithm>
#include <cmath>

namespace gfx {

namespace {
constexpr int kMaxEllipse = 32767;
constexpr double kWiden = 0.6; // 0.3 pixel on each side, in doubled lattice units
} // namespace

RoundCorner::RoundCorner(int width, int height, int boxWidth, int boxHeight)
{
    int w = std::clamp(std::min(width, boxWidth), 0, kMaxEllipse);
    int h = std::clamp(std::min(height, boxHeight), 0, kMaxEllipse);
    if (w < 2 || h < 2) return; // a one-pixel ellipse rounds nothing
    m_diamX = w - 1;
    m_diamY = h - 1;
    // Rows strictly above the ellipse's centre row.
    m_rows = (m_diamY + 1) / 2;
}

int RoundCorner::Inset(int row) const
{
    if (row < 0 || row >= m_rows) return 0;
    // Doubled lattice coordinates relative to the ellipse centre: a pixel x of
    // this row is inside when |2x - diamX| <= halfWidth.
    double y = 2.0 * row - m_diamY;
    double ry = m_diamY + kWiden;
    double rx = m_diamX + kWiden;
    double t = 1.0 - (y * y) / (ry * ry);
    double halfWidth = t > 0 ? rx * std::sqrt(t) : 0.0;
    int inset = static_cast<int>(std::ceil((m_diamX - halfWidth) / 2.0));
    // Never past the ellipse's middle column: the rest of the row is straight edge.
    return std::clamp(inset, 0, m_diamX / 2 + 1);
}

} // namespace gfx
