// A decoded image: pixels and whether their high byte is meaningful alpha.
#pragma once

#include "platform/gfx/Surface.h"

#include <cstdint>
#include <span>

namespace gfx {

struct Image {
    // 0xAARRGGBB with straight alpha when hasAlpha; otherwise the high byte is 0.
    Surface pixels;
    bool hasAlpha = false;
};

using Bytes = std::span<const std::uint8_t>;

// Decoders refuse images larger than this on either side before allocating.
constexpr int kMaxImageDimension = Surface::kMaxDimension;

} // namespace gfx
