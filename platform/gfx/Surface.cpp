#include "platform/gfx/Surface.h"

namespace gfx {

Surface::Surface(int width, int height, Pixel fill) { Resize(width, height, fill); }

void Surface::Resize(int width, int height, Pixel fill)
{
    m_width = width > 0 ? width : 0;
    m_height = height > 0 ? height : 0;
    m_pixels.assign(static_cast<std::size_t>(m_width) * m_height, fill);
}

Pixel Surface::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return Row(y)[x];
}

void Surface::Set(int x, int y, Pixel p)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    Row(y)[x] = p;
}

} // namespace gfx
