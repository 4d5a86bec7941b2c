#include "platform/base/CString.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

CString Bytes(const char* text, std::ptrdiff_t length)
{
    return CString(text, length);
}

} // namespace

TEST(CString, CopiesShareUntilWritten)
{
    CString a("hello");
    CString b = a;
    EXPECT_TRUE(a.SharesBufferWith(b));
    b.SetAt(0, 'j');
    EXPECT_FALSE(a.SharesBufferWith(b));
    EXPECT_EQ(a, "hello");
    EXPECT_EQ(b, "jello");

    // Every kind of write makes its own copy first.
    CString c = a;
    c.MakeUpper();
    EXPECT_EQ(a, "hello");
    EXPECT_EQ(c, "HELLO");
    CString d = a;
    d += "!";
    EXPECT_EQ(a, "hello");
    EXPECT_EQ(d, "hello!");
    CString e = a;
    e.TrimLeft();
    EXPECT_TRUE(e.SharesBufferWith(a)); // nothing to trim, nothing copied
    CString f = a;
    f = "other";
    EXPECT_EQ(a, "hello");
}

TEST(CString, GetBufferMakesItPrivateAndReleaseSetsLength)
{
    CString a("abc");
    CString b = a;
    char* p = b.GetBuffer(20);
    EXPECT_FALSE(a.SharesBufferWith(b));
    std::strcpy(p, "longer text");
    b.ReleaseBuffer();
    // A length past the buffer is cut to what the buffer holds.
    CString c0("abc");
    char* q0 = c0.GetBuffer(4);
    std::memset(q0, 'w', 5);
    c0.ReleaseBuffer(1000);
    EXPECT_EQ(c0, "wwww");
    EXPECT_EQ(b, "longer text");
    EXPECT_EQ(b.GetLength(), 11);
    EXPECT_EQ(a, "abc");

    b.GetBuffer(0);
    b.ReleaseBuffer(4);
    EXPECT_EQ(b, "long");

    // A release on a shared buffer without GetBuffer must not cut the other copies.
    CString c("shared");
    CString d = c;
    d.ReleaseBuffer(2);
    EXPECT_EQ(c, "shared");
    EXPECT_EQ(d, "sh");

    CString empty;
    empty.ReleaseBuffer(5); // no buffer to set: stays empty
    EXPECT_TRUE(empty.IsEmpty());

    CString e;
    char* q = e.GetBufferSetLength(3);
    std::memcpy(q, "xyz", 3);
    EXPECT_EQ(e, "xyz");
    EXPECT_EQ(CString("abc").GetBufferSetLength(-5)[0], '\0');
}

TEST(CString, SearchFollowsTheOffsetRules)
{
    CString s("a - - x - - y");
    EXPECT_EQ(s.Find(" - - "), 1);
    EXPECT_EQ(s.Find(" - - ", 2), 7);
    EXPECT_EQ(s.Find(" - - ", 8), -1);
    EXPECT_EQ(s.Find(" - - ", -100), 1);               // negative start counts as 0
    EXPECT_EQ(s.Find(" - - ", s.GetLength()), -1);     // at the end
    EXPECT_EQ(s.Find(" - - ", s.GetLength() + 5), -1); // past the end
    EXPECT_EQ(s.Find(" - - ", PTRDIFF_MAX), -1);
    EXPECT_EQ(s.Find("y", s.GetLength() - 1), s.GetLength() - 1);

    EXPECT_EQ(s.Find('x'), 6);
    EXPECT_EQ(s.Find('x', 6), 6);
    EXPECT_EQ(s.Find('x', 7), -1);
    EXPECT_EQ(s.Find('a', -3), 0);
    EXPECT_EQ(s.Find('y', s.GetLength()), -1);
    EXPECT_EQ(s.Find('y', PTRDIFF_MAX), -1);
    EXPECT_EQ(s.ReverseFind('-'), 10);
    EXPECT_EQ(s.ReverseFind('q'), -1);

    // An empty needle is found where the search starts, but not past the end.
    EXPECT_EQ(s.Find(""), 0);
    EXPECT_EQ(s.Find("", 4), 4);
    EXPECT_EQ(s.Find("", s.GetLength()), s.GetLength());
    EXPECT_EQ(s.Find("", s.GetLength() + 1), -1);
    EXPECT_EQ(s.Find(static_cast<const char*>(nullptr)), -1);
    EXPECT_EQ(CString().Find("x"), -1);
    EXPECT_EQ(CString().Find('x'), -1);
    EXPECT_EQ(CString("ab").Find("abc"), -1); // needle longer than the rest

    // Resuming two bytes after a hit counts markers that overlap by three.
    CString run(" - - - ");
    EXPECT_EQ(run.Find(" - - ", 0), 0);
    EXPECT_EQ(run.Find(" - - ", 2), 2);
    EXPECT_EQ(run.Find(" - - ", 4), -1);
}

