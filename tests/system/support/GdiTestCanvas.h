// A memory DC with its own bitmap, and pixel pictures for exact comparisons.
#pragma once

#include "platform/system/gdi/Gdi.h"

#include <map>
#include <string>

namespace corvane::test {

class MemoryCanvas {
public:
    MemoryCanvas(int width, int height, COLORREF fill = RGB(255, 255, 255));
    ~MemoryCanvas();
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    void Clear(COLORREF fill);
    COLORREF At(int x, int y) const;

    // Rows joined by '\n', one character per pixel from `legend`; '?' for a
    // colour the legend does not name.
    std::string Picture(const std::map<COLORREF, char>& legend) const;
    // Smallest rectangle holding every pixel that is not `background`; empty if none.
    RECT InkBox(COLORREF background) const;
    // Pixels of the given colour.
    int Count(COLORREF color) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
};

} // namespace corvane::test
