#include "res/EmbeddedFiles.h"
#include "tests/res/ResTestSupport.h"
#include "tools/resgen/Catalog.h"

#include <gtest/gtest.h>

namespace {

using restest::ReadResFile;

TEST(ResourceGenerator, RerunReproducesEveryCommittedFileByteForByte)
{
    std::vector<resgen::GeneratedFile> files;
    std::string error;
    ASSERT_TRUE(resgen::GenerateResourceFiles(&files, &error)) << error;
    ASSERT_EQ(files.size(), 13u); // ten caption bitmaps, the icon, the tab pictures, the desktop icon
    for (const resgen::GeneratedFile& f : files) {
        std::vector<std::uint8_t> committed = ReadResFile(f.path);
        ASSERT_FALSE(committed.empty()) << "res/" << f.path << " is missing";
        EXPECT_TRUE(committed == f.bytes)
            << "res/" << f.path << " differs from the generator's output: run corvane_resgen res";
    }
}

TEST(ResourceGenerator, BuildCarriesTheCommittedFilesUnchanged)
{
    std::vector<resgen::GeneratedFile> files;
    std::string error;
    ASSERT_TRUE(resgen::GenerateResourceFiles(&files, &error)) << error;
    for (const resgen::GeneratedFile& f : files) {
        if (!f.embedded) {
            EXPECT_EQ(FindEmbeddedFile(f.path), nullptr) << f.path << " is installed, not embedded";
            continue;
        }
        const EmbeddedFile* e = FindEmbeddedFile(f.path);
        ASSERT_NE(e, nullptr) << f.path << " is not embedded";
        std::vector<std::uint8_t> committed = ReadResFile(f.path);
        ASSERT_EQ(e->size, committed.size()) << f.path;
        EXPECT_TRUE(std::equal(committed.begin(), committed.end(), e->data)) << f.path;
    }
    EXPECT_EQ(FindEmbeddedFile("images/none.bmp"), nullptr);
    EXPECT_EQ(FindEmbeddedFile(""), nullptr);
}

} // namespace