TEST(CString, SearchSeesNulAndCarriageReturnBytes)
{
    CString s = Bytes("ab\0cd - - \r\n", 12);
    EXPECT_EQ(s.GetLength(), 12);
    EXPECT_EQ(s.Find('\0'), 2);
    EXPECT_EQ(s.Find('c'), 3);     // past the NUL
    EXPECT_EQ(s.Find(" - - "), 5); // past the NUL
    EXPECT_EQ(s.Find(CString("\r\n")), 10);
    EXPECT_EQ(s.Find(Bytes("\0c", 2)), 2);
    EXPECT_EQ(s.Mid(1, 3), Bytes("b\0c", 3));
    EXPECT_EQ(s.Mid(1, 3).GetLength(), 3);
    EXPECT_EQ(s.ReverseFind('\r'), 10);

    CString crlf("a\r\nb\r\n");
    EXPECT_EQ(crlf.Find('\n'), 2);
    EXPECT_EQ(crlf.Find('\n', 3), 5);
    EXPECT_EQ(crlf.Mid(3, 5 - 3), "b\r"); // the CR stays in a line's text
    CString trimmed = crlf.Mid(3, 2);
    trimmed.TrimRight();
    EXPECT_EQ(trimmed, "b");
}

TEST(CString, CutsClamp)
{
    CString s("0123456789");
    EXPECT_EQ(s.Mid(2, 3), "234");
    EXPECT_EQ(s.Mid(-4, 3), "012"); // negative first counts as 0
    EXPECT_EQ(s.Mid(3, -1), "");    // negative count gives nothing
    EXPECT_EQ(s.Mid(8, 100), "89"); // count stops at the end
    EXPECT_EQ(s.Mid(10, 1), "");    // first at the end
    EXPECT_EQ(s.Mid(11, 1), "");    // first past the end
    EXPECT_EQ(s.Mid(5, PTRDIFF_MAX), "56789");
    EXPECT_EQ(s.Mid(PTRDIFF_MIN, PTRDIFF_MAX), "0123456789");
    EXPECT_EQ(s.Mid(PTRDIFF_MAX, PTRDIFF_MAX), "");
    EXPECT_EQ(s.Mid(7), "789");
    EXPECT_EQ(s.Mid(-7), "0123456789");
    EXPECT_EQ(s.Mid(20), "");
    EXPECT_EQ(s.Left(3), "012");
    EXPECT_EQ(s.Left(-3), "");
    EXPECT_EQ(s.Left(30), "0123456789");
    EXPECT_EQ(s.Right(3), "789");
    EXPECT_EQ(s.Right(-3), "");
    EXPECT_EQ(s.Right(30), "0123456789");
    EXPECT_EQ(CString().Mid(0, 5), "");
    EXPECT_TRUE(s.Mid(0, 10).SharesBufferWith(s)); // the whole text is not copied

    // The split of a log text: records between consecutive line ends.
    CString text("a - - x\nb - - y\nc - - z");
    std::ptrdiff_t a = text.Find('\n', 0);
    std::ptrdiff_t b = text.Find('\n', a + 1);
    EXPECT_EQ(text.Mid(a + 1, b - (a + 1)), "b - - y");
    std::ptrdiff_t a2 = text.Find('\n', b);
    std::ptrdiff_t b2 = text.Find('\n', a2 + 1);
    EXPECT_EQ(b2, -1);
    EXPECT_EQ(text.Mid(a2 + 1, b2 - (a2 + 1)), ""); // no closing line end: empty
}

