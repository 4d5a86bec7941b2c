#include "platform/system/window/SysMetrics.h"
#include "tests/system/support/GdiTestCanvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using corvane::test::MemoryCanvas;

namespace {

void Put16(std::string& s, unsigned v)
{
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

std::string InfoHeader(int width, int height, int bits)
{
    std::string h;
    Put32(h, 40);
    Put32(h, static_cast<std::uint32_t>(width));
    Put32(h, static_cast<std::uint32_t>(height));
    Put16(h, 1);
    Put16(h, static_cast<unsigned>(bits));
    Put32(h, 0); // uncompressed
    for (int i = 0; i < 5; ++i) Put32(h, 0);
    return h;
}

// A 2x1 24-bit bitmap file: red, then green.
std::string RedGreenBmp()
{
    std::string pixels = std::string("\x00\x00\xFF", 3) + std::string("\x00\xFF\x00", 3) + std::string(2, '\0');
    std::string file = "BM";
    Put32(file, static_cast<std::uint32_t>(14 + 40 + pixels.size()));
    Put32(file, 0);
    Put32(file, 14 + 40);
    return file + InfoHeader(2, 1, 24) + pixels;
}

// A 2x2 icon with alpha: top row opaque red and half-transparent blue,
// bottom row transparent and opaque green.
std::string AlphaIco()
{
    std::string dib = InfoHeader(2, 4, 32); // the height counts the mask too
    auto bgra = [&](int b, int g, int r, int a) {
        dib += static_cast<char>(b);
        dib += static_cast<char>(g);
        dib += static_cast<char>(r);
        dib += static_cast<char>(a);
    };
    bgra(0, 0, 0, 0);       // bottom-left: transparent
    bgra(0, 255, 0, 255);   // bottom-right: green
    bgra(0, 0, 255, 255);   // top-left: red
    bgra(255, 0, 0, 128);   // top-right: blue, half covering
    dib += std::string(8, '\0'); // AND mask, two rows of 32 bits
    std::string ico;
    Put16(ico, 0);
    Put16(ico, 1);
    Put16(ico, 1);
    ico += '\x02';
    ico += '\x02';
    ico += '\0';
    ico += '\0';
    Put16(ico, 1);
    Put16(ico, 32);
    Put32(ico, static_cast<std::uint32_t>(dib.size()));
    Put32(ico, 6 + 16);
    return ico + dib;
}

class Resources : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys::RegisterResourceData(RT_BITMAP, 135, RedGreenBmp());
        sys::RegisterResourceData(RT_GROUP_ICON, 128, AlphaIco());
        sys::RegisterResourceData(RT_BITMAP, 200, std::string("BM not a bitmap"));
        sys::RegisterResourceData(RT_GROUP_ICON, 201, std::string("\0\0\1\0\5\0", 6));
    }
    void TearDown() override { sys::ClearResourceData(); }
};

} // namespace

TEST_F(Resources, LoadBitmapDecodesRegisteredBytesIntoANewObject)
{
    HBITMAP bitmap = LoadBitmap(nullptr, MAKEINTRESOURCE(135));
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    GetObject(bitmap, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmHeight, 1);
    HBITMAP again = LoadBitmap(nullptr, "#135");
    EXPECT_NE(again, bitmap) << "each load is its own object";

    MemoryCanvas target(3, 1);
    HDC memory = CreateCompatibleDC(target.dc());
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(target.dc(), 1, 0, 2, 1, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    EXPECT_EQ(target.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(target.At(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(target.At(2, 0), RGB(0, 255, 0));
    DeleteDC(memory);
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(again));

    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(200)), nullptr) << "bytes that do not decode";
    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(999)), nullptr) << "nothing registered";
    EXPECT_EQ(LoadBitmap(nullptr, nullptr), nullptr);
    EXPECT_EQ(LoadBitmap(nullptr, "#99999999999999999999999999"), nullptr) << "an id too long for any integer";
    EXPECT_EQ(LoadBitmap(nullptr, "#"), nullptr);
    EXPECT_EQ(LoadImage(nullptr, "C:\\nowhere.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST_F(Resources, IconsBlendByAlphaAndStretch)
{
    HICON icon = static_cast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(128), IMAGE_ICON, 0, 0, 0));
    ASSERT_NE(icon, nullptr);
    MemoryCanvas canvas(4, 4);
    EXPECT_TRUE(DrawIconEx(canvas.dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 255, 255)) << "outside the icon";
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 0, 0));
    COLORREF half = canvas.At(2, 1);
    EXPECT_NEAR(GetRValue(half), 127, 1);
    EXPECT_NEAR(GetGValue(half), 127, 1);
    EXPECT_EQ(GetBValue(half), 255);
    EXPECT_EQ(canvas.At(1, 2), RGB(255, 255, 255)) << "transparent";
    EXPECT_EQ(canvas.At(2, 2), RGB(0, 255, 0));

    // Stretched to 4x4, each source pixel covers a 2x2 block.
    canvas.Clear(RGB(255, 255, 255));
    EXPECT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(3, 3), RGB(0, 255, 0));
    EXPECT_EQ(canvas.At(0, 3), RGB(255, 255, 255));

    // A flicker-free brush fills the box first; the image alone ignores the alpha.
    canvas.Clear(RGB(255, 255, 255));
    EXPECT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, 2, 2, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)),
                           DI_NORMAL));
    EXPECT_EQ(canvas.At(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 255, 255));
    canvas.Clear(RGB(255, 255, 255));
    EXPECT_TRUE(DrawIconEx(canvas.dc(), 0, 0, icon, 2, 2, 0, nullptr, DI_IMAGE));
    EXPECT_EQ(canvas.At(1, 0), RGB(0, 0, 255)) << "half-covering blue drawn solid";
    EXPECT_EQ(canvas.At(0, 1), RGB(0, 0, 0)) << "the transparent pixel's own colour";

    EXPECT_FALSE(DrawIconEx(canvas.dc(), 0, 0, icon, -1, 2, 0, nullptr, DI_NORMAL));
    EXPECT_FALSE(DrawIconEx(canvas.dc(), 0, 0, icon, 2, 2, 0, nullptr, 0));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIconEx(canvas.dc(), 0, 0, icon, 2, 2, 0, nullptr, DI_NORMAL)) << "a destroyed icon";
}

TEST_F(Resources, LoadIconIsSharedAtTheSystemIconSize)
{
    HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(128));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(128)), icon);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bm{};
    GetObject(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXICON));
    EXPECT_EQ(bm.bmHeight, GetSystemMetrics(SM_CYICON));
    EXPECT_TRUE(DeleteObject(info.hbmColor));
    EXPECT_TRUE(DeleteObject(info.hbmMask));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(128)), icon) << "destroying a shared icon keeps it";

    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(201)), nullptr) << "a directory with entries past its end";
    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(77)), nullptr);
    const std::string* bytes = sys::FindResourceData(RT_GROUP_ICON, "#128");
    ASSERT_NE(bytes, nullptr);
    for (std::size_t cut = 0; cut < bytes->size(); cut += 7)
        EXPECT_EQ(sys::CreateIconFromIcoBytes(bytes->data(), cut, 0, 0), nullptr) << "truncated at " << cut;
}
