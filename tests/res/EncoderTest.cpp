#include "platform/gfx/Bmp.h"
#include "platform/gfx/Ico.h"
#include "tests/res/ResTestSupport.h"
#include "tools/resgen/Coverage.h"
#include "tools/resgen/Encoders.h"

#include <gtest/gtest.h>

namespace {

gfx::Surface Pattern(int w, int h, bool withAlpha)
{
    gfx::Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            gfx::Pixel rgb = static_cast<gfx::Pixel>((x * 53 + y * 19) & 0xFF) << 16 |
                             static_cast<gfx::Pixel>((x * 7 + y * 101) & 0xFF) << 8 |
                             static_cast<gfx::Pixel>((x * 31 + y * 3 + 5) & 0xFF);
            gfx::Pixel a = withAlpha ? static_cast<gfx::Pixel>((x + y * w) * 37 % 256) : 0xFF;
            s.Set(x, y, a << 24 | rgb);
        }
    return s;
}

TEST(Encoders, BmpRoundTripsThroughTheDecoderWithPaddedRows)
{
    for (auto [w, h] : {std::pair{5, 3}, {16, 15}, {1, 1}, {7, 2}}) {
        gfx::Surface src = Pattern(w, h, false);
        resgen::ByteVector bytes = resgen::EncodeBmp24(src);
        std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
        ASSERT_EQ(bytes.size(), 54 + stride * h) << w << "x" << h;
        gfx::Image img;
        std::string error;
        ASSERT_TRUE(gfx::DecodeBmp(bytes, &img, &error)) << error;
        ASSERT_EQ(img.pixels.Width(), w);
        ASSERT_EQ(img.pixels.Height(), h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                EXPECT_EQ(img.pixels.At(x, y) & 0xFFFFFF, src.At(x, y) & 0xFFFFFF)
                    << w << "x" << h << " " << x << "," << y;
    }
    EXPECT_TRUE(resgen::EncodeBmp24(gfx::Surface()).empty());
}

TEST(Encoders, IcoKeepsStraightAlphaAndRefusesSizesTheFormatCannotHold)
{
    gfx::Surface src = Pattern(9, 5, true);
    resgen::ByteVector bytes = resgen::EncodeIco32(src);
    std::vector<gfx::IconImage> images;
    std::string error;
    ASSERT_TRUE(gfx::DecodeIco(bytes, &images, &error)) << error;
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0].bitCount, 32);
    const gfx::Surface& out = images[0].image.pixels;
    ASSERT_EQ(out.Width(), 9);
    ASSERT_EQ(out.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x) {
            gfx::Pixel want = src.At(x, y);
            gfx::Pixel got = out.At(x, y);
            ASSERT_EQ(gfx::AlphaOf(got), gfx::AlphaOf(want)) << x << "," << y;
            if (gfx::AlphaOf(want) != 0) {
                EXPECT_EQ(got & 0xFFFFFF, want & 0xFFFFFF) << x << "," << y;
            }
        }
    EXPECT_TRUE(resgen::EncodeIco32(gfx::Surface(257, 4)).empty());
    EXPECT_TRUE(resgen::EncodeIco32(gfx::Surface()).empty());
    EXPECT_EQ(resgen::EncodeIco32(gfx::Surface(256, 1, 0xFF000000))[6], 0); // 256 is written as 0
}

TEST(Coverage, FillsByAreaAndBlendsStraightAlpha)
{
    // Half a pixel covered: half alpha, full colour.
    gfx::Surface s(2, 1, 0);
    resgen::Fill(s, resgen::Rect(0, 0, 0.5, 1), 0xFF0000);
    EXPECT_NEAR(static_cast<int>(gfx::AlphaOf(s.At(0, 0))), 128, 1);
    EXPECT_EQ(s.At(0, 0) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(s.At(1, 0), 0u); // untouched outside the shape

    // Opaque over anything gives the source; half over opaque black gives half grey.
    EXPECT_EQ(resgen::BlendOver(0xFF123456, 0xABCDEF, 255), 0xFFABCDEFu);
    EXPECT_EQ(resgen::BlendOver(0xFF000000, 0xFFFFFF, 128), 0xFF808080u);
    EXPECT_EQ(resgen::BlendOver(0x00000000, 0x00FF00, 0), 0u);
    EXPECT_EQ(resgen::BlendOver(0xFF102030, 0x00FF00, 0), 0xFF102030u);

    // Shapes drawn partly off the surface are clipped, not written out of bounds.
    gfx::Surface t(4, 4, 0);
    resgen::Fill(t, resgen::Ellipse(-3, -3, 6, 6), 0xFFFFFF);
    resgen::Fill(t, resgen::Capsule({-100, 2.5}, {100, 2.5}, 0.5), 0xFFFFFF);
    EXPECT_EQ(gfx::AlphaOf(t.At(0, 0)), 255u);
    EXPECT_EQ(gfx::AlphaOf(t.At(3, 0)), 0u);
    EXPECT_EQ(gfx::AlphaOf(t.At(3, 2)), 255u);

    // Mirroring and subtraction.
    gfx::Surface m(6, 1, 0);
    resgen::Fill(m, resgen::MirrorX(resgen::Subtract(resgen::Rect(0, 0, 3, 1), resgen::Rect(1, 0, 2, 1)), 3), 0xFF);
    std::vector<int> alpha;
    for (int x = 0; x < 6; ++x)
        alpha.push_back(static_cast<int>(gfx::AlphaOf(m.At(x, 0))));
    EXPECT_EQ(alpha, (std::vector<int>{0, 0, 0, 255, 0, 255}));
}

} // namespace