TEST(CString, GetAtAndSetAtIgnoreBadIndexes)
{
    CString s("abc");
    EXPECT_EQ(s.GetAt(1), 'b');
    EXPECT_EQ(s[2], 'c');
    EXPECT_EQ(s.GetAt(3), '\0');
    EXPECT_EQ(s.GetAt(-1), '\0');
    s.SetAt(-1, 'x');
    s.SetAt(3, 'x');
    EXPECT_EQ(s, "abc");
    CString t = s;
    t.SetAt(10, 'x');
    EXPECT_TRUE(t.SharesBufferWith(s)); // an ignored write copies nothing
}

TEST(CString, FormatHasPrintfSemantics)
{
    CString s;
    s.Format("%d|%5s|%-4d|%x|%.2f|%c|%%", -42, "ab", 7, 255u, 3.14159, 'Z');
    EXPECT_EQ(s, "-42|   ab|7   |ff|3.14|Z|%");
    s.Format("%lld %zu", static_cast<long long>(INT64_MIN), static_cast<std::size_t>(123));
    EXPECT_EQ(s, "-9223372036854775808 123");

    // Outputs longer than any internal scratch buffer.
    std::string big(100000, 'q');
    s.Format("<%s>", big.c_str());
    EXPECT_EQ(s.GetLength(), 100002);
    EXPECT_EQ(s.Left(3), "<qq");
    EXPECT_EQ(s.Right(2), "q>");
    for (int width : {254, 255, 256, 257, 1000}) {
        s.Format("%*d", width, 1);
        EXPECT_EQ(s.GetLength(), width);
        EXPECT_EQ(s.Right(1), "1");
    }

    // Formatting a string from its own text, short and long.
    CString self("abc");
    self.Format("%s%s", self.GetString(), self.GetString());
    EXPECT_EQ(self, "abcabc");
    CString longSelf(CString('z', 500));
    longSelf.Format("%s-%s", longSelf.GetString(), longSelf.GetString());
    EXPECT_EQ(longSelf.GetLength(), 1001);
    EXPECT_EQ(longSelf.Mid(500, 1), "-");

    // Formatting into a shared string leaves the other copy alone.
    CString a("keep");
    CString b = a;
    b.Format("%s!", "new");
    EXPECT_EQ(a, "keep");
    EXPECT_EQ(b, "new!");

    // Text is bytes: a two-byte character passes through whole.
    s.Format("%s(%d)", "百度记录", 3);
    EXPECT_EQ(s, "百度记录(3)");
    EXPECT_EQ(s.GetLength(), 11);

    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, CompareIsByBytes)
{
    EXPECT_EQ(CString("abc").Compare("abc"), 0);
    EXPECT_EQ(CString("abc").Compare("abd"), -1);
    EXPECT_EQ(CString("abd").Compare("abc"), 1);
    EXPECT_EQ(CString("ab").Compare("abc"), -1);
    EXPECT_EQ(CString("abc").Compare("ab"), 1);
    EXPECT_EQ(CString("").Compare(nullptr), 0);
    EXPECT_EQ(CString("\xB0\xD9").Compare("a"), 1); // bytes compare unsigned

    EXPECT_TRUE(CString("a") < CString("b"));
    EXPECT_TRUE(CString("\xB0") > CString("a"));
    EXPECT_TRUE(CString("a") <= CString("a"));
    EXPECT_TRUE(CString("b") >= CString("a"));
    EXPECT_TRUE(CString("a") < "b");
    EXPECT_TRUE("x" == CString("x"));
    EXPECT_TRUE("x" != CString("y"));
    EXPECT_TRUE(CString("x") != "y");
    EXPECT_TRUE(CString("b") > "a");
    EXPECT_TRUE(CString("a") <= "a");
    EXPECT_FALSE(CString("a") >= "b");
    EXPECT_TRUE("a" < CString("b"));
    EXPECT_TRUE("b" > CString("a"));
    EXPECT_FALSE("b" <= CString("a"));
    EXPECT_TRUE("a" >= CString("a"));

    // A NUL inside the text is part of it.
    EXPECT_NE(Bytes("ab\0", 3), CString("ab"));
    EXPECT_NE(Bytes("ab\0", 3), "ab");
    EXPECT_EQ(Bytes("ab\0c", 4), Bytes("ab\0c", 4));
    EXPECT_LT(Bytes("ab\0c", 4), Bytes("ab\0d", 4));

    EXPECT_EQ(CString("HeLLo").CompareNoCase("hello"), 0);
    EXPECT_EQ(CString("apple").CompareNoCase("BANANA"), -1);
    EXPECT_EQ(CString("abc").CompareNoCase("AB"), 1);
    // The second byte of a double-byte character is not a letter.
    EXPECT_NE(CString("\x81\x41").CompareNoCase("\x81\x61"), 0);
    EXPECT_EQ(CString("\x81\x41x").CompareNoCase("\x81\x41X"), 0);
}

