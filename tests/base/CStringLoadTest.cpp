// CString::LoadString through the loader the window system installs.
#include "platform/base/CString.h"

#include <gtest/gtest.h>
#include <string>

namespace {

bool FakeLoader(UINT id, CString* out)
{
    switch (id) {
    case 101: *out = "关于 Corvane(&A)..."; return true;
    case 102: *out = CString("head\0tail", 9); return true;
    case 103: *out = ""; return true;
    default: return false;
    }
}

class StringLoad : public ::testing::Test {
protected:
    corvane::StringLoader saved = nullptr;
    void SetUp() override { saved = corvane::SetStringLoader(&FakeLoader); }
    void TearDown() override { corvane::SetStringLoader(saved); }
};

TEST_F(StringLoad, FoundTextReplacesTheStringAndMissingEmptiesIt)
{
    CString s("old");
    EXPECT_TRUE(s.LoadString(101));
    EXPECT_EQ(s, "关于 Corvane(&A)...");
    CString copy = s;
    EXPECT_FALSE(s.LoadString(999));
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_EQ(copy, "关于 Corvane(&A)..."); // copies keep their text
}

TEST_F(StringLoad, TextEndsAtANulAndEmptyTextCountsAsNotLoaded)
{
    CString s;
    EXPECT_TRUE(s.LoadString(102));
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(s, "head");
    EXPECT_FALSE(s.LoadString(103));
    EXPECT_TRUE(s.IsEmpty());
}

TEST_F(StringLoad, WithoutALoaderNothingLoads)
{
    EXPECT_EQ(corvane::SetStringLoader(nullptr), &FakeLoader);
    CString s("x");
    EXPECT_FALSE(s.LoadString(101));
    EXPECT_TRUE(s.IsEmpty());
}

} // namespace
