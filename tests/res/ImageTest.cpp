#include "platform/gfx/Bmp.h"
#include "platform/gfx/Ico.h"
#include "platform/gfx/Png.h"
#include "res/ResourceIds.h"
#include "tests/res/ResTestSupport.h"
#include "tools/resgen/Catalog.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using restest::Le16;
using restest::Le32;
using restest::ReadResFile;

constexpr gfx::Pixel kRed = 0xE74D18;   // RGB(231, 77, 24)
constexpr gfx::Pixel kGreen = 0x9FAF7F; // RGB(159, 175, 127)

gfx::Image DecodeCommittedBmp(const std::string& path)
{
    std::vector<std::uint8_t> bytes = ReadResFile(path);
    gfx::Image img;
    std::string error;
    EXPECT_TRUE(gfx::DecodeBmp(bytes, &img, &error)) << path << ": " << error;
    return img;
}

std::string CaptionPath(int id)
{
    for (const resgen::CaptionBitmap& b : resgen::CaptionBitmaps())
        if (b.id == id) return b.path;
    return {};
}

TEST(CaptionBitmaps, AreSixteenByFifteenUncompressedTwentyFourBitFiles)
{
    ASSERT_EQ(resgen::CaptionBitmaps().size(), 10u);
    for (int id = IDB_CLOSE_RED; id <= IDB_RESTORE_RED; ++id) {
        std::string path = CaptionPath(id);
        ASSERT_FALSE(path.empty()) << "no bitmap for id " << id;
        std::vector<std::uint8_t> b = ReadResFile(path);
        ASSERT_GE(b.size(), 54u) << path;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(Le32(b, 2), b.size()) << path;
        EXPECT_EQ(Le32(b, 14), 40u) << path;
        EXPECT_EQ(Le32(b, 18), 16u) << path;
        EXPECT_EQ(Le32(b, 22), 15u) << path; // positive: bottom-up rows
        EXPECT_EQ(Le16(b, 28), 24u) << path;
        EXPECT_EQ(Le32(b, 30), 0u) << path; // BI_RGB
        gfx::Image img = DecodeCommittedBmp(path);
        EXPECT_EQ(img.pixels.Width(), 16);
        EXPECT_EQ(img.pixels.Height(), 15);
        EXPECT_FALSE(img.hasAlpha);
    }
}

struct Probe {
    int x, y;
    bool glyph = true; // true: part of the white glyph; false: the bare square
};

struct Expected {
    int id;
    gfx::Pixel square;
    std::vector<Probe> probes;
};

std::vector<Probe> CloseProbes()
{
    return {{7, 7}, {4, 4}, {11, 4}, {4, 10}, {11, 10}, {7, 2, false}, {2, 7, false}};
}
std::vector<Probe> HelpProbes()
{
    return {{7, 12}, {7, 3}, {10, 5}, {7, 9}, {4, 11, false}, {7, 14, false}, {2, 7, false}};
}
std::vector<Probe> MaxProbes()
{
    return {{4, 3}, {11, 4}, {4, 8}, {11, 11}, {7, 7, false}, {7, 13, false}};
}
std::vector<Probe> RestoreProbes()
{
    return {{3, 6}, {9, 11}, {12, 3}, {12, 8}, {6, 9, false}, {12, 11, false}, {4, 3, false}};
}
std::vector<Probe> MinProbes()
{
    return {{4, 10}, {11, 11}, {7, 5, false}, {7, 8, false}, {7, 12, false}};
}

TEST(CaptionBitmaps, EachIdShowsItsGlyphOnItsSquare)
{
    const std::vector<Expected> table = {
        {IDB_CLOSE_RED, kRed, CloseProbes()},         {IDB_CLOSE_GREEN, kGreen, CloseProbes()},
        {IDB_HELP_RED, kRed, HelpProbes()},           {IDB_HELP_GREEN, kGreen, HelpProbes()},
        {IDB_RESTORE_GREEN, kGreen, RestoreProbes()}, {IDB_MAX_RED, kRed, MaxProbes()},
        {IDB_MAX_GREEN, kGreen, MaxProbes()},         {IDB_MIN_RED, kRed, MinProbes()},
        {IDB_MIN_GREEN, kGreen, MinProbes()},         {IDB_RESTORE_RED, kRed, RestoreProbes()},
    };
    for (const Expected& e : table) {
        gfx::Image img = DecodeCommittedBmp(CaptionPath(e.id));
        const gfx::Surface& s = img.pixels;
        // The square's colour at points clear of every glyph.
        for (auto [x, y] : {std::pair{1, 1}, {14, 1}, {1, 13}, {14, 13}, {2, 7}, {13, 7}})
            EXPECT_EQ(s.At(x, y) & 0xFFFFFF, e.square) << "bitmap " << e.id << " at " << x << "," << y;
        for (const Probe& p : e.probes) {
            gfx::Pixel px = s.At(p.x, p.y) & 0xFFFFFF;
            gfx::Pixel want = p.glyph ? 0xFFFFFF : e.square;
            EXPECT_EQ(px, want) << "bitmap " << e.id << (p.glyph ? " glyph" : " square") << " at " << p.x << "," << p.y;
        }
    }
}

