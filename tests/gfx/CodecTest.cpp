#include "platform/gfx/Bmp.h"
#include "platform/gfx/Ico.h"
#include "platform/gfx/Png.h"
#include "tests/support/TestPaths.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <vector>
#include <zlib.h>

using gfx::Image;
using gfx::Pixel;
using gfx::Surface;
using Bytes = std::vector<std::uint8_t>;

namespace {

void Put16(Bytes& b, std::uint32_t v)
{
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}
void Put32(Bytes& b, std::uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}
void Pad4(Bytes& b, std::size_t rowStart)
{
    while ((b.size() - rowStart) % 4)
        b.push_back(0);
}

Bytes InfoHeader(int w, int h, int bpp, std::uint32_t compression = 0, std::uint32_t colorsUsed = 0)
{
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(w));
    Put32(b, static_cast<std::uint32_t>(h));
    Put16(b, 1);
    Put16(b, bpp);
    Put32(b, compression);
    for (int i = 0; i < 3; ++i)
        Put32(b, 0);
    Put32(b, colorsUsed);
    Put32(b, 0);
    return b;
}

// A 24 or 32-bit bitmap body (header + bottom-up rows), optionally with an AND mask (icons).
Bytes Dib(int w, int h, int bpp, const std::function<Pixel(int, int)>& px,
          const std::function<bool(int, int)>* masked = nullptr)
{
    Bytes b = InfoHeader(w, masked ? 2 * h : h, bpp);
    for (int y = h - 1; y >= 0; --y) {
        std::size_t start = b.size();
        for (int x = 0; x < w; ++x) {
            Pixel p = px(x, y);
            b.push_back(p & 0xFF);
            b.push_back((p >> 8) & 0xFF);
            b.push_back((p >> 16) & 0xFF);
            if (bpp == 32) b.push_back(p >> 24);
        }
        Pad4(b, start);
    }
    if (masked)
        for (int y = h - 1; y >= 0; --y) {
            std::size_t start = b.size();
            std::uint8_t acc = 0;
            for (int x = 0; x < w; ++x) {
                if ((*masked)(x, y)) acc |= 0x80 >> (x % 8);
                if (x % 8 == 7 || x == w - 1) {
                    b.push_back(acc);
                    acc = 0;
                }
            }
            Pad4(b, start);
        }
    return b;
}

