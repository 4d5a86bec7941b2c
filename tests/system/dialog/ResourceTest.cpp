#include "platform/system/dialog/Resource.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

class ResourceTest : public ::testing::Test {
protected:
    void SetUp() override { sys::ClearResources(); }
    void TearDown() override { sys::ClearResources(); }
};

TEST_F(ResourceTest, TemplatesAreFoundByIdInEverySpellingAndReplaced)
{
    DialogTemplate t;
    t.cx = 235;
    t.caption = "first";
    sys::RegisterDialogTemplate(100, t);
    ASSERT_NE(sys::FindDialogTemplate(MAKEINTRESOURCE(100)), nullptr);
    EXPECT_EQ(sys::FindDialogTemplate(MAKEINTRESOURCE(100))->cx, 235);
    EXPECT_EQ(sys::FindDialogTemplate("#100"), sys::FindDialogTemplate(MAKEINTRESOURCE(100)));
    EXPECT_EQ(sys::FindDialogTemplate("#0100"), sys::FindDialogTemplate(MAKEINTRESOURCE(100)));

    t.caption = "second";
    sys::RegisterDialogTemplate(100, t);
    EXPECT_EQ(sys::FindDialogTemplate(MAKEINTRESOURCE(100))->caption, "second");

    sys::RegisterDialogTemplate("Pager", t);
    EXPECT_NE(sys::FindDialogTemplate("PAGER"), nullptr); // names ignore case

    // Missing, zero and malformed names find nothing and do not throw.
    EXPECT_EQ(sys::FindDialogTemplate(MAKEINTRESOURCE(101)), nullptr);
    EXPECT_EQ(sys::FindDialogTemplate(MAKEINTRESOURCE(0)), nullptr);
    EXPECT_EQ(sys::FindDialogTemplate("#"), nullptr);
    EXPECT_EQ(sys::FindDialogTemplate("#99999999999999999999"), nullptr);
    EXPECT_EQ(sys::FindDialogTemplate(""), nullptr);
}

TEST_F(ResourceTest, LoadStringCopiesTruncatesAndReportsMissingIds)
{
    sys::RegisterString(101, "关于 Corvane(&A)...");
    const std::string full = "关于 Corvane(&A)...";
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadString(nullptr, 101, buffer, sizeof buffer), static_cast<int>(full.size()));
    EXPECT_EQ(std::string(buffer), full);

    // Room for 5 bytes: "关于" is 4 bytes in code page 936, then the space fits.
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadString(nullptr, 101, buffer, 6), 5);
    EXPECT_EQ(std::string(buffer), full.substr(0, 5));
    // Room for 3 bytes never splits the second character.
    EXPECT_EQ(LoadString(nullptr, 101, buffer, 4), 2);
    EXPECT_EQ(std::string(buffer), full.substr(0, 2));
    EXPECT_EQ(LoadString(nullptr, 101, buffer, 1), 0);
    EXPECT_EQ(buffer[0], '\0');

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadString(nullptr, 999, buffer, sizeof buffer), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(LoadString(nullptr, 101, nullptr, 10), 0);
    EXPECT_EQ(LoadString(nullptr, 101, buffer, 0), 0);
    EXPECT_EQ(LoadString(nullptr, 101, buffer, -5), 0);

    sys::RegisterString(102, "");
    ASSERT_NE(sys::FindString(102), nullptr);
    EXPECT_EQ(LoadString(nullptr, 102, buffer, sizeof buffer), 0);
    EXPECT_EQ(sys::FindString(103), nullptr);
}

TEST_F(ResourceTest, FindResourceReachesTemplatesAndSharedBytes)
{
    DialogTemplate t;
    t.cy = 55;
    sys::RegisterDialogTemplate(100, t);
    const std::string png("\x89PNG\r\n\x1a\n-data", 13);
    sys::RegisterResourceData("PNG", 131, png);

    HRSRC dialog = FindResourceEx(nullptr, RT_DIALOG, MAKEINTRESOURCE(100), 2052);
    ASSERT_NE(dialog, nullptr);
    auto* locked = static_cast<const DialogTemplate*>(LockResource(LoadResource(nullptr, dialog)));
    ASSERT_NE(locked, nullptr);
    EXPECT_EQ(locked->cy, 55);

    HRSRC image = FindResource(nullptr, MAKEINTRESOURCE(131), "PNG");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, image), png.size());
    auto* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, image)));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(std::string(bytes, png.size()), png);
    // The same bytes through the image registry's own lookup.
    ASSERT_NE(sys::FindResourceData("PNG", MAKEINTRESOURCE(131)), nullptr);
    EXPECT_EQ(FindResource(nullptr, "#131", "PNG"), image);

    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(132), "PNG"), nullptr);
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(131), RT_DIALOG), nullptr);
    EXPECT_EQ(FindResource(nullptr, MAKEINTRESOURCE(0), "PNG"), nullptr);
    EXPECT_EQ(LoadResource(nullptr, nullptr), nullptr);
    EXPECT_EQ(LockResource(nullptr), nullptr);
    EXPECT_EQ(SizeofResource(nullptr, reinterpret_cast<HRSRC>(77)), 0u);

    // Clearing invalidates what was handed out.
    sys::ClearResources();
    EXPECT_EQ(LockResource(LoadResource(nullptr, image)), nullptr);
    EXPECT_EQ(sys::FindDialogTemplate(MAKEINTRESOURCE(100)), nullptr);
    EXPECT_EQ(sys::FindResourceData("PNG", MAKEINTRESOURCE(131)), nullptr);
}

} // namespace
