#include "platform/gfx/GlyphRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cstdlib>

namespace gfx {

namespace {

// Largest bitmap side kept; larger renders (absurd sizes) are refused rather than cached.
constexpr int kMaxGlyphSide = 4096;

void CopyBitmap(const FT_Bitmap& bm, std::vector<std::uint8_t>& pixels, int& width, int& height)
{
    width = static_cast<int>(bm.width);
    height = static_cast<int>(bm.rows);
    pixels.assign(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        // A negative pitch stores rows bottom-up from the start of the buffer.
        int row = bm.pitch >= 0 ? y : height - 1 - y;
        const unsigned char* src = bm.buffer + static_cast<std::ptrdiff_t>(row) * std::abs(bm.pitch);
        std::uint8_t* dst = pixels.data() + static_cast<std::size_t>(y) * width;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (int x = 0; x < width; ++x)
                dst[x] = (src[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
        } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.num_grays == 256) {
            std::copy(src, src + width, dst);
        } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY && bm.num_grays > 1) {
            for (int x = 0; x < width; ++x)
                dst[x] = static_cast<std::uint8_t>(src[x] * 255 / (bm.num_grays - 1));
        }
    }
}

// The system's simulated bold: each row ORed with itself shifted one pixel right.
void Smear(std::vector<std::uint8_t>& pixels, int& width, int height)
{
    if (width == 0 || height == 0) return;
    int w2 = width + 1;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w2) * height, 0);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels.data() + static_cast<std::size_t>(y) * width;
        std::uint8_t* dst = out.data() + static_cast<std::size_t>(y) * w2;
        for (int x = 0; x < w2; ++x) {
            std::uint8_t a = x < width ? src[x] : 0;
            std::uint8_t b = x > 0 ? src[x - 1] : 0;
            dst[x] = std::max(a, b);
        }
    }
    pixels.swap(out);
    width = w2;
}

} // namespace

bool RasterizeGlyph(FT_FaceRec_* face, unsigned glyphIndex, const RasterOptions& options, Glyph& out,
                    std::vector<std::uint8_t>& pixels)
{
    if (face == nullptr) return false;
    FT_Int32 flags = FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL;
    if (options.oblique) flags |= FT_LOAD_NO_BITMAP;
    if (FT_Load_Glyph(face, glyphIndex, flags) != 0) return false;
    FT_GlyphSlot slot = face->glyph;
    if (options.oblique && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        // About 12 degrees, the slant the system gives faces without an italic.
        FT_Matrix shear = {0x10000, 0x0366A, 0, 0x10000};
        FT_Outline_Transform(&slot->outline, &shear);
    }
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return false;
    const FT_Bitmap& bm = slot->bitmap;
    if (static_cast<int>(bm.width) > kMaxGlyphSide || static_cast<int>(bm.rows) > kMaxGlyphSide) return false;

    Glyph g;
    CopyBitmap(bm, pixels, g.width, g.height);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    long advance = (slot->advance.x + 32) >> 6;
    g.advance = static_cast<int>(std::clamp<long>(advance, 0, kMaxGlyphSide));
    if (options.emboldenPixel) {
        Smear(pixels, g.width, g.height);
        if (g.advance > 0) ++g.advance;
    }
    if (g.width == 0 || g.height == 0) {
        g.width = g.height = 0;
        pixels.clear();
    }
    out = g;
    return true;
}

void MakeBoxGlyph(int advance, int ascent, Glyph& out, std::vector<std::uint8_t>& pixels)
{
    Glyph g;
    g.advance = std::max(advance, 3);
    g.width = g.advance - 1;
    g.height = std::max(ascent * 3 / 4, 3);
    g.left = 0;
    g.top = g.height;
    pixels.assign(static_cast<std::size_t>(g.width) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            bool edge = y == 0 || y == g.height - 1 || x == 0 || x == g.width - 1;
            pixels[static_cast<std::size_t>(y) * g.width + x] = edge ? 255 : 0;
        }
    }
    out = g;
}

void MakeReplacementGlyph(int advance, int ascent, int descent, Glyph& out, std::vector<std::uint8_t>& pixels)
{
    Glyph g;
    g.advance = std::max(advance, 4);
    int side = std::max(3, std::min(g.advance - 1, ascent + std::max(descent, 0) / 2));
    g.width = g.height = side;
    g.left = 0;
    g.top = std::min(side, std::max(ascent, 1)); // in the cell even when the cell is tiny
    pixels.assign(static_cast<std::size_t>(side) * side, 0);
    double half = side / 2.0;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double d = std::abs(x + 0.5 - half) + std::abs(y + 0.5 - half);
            double cover = std::clamp(half - d + 0.5, 0.0, 1.0);
            pixels[static_cast<std::size_t>(y) * side + x] = static_cast<std::uint8_t>(cover * 255 + 0.5);
        }
    }
    out = g;
}

} // namespace gfx
