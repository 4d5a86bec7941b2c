// PNG reading and writing through libpng.
#pragma once

#include "platform/gfx/Image.h"

#include <string>
#include <vector>

namespace gfx {

// Any PNG colour type becomes 8-bit straight-alpha pixels; images without an
// alpha channel or transparency come back opaque with hasAlpha false.
bool DecodePng(Bytes file, Image* out, std::string* error);
bool ReadPngFile(const std::string& path, Image* out, std::string* error);

// Writes the surface as 8-bit RGB, or RGBA when withAlpha (the high byte
// taken as straight alpha).
bool EncodePng(const Surface& surface, bool withAlpha, std::vector<std::uint8_t>* out, std::string* error);
bool WritePngFile(const Surface& surface, const std::string& path, bool withAlpha, std::string* error);

bool IsPng(Bytes file);

} // namespace gfx
