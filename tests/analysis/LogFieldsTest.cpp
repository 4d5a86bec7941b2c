// The field cut: real-world line shapes with their expected fields, then the
// fast cut held to the plain reference on random and adversarial lines.
#include "analysis/LogEntry.h"
#include "analysis/LogFields.h"
#include "tests/analysis/CompareWithReference.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace {

struct Fields {
    std::string ip, time, url, http, status, bytes;
    bool operator==(const Fields&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Fields& f)
{
    return os << "ip[" << f.ip << "] time[" << f.time << "] url[" << f.url << "] http[" << f.http << "] status["
              << f.status << "] bytes[" << f.bytes << "]";
}

// Cuts a copy of line that ends exactly at its last character (no NUL after
// it), so that a read past the end shows under the sanitizers.
Fields CutExact(const std::string& line, CStringArena* arena)
{
    std::unique_ptr<char[]> copy(line.empty() ? nullptr : new char[line.size()]);
    if (copy) std::memcpy(copy.get(), line.data(), line.size());
    LogFieldSpans spans;
    CutLogFields(copy.get(), static_cast<std::ptrdiff_t>(line.size()), spans);
    const char* p = copy.get();
    return {Str(MakeLogField(p, spans.ip, arena)),     Str(MakeLogField(p, spans.time, arena)),
            Str(MakeLogField(p, spans.url, arena)),    Str(MakeLogField(p, spans.http, arena)),
            Str(MakeLogField(p, spans.status, arena)), Str(MakeLogField(p, spans.bytes, arena))};
}

Fields FromReference(const std::string& line)
{
    reflog::Entry e = reflog::Extract(line);
    return {e.ip, e.time, e.url, e.http, e.status, e.bytes};
}

const std::string kCombined = "192.0.2.1 - - [10/Oct/2011:13:55:36 -0700] \"GET /index.html HTTP/1.1\" 200 2326 \"-\" "
                              "\"Mozilla/5.0 (compatible; Googlebot/2.1; +http://www.google.com/bot.html)\"";

TEST(LogFields, RealWorldLineShapes)
{
    const std::string t = "[10/Oct/2011:13:55:36 -0700] ";
    const std::string x = " 10/Oct/2011:13:55:36";
    struct Case {
        std::string line;
        Fields want;
    };
    const Case cases[] = {
        {kCombined, {" 192.0.2.1", x, "  /index.html ", " HTTP/1.1", " 200", " 2326"}},
        {"192.0.2.1 - - [10/Oct/2011:13:55:36 +0800] \"GET /index.html HTTP/1.1\" 200 2326 \"-\" \"Googlebot\"",
         {" 192.0.2.1", x, "  /index.html ", " HTTP/1.1", " 200", " 2326"}},
        // Common format with a user: no marker, so the address ends at the first space.
        {"127.0.0.1 - frank [10/Oct/2000:13:55:36 -0700] \"GET /apache_pb.gif HTTP/1.0\" 200 2326",
         {" 127.0.0.1", " 10/Oct/2000:13:55:36", "  /apache_pb.gif ", " HTTP/1.0", " 200", " 2326"}},
        {"host.example.com a b [" + t.substr(1) + "\"GET / HTTP/1.1\" 200 1",
         {" host.example.com", x, "  / ", " HTTP/1.1", " 200", " 1"}},
        {"10.0.0.1, 10.0.0.2 - - " + t + "\"GET /a HTTP/1.1\" 200 1",
         {" 10.0.0.1, 10.0.0.2", x, "  /a ", " HTTP/1.1", " 200", " 1"}},
        {"2001:db8::1 - - [01/Mar/2022:08:00:00 +0000] \"POST /api/v1/items?id=3 HTTP/2.0\" 201 0 "
         "\"https://www.example-shop.com/a-b\" \"bingbot/2.0\"",
         {" 2001:db8::1", " 01/Mar/2022:08:00:00", "  /api/v1/items?id=3 ", " HTTP/2.0", " 201", " 0"}},
        {"66.249.66.1 - - " + t + "\"HEAD /robots.txt HTTP/1.1\" 304 - \"-\" \"Googlebot/2.1\"",
         {" 66.249.66.1", x, "  /robots.txt ", " HTTP/1.1", " 304", " "}},
        {"1.2.3.4 - - " + t + "\"OPTIONS * HTTP/1.1\" 200 - \"http://semicomplete.com/blog/tags/puppet-masterless\"",
         {" 1.2.3.4", x, "  * ", " HTTP/1.1", " 200", " "}},
        // No protocol: the url is everything after the method.
        {"1.2.3.4 - - " + t + "\"GET /\" 200 1234", {" 1.2.3.4", x, "  /", " ", " 200", " 1234"}},
        {"1.2.3.4 - - " + t + "\"GET /x http/1.1\" 200 5", {" 1.2.3.4", x, "  /x http/1.1", " ", " 200", " 5"}},
        // Escaped quotes stay inside the request; those after it change nothing.
        {"1.2.3.4 - - " + t + "\"PUT /a\\\"b HTTP/1.1\" 400 17 \"-\" \"Mozilla \\\"Baiduspider\\\"\"",
         {" 1.2.3.4", x, "  /a\\\"b ", " HTTP/1.1", " 400", " 17"}},
        // Statuses that are not three digits, and what follows them.
        {"1.2.3.4 - - " + t + "\"GET /x HTTP/1.1\" 2000 5", {" 1.2.3.4", x, "  /x ", " HTTP/1.1", " ", " "}},
        {"1.2.3.4 - - " + t + "\"GET /x HTTP/1.1\" 20x 5", {" 1.2.3.4", x, "  /x ", " HTTP/1.1", " ", " "}},
        {"1.2.3.4 - - " + t + "\"GET /x HTTP/1.1\" 200\t5", {" 1.2.3.4", x, "  /x ", " HTTP/1.1", " ", " "}},
        {"1.2.3.4 - - " + t + "\"GET /x HTTP/1.1\"   200   512 x",
         {" 1.2.3.4", x, "  /x ", " HTTP/1.1", " 200", " 512"}},
        {"1.2.3.4 - - " + t + "\"GET /x HTTP/1.1\" 200 5k", {" 1.2.3.4", x, "  /x ", " HTTP/1.1", " 200", " "}},
        // Missing brackets or quotes.
        {"192.0.2.9 - - \"GET /nobracket HTTP/1.1\" 200 10",
         {" 192.0.2.9", " ", "  /nobracket ", " HTTP/1.1", " 200", " 10"}},
        {"1.2.3.4 - - [10/Oct/2011 \"GET / HTTP/1.1\" 200 3", {" 1.2.3.4", " ", "  / ", " HTTP/1.1", " 200", " 3"}},
        {"1.2.3.4 - - [a\"b] \"GET / HTTP/1.1\" 200 3", {" 1.2.3.4", " a\"b", "  / ", " HTTP/1.1", " 200", " 3"}},
        {"192.0.2.9 - - " + t + "GET / HTTP/1.1 200 10", {" 192.0.2.9", x, " ", " ", " ", " "}},
        // An unterminated request runs to the end and leaves no status.
        {"1.2.3.4 - - " + t + "\"GET /long HTTP/1.1 200 3", {" 1.2.3.4", x, "  /long HTTP/1.1 200 3", " ", " ", " "}},
        {"1.2.3.4 - - " + t + "\"GET /long HTTP/1.1", {" 1.2.3.4", x, "  /long ", " HTTP/1.1", " ", " "}},
        // Requests without a space: empty, or a lone hyphen.
        {"1.2.3.4 - - " + t + "\"\" 400 0 \"-\" \"-\"", {" 1.2.3.4", x, " ", " ", " 400", " 0"}},
        {"1.2.3.4 - - " + t + "\"-\" 408 0", {" 1.2.3.4", x, " ", " ", " 408", " 0"}},
        // Spaces past the protocol are no part of it; a protocol alone after the method.
        {"1.2.3.4 - - " + t + "\"GET /x HTTP/1.1 \" 200 1", {" 1.2.3.4", x, "  /x ", " HTTP/1.1", " 200", " 1"}},
        {"1.2.3.4 - - " + t + "\"GET HTTP/1.1\" 200 1", {" 1.2.3.4", x, "  ", " HTTP/1.1", " 200", " 1"}},
        // CR LF line ends: the final CR is no part of any field, a second one is.
        {kCombined + "\r", {" 192.0.2.1", x, "  /index.html ", " HTTP/1.1", " 200", " 2326"}},
        {"1.2.3.4 - - " + t + "\"GET /\" 200 12\r", {" 1.2.3.4", x, "  /", " ", " 200", " 12"}},
        {"1.2.3.4 - - " + t + "\"GET /\" 200\r", {" 1.2.3.4", x, "  /", " ", " 200", " "}},
        {"1.2.3.4 - - " + t + "\"GET /\" 200 12\r\r", {" 1.2.3.4", x, "  /", " ", " 200", " "}},
        {"noSpaceAtAll\r", {" noSpaceAtAll", " ", " ", " ", " ", " "}},
        {"", {" ", " ", " ", " ", " ", " "}},
        {"\r", {" ", " ", " ", " ", " ", " "}},
        {"    ", {" ", " ", " ", " ", " ", " "}},
    };
    CStringArena arena(4096);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(CutExact(c.line, nullptr), c.want);
        EXPECT_EQ(CutExact(c.line, &arena), c.want);
        EXPECT_EQ(FromReference(c.line), c.want);
        LogEntry e;
        e.line = Cs(c.line);
        e.Extract(&arena);
        EXPECT_EQ((Fields{Str(e.ip), Str(e.time), Str(e.url), Str(e.http), Str(e.status), Str(e.bytes)}), c.want);
    }
    // A field longer than any short buffer, through the arena and without.
    const std::string longUrl(5000, 'u');
    const std::string longLine = "1.2.3.4 - - " + t + "\"GET /" + longUrl + " HTTP/1.1\" 200 1";
    EXPECT_EQ(CutExact(longLine, &arena).url, "  /" + longUrl + " ");
    EXPECT_EQ(CutExact(longLine, nullptr).url, "  /" + longUrl + " ");
}

