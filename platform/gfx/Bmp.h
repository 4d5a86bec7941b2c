// Windows bitmap decoding: 1, 4 and 8-bit paletted, 16, 24 and 32-bit images,
// bottom-up or top-down, uncompressed or with bit-field masks.
#pragma once

#include "platform/gfx/Image.h"

#include <string>

namespace gfx {

// A .bmp file (file header, then the bitmap). On failure `error` says why and
// `out` is left alone.
bool DecodeBmp(Bytes file, Image* out, std::string* error);

// A bitmap without file header, as resources and icon entries store it: the
// header, the palette, then the pixels. With `iconMask` the header's height
// counts the colour image and the 1-bit AND mask below it; the mask (or the
// alpha of a 32-bit image that has any) becomes the image's alpha.
bool DecodeDib(Bytes dib, Image* out, std::string* error, bool iconMask = false);

} // namespace gfx
