// Every file the generator writes, under the resource folder.
#pragma once

#include "tools/resgen/Encoders.h"
#include "tools/resgen/Images.h"

#include <string>
#include <vector>

namespace resgen {

struct CaptionBitmap {
    int id;
    CaptionGlyph glyph;
    CaptionSquare square;
    const char* path; // relative to res/
};

// Bitmaps 135 to 144 in id order.
const std::vector<CaptionBitmap>& CaptionBitmaps();

constexpr const char* kIconPath = "images/corvane.ico";
constexpr const char* kTabStripPath = "images/toolbar.png";
// The icon for desktops, installed into the icon theme; not embedded.
constexpr const char* kDesktopIconPath = "desktop/corvane-48.png";

struct GeneratedFile {
    std::string path; // relative to res/
    ByteVector bytes;
    bool embedded = true; // carried inside the program (else installed beside it)
};

// Draws and encodes every image. False (and `error` set) when an encoder fails.
bool GenerateResourceFiles(std::vector<GeneratedFile>* out, std::string* error);

// All images magnified on one sheet, for people to look at.
gfx::Surface DrawContactSheet();

} // namespace resgen
