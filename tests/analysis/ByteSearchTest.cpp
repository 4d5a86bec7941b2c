// The byte search under CString::Find and the analysis loops, against a
// plain scan, at every start and near the end of exactly sized buffers.
#include "platform/base/ByteSearch.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

namespace {

std::ptrdiff_t Plain(const std::string& hay, std::ptrdiff_t start, const std::string& needle)
{
    if (start < 0) start = 0;
    if (start > static_cast<std::ptrdiff_t>(hay.size())) return -1;
    std::size_t at = hay.find(needle, static_cast<std::size_t>(start));
    return at == std::string::npos ? -1 : static_cast<std::ptrdiff_t>(at);
}

std::ptrdiff_t Fast(const std::string& hay, std::ptrdiff_t start, const std::string& needle)
{
    // An exactly sized heap copy, so a read past the end is caught by the sanitizers.
    std::unique_ptr<char[]> h(new char[hay.size() ? hay.size() : 1]);
    std::unique_ptr<char[]> n(new char[needle.size() ? needle.size() : 1]);
    std::copy(hay.begin(), hay.end(), h.get());
    std::copy(needle.begin(), needle.end(), n.get());
    return corvane::FindBytes(h.get(), static_cast<std::ptrdiff_t>(hay.size()), start, n.get(),
                              static_cast<std::ptrdiff_t>(needle.size()));
}

TEST(ByteSearch, BoundsAndEmptyNeedle)
{
    EXPECT_EQ(Fast("abc", 0, ""), 0);
    EXPECT_EQ(Fast("abc", 3, ""), 3);
    EXPECT_EQ(Fast("abc", 4, ""), -1);
    EXPECT_EQ(Fast("abc", -5, "a"), 0);
    EXPECT_EQ(Fast("abc", 3, "c"), -1);
    EXPECT_EQ(Fast("abc", 2, "c"), 2);
    EXPECT_EQ(Fast("abc", 0, "abcd"), -1);
    EXPECT_EQ(Fast("", 0, "a"), -1);
    EXPECT_EQ(corvane::FindBytes(nullptr, 0, 0, "a", 1), -1);
}

TEST(ByteSearch, AgreesWithAPlainScan)
{
    std::mt19937 rng(1234);
    const std::string alphabet = " -\n\r\0GETHTPxab";
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    const std::vector<std::string> needles = {" - - ", " -", "-", "HTTP", "GET", "Googlebot", "a", "ab", "  ",
                                              std::string("\0-", 2), "xxxxxxxxxxxxxxxxxxxxxxx"};
    for (int round = 0; round < 3000; ++round) {
        std::string hay;
        std::size_t len = round % 70;
        for (std::size_t i = 0; i < len; ++i) hay += alphabet[pick(rng)];
        const std::string& needle = needles[round % needles.size()];
        // Plant the needle at the very end now and then: the last block's overlap.
        if (round % 3 == 0 && hay.size() >= needle.size()) hay.replace(hay.size() - needle.size(), needle.size(), needle);
        for (std::ptrdiff_t start = -1; start <= static_cast<std::ptrdiff_t>(hay.size()) + 1; ++start)
            ASSERT_EQ(Fast(hay, start, needle), Plain(hay, start, needle))
                << "needle \"" << needle << "\" start " << start << " in \"" << hay << "\"";
    }
}

TEST(ByteSearch, FinderKeepsWorkingAcrossLongTexts)
{
    // A long text with the needle once at each of several offsets.
    std::string hay(100000, '-');
    for (std::size_t i = 0; i < hay.size(); i += 3) hay[i] = ' ';
    const std::string needle = "Sogou web spider";
    corvane::ByteFinder finder(needle.data(), static_cast<std::ptrdiff_t>(needle.size()));
    for (std::size_t at : {std::size_t(0), std::size_t(15), std::size_t(16), std::size_t(4097), hay.size() - 16}) {
        std::string h = hay;
        h.replace(at, needle.size(), needle);
        EXPECT_EQ(finder.Find(h.data(), static_cast<std::ptrdiff_t>(h.size()), 0), static_cast<std::ptrdiff_t>(at));
        EXPECT_EQ(finder.Find(h.data(), static_cast<std::ptrdiff_t>(h.size()), static_cast<std::ptrdiff_t>(at) + 1), -1);
    }
}

} // namespace
