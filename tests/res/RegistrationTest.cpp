#include "platform/gfx/Png.h"
#include "platform/system/dialog/DialogDefs.h"
#include "platform/system/dialog/Resource.h"
#include "platform/system/gdi/Gdi.h"
#include "platform/system/window/WinStyles.h"
#include "res/ResourceIds.h"
#include "res/Resources.h"
#include "res/VersionInfo.h"
#include "tests/res/ResTestSupport.h"
#include "tools/resgen/Catalog.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace {

using restest::Hex;

class Registration : public ::testing::Test {
protected:
    void SetUp() override
    {
        sys::ClearResources();
        RegisterCorvaneResources();
    }
    void TearDown() override { sys::ClearResources(); }
};

std::string CaptionPath(int id)
{
    for (const resgen::CaptionBitmap& b : resgen::CaptionBitmaps())
        if (b.id == id) return b.path;
    return {};
}

// Code page 936 bytes written out, so the test does not depend on how the compiler encodes literals.
std::string Bytes(std::initializer_list<int> b)
{
    std::string s;
    for (int c : b)
        s.push_back(static_cast<char>(c));
    return s;
}

TEST_F(Registration, EveryImageIdLoadsAtItsSize)
{
    for (int id = IDB_CLOSE_RED; id <= IDB_RESTORE_RED; ++id) {
        HBITMAP bmp = LoadBitmap(nullptr, MAKEINTRESOURCE(id));
        ASSERT_NE(bmp, nullptr) << "bitmap " << id;
        BITMAP info{};
        ASSERT_NE(GetObject(bmp, sizeof info, &info), 0) << id;
        EXPECT_EQ(info.bmWidth, 16) << id;
        EXPECT_EQ(info.bmHeight, 15) << id;
        DeleteObject(bmp);
        // The id carries the file the generator drew for it (whose pixels ImageTest checks).
        const std::string* bytes = sys::FindResourceData(RT_BITMAP, MAKEINTRESOURCE(id));
        ASSERT_NE(bytes, nullptr) << id;
        std::vector<std::uint8_t> committed = restest::ReadResFile(CaptionPath(id));
        EXPECT_TRUE(std::equal(bytes->begin(), bytes->end(), committed.begin(), committed.end(),
                               [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
            << "bitmap " << id;
    }
    // LoadIcon gives the system icon size; asked for its own size the icon is 48 x 48.
    auto iconWidth = [](HICON icon) {
        ICONINFO ii{};
        BITMAP color{};
        if (!GetIconInfo(icon, &ii) || GetObject(ii.hbmColor, sizeof color, &color) == 0) return -1;
        EXPECT_EQ(color.bmHeight, color.bmWidth);
        if (ii.hbmColor) DeleteObject(ii.hbmColor);
        if (ii.hbmMask) DeleteObject(ii.hbmMask);
        return static_cast<int>(color.bmWidth);
    };
    HICON icon = LoadIcon(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(iconWidth(icon), 32);
    DestroyIcon(icon);
    icon = static_cast<HICON>(LoadImage(nullptr, MAKEINTRESOURCE(IDR_MAINFRAME), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(iconWidth(icon), 48);
    DestroyIcon(icon);

    // The PNG is plain data, reached through the classic resource calls.
    HRSRC found = FindResource(nullptr, MAKEINTRESOURCE(IDR_PNG_TABS), "PNG");
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = LoadResource(nullptr, found);
    auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
    ASSERT_NE(data, nullptr);
    gfx::Image png;
    std::string error;
    ASSERT_TRUE(gfx::DecodePng(gfx::Bytes(data, SizeofResource(nullptr, found)), &png, &error)) << error;
    EXPECT_EQ(png.pixels.Width(), 168);
    EXPECT_EQ(png.pixels.Height(), 24);

    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(134)), nullptr);
    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(145)), nullptr);
}

TEST_F(Registration, AboutStringIsExactCodePage936AndRegisteringTwiceChangesNothing)
{
    const std::string want =
        Bytes({0xB9, 0xD8, 0xD3, 0xDA, ' ', 'C', 'o', 'r', 'v', 'a', 'n', 'e', '(', '&', 'A', ')', '.', '.', '.'});
    char buffer[64];
    ASSERT_EQ(LoadString(nullptr, IDS_ABOUTBOX, buffer, sizeof buffer), static_cast<int>(want.size()));
    EXPECT_EQ(Hex(buffer), Hex(want));

    RegisterCorvaneResources();
    ASSERT_NE(sys::FindString(IDS_ABOUTBOX), nullptr);
    EXPECT_EQ(Hex(*sys::FindString(IDS_ABOUTBOX)), Hex(want));
    EXPECT_EQ(sys::FindDialogTemplate(MAKEINTRESOURCE(IDD_CORVANE_DIALOG))->items.size(), 3u);
}

struct Item {
    const char* className;
    std::string text;
    int id;
    DWORD style;
    short x, y, cx, cy;
};

void ExpectItems(UINT templateId, const std::vector<Item>& want)
{
    const DialogTemplate* t = sys::FindDialogTemplate(MAKEINTRESOURCE(templateId));
    ASSERT_NE(t, nullptr) << templateId;
    ASSERT_EQ(t->items.size(), want.size()) << templateId;
    for (std::size_t i = 0; i < want.size(); ++i) {
        const DialogItemTemplate& got = t->items[i];
        SCOPED_TRACE("template " + std::to_string(templateId) + " item " + std::to_string(i));
        EXPECT_EQ(got.className, want[i].className);
        EXPECT_EQ(Hex(got.text), Hex(want[i].text));
        EXPECT_EQ(got.id, want[i].id);
        EXPECT_EQ(got.style, want[i].style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ((std::vector<int>{got.x, got.y, got.cx, got.cy}),
                  (std::vector<int>{want[i].x, want[i].y, want[i].cx, want[i].cy}));
    }
}

const std::string kSongTi = Bytes({0xCB, 0xCE, 0xCC, 0xE5});

TEST_F(Registration, MainDialogTemplate)
{
    const DialogTemplate* t = sys::FindDialogTemplate(MAKEINTRESOURCE(102));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->style, 0x90C000C0u);
    EXPECT_EQ(t->exStyle, 0x00040000u);
    EXPECT_EQ((std::vector<int>{t->x, t->y, t->cx, t->cy}), (std::vector<int>{0, 0, 431, 206}));
    EXPECT_EQ(t->caption, "");
    EXPECT_EQ(t->className, "");
    EXPECT_EQ(t->pointSize, 9);
    EXPECT_EQ(t->weight, 0);
    EXPECT_EQ(t->italic, 0);
    EXPECT_EQ(t->charSet, 1);
    EXPECT_EQ(Hex(t->faceName), Hex(kSongTi));
    ExpectItems(102, {{"Edit", "", 1000, 0x50810080, 7, 13, 352, 14},
                      {"Button", Bytes({0xB4, 0xF2, 0xBF, 0xAA, '.', '.', '.'}), 1001, 0x50010000, 367, 13, 50, 14},
                      {"SysTabControl32", "Tab1", 1002, 0x50000040, 13, 35, 402, 165}});
}

TEST_F(Registration, AboutBoxTemplate)
{
    const DialogTemplate* t = sys::FindDialogTemplate(MAKEINTRESOURCE(100));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->style, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
    EXPECT_EQ((std::vector<int>{t->x, t->y, t->cx, t->cy}), (std::vector<int>{0, 0, 235, 55}));
    EXPECT_EQ(Hex(t->caption), Hex(Bytes({0xB9, 0xD8, 0xD3, 0xDA, ' ', 'C', 'o', 'r', 'v', 'a', 'n', 'e'})));
    EXPECT_EQ(t->pointSize, 9);
    EXPECT_EQ(Hex(t->faceName), Hex(kSongTi));
    const DWORD child = WS_CHILD | WS_VISIBLE;
    ExpectItems(
        100, {{"Static", "#128", -1, child | 0x3, 11, 17, 20, 20},
              {"Static", "Corvane 1.0 " + Bytes({0xB0, 0xE6}), -1, child | 0x80 | WS_GROUP, 39, 17, 61, 8},
              {"Button", Bytes({0xC8, 0xB7, 0xB6, 0xA8}), IDOK, child | 0x1 | WS_GROUP | WS_TABSTOP, 178, 7, 50, 14}});
}

TEST_F(Registration, PageTemplates)
{
    for (UINT id : {103u, 104u}) {
        const DialogTemplate* t = sys::FindDialogTemplate(MAKEINTRESOURCE(id));
        ASSERT_NE(t, nullptr) << id;
        EXPECT_EQ(t->style, WS_CHILD | DS_SETFONT) << id; // hidden, no caption
        EXPECT_EQ(t->cx, 394) << id;
        EXPECT_EQ(t->cy, id == 103 ? 141 : 140) << id;
        EXPECT_EQ(t->caption, "") << id;
        EXPECT_EQ(t->faceName, "MS Sans Serif") << id;
        EXPECT_EQ(t->pointSize, 8) << id;
    }
    const DWORD list = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | 0x1;
    ExpectItems(103, {{"SysListView32", "List1", 1004, list, 0, 0, 394, 140}});
    ExpectItems(104, {{"SysListView32", "List1", 1005, list, 0, 0, 393, 140}});
}

// A reader of the version block, written against its documented layout.
struct VersionNode {
    std::u16string key;
    std::string value;
    WORD valueLength = 0;
    WORD type = 0;
    std::vector<VersionNode> children;
};

std::size_t Up4(std::size_t n)
{
    return (n + 3) & ~std::size_t{3};
}

bool ParseNode(const std::string& b, std::size_t at, std::size_t limit, VersionNode* out, std::size_t* end)
{
    auto u16 = [&](std::size_t i) {
        return static_cast<WORD>(static_cast<unsigned char>(b[i]) | static_cast<unsigned char>(b[i + 1]) << 8);
    };
    if (at + 6 > limit) return false;
    std::size_t length = u16(at);
    if (length < 6 || at + length > limit) return false;
    out->valueLength = u16(at + 2);
    out->type = u16(at + 4);
    std::size_t i = at + 6;
    for (; i + 1 < at + length && u16(i) != 0; i += 2)
        out->key.push_back(static_cast<char16_t>(u16(i)));
    i = Up4(i + 2);
    std::size_t valueBytes = out->type == 1 ? out->valueLength * 2u : out->valueLength;
    if (i + valueBytes > at + length) return false;
    out->value = b.substr(i, valueBytes);
    i = Up4(i + valueBytes);
    while (i < at + length) {
        VersionNode child;
        std::size_t next = 0;
        if (!ParseNode(b, i, at + length, &child, &next)) return false;
        out->children.push_back(std::move(child));
        i = Up4(next);
    }
    *end = at + length;
    return true;
}

std::u16string Utf16Value(const VersionNode& n)
{
    std::u16string s;
    for (std::size_t i = 0; i + 1 < n.value.size(); i += 2)
        s.push_back(static_cast<char16_t>(static_cast<unsigned char>(n.value[i]) |
                                          static_cast<unsigned char>(n.value[i + 1]) << 8));
    if (!s.empty() && s.back() == u'\0') s.pop_back();
    return s;
}

TEST_F(Registration, VersionInformationAsDataAndAsTheRegisteredBlock)
{
    const VersionInfo& v = CorvaneVersionInfo();
    EXPECT_EQ((std::vector<int>(v.fileVersion, v.fileVersion + 4)), (std::vector<int>{1, 0, 0, 1}));
    EXPECT_EQ((std::vector<int>(v.productVersion, v.productVersion + 4)), (std::vector<int>{1, 0, 0, 1}));
    EXPECT_EQ(v.fileOS, 4u);
    EXPECT_EQ(v.fileType, 1u);
    EXPECT_STREQ(v.stringTable, "080404b0");
    EXPECT_EQ(v.language, 0x0804);
    EXPECT_EQ(v.codePage, 0x04B0);
    const std::string appName = "Corvane " + Bytes({0xD3, 0xA6, 0xD3, 0xC3, 0xB3, 0xCC, 0xD0, 0xF2});
    EXPECT_EQ(Hex(FindVersionString(v, "FileDescription")), Hex(appName));
    EXPECT_EQ(Hex(FindVersionString(v, "ProductName")), Hex(appName));
    EXPECT_STREQ(FindVersionString(v, "FileVersion"), "1, 0, 0, 1");
    EXPECT_STREQ(FindVersionString(v, "OriginalFilename"), "Corvane.EXE");
    EXPECT_STREQ(FindVersionString(v, "CompanyName"), "");
    EXPECT_EQ(FindVersionString(v, "NoSuchKey"), nullptr);

    const std::string* block = sys::FindResourceData(RT_VERSION, MAKEINTRESOURCE(VS_VERSION_INFO));
    ASSERT_NE(block, nullptr);
    VersionNode root;
    std::size_t end = 0;
    ASSERT_TRUE(ParseNode(*block, 0, block->size(), &root, &end));
    EXPECT_EQ(end, block->size());
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    ASSERT_EQ(root.value.size(), 52u);
    auto u32 = [&](std::size_t i) {
        return restest::Le32(std::span(reinterpret_cast<const std::uint8_t*>(root.value.data()), root.value.size()), i);
    };
    EXPECT_EQ(u32(0), 0xFEEF04BDu);
    EXPECT_EQ(u32(8), 0x00010000u);  // file version 1.0
    EXPECT_EQ(u32(12), 0x00000001u); // .0.1
    EXPECT_EQ(u32(16), 0x00010000u);
    EXPECT_EQ(u32(20), 0x00000001u);
    EXPECT_EQ(u32(32), 4u); // VOS__WINDOWS32
    EXPECT_EQ(u32(36), 1u); // VFT_APP

    ASSERT_EQ(root.children.size(), 2u);
    ASSERT_EQ(root.children[0].key, u"StringFileInfo");
    ASSERT_EQ(root.children[0].children.size(), 1u);
    const VersionNode& table = root.children[0].children[0];
    EXPECT_EQ(table.key, u"080404b0");
    std::map<std::u16string, std::u16string> strings;
    for (const VersionNode& s : table.children)
        strings[s.key] = Utf16Value(s);
    EXPECT_EQ(strings.size(), 11u);
    EXPECT_EQ(strings[u"FileDescription"], u"Corvane 应用程序");
    EXPECT_EQ(strings[u"ProductName"], u"Corvane 应用程序");
    EXPECT_EQ(strings[u"ProductVersion"], u"1, 0, 0, 1");
    EXPECT_EQ(strings[u"InternalName"], u"Corvane");
    EXPECT_EQ(strings[u"SpecialBuild"], u"");

    ASSERT_EQ(root.children[1].key, u"VarFileInfo");
    ASSERT_EQ(root.children[1].children.size(), 1u);
    const VersionNode& translation = root.children[1].children[0];
    EXPECT_EQ(translation.key, u"Translation");
    EXPECT_EQ(Hex(translation.value), "0408b004"); // 0x0804 then 0x04b0, little-endian
}

} // namespace
