// The program's command line as a shell user meets it: help and version need
// no display, and a mistake is explained on standard error with status 2.
#include "tests/tools/RunTool.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

TEST(CommandLineTest, HelpVersionAndMistakesAnswerWithoutADisplay)
{
    const struct {
        std::vector<std::string> args;
        int code;
        const char* out; // expected in standard output ("" for nothing at all)
        const char* err; // expected in standard error ("" for nothing at all)
    } cases[] = {
        {{"--help"}, 0, "Usage: corvane [FILE]\n", ""},
        {{"-h"}, 0, "--version", ""},
        {{"--version"}, 0, "corvane 1.0.0.1\n", ""},
        {{"--bogus"}, 2, "", "corvane: unknown option: --bogus\nUsage: corvane [FILE]"},
        {{"a.log", "b.log"}, 2, "", "only one log file"},
        // A file is for the window: without a display that is said, not ignored.
        {{"a.log"}, 2, "", "no display"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front());
        ToolRun run = RunTool(CORVANE_PROGRAM, c.args, {"DISPLAY", "WAYLAND_DISPLAY"});
        EXPECT_EQ(run.code, c.code) << run.out << run.err;
        // A part expected, or nothing at all.
        EXPECT_TRUE(*c.out ? run.out.find(c.out) != std::string::npos : run.out.empty()) << run.out;
        EXPECT_TRUE(*c.err ? run.err.find(c.err) != std::string::npos : run.err.empty()) << run.err;
    }
}

} // namespace
} // namespace corvane::test
