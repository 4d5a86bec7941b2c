// A second log opened with too little memory for it (the address space cut by
// prlimit): the window shows either the whole second log or the first one
// exactly as before, its path and its pages, whichever step ran out.
#include "tests/support/TestPaths.h"
#include "tests/tools/RunTool.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace corvane::test {
namespace {

std::string Prlimit()
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && access((dir + "/prlimit").c_str(), X_OK) == 0) return dir + "/prlimit";
    return std::string();
}

std::string Log(int lines, const char* tag)
{
    const char* agents[] = {"Baiduspider/2.0", "Googlebot/2.1", "bingbot/2.0", "Firefox/115.0"};
    std::string log;
    for (int i = 0; i < lines; ++i)
        log += "192.0.2." + std::to_string(i % 250) + " - - [14/Mar/2024:08:01:24 -0700] \"GET /" + tag + "/" +
               std::to_string(i) + " HTTP/1.1\" 200 512 \"-\" \"Mozilla/5.0 (compatible; " + agents[i % 4] + ")\"\n";
    return log;
}

TEST(ReopenMemoryTest, ASecondLogWithoutMemoryLeavesTheFirstExactly)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's shadow memory does not fit an address-space limit";
#endif
    const std::string prlimit = Prlimit();
    if (prlimit.empty()) GTEST_SKIP() << "prlimit is not installed";
    const std::string first = WriteScratchFile("first.log", Log(1000, "first"));
    // Past the size read on a worker thread.
    const std::string second = WriteScratchFile("second.log", Log(280000, "second"));

    const ToolRun firstAgain = RunTool(CORVANE_REOPEN, {first, first});
    const ToolRun secondWhole = RunTool(CORVANE_REOPEN, {first, second});
    ASSERT_EQ(firstAgain.code, 0) << firstAgain.err;
    ASSERT_EQ(secondWhole.code, 0) << secondWhole.err;
    ASSERT_NE(firstAgain.out.find("path\t" + first + "\n"), std::string::npos) << firstAgain.out;
    ASSERT_NE(secondWhole.out.find("page 0\t280000\n"), std::string::npos) << secondWhole.out;

    int keptFirst = 0;
    int tookSecond = 0;
    // Each run shows one of the two whole states; false when it shows something else.
    auto runAt = [&](long long kib) {
        ToolRun run = RunTool(prlimit, {"--as=" + std::to_string(kib * 1024), CORVANE_REOPEN, first, second});
        // Too little for the libraries, or for the first log: nothing to compare.
        if (run.code == 127 || run.code == 3) return std::string("none");
        EXPECT_EQ(run.code, 0) << kib << " KiB: " << run.err;
        if (run.out == secondWhole.out) {
            ++tookSecond;
            return std::string("second");
        }
        EXPECT_EQ(run.out, firstAgain.out) << kib << " KiB: neither log whole\n" << run.err;
        if (run.out != firstAgain.out) return std::string("other");
        // The user was told why the second did not come.
        EXPECT_FALSE(run.err.empty()) << kib << " KiB";
        ++keptFirst;
        return std::string("first");
    };

    // Little memory: the first log fits, the second or a thread to read it does not.
    for (long long mib = 32; mib <= 64; mib += 8)
        runAt(mib * 1024);
    // Halve the way to the least memory the second log loads in, then walk the
    // last few hundred KiB below it, where a page fill runs out after the load.
    long long low = 64 * 1024;
    long long high = 160 * 1024;
    ASSERT_EQ(runAt(high), "second");
    while (high - low > 32) {
        long long mid = (low + high) / 2;
        (runAt(mid) == "second" ? high : low) = mid;
    }
    for (long long kib = high - 256; kib < high; kib += 32)
        runAt(kib);
    EXPECT_GT(keptFirst, 0) << "no limit was low enough to keep the first log";
    EXPECT_GT(tookSecond, 0);
}

} // namespace
} // namespace corvane::test
