// corvane-pagedump with too little memory (its address space cut by prlimit):
// whichever step runs out (the load, a page fill, the dump itself), it ends
// with status 1 and says so, and never prints an incomplete dump as a success.
#include "tests/support/TestPaths.h"
#include "tests/tools/RunTool.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace corvane::test {
namespace {


// About a megabyte of crawler and browser lines.
std::string MidSizeLog()
{
    const char* agents[] = {"Baiduspider/2.0", "Googlebot/2.1", "bingbot/2.0", "Firefox/115.0"};
    const char* statuses[] = {"200", "404", "301"};
    std::string log;
    for (int i = 0; i < 8000; ++i)
        log += "192.0.2." + std::to_string(i % 250) + " - - [14/Mar/2024:08:01:24 -0700] \"GET /page/" +
               std::to_string(i) + " HTTP/1.1\" " + statuses[i % 3] + " 512 \"-\" \"Mozilla/5.0 (compatible; " +
               agents[i % 4] + ")\"\n";
    return log;
}

TEST(PageDumpMemoryTest, RunningOutOfMemoryAnywhereEndsWithOneAndAMessage)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer's shadow memory does not fit under an address-space limit";
#endif
    std::string prlimit = ProgramPath("prlimit");
    if (prlimit.empty()) GTEST_SKIP() << "prlimit is not installed";
    std::string log = WriteScratchFile("mid.log", MidSizeLog());
    ToolRun full = RunTool(CORVANE_PAGEDUMP, {log});
    ASSERT_EQ(full.code, 0) << full.err;
    ASSERT_GT(full.out.size(), 1000000u);

    int failed = 0;
    // From too little to start up to plenty, in steps fine enough to meet every stage.
    for (int mib = 16; mib <= 100; mib += 4) {
        std::string limit = "--as=" + std::to_string(mib * 1024 * 1024);
        ToolRun run = RunTool(prlimit, {limit, CORVANE_PAGEDUMP, log});
        // Too little for the program's libraries: the loader refuses before the tool runs.
        if (run.code == 127 && run.err.find("shared librar") != std::string::npos) continue;
        if (run.code == 0) {
            EXPECT_EQ(run.out, full.out) << mib << " MiB: a dump that is not the whole one";
            continue;
        }
        EXPECT_EQ(run.code, 1) << mib << " MiB: " << (run.code < 0 ? "ended by a signal" : "") << "\n" << run.err;
        EXPECT_EQ(run.out, "") << mib << " MiB: part of a dump printed";
        // The framework's report arrives in UTF-8; sources are compiled to code page 936.
        const std::string noMemory = reinterpret_cast<const char*>(u8"内存不足");
        // With too little memory to load a converter the text stays in code page 936.
        const std::string noMemoryCp936 = "\xC4\xDA\xB4\xE6\xB2\xBB\xD7\xE3";
        bool told = run.err.find(noMemory) != std::string::npos || run.err.find(noMemoryCp936) != std::string::npos ||
                    run.err.find("out of memory") != std::string::npos;
        EXPECT_TRUE(told) << mib << " MiB: " << run.err;
        ++failed;
    }
    ToolRun plenty = RunTool(prlimit, {"--as=" + std::to_string(1024LL * 1024 * 1024), CORVANE_PAGEDUMP, log});
    EXPECT_EQ(plenty.code, 0) << plenty.err;
    EXPECT_EQ(plenty.out, full.out);
    EXPECT_GT(failed, 0) << "no limit was low enough to run out";
}

} // namespace
} // namespace corvane::test