Bytes BmpFile(const Bytes& dib, std::uint32_t paletteBytes = 0)
{
    Bytes b{'B', 'M'};
    Put32(b, static_cast<std::uint32_t>(14 + dib.size()));
    Put32(b, 0);
    Put32(b, 14 + 40 + paletteBytes);
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

Bytes IcoFile(const std::vector<Bytes>& images)
{
    Bytes b;
    Put16(b, 0);
    Put16(b, 1);
    Put16(b, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (const Bytes& im : images) {
        for (int i = 0; i < 4; ++i)
            b.push_back(0);
        Put16(b, 1);
        Put16(b, 32);
        Put32(b, static_cast<std::uint32_t>(im.size()));
        Put32(b, offset);
        offset += static_cast<std::uint32_t>(im.size());
    }
    for (const Bytes& im : images)
        b.insert(b.end(), im.begin(), im.end());
    return b;
}

} // namespace

TEST(Bmp, DecodesEveryDepthAndRowOrder)
{
    auto quad = [](int x, int y) -> Pixel {
        static const Pixel p[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
        return p[y][x];
    };
    Image img;
    std::string error;
    ASSERT_TRUE(gfx::DecodeBmp(BmpFile(Dib(2, 2, 24, quad)), &img, &error)) << error;
    EXPECT_FALSE(img.hasAlpha);
    ASSERT_EQ(img.pixels.Width(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(img.pixels.At(x, y), quad(x, y)) << x << "," << y;

    // Top-down: negative height, first stored row on top.
    Bytes top = InfoHeader(3, -2, 24);
    for (int y = 0; y < 2; ++y) {
        std::size_t start = top.size();
        for (int x = 0; x < 3; ++x)
            top.insert(top.end(), {std::uint8_t(x), std::uint8_t(y), 0x40});
        Pad4(top, start);
    }
    ASSERT_TRUE(gfx::DecodeDib(top, &img, &error)) << error;
    EXPECT_EQ(img.pixels.Height(), 2);
    EXPECT_EQ(img.pixels.At(2, 0), 0x400002u);
    EXPECT_EQ(img.pixels.At(1, 1), 0x400101u);

    // 8-bit with a two-colour table; an index past the table takes its last entry.
    Bytes pal8 = InfoHeader(3, 1, 8, 0, 2);
    pal8.insert(pal8.end(), {0x10, 0x20, 0x30, 0, 0xFF, 0, 0, 0});
    pal8.insert(pal8.end(), {1, 0, 5, 0});
    ASSERT_TRUE(gfx::DecodeBmp(BmpFile(pal8, 8), &img, &error)) << error;
    EXPECT_EQ(img.pixels.At(0, 0), 0x0000FFu);
    EXPECT_EQ(img.pixels.At(1, 0), 0x302010u);
    EXPECT_EQ(img.pixels.At(2, 0), 0x0000FFu);

    // 4-bit (high nibble first) and 1-bit (high bit first) across a byte boundary.
    Bytes pal4 = InfoHeader(3, 1, 4);
    for (int i = 0; i < 16; ++i)
        pal4.insert(pal4.end(), {std::uint8_t(i), 0, 0, 0});
    pal4.insert(pal4.end(), {0x1F, 0x20, 0, 0});
    ASSERT_TRUE(gfx::DecodeDib(pal4, &img, &error)) << error;
    EXPECT_EQ(img.pixels.At(0, 0), 1u);
    EXPECT_EQ(img.pixels.At(1, 0), 15u);
    EXPECT_EQ(img.pixels.At(2, 0), 2u);
    Bytes pal1 = InfoHeader(9, 1, 1);
    pal1.insert(pal1.end(), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0x80, 0x80, 0, 0});
    ASSERT_TRUE(gfx::DecodeDib(pal1, &img, &error)) << error;
    EXPECT_EQ(img.pixels.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(img.pixels.At(1, 0), 0u);
    EXPECT_EQ(img.pixels.At(7, 0), 0u);
    EXPECT_EQ(img.pixels.At(8, 0), 0xFFFFFFu);

    // 16-bit 5-5-5 widens each channel to 8 bits.
    Bytes b16 = InfoHeader(2, 1, 16);
    Put16(b16, 0x7C00);
    Put16(b16, 0x0210);
    ASSERT_TRUE(gfx::DecodeDib(b16, &img, &error)) << error;
    EXPECT_EQ(img.pixels.At(0, 0), 0xFF0000u);
    EXPECT_EQ(img.pixels.At(1, 0), 0x008484u);

    // 32-bit: a zero fourth byte is no alpha; any non-zero one is.
    ASSERT_TRUE(gfx::DecodeDib(Dib(2, 1, 32, [](int x, int) { return x ? 0x123456u : 0u; }), &img, &error));
    EXPECT_FALSE(img.hasAlpha);
    EXPECT_EQ(img.pixels.At(0, 0), 0u);
    ASSERT_TRUE(gfx::DecodeDib(Dib(2, 1, 32, [](int x, int) { return x ? 0x80123456u : 0u; }), &img, &error));
    EXPECT_TRUE(img.hasAlpha);
    EXPECT_EQ(img.pixels.At(1, 0), 0x80123456u);

    // Bit-field masks after a 40-byte header (here 8-8-8 swapped to R in the low byte).
    Bytes bf = InfoHeader(1, 1, 32, 3);
    Put32(bf, 0x000000FF);
    Put32(bf, 0x0000FF00);
    Put32(bf, 0x00FF0000);
    Put32(bf, 0x00332211);
    ASSERT_TRUE(gfx::DecodeDib(bf, &img, &error)) << error;
    EXPECT_EQ(img.pixels.At(0, 0), 0x112233u);
}

TEST(Bmp, MalformedFilesFailCleanly)
{
    Bytes good = BmpFile(Dib(5, 3, 24, [](int x, int y) { return Pixel(x * 16 + y); }));
    Image img;
    std::string error;
    ASSERT_TRUE(gfx::DecodeBmp(good, &img, &error));
    // Every truncation fails (the pixel rows are required), with a reason, and never touches the output.
    Image untouched;
    untouched.pixels.Resize(1, 1, 0xABCDEF);
    for (std::size_t n = 0; n < good.size(); ++n) {
        error.clear();
        EXPECT_FALSE(gfx::DecodeBmp(gfx::Bytes(good.data(), n), &untouched, &error)) << n;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_EQ(untouched.pixels.At(0, 0), 0xABCDEFu);

    auto patched = [&](std::size_t at, std::uint32_t v) {
        Bytes b = good;
        for (int i = 0; i < 4; ++i)
            b[at + i] = (v >> (8 * i)) & 0xFF;
        return b;
    };
    EXPECT_FALSE(gfx::DecodeBmp(patched(18, 100000), &img, &error)); // width
    EXPECT_EQ(error, "bitmap is too large");
    EXPECT_FALSE(gfx::DecodeBmp(patched(22, 0x80000000u), &img, &error)); // height INT_MIN
    EXPECT_FALSE(gfx::DecodeBmp(patched(18, 0), &img, &error));
    EXPECT_FALSE(gfx::DecodeBmp(patched(10, 0xFFFFFFF0u), &img, &error)); // pixel offset
    EXPECT_FALSE(gfx::DecodeBmp(patched(10, 3), &img, &error));
    EXPECT_FALSE(gfx::DecodeBmp(patched(14, 0xFFFFFFFFu), &img, &error)); // header size
    EXPECT_FALSE(gfx::DecodeBmp(patched(30, 1), &img, &error));           // RLE8
    EXPECT_EQ(error, "compressed bitmaps are not supported");
    Bytes depth = good;
    depth[28] = 7;
    EXPECT_FALSE(gfx::DecodeBmp(depth, &img, &error));
    // A colour count far beyond the depth is held to the depth's table.
    Bytes pal8 = InfoHeader(1, 1, 8, 0, 0xFFFFFFFF);
    EXPECT_FALSE(gfx::DecodeDib(pal8, &img, &error)); // 256 entries needed, none there
    EXPECT_EQ(error, "bitmap palette is truncated");
    EXPECT_FALSE(gfx::DecodeBmp({}, &img, &error));
}

TEST(Ico, MaskAlphaPngEntriesAndSizeChoice)
{
    std::function<bool(int, int)> maskOne = [](int x, int y) { return x == 1 && y == 0; };
    Bytes masked = Dib(
        2, 2, 24, [](int, int) { return Pixel(0x00AA00); }, &maskOne);
    Bytes alpha = Dib(
        3, 3, 32, [](int x, int) { return x == 0 ? 0x00FFFFFFu : 0x80FF0000u; }, &maskOne); // the mask is ignored
    Surface pngPixels(4, 4, 0xFF0000FF);
    pngPixels.Set(3, 3, 0x40102030);
    std::vector<std::uint8_t> png;
    std::string error;
    ASSERT_TRUE(gfx::EncodePng(pngPixels, true, &png, &error)) << error;

    std::vector<gfx::IconImage> icons;
    ASSERT_TRUE(gfx::DecodeIco(IcoFile({masked, alpha, png}), &icons, &error)) << error;
    ASSERT_EQ(icons.size(), 3u);
    EXPECT_EQ(icons[0].width, 2);
    EXPECT_EQ(icons[0].height, 2);
    EXPECT_EQ(icons[0].bitCount, 24);
    EXPECT_TRUE(icons[0].image.hasAlpha);
    EXPECT_EQ(icons[0].image.pixels.At(0, 0), 0xFF00AA00u);
    EXPECT_EQ(icons[0].image.pixels.At(1, 0), 0u); // masked out
    EXPECT_EQ(icons[0].image.pixels.At(1, 1), 0xFF00AA00u);
    EXPECT_EQ(icons[1].image.pixels.At(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(icons[1].image.pixels.At(1, 0), 0x80FF0000u);
    EXPECT_EQ(icons[2].width, 4);
    EXPECT_TRUE(icons[2].image.pixels.SamePixels(pngPixels));

    // A damaged entry is skipped while the rest still load.
    Bytes broken = IcoFile({masked, alpha});
    broken[6 + 16 + 12] = 0xF0; // second entry's offset far past the end
    ASSERT_TRUE(gfx::DecodeIco(broken, &icons, &error));
    EXPECT_EQ(icons.size(), 1u);

    auto solid = [](int, int) { return Pixel(0x80000000); };
    std::function<bool(int, int)> none = [](int, int) { return false; };
    std::vector<gfx::IconImage> sized;
    ASSERT_TRUE(gfx::DecodeIco(IcoFile({Dib(16, 16, 32, solid, &none), Dib(32, 32, 24, solid, &none),
                                        Dib(32, 32, 32, solid, &none), Dib(48, 48, 32, solid, &none)}),
                               &sized, &error))
        << error;
    EXPECT_EQ(gfx::BestIconImage(sized, 32, 32), &sized[2]);
    EXPECT_EQ(gfx::BestIconImage(sized, 20, 20), &sized[2]);
    EXPECT_EQ(gfx::BestIconImage(sized, 16, 15), &sized[0]);
    EXPECT_EQ(gfx::BestIconImage(sized, 64, 64), &sized[3]);
    EXPECT_EQ(gfx::BestIconImage({}, 16, 16), nullptr);
}

TEST(Ico, MalformedFilesFailCleanly)
{
    std::function<bool(int, int)> none = [](int, int) { return false; };
    Bytes good = IcoFile({Dib(
        3, 3, 32, [](int, int) { return Pixel(0xFF123456); }, &none)});
    std::vector<gfx::IconImage> icons;
    std::string error;
    ASSERT_TRUE(gfx::DecodeIco(good, &icons, &error));
    // Truncated before the colour rows end: fails. Only the AND mask missing is tolerated.
    std::size_t colourEnd = 6 + 16 + 40 + 3 * 3 * 4;
    for (std::size_t n = 0; n < colourEnd; ++n)
        EXPECT_FALSE(gfx::DecodeIco(gfx::Bytes(good.data(), n), &icons, &error));
    Bytes header = good;
    header[2] = 7; // neither icon nor cursor
    EXPECT_FALSE(gfx::DecodeIco(header, &icons, &error));
    Bytes many = good;
    many[4] = many[5] = 0xFF; // 65535 entries announced
    EXPECT_FALSE(gfx::DecodeIco(many, &icons, &error));
    EXPECT_EQ(error, "icon directory is truncated");
    Bytes empty = good;
    empty[4] = 0;
    EXPECT_FALSE(gfx::DecodeIco(empty, &icons, &error));
    // Random damage never crashes; what decodes stays within the size limit.
    std::mt19937 rng(7);
    for (int i = 0; i < 2000; ++i) {
        Bytes b = good;
        for (int k = 0; k < 4; ++k)
            b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
        if (gfx::DecodeIco(b, &icons, &error)) {
            for (const auto& icon : icons)
                EXPECT_LE(icon.width, gfx::kMaxImageDimension);
        }
    }
}

TEST(Png, RoundTripsAndRejectsDamage)
{
    Surface s(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            s.Set(x, y, (x * 50) << 16 | (y * 100) << 8 | (x + y));
    std::vector<std::uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(gfx::EncodePng(s, false, &bytes, &error)) << error;
    Image back;
    ASSERT_TRUE(gfx::DecodePng(bytes, &back, &error)) << error;
    EXPECT_FALSE(back.hasAlpha);
    EXPECT_TRUE(back.pixels.SamePixels(s));

    Surface a(2, 2, 0x00000000);
    a.Set(0, 0, 0xFF102030);
    a.Set(1, 1, 0x7FA0B0C0);
    ASSERT_TRUE(gfx::EncodePng(a, true, &bytes, &error));
    ASSERT_TRUE(gfx::DecodePng(bytes, &back, &error));
    EXPECT_TRUE(back.hasAlpha);
    EXPECT_TRUE(back.pixels.SamePixels(a));

    // Through a file, as screenshots are written.
    std::string path = corvane::test::ScratchDir() + "/shot.png";
    ASSERT_TRUE(gfx::WritePngFile(s, path, false, &error)) << error;
    ASSERT_TRUE(gfx::ReadPngFile(path, &back, &error)) << error;
    EXPECT_TRUE(back.pixels.SamePixels(s));
    EXPECT_FALSE(gfx::ReadPngFile(path + ".missing", &back, &error));
    EXPECT_FALSE(gfx::WritePngFile(s, "/nonexistent-dir/x.png", false, &error));
    EXPECT_FALSE(gfx::EncodePng(Surface(), false, &bytes, &error));

    // Truncation into the image data fails; a file missing only its 12-byte end
    // chunk still holds every pixel and decodes whole.
    ASSERT_TRUE(gfx::EncodePng(s, false, &bytes, &error));
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        Image part;
        bool ok = gfx::DecodePng(gfx::Bytes(bytes.data(), n), &part, &error);
        if (n < bytes.size() - 12) {
            EXPECT_FALSE(ok) << n;
        } else if (ok) {
            EXPECT_TRUE(part.pixels.SamePixels(s)) << n;
        }
    }
    std::mt19937 rng(3);
    for (int i = 0; i < 300; ++i) {
        std::vector<std::uint8_t> b = bytes;
        b[8 + rng() % (b.size() - 8)] ^= static_cast<std::uint8_t>(1 + rng() % 255);
        gfx::DecodePng(b, &back, &error);
    }
    // A well-formed header announcing a huge image is refused before decoding.
    std::vector<std::uint8_t> huge = bytes;
    auto put32be = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            huge[at + i] = (v >> (24 - 8 * i)) & 0xFF;
    };
    put32be(16, 100000); // IHDR width
    put32be(29, static_cast<std::uint32_t>(crc32(0, huge.data() + 12, 17)));
    EXPECT_FALSE(gfx::DecodePng(huge, &back, &error));
    EXPECT_EQ(error, "PNG image is empty or too large");
}