::testing::AssertionResult SameAsReference(const std::string& line)
{
    Fields got = CutExact(line, nullptr);
    Fields want = FromReference(line);
    if (got == want) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "line [" << line << "]\n got  " << got << "\n want " << want;
}

TEST(LogFields, RandomLinesMatchTheReference)
{
    // Single characters the rules look at, and pieces too long to turn up by chance.
    const std::vector<std::string> pieces = {
        " ", " ", " ", "-", "[", "]", "\"", "\"", "\\", "0", "2", "9", "H", "T", "P", "/", "\r", "\t", "x",
        " - - ", "HTTP/", "HTTP/1.1", "200", " 404 ", "\\\"", "\" ",
    };
    std::mt19937 rng(31337);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> size(0, 30);
    for (int round = 0; round < 300000; ++round) {
        std::string line;
        for (int i = size(rng); i > 0; --i) line += pieces[pick(rng)];
        ASSERT_TRUE(SameAsReference(line)) << "round " << round;
    }
}

TEST(LogFields, AdversarialLinesMatchTheReference)
{
    // Every line of up to five characters over the characters that matter.
    const std::string alphabet = " \"[]\\\r1H";
    std::vector<std::string> level = {""};
    for (int length = 0; length <= 5; ++length) {
        std::vector<std::string> next;
        for (const std::string& line : level) {
            ASSERT_TRUE(SameAsReference(line));
            if (length < 5)
                for (char c : alphabet) next.push_back(line + c);
        }
        level.swap(next);
    }
    // Every prefix of real lines, and each of them with one character swapped
    // for one that the rules look at.
    const std::string lines[] = {
        kCombined + "\r",
        "1.2.3.4 - - [01/Jan/2020:00:00:00 +0000] \"GET /a\\\"b HTTP/2.0\" 404 - \"http://a-b.example/\" \"x\"",
        "h a b [t] \"\" 400 0",
    };
    for (const std::string& line : lines) {
        for (std::size_t n = 0; n <= line.size(); ++n) ASSERT_TRUE(SameAsReference(line.substr(0, n)));
        for (std::size_t i = 0; i < line.size(); ++i)
            for (char c : alphabet + "0-") {
                std::string changed = line;
                changed[i] = c;
                ASSERT_TRUE(SameAsReference(changed));
            }
    }
}

} // namespace
