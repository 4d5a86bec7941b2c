#include "tools/resgen/Encoders.h"

#include "platform/gfx/Png.h"

namespace resgen {
namespace {

void Put16(ByteVector& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void Put32(ByteVector& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// BITMAPINFOHEADER; `heightField` counts the mask rows of an icon image too.
void PutInfoHeader(ByteVector& out, int width, int heightField, int bitCount, std::uint32_t imageSize)
{
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(heightField));
    Put16(out, 1); // planes
    Put16(out, static_cast<std::uint32_t>(bitCount));
    Put32(out, 0); // BI_RGB
    Put32(out, imageSize);
    Put32(out, 0); // pixels per metre, x and y
    Put32(out, 0);
    Put32(out, 0); // palette entries used and important
    Put32(out, 0);
}

} // namespace

ByteVector EncodeBmp24(const gfx::Surface& image)
{
    ByteVector out;
    if (image.IsEmpty()) return out;
    int w = image.Width(), h = image.Height();
    std::uint32_t stride = (static_cast<std::uint32_t>(w) * 3 + 3) & ~3u;
    std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(h);
    constexpr std::uint32_t kHeaders = 14 + 40;
    out.reserve(kHeaders + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, kHeaders + pixelBytes);
    Put32(out, 0); // reserved
    Put32(out, kHeaders);
    PutInfoHeader(out, w, h, 24, pixelBytes);
    for (int y = h - 1; y >= 0; --y) {
        const gfx::Pixel* row = image.Row(y);
        for (int x = 0; x < w; ++x) {
            out.push_back(static_cast<std::uint8_t>(row[x] & 0xFF));
            out.push_back(static_cast<std::uint8_t>((row[x] >> 8) & 0xFF));
            out.push_back(static_cast<std::uint8_t>((row[x] >> 16) & 0xFF));
        }
        for (std::uint32_t pad = static_cast<std::uint32_t>(w) * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

ByteVector EncodeIco32(const gfx::Surface& image)
{
    ByteVector out;
    int w = image.Width(), h = image.Height();
    if (w < 1 || h < 1 || w > 256 || h > 256) return out;
    std::uint32_t colorBytes = static_cast<std::uint32_t>(w) * static_cast<std::uint32_t>(h) * 4;
    std::uint32_t maskStride = ((static_cast<std::uint32_t>(w) + 31) / 32) * 4;
    std::uint32_t maskBytes = maskStride * static_cast<std::uint32_t>(h);
    std::uint32_t imageBytes = 40 + colorBytes + maskBytes;
    constexpr std::uint32_t kDirectory = 6 + 16;

    // ICONDIR and its one entry; a side of 256 is written as 0.
    Put16(out, 0);
    Put16(out, 1); // icon, not cursor
    Put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(w & 0xFF));
    out.push_back(static_cast<std::uint8_t>(h & 0xFF));
    out.push_back(0); // no palette
    out.push_back(0);
    Put16(out, 1);  // planes
    Put16(out, 32); // bits per pixel
    Put32(out, imageBytes);
    Put32(out, kDirectory);

    PutInfoHeader(out, w, h * 2, 32, colorBytes + maskBytes);
    for (int y = h - 1; y >= 0; --y) {
        const gfx::Pixel* row = image.Row(y);
        for (int x = 0; x < w; ++x) {
            gfx::Pixel p = gfx::AlphaOf(row[x]) == 0 ? 0 : row[x];
            Put32(out, p); // B, G, R, A in memory order
        }
    }
    for (int y = h - 1; y >= 0; --y) {
        const gfx::Pixel* row = image.Row(y);
        ByteVector bits(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (gfx::AlphaOf(row[x]) == 0)
                bits[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

ByteVector EncodePngRgba(const gfx::Surface& image, std::string* error)
{
    ByteVector out;
    if (!gfx::EncodePng(image, true, &out, error)) out.clear();
    return out;
}

} // namespace resgen
