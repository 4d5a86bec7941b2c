#include "platform/system/controls/edit/EditBuffer.h"

#include <gtest/gtest.h>

namespace {

using sys::EditBuffer;
using sys::EditCharAssembler;

// "a" + 中 (D6 D0) + "b" + a four-byte GB18030 character + "c".
const std::string kMixed = std::string("a\xD6\xD0") + "b" + "\x81\x30\x81\x30" + "c";

TEST(EditBuffer, BoundariesNeverSplitCharacters)
{
    EditBuffer b;
    b.SetText(kMixed);
    EXPECT_EQ(b.Boundaries(), (std::vector<std::size_t>{0, 1, 3, 4, 8, 9}));
    EXPECT_EQ(b.Snap(2), 1u);
    EXPECT_EQ(b.Snap(6), 4u);
    EXPECT_EQ(b.Next(1), 3u);
    EXPECT_EQ(b.Prev(8), 4u);
    EXPECT_EQ(b.Prev(0), 0u);
    EXPECT_EQ(b.Next(9), 9u);
    // A stray lead byte at the end is a character of its own.
    b.SetText("x\xD6");
    EXPECT_EQ(b.Boundaries(), (std::vector<std::size_t>{0, 1, 2}));
}

TEST(EditBuffer, SetSelFollowsTheClassicRules)
{
    EditBuffer b;
    b.SetText(kMixed);
    b.SetSel(0, -1);
    EXPECT_EQ(b.SelStart(), 0u);
    EXPECT_EQ(b.SelEnd(), 9u);
    EXPECT_EQ(b.Caret(), 9u);
    b.SetSel(6, 2); // reversed, both inside characters: snapped, caret at the end value
    EXPECT_EQ(b.SelStart(), 1u);
    EXPECT_EQ(b.SelEnd(), 4u);
    EXPECT_EQ(b.Caret(), 1u);
    b.SetSel(-1, 0); // deselects, the caret stays
    EXPECT_FALSE(b.HasSelection());
    EXPECT_EQ(b.Caret(), 1u);
    b.SetSel(100, 200);
    EXPECT_EQ(b.Caret(), 9u);
    EXPECT_FALSE(b.HasSelection());
}

TEST(EditBuffer, ReplaceKeepsOneLineAndTheLimit)
{
    EditBuffer b;
    b.SetText("abc");
    b.SetSel(1, 2);
    EXPECT_TRUE(b.ReplaceSel("XY\r\nsecond line"));
    EXPECT_EQ(b.Text(), "aXYc");
    EXPECT_EQ(b.Caret(), 3u);
    b.SetLimit(6);
    // One byte of room left for a double-byte character: nothing of it goes in.
    b.SetSel(4, 4);
    EXPECT_TRUE(b.ReplaceSel("1"));
    EXPECT_FALSE(b.ReplaceSel("\xD6\xD0"));
    EXPECT_EQ(b.Text(), "aXYc1");
    // Replacing a selection frees its room first.
    b.SetSel(0, 5);
    EXPECT_TRUE(b.ReplaceSel("\xD6\xD0\xCE\xC4"));
    EXPECT_EQ(b.Text(), "\xD6\xD0\xCE\xC4");
    // SetText cuts at the limit on a boundary.
    b.SetText("\xD6\xD0\xD6\xD0\xD6\xD0\xD6\xD0");
    EXPECT_EQ(b.Size(), 6u);
    b.SetLimit(0);
    EXPECT_EQ(b.Limit(), EditBuffer::kMaxLimit);
}

TEST(EditBuffer, DeletingAndWords)
{
    EditBuffer b;
    b.SetText(kMixed);
    b.MoveCaret(3, false);
    EXPECT_TRUE(b.DeleteBack());
    EXPECT_EQ(b.Text(), "a" + kMixed.substr(3));
    EXPECT_TRUE(b.DeleteForward());
    EXPECT_EQ(b.Text(), "a\x81\x30\x81\x30"
                        "c");
    b.MoveCaret(0, false);
    EXPECT_FALSE(b.DeleteBack());

    b.SetText("one  two three");
    std::size_t s = 0, e = 0;
    b.WordAt(6, &s, &e);
    EXPECT_EQ(b.Text().substr(s, e - s), "two");
    b.WordAt(3, &s, &e);
    EXPECT_EQ(b.Text().substr(s, e - s), "  ");
    b.WordAt(14, &s, &e);
    EXPECT_EQ(b.Text().substr(s, e - s), "three");
    EXPECT_EQ(b.NextWord(0), 5u);
    EXPECT_EQ(b.PrevWord(9), 5u);
}

TEST(EditCharAssembler, WholeCharactersOnly)
{
    EditCharAssembler a;
    std::string out;
    EXPECT_TRUE(a.Feed('x', &out));
    EXPECT_EQ(out, "x");
    EXPECT_FALSE(a.Feed(0xD6, &out));
    EXPECT_TRUE(a.Feed(0xD0, &out));
    EXPECT_EQ(out, "\xD6\xD0");
    // A lead byte that is not continued is dropped, the byte after it kept.
    EXPECT_FALSE(a.Feed(0xD6, &out));
    EXPECT_TRUE(a.Feed(' ', &out));
    EXPECT_EQ(out, " ");
    // Trail bytes include ASCII letters.
    EXPECT_FALSE(a.Feed(0xD6, &out));
    EXPECT_TRUE(a.Feed('y', &out));
    EXPECT_EQ(out, "\xD6y");
    // Four-byte sequences.
    EXPECT_FALSE(a.Feed(0x81, &out));
    EXPECT_FALSE(a.Feed(0x30, &out));
    EXPECT_FALSE(a.Feed(0x81, &out));
    EXPECT_TRUE(a.Feed(0x30, &out));
    EXPECT_EQ(out, "\x81\x30\x81\x30");
}

} // namespace
