#include "platform/gfx/Bmp.h"

#include "platform/gfx/ByteReader.h"

#include <array>
#include <bit>
#include <vector>

namespace gfx {

namespace {

constexpr std::uint32_t kBiRgb = 0, kBiBitfields = 3, kBiAlphaBitfields = 6;

bool Fail(std::string* error, const char* why)
{
    if (error) *error = why;
    return false;
}

// One channel of a bit-field mask: where it sits and how to widen it to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    std::uint32_t Get(std::uint32_t v) const
    {
        if (!mask) return 0;
        std::uint32_t c = (v & mask) >> shift;
        if (bits >= 8) return (c >> (bits - 8)) & 0xFF;
        // Widen by repeating the top bits (5 bits 11111 -> 255).
        std::uint32_t out = 0;
        for (int have = 0; have < 8; have += bits)
            out |= have + bits <= 8 ? c << (8 - have - bits) : c >> (have + bits - 8);
        return out & 0xFF;
    }
    static Channel From(std::uint32_t mask)
    {
        Channel c;
        if (!mask) return c;
        c.mask = mask;
        c.shift = std::countr_zero(mask);
        c.bits = std::popcount(mask);
        return c;
    }
};

struct Header {
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // rows of the colour image
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = 0;
    std::uint32_t paletteCount = 0;
    int paletteEntrySize = 4;
    Channel r, g, b, a;
    std::uint64_t masksSize = 0; // bytes of masks that follow a 40-byte header
};

bool ReadHeader(const ByteReader& rd, bool iconMask, Header* h, std::string* error)
{
    h->headerSize = rd.U32(0);
    if (h->headerSize == 12) {
        if (!rd.Has(0, 12)) return Fail(error, "bitmap header is truncated");
        h->width = rd.U16(4);
        h->height = rd.U16(6);
        h->bitCount = rd.U16(10);
        h->paletteEntrySize = 3;
    } else if (h->headerSize >= 40 && h->headerSize <= 1024) {
        if (!rd.Has(0, h->headerSize)) return Fail(error, "bitmap header is truncated");
        h->width = rd.I32(4);
        h->height = rd.I32(8);
        h->bitCount = rd.U16(14);
        h->compression = rd.U32(16);
        h->paletteCount = rd.U32(32);
    } else {
        return Fail(error, "unknown bitmap header size");
    }
    if (h->height < 0) {
        h->topDown = true;
        h->height = -h->height;
    }
    if (iconMask) h->height /= 2;
    if (h->width <= 0 || h->height <= 0) return Fail(error, "bitmap has no pixels");
    if (h->width > kMaxImageDimension || h->height > kMaxImageDimension) return Fail(error, "bitmap is too large");
    switch (h->bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32: break;
    default: return Fail(error, "unsupported bits per pixel");
    }
    if (h->compression == kBiBitfields || h->compression == kBiAlphaBitfields) {
        if (h->bitCount != 16 && h->bitCount != 32) return Fail(error, "bit-field masks need 16 or 32 bits per pixel");
        // Masks sit inside larger headers, or right after a 40-byte one.
        std::uint64_t at = 40;
        int count = h->compression == kBiAlphaBitfields ? 4 : 3;
        if (h->headerSize == 40) h->masksSize = 4u * count;
        if (!rd.Has(at, 4u * count)) return Fail(error, "bit-field masks are truncated");
        h->r = Channel::From(rd.U32(at));
        h->g = Channel::From(rd.U32(at + 4));
        h->b = Channel::From(rd.U32(at + 8));
        if (count == 4 || h->headerSize >= 56) h->a = Channel::From(rd.U32(at + 12));
    } else if (h->compression != kBiRgb) {
        return Fail(error, "compressed bitmaps are not supported");
    } else if (h->bitCount == 16) {
        h->r = Channel::From(0x7C00);
        h->g = Channel::From(0x03E0);
        h->b = Channel::From(0x001F);
    }
    if (h->bitCount <= 8) {
        std::uint32_t full = 1u << h->bitCount;
        if (h->paletteCount == 0 || h->paletteCount > full) h->paletteCount = full;
    } else {
        h->paletteCount = 0; // a colour table here is optional and unused
    }
    return true;
}

std::uint64_t RowBytes(std::int64_t width, int bits)
{
    return ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
}

bool DecodeDibAt(const ByteReader& rd, std::uint64_t pixelOffset, bool pixelOffsetKnown, bool iconMask, Image* out,
                 std::string* error)
{
    Header h;
    if (!ReadHeader(rd, iconMask, &h, error)) return false;
    std::uint64_t paletteAt = h.headerSize + h.masksSize;
    std::vector<Pixel> palette(h.paletteCount);
    if (!rd.Has(paletteAt, std::uint64_t(h.paletteCount) * h.paletteEntrySize))
        return Fail(error, "bitmap palette is truncated");
    for (std::uint32_t i = 0; i < h.paletteCount; ++i) {
        std::uint64_t at = paletteAt + std::uint64_t(i) * h.paletteEntrySize;
        palette[i] = (Pixel(rd.U8(at + 2)) << 16) | (Pixel(rd.U8(at + 1)) << 8) | rd.U8(at);
    }
    if (!pixelOffsetKnown) pixelOffset = paletteAt + std::uint64_t(h.paletteCount) * h.paletteEntrySize;
    std::uint64_t stride = RowBytes(h.width, h.bitCount);
    if (!rd.Has(pixelOffset, stride * h.height)) return Fail(error, "bitmap pixels are truncated");

    int w = static_cast<int>(h.width), ht = static_cast<int>(h.height);
    Surface pixels(w, ht);
    bool anyAlpha = false;
    for (int row = 0; row < ht; ++row) {
        std::uint64_t at = pixelOffset + stride * row;
        Pixel* dst = pixels.Row(h.topDown ? row : ht - 1 - row);
        for (int x = 0; x < w; ++x) {
            Pixel p = 0;
            switch (h.bitCount) {
            case 1:
                p = palette[std::min<std::uint32_t>((rd.U8(at + x / 8) >> (7 - x % 8)) & 1, h.paletteCount - 1)];
                break;
            case 4:
                p = palette[std::min<std::uint32_t>((rd.U8(at + x / 2) >> (x % 2 ? 0 : 4)) & 0xF, h.paletteCount - 1)];
                break;
            case 8: p = palette[std::min<std::uint32_t>(rd.U8(at + x), h.paletteCount - 1)]; break;
            case 24: {
                std::uint64_t q = at + 3u * x;
                p = (Pixel(rd.U8(q + 2)) << 16) | (Pixel(rd.U8(q + 1)) << 8) | rd.U8(q);
                break;
            }
            case 16:
            case 32: {
                std::uint32_t v = h.bitCount == 16 ? rd.U16(at + 2u * x) : rd.U32(at + 4u * x);
                if (h.compression == kBiRgb && h.bitCount == 32) {
                    p = v;
                } else {
                    p = (h.r.Get(v) << 16) | (h.g.Get(v) << 8) | h.b.Get(v) | (h.a.Get(v) << 24);
                }
                break;
            }
            }
            anyAlpha |= (p >> 24) != 0;
            dst[x] = p;
        }
    }

    bool hasAlpha = anyAlpha && h.bitCount == 32;
    if (iconMask) {
        std::uint64_t maskStride = RowBytes(h.width, 1);
        std::uint64_t maskAt = pixelOffset + stride * h.height;
        bool haveMask = rd.Has(maskAt, maskStride * h.height);
        for (int row = 0; row < ht; ++row) {
            Pixel* dst = pixels.Row(h.topDown ? row : ht - 1 - row);
            for (int x = 0; x < w; ++x) {
                if (hasAlpha) continue; // the image's own alpha wins over the mask
                bool transparent = haveMask && ((rd.U8(maskAt + maskStride * row + x / 8) >> (7 - x % 8)) & 1);
                dst[x] = transparent ? 0 : (dst[x] & 0x00FFFFFF) | 0xFF000000;
            }
        }
        hasAlpha = true;
    } else if (!hasAlpha) {
        for (int row = 0; row < ht; ++row)
            for (int x = 0; x < w; ++x)
                pixels.Row(row)[x] &= 0x00FFFFFF;
    }
    out->pixels = std::move(pixels);
    out->hasAlpha = hasAlpha;
    return true;
}

} // namespace

bool DecodeBmp(Bytes file, Image* out, std::string* error)
{
    ByteReader rd(file);
    if (!rd.Has(0, 14) || rd.U8(0) != 'B' || rd.U8(1) != 'M') return Fail(error, "not a bitmap file");
    std::uint64_t offBits = rd.U32(10);
    Image img;
    ByteReader dib(rd.From(14));
    if (offBits < 14 || !DecodeDibAt(dib, offBits - 14, true, false, &img, error)) {
        if (offBits < 14) return Fail(error, "bitmap pixel offset is invalid");
        return false;
    }
    if (out) *out = std::move(img);
    return true;
}

bool DecodeDib(Bytes dib, Image* out, std::string* error, bool iconMask)
{
    Image img;
    if (!DecodeDibAt(ByteReader(dib), 0, false, iconMask, &img, error)) return false;
    if (out) *out = std::move(img);
    return true;
}

} // namespace gfx
