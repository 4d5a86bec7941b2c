// Icon files: the directory and each image, as a bitmap with its AND mask or
// as an embedded PNG.
#pragma once

#include "platform/gfx/Image.h"

#include <string>
#include <vector>

namespace gfx {

struct IconImage {
    int width = 0; // from the decoded image
    int height = 0;
    int bitCount = 0; // colour depth from the directory or the bitmap header
    Image image;      // always with alpha: transparent pixels have alpha 0
};

// All images of an .ico (or .cur) file. Fails when the directory is broken or
// no image decodes; images that fail alone are skipped.
bool DecodeIco(Bytes file, std::vector<IconImage>* out, std::string* error);

// One icon image as resources store it (a bitmap with mask, or a PNG).
bool DecodeIconImage(Bytes data, IconImage* out, std::string* error);

// The image to draw at width x height: the exact size if present, else the
// nearest larger, else the largest; the deepest colour among equals. Null when empty.
const IconImage* BestIconImage(const std::vector<IconImage>& images, int width, int height);

} // namespace gfx
