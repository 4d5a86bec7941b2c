#include "platform/gfx/TextLayout.h"
#include "tests/fonts/FontTestSupport.h"

#include <filesystem>
#include <gtest/gtest.h>

using fonttest::Get;
using gfx::FontEngine;

TEST(FontResolve, ShippedAliasesAreLoadedByAbsolutePath)
{
    const std::string& alias = FontEngine::Instance().AliasFile();
    ASSERT_FALSE(alias.empty()) << FontEngine::Instance().Problem();
    EXPECT_TRUE(std::filesystem::path(alias).is_absolute());
    EXPECT_TRUE(alias.ends_with("res/fonts/corvane-fonts.conf")) << alias;
    EXPECT_TRUE(FontEngine::Instance().Problem().empty()) << FontEngine::Instance().Problem();
}

TEST(FontResolve, ProgramFacesMapToTheirCounterparts)
{
    // Song face for the list cells, header titles, dialogs and the stock fonts.
    for (const char* face : {"宋体", "SimSun", "simsun", "新宋体", "System"})
        EXPECT_EQ(Get(face, 12)->Family(), "AR PL UMing CN") << face;
    EXPECT_EQ(FontEngine::Instance().Get(gfx::DefaultGuiFontRequest())->Family(), "AR PL UMing CN");
    EXPECT_EQ(FontEngine::Instance().Get(gfx::SystemFontRequest())->Family(), "AR PL UMing CN");
    // Metric-compatible sans for the caption and the dialog template font, bold or not.
    for (const char* face : {"Arial", "MS Sans Serif", "ms sans serif", "Microsoft Sans Serif"}) {
        EXPECT_EQ(Get(face, -11)->Family(), "Liberation Sans") << face;
        EXPECT_EQ(Get(face, 18, 700)->Family(), "Liberation Sans") << face;
    }
    EXPECT_TRUE(Get("Arial", 18, 700)->File().ends_with("LiberationSans-Bold.ttf")) << Get("Arial", 18, 700)->File();
    EXPECT_TRUE(Get("Arial", 18, 400)->File().ends_with("LiberationSans-Regular.ttf"));
    EXPECT_EQ(Get("Courier New", 12)->Family(), "Liberation Mono");
}

TEST(FontResolve, NamesThatMatchNothingStillGiveAUsableFace)
{
    // Unknown, empty, blank, over-long and invalid code page 936 names.
    std::string longName(5000, 'Q');
    for (const std::string& face : {std::string("NoSuchFaceAnywhere"), std::string(), std::string("   "), longName,
                                    std::string("\xFF\xFE\x81"), std::string("\x81\x30", 2), std::string("a\0b", 3)}) {
        auto font = Get(face, -12);
        ASSERT_NE(font, nullptr);
        EXPECT_FALSE(font->Family().empty());
        EXPECT_TRUE(std::filesystem::exists(font->File())) << font->File();
        EXPECT_EQ(font->Metrics().tmHeight - font->Metrics().tmInternalLeading, 12);
        EXPECT_GT(gfx::MeasureText(*font, "Abc", 3).cx, 0);
    }
}

TEST(FontResolve, FontsAreSharedPerRequest)
{
    auto a = Get("宋体", 12);
    EXPECT_EQ(a, Get("宋体", 12));
    EXPECT_NE(a, Get("宋体", 13));
    EXPECT_NE(a, Get("宋体", 12, 700));
    gfx::FontRequest underlined = a->Request();
    underlined.underline = true;
    auto u = FontEngine::Instance().Get(underlined);
    EXPECT_NE(a, u);
    EXPECT_TRUE(u->Metrics().tmUnderlined);
    EXPECT_FALSE(a->Metrics().tmUnderlined);
}

TEST(FontResolve, CharactersAFaceLacksComeFromAnotherFace)
{
    auto arial = Get("Arial", -12);
    // Liberation Sans has no Han characters: some installed CJK face supplies them.
    std::string han = arial->FamilyFor(U'中');
    EXPECT_FALSE(han.empty());
    EXPECT_NE(han, "Liberation Sans");
    const gfx::Glyph& g = arial->GlyphFor(U'中');
    EXPECT_GT(g.advance, 6);
    EXPECT_NE(g.coverage, nullptr);
    EXPECT_EQ(arial->FamilyFor(U'A'), "Liberation Sans");
    // The Song face has both Latin and Han.
    auto song = Get("宋体", 12);
    EXPECT_EQ(song->FamilyFor(U'A'), "AR PL UMing CN");
    EXPECT_EQ(song->FamilyFor(U'中'), "AR PL UMing CN");
    // A character no face has draws the missing-glyph mark, which still moves the pen.
    EXPECT_TRUE(song->FamilyFor(U'\U0010FFFD').empty());
    EXPECT_GT(song->GlyphFor(U'\U0010FFFD').advance, 0);
}