TEST(CString, CaseAndTrimKeepDoubleByteCharacters)
{
    CString s("ab\x81\x61z \x81\x41Q");
    s.MakeUpper();
    EXPECT_EQ(s, "AB\x81\x61Z \x81\x41Q");
    s.MakeLower();
    EXPECT_EQ(s, "ab\x81\x61z \x81\x41q");

    CString t(" \t\r\n text \r\n");
    t.TrimLeft();
    EXPECT_EQ(t, "text \r\n");
    t.TrimRight();
    EXPECT_EQ(t, "text");
    CString blank("   ");
    blank.TrimRight();
    EXPECT_TRUE(blank.IsEmpty());
}

TEST(CString, ConcatenationIncludingSelf)
{
    CString a("ab");
    CString b("cd");
    EXPECT_EQ(a + b, "abcd");
    EXPECT_EQ(a + "x", "abx");
    EXPECT_EQ("x" + a, "xab");
    EXPECT_EQ(a + 'z', "abz");
    EXPECT_EQ(CString() + CString(), "");
    EXPECT_EQ(a, "ab");

    CString s("xy");
    s += s;
    EXPECT_EQ(s, "xyxy");
    s = s + s;
    EXPECT_EQ(s, "xyxyxyxy");
    s += static_cast<const char*>(nullptr);
    s.Append(nullptr, 4);
    s.Append("abc", -1);
    EXPECT_EQ(s, "xyxyxyxy");

    // Appending a piece of its own buffer while it has spare room.
    CString room("abcdef");
    room.GetBuffer(100);
    room.ReleaseBuffer();
    room.Append(room.GetString() + 2, 3);
    EXPECT_EQ(room, "abcdefcde");
    room += room.GetString();
    EXPECT_EQ(room, "abcdefcdeabcdefcde");

    CString shared("base");
    CString copy = shared;
    copy += "+more";
    EXPECT_EQ(shared, "base");
    EXPECT_EQ(copy, "base+more");

    // Many small appends stay correct (and linear).
    CString grow;
    for (int i = 0; i < 200000; ++i)
        grow += static_cast<char>('a' + i % 26);
    EXPECT_EQ(grow.GetLength(), 200000);
    EXPECT_EQ(grow.Mid(26 * 1000, 3), "abc");
    EXPECT_EQ(grow.Right(1), CString(static_cast<char>('a' + 199999 % 26)));
}

TEST(CString, ConstructionAndAssignment)
{
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    EXPECT_TRUE(CString("abc", -1).IsEmpty());
    EXPECT_TRUE(CString(nullptr, 5).IsEmpty());
    EXPECT_EQ(CString('x', 3), "xxx");
    EXPECT_TRUE(CString('x', -3).IsEmpty());
    CString s;
    s = 'q';
    EXPECT_EQ(s, "q");
    s = static_cast<const char*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());

    CString moved("moved text");
    CString target(std::move(moved));
    EXPECT_EQ(target, "moved text");
    CString t2;
    t2 = std::move(target);
    EXPECT_EQ(t2, "moved text");

    // Assigning a piece of its own text.
    CString own("hello world");
    own = own.GetString() + 6;
    EXPECT_EQ(own, "world");
    own = own;
    EXPECT_EQ(own, "world");
    own.Empty();
    EXPECT_TRUE(own.IsEmpty());
    EXPECT_STREQ(own.GetString(), "");
}

