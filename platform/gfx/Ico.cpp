#include "platform/gfx/Ico.h"

#include "platform/gfx/Bmp.h"
#include "platform/gfx/ByteReader.h"
#include "platform/gfx/Png.h"

#include <climits>
#include <tuple>

namespace gfx {

namespace {

bool Fail(std::string* error, const std::string& why)
{
    if (error) *error = why;
    return false;
}

} // namespace

bool DecodeIconImage(Bytes data, IconImage* out, std::string* error)
{
    IconImage icon;
    if (IsPng(data)) {
        if (!DecodePng(data, &icon.image, error)) return false;
        icon.bitCount = 32;
        if (!icon.image.hasAlpha) {
            // An opaque PNG still draws as an icon: give it full alpha.
            Surface& s = icon.image.pixels;
            for (int y = 0; y < s.Height(); ++y)
                for (int x = 0; x < s.Width(); ++x)
                    s.Row(y)[x] |= 0xFF000000;
            icon.image.hasAlpha = true;
        }
    } else {
        if (!DecodeDib(data, &icon.image, error, true)) return false;
        ByteReader rd(data);
        icon.bitCount = rd.U32(0) == 12 ? rd.U16(10) : rd.U16(14);
    }
    icon.width = icon.image.pixels.Width();
    icon.height = icon.image.pixels.Height();
    if (out) *out = std::move(icon);
    return true;
}

bool DecodeIco(Bytes file, std::vector<IconImage>* out, std::string* error)
{
    ByteReader rd(file);
    if (!rd.Has(0, 6) || rd.U16(0) != 0 || (rd.U16(2) != 1 && rd.U16(2) != 2)) return Fail(error, "not an icon file");
    int count = rd.U16(4);
    if (count == 0) return Fail(error, "icon file holds no images");
    if (!rd.Has(6, 16ull * count)) return Fail(error, "icon directory is truncated");
    std::vector<IconImage> images;
    std::string firstError;
    for (int i = 0; i < count; ++i) {
        std::uint64_t entry = 6 + 16ull * i;
        std::uint32_t size = rd.U32(entry + 8), offset = rd.U32(entry + 12);
        if (!rd.Has(offset, size) || size == 0) {
            if (firstError.empty()) firstError = "icon image lies outside the file";
            continue;
        }
        IconImage icon;
        std::string why;
        if (!DecodeIconImage(rd.Sub(offset, size), &icon, &why)) {
            if (firstError.empty()) firstError = why;
            continue;
        }
        int dirBits = rd.U16(entry + 6);
        if (dirBits > 0 && icon.bitCount == 0) icon.bitCount = dirBits;
        images.push_back(std::move(icon));
    }
    if (images.empty()) return Fail(error, firstError.empty() ? "no icon image decodes" : firstError);
    if (out) *out = std::move(images);
    return true;
}

const IconImage* BestIconImage(const std::vector<IconImage>& images, int width, int height)
{
    const IconImage* best = nullptr;
    // Rank: exact size, then the smallest larger, then the largest smaller; deeper colour breaks ties.
    auto rank = [&](const IconImage& im) {
        long long area = static_cast<long long>(im.width) * im.height;
        bool exact = im.width == width && im.height == height;
        bool larger = im.width >= width && im.height >= height;
        int cls = exact ? 0 : larger ? 1 : 2;
        long long sizeKey = cls == 1 ? area : cls == 2 ? LLONG_MAX - area : 0;
        return std::tuple(cls, sizeKey, -im.bitCount);
    };
    for (const IconImage& im : images)
        if (!best || rank(im) < rank(*best)) best = &im;
    return best;
}

} // namespace gfx
