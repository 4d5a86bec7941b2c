// Writers for the formats the program's resources ship in. The gfx tier only
// decodes bitmaps and icons, so their encoders live with the generator.
#pragma once

#include "platform/gfx/Surface.h"

#include <cstdint>
#include <string>
#include <vector>

namespace resgen {

using ByteVector = std::vector<std::uint8_t>;

// A .bmp file: 24 bits per pixel, uncompressed, bottom-up, rows padded to four
// bytes. The high byte of each pixel is ignored.
ByteVector EncodeBmp24(const gfx::Surface& image);

// A .ico file holding one 32-bit image with straight alpha and its AND mask
// (set where alpha is 0, whose colour is written as black). Sides of 1 to 256.
// Empty on a size the format cannot hold.
ByteVector EncodeIco32(const gfx::Surface& image);

// An 8-bit RGBA PNG; empty when the encoder fails (the reason in `error`).
ByteVector EncodePngRgba(const gfx::Surface& image, std::string* error);

} // namespace resgen