TEST(CStringArena, StringsOutliveTheArenaAndShare)
{
    CString kept;
    CString copy;
    {
        CStringArena arena(4096);
        kept = arena.Make("first line", 10);
        copy = kept;
        EXPECT_TRUE(copy.SharesBufferWith(kept));
        CString temp = arena.Make("temp", 4);
        EXPECT_EQ(temp, "temp");
    }
    EXPECT_EQ(kept, "first line");
    EXPECT_TRUE(copy.SharesBufferWith(kept));

    // A change copies the string out of the chunk; the other copy stays.
    copy.SetAt(0, 'F');
    EXPECT_EQ(copy, "First line");
    EXPECT_EQ(kept, "first line");
    EXPECT_FALSE(copy.SharesBufferWith(kept));

    CStringArena arena;
    EXPECT_TRUE(arena.Make("x", 0).IsEmpty());
    EXPECT_TRUE(arena.Make(nullptr, 3).IsEmpty());
    CString a = arena.Make("abc\0def", 7);
    EXPECT_EQ(a.GetLength(), 7);
    char* p = a.GetBuffer(20); // GetBuffer moves out of the chunk too
    std::memcpy(p + 7, "ghi", 4);
    a.ReleaseBuffer(10);
    EXPECT_EQ(a, Bytes("abc\0defghi", 10));
    CString b = arena.Make("tail", 4);
    b += "ed";
    EXPECT_EQ(b, "tailed");
    CString c = arena.Make("abc", 3);
    c.ReleaseBuffer(1);
    EXPECT_EQ(c, "a");
}

TEST(CStringArena, ManyStringsAcrossChunks)
{
    std::vector<CString> strings;
    {
        CStringArena arena(4096);
        for (int i = 0; i < 50000; ++i) {
            char text[64];
            int n = std::snprintf(text, sizeof text, "line %d %s", i, i % 3 ? "x" : "a longer line of text");
            strings.push_back(arena.Make(text, n));
        }
        // A string bigger than a quarter chunk stands alone.
        std::string big(3000, 'B');
        strings.push_back(arena.Make(big.data(), static_cast<std::ptrdiff_t>(big.size())));
    }
    for (int i = 0; i < 50000; i += 997) {
        char text[64];
        std::snprintf(text, sizeof text, "line %d %s", i, i % 3 ? "x" : "a longer line of text");
        EXPECT_EQ(strings[static_cast<std::size_t>(i)], text);
    }
    EXPECT_EQ(strings.back().GetLength(), 3000);
    // Drop them in an order unrelated to the chunks; the sanitizer build finds
    // any chunk freed early or never.
    for (std::size_t i = 0; i < strings.size(); i += 2)
        strings[i].Empty();
    EXPECT_EQ(strings[1], "line 1 x");
    strings.clear();
    EXPECT_EQ(CStringArena::Footprint(9) - CStringArena::Footprint(1), 8u); // a header plus the bytes
    EXPECT_EQ(CStringArena::Footprint(1) % 8, 0u);
}

TEST(CString, SharedEmptyStringIsNeverCounted)
{
    // Every path that makes or drops an empty string, a million times over:
    // the shared empty header must come out exactly as it went in.
    const int before = CString::SharedEmptyRefs();
    for (int i = 0; i < 1000000; ++i) {
        CString a;
        CString b = a;
        CString c(std::move(b));
        CString d("x");
        d = a;
        CString e("");
        e.Empty();
        CString f("y");
        CString g(std::move(f));
        f = g.Mid(5);
    }
    EXPECT_EQ(CString::SharedEmptyRefs(), before);
}
