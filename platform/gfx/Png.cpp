#include "platform/gfx/Png.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <png.h>

namespace gfx {

namespace {

bool Fail(std::string* error, const std::string& why)
{
    if (error) *error = why;
    return false;
}

// The simplified libpng interface reports errors in the image, without longjmp into our frames.
std::string Message(const png_image& img)
{
    return img.message[0] ? img.message : "invalid PNG data";
}

} // namespace

bool IsPng(Bytes file)
{
    static const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return file.size() >= 8 && std::memcmp(file.data(), kSignature, 8) == 0;
}

bool DecodePng(Bytes file, Image* out, std::string* error)
{
    if (!IsPng(file)) return Fail(error, "not a PNG file");
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, file.data(), file.size())) return Fail(error, Message(img));
    if (img.width == 0 || img.height == 0 || img.width > std::uint32_t(kMaxImageDimension) ||
        img.height > std::uint32_t(kMaxImageDimension)) {
        png_image_free(&img);
        return Fail(error, "PNG image is empty or too large");
    }
    bool hasAlpha = (img.format & PNG_FORMAT_FLAG_ALPHA) != 0;
    // BGRA in memory is 0xAARRGGBB in a little-endian uint32.
    img.format = PNG_FORMAT_BGRA;
    Surface pixels(static_cast<int>(img.width), static_cast<int>(img.height));
    if (!png_image_finish_read(&img, nullptr, pixels.Data(), pixels.Stride() * 4, nullptr)) {
        std::string why = Message(img);
        png_image_free(&img);
        return Fail(error, why);
    }
    png_image_free(&img);
    if (!hasAlpha) {
        for (int y = 0; y < pixels.Height(); ++y)
            for (int x = 0; x < pixels.Width(); ++x)
                pixels.Row(y)[x] &= 0x00FFFFFF;
    }
    if (out) {
        out->pixels = std::move(pixels);
        out->hasAlpha = hasAlpha;
    }
    return true;
}

bool ReadPngFile(const std::string& path, Image* out, std::string* error)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return Fail(error, "cannot open " + path);
    // PNG files this program reads are small; refuse absurd ones before reading them in.
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    if (size < 0 || size > (std::streamoff(1) << 30)) return Fail(error, "file is too large: " + path);
    in.seekg(0);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return Fail(error, "cannot read " + path);
    return DecodePng(bytes, out, error);
}

bool EncodePng(const Surface& surface, bool withAlpha, std::vector<std::uint8_t>* out, std::string* error)
{
    if (surface.IsEmpty()) return Fail(error, "cannot write an empty image");
    int channels = withAlpha ? 4 : 3;
    std::vector<std::uint8_t> raw(static_cast<std::size_t>(surface.Width()) * surface.Height() * channels);
    std::uint8_t* q = raw.data();
    for (int y = 0; y < surface.Height(); ++y) {
        const Pixel* row = surface.Row(y);
        for (int x = 0; x < surface.Width(); ++x) {
            Pixel p = row[x];
            *q++ = static_cast<std::uint8_t>(p >> 16);
            *q++ = static_cast<std::uint8_t>(p >> 8);
            *q++ = static_cast<std::uint8_t>(p);
            if (withAlpha) *q++ = static_cast<std::uint8_t>(p >> 24);
        }
    }
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    img.width = static_cast<png_uint_32>(surface.Width());
    img.height = static_cast<png_uint_32>(surface.Height());
    img.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&img, nullptr, &size, 0, raw.data(), 0, nullptr)) return Fail(error, Message(img));
    std::vector<std::uint8_t> bytes(size);
    if (!png_image_write_to_memory(&img, bytes.data(), &size, 0, raw.data(), 0, nullptr))
        return Fail(error, Message(img));
    bytes.resize(size);
    if (out) *out = std::move(bytes);
    return true;
}

bool WritePngFile(const Surface& surface, const std::string& path, bool withAlpha, std::string* error)
{
    std::vector<std::uint8_t> bytes;
    if (!EncodePng(surface, withAlpha, &bytes, error)) return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return Fail(error, "cannot create " + path);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) return Fail(error, "cannot write " + path);
    return true;
}

} // namespace gfx
