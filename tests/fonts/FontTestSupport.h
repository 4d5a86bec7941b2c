// Shared helpers of the font tests: getting fonts and finding where text was drawn.
#pragma once

#include "platform/gfx/Font.h"
#include "platform/gfx/FontEngine.h"
#include "platform/gfx/Surface.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

namespace fonttest {

inline std::shared_ptr<gfx::Font> Get(const std::string& face, int height, int weight = 0, int width = 0)
{
    gfx::FontRequest s;
    s.faceName = face;
    s.height = height;
    s.weight = weight;
    s.width = width;
    return gfx::FontEngine::Instance().Get(s);
}

// The smallest rectangle holding every pixel that differs from background; empty if none.
inline CRect InkBox(const gfx::Surface& s, gfx::Pixel background)
{
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            if (s.At(x, y) == background) continue;
            left = std::min(left, x);
            right = std::max(right, x + 1);
            top = std::min(top, y);
            bottom = std::max(bottom, y + 1);
        }
    }
    return left == INT_MAX ? CRect() : CRect(left, top, right, bottom);
}

} // namespace fonttest