TEST(CaptionBitmaps, RedAndGreenOfOneButtonShareTheirGlyphExactly)
{
    const std::pair<int, int> pairs[] = {{IDB_CLOSE_RED, IDB_CLOSE_GREEN},
                                         {IDB_HELP_RED, IDB_HELP_GREEN},
                                         {IDB_MAX_RED, IDB_MAX_GREEN},
                                         {IDB_MIN_RED, IDB_MIN_GREEN},
                                         {IDB_RESTORE_RED, IDB_RESTORE_GREEN}};
    std::set<std::vector<bool>> glyphs;
    for (auto [red, green] : pairs) {
        gfx::Image a = DecodeCommittedBmp(CaptionPath(red)), b = DecodeCommittedBmp(CaptionPath(green));
        std::vector<bool> maskA, maskB;
        for (int y = 1; y < 14; ++y)
            for (int x = 1; x < 15; ++x) {
                maskA.push_back((a.pixels.At(x, y) & 0xFFFFFF) != kRed);
                maskB.push_back((b.pixels.At(x, y) & 0xFFFFFF) != kGreen);
            }
        EXPECT_EQ(maskA, maskB) << "bitmaps " << red << " and " << green;
        glyphs.insert(maskA);
    }
    EXPECT_EQ(glyphs.size(), 5u); // five different glyphs
}

TEST(AppIcon, IsOneFortyEightPixelThirtyTwoBitImageWithAlphaAndAMatchingMask)
{
    std::vector<std::uint8_t> b = ReadResFile(resgen::kIconPath);
    std::vector<gfx::IconImage> images;
    std::string error;
    ASSERT_TRUE(gfx::DecodeIco(b, &images, &error)) << error;
    ASSERT_EQ(images.size(), 1u);
    const gfx::IconImage& icon = images[0];
    EXPECT_EQ(icon.width, 48);
    EXPECT_EQ(icon.height, 48);
    EXPECT_EQ(icon.bitCount, 32);
    const gfx::Surface& s = icon.image.pixels;
    for (auto [x, y] : {std::pair{0, 0}, {47, 0}, {0, 47}, {47, 47}})
        EXPECT_EQ(gfx::AlphaOf(s.At(x, y)), 0u) << "corner " << x << "," << y;
    for (auto [x, y] : {std::pair{24, 24}, {12, 30}, {20, 8}, {31, 34}})
        EXPECT_EQ(gfx::AlphaOf(s.At(x, y)), 255u) << "inside " << x << "," << y;

    // The AND mask below the colour rows is set exactly where alpha is 0.
    std::size_t imageAt = Le32(b, 18);
    ASSERT_EQ(Le32(b, imageAt + 8), 96u); // colour plus mask rows
    std::size_t maskAt = imageAt + 40 + 48 * 48 * 4;
    ASSERT_EQ(b.size(), maskAt + 48 * 8);
    int transparent = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x) {
            std::size_t row = maskAt + static_cast<std::size_t>(47 - y) * 8;
            bool masked = (b[row + x / 8] >> (7 - x % 8)) & 1;
            bool clear = gfx::AlphaOf(s.At(x, y)) == 0;
            EXPECT_EQ(masked, clear) << x << "," << y;
            transparent += clear;
        }
    EXPECT_GT(transparent, 100); // the outline is not a full square
}

TEST(TabPictures, AreSevenDistinctPicturesOnATransparentStrip)
{
    std::vector<std::uint8_t> b = ReadResFile(resgen::kTabStripPath);
    gfx::Image img;
    std::string error;
    ASSERT_TRUE(gfx::DecodePng(b, &img, &error)) << error;
    ASSERT_EQ(img.pixels.Width(), 168);
    ASSERT_EQ(img.pixels.Height(), 24);
    EXPECT_TRUE(img.hasAlpha);
    std::set<std::vector<gfx::Pixel>> cells;
    for (int c = 0; c < 7; ++c) {
        std::vector<gfx::Pixel> cell;
        int opaque = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x) {
                gfx::Pixel p = img.pixels.At(c * 24 + x, y);
                cell.push_back(p);
                opaque += gfx::AlphaOf(p) == 255;
            }
        EXPECT_GT(opaque, 150) << "picture " << c;
        EXPECT_EQ(gfx::AlphaOf(img.pixels.At(c * 24, 0)), 0u) << "picture " << c;
        EXPECT_EQ(gfx::AlphaOf(img.pixels.At(c * 24 + 23, 0)), 0u) << "picture " << c;
        cells.insert(cell);
    }
    EXPECT_EQ(cells.size(), 7u);
}

} // namespace
