#include "tests/system/support/GdiTestCanvas.h"

#include "platform/system/gdi/GdiObjects.h"

#include <algorithm>

namespace corvane::test {

MemoryCanvas::MemoryCanvas(int width, int height, COLORREF fill) : m_width(width), m_height(height)
{
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateCompatibleBitmap(m_dc, width, height);
    m_oldBitmap = SelectObject(m_dc, m_bitmap);
    Clear(fill);
}

MemoryCanvas::~MemoryCanvas()
{
    SelectObject(m_dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void MemoryCanvas::Clear(COLORREF fill)
{
    HBRUSH brush = CreateSolidBrush(fill);
    RECT all{0, 0, m_width, m_height};
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

// Pixels straight from the bitmap, whatever the DC's clip and origin.
COLORREF MemoryCanvas::At(int x, int y) const
{
    auto* bitmap = sys::Lookup<sys::BitmapObject>(m_bitmap);
    return bitmap ? gfx::ColorFromPixel(bitmap->surface.At(x, y)) : CLR_INVALID;
}

std::string MemoryCanvas::Picture(const std::map<COLORREF, char>& legend) const
{
    std::string out;
    for (int y = 0; y < m_height; ++y) {
        if (y) out += '\n';
        for (int x = 0; x < m_width; ++x) {
            auto it = legend.find(At(x, y));
            out += it == legend.end() ? '?' : it->second;
        }
    }
    return out;
}

RECT MemoryCanvas::InkBox(COLORREF background) const
{
    RECT box{m_width, m_height, 0, 0};
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            if (At(x, y) != background) {
                box.left = std::min<LONG>(box.left, x);
                box.top = std::min<LONG>(box.top, y);
                box.right = std::max<LONG>(box.right, x + 1);
                box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    if (box.right == 0) box = RECT{0, 0, 0, 0};
    return box;
}

int MemoryCanvas::Count(COLORREF color) const
{
    int n = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) n += At(x, y) == color;
    return n;
}

} // namespace corvane::test
