// Surfaces as text for exact pixel comparisons: one character per pixel.
#pragma once

#include "platform/gfx/Surface.h"

#include <map>
#include <string>

namespace gfxtest {

// Pixels not in the legend show as '?'.
inline std::string Art(const gfx::Surface& s, const std::map<gfx::Pixel, char>& legend)
{
    std::string out;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            auto it = legend.find(s.At(x, y));
            out += it == legend.end() ? '?' : it->second;
        }
        out += '\n';
    }
    return out;
}

} // namespace gfxtest
