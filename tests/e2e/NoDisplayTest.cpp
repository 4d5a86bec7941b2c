// Started where no display can be opened, the program says so and fails
// instead of running unseen.
#include "tests/e2e/ChildProcess.h"
#include "tests/e2e/CorvaneRun.h"
#include "tests/support/TestPaths.h"

#include <gtest/gtest.h>

namespace corvane::test {
namespace {

TEST(CorvaneWithoutDisplay, SaysNoDisplayWasFoundAndExitsWithFailure)
{
    struct Case {
        const char* name;
        const char* display; // null: not set at all
    };
    for (Case c : {Case{"unset", nullptr}, Case{"unreachable", ":4999"}}) {
        std::vector<std::string> env = CurrentEnvironment();
        RemoveVariable(&env, "DISPLAY");
        RemoveVariable(&env, "WAYLAND_DISPLAY");
        if (c.display) SetVariable(&env, "DISPLAY", c.display);
        std::string error;
        std::unique_ptr<ChildProcess> app = ChildProcess::Start(
            {CorvaneBinary()}, ScratchDir(), env, ScratchDir() + "/no-display-" + c.name + ".out", &error);
        ASSERT_TRUE(app) << error;
        ASSERT_TRUE(app->WaitForExit(20000)) << c.name << ": still running without a display";
        std::string output = app->Output();
        EXPECT_NE(app->ExitCode(), 0) << c.name << ": " << app->Describe();
        EXPECT_GT(app->ExitCode(), 0) << c.name << ": " << app->Describe() << " (a crash, not an exit)";
        EXPECT_NE(output.find("no display"), std::string::npos) << c.name << ": " << output;
        if (c.display) {
            EXPECT_NE(output.find(c.display), std::string::npos) << output;
        }
    }
}

} // namespace
} // namespace corvane::test
