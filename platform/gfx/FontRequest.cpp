#include "platform/gfx/FontRequest.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace gfx {

std::size_t FontRequestHash::operator()(const FontRequest& s) const noexcept
{
    std::size_t h = std::hash<std::string>()(s.faceName);
    auto mix = [&h](std::uint64_t v) {
        h ^= std::hash<std::uint64_t>()(v) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    };
    mix(static_cast<std::uint32_t>(s.height));
    mix(static_cast<std::uint32_t>(s.width));
    mix(static_cast<std::uint32_t>(s.weight));
    mix((s.italic ? 1u : 0u) | (s.underline ? 2u : 0u) | (s.strikeOut ? 4u : 0u));
    return h;
}

int HeightFromPoints(int points)
{
    // MulDiv rounds halves away from zero.
    std::int64_t num = static_cast<std::int64_t>(points) * kScreenDpi;
    std::int64_t px = num >= 0 ? (num + 36) / 72 : (num - 36) / 72;
    px = std::clamp<std::int64_t>(px, -INT32_MAX, INT32_MAX);
    return static_cast<int>(-px);
}

FontRequest DefaultGuiFontRequest()
{
    FontRequest s;
    s.height = HeightFromPoints(9);
    s.weight = 400;
    s.faceName = "宋体";
    return s;
}

FontRequest SystemFontRequest()
{
    FontRequest s;
    s.height = 16;
    s.weight = 400;
    s.faceName = "System";
    return s;
}

} // namespace gfx
