#include "platform/gfx/Surface.h"

#include <algorithm>

namespace gfx {

Surface::Surface(int width, int height, Pixel fill)
{
    Resize(width, height, fill);
}

Surface Surface::Wrap(Pixel* pixels, int width, int height, int stride)
{
    Surface s;
    if (!pixels || width <= 0 || height <= 0 || stride < width) return s;
    s.m_external = pixels;
    s.m_width = width;
    s.m_height = height;
    s.m_stride = stride;
    return s;
}

void Surface::Resize(int width, int height, Pixel fill)
{
    m_external = nullptr;
    m_width = std::clamp(width, 0, kMaxDimension);
    m_height = std::clamp(height, 0, kMaxDimension);
    m_stride = m_width;
    m_pixels.assign(static_cast<std::size_t>(m_width) * m_height, fill);
}

void Surface::Fill(Pixel p)
{
    for (int y = 0; y < m_height; ++y)
        std::fill(Row(y), Row(y) + m_width, p);
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

bool Surface::SamePixels(const Surface& other) const
{
    if (m_width != other.m_width || m_height != other.m_height) return false;
    for (int y = 0; y < m_height; ++y)
        if (!std::equal(Row(y), Row(y) + m_width, other.Row(y))) return false;
    return true;
}

} // namespace gfx
