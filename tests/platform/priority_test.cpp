#include "priority.h"

#include "child_process.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

namespace lullex {
namespace {

test::CommandResult RunHelper(const std::string& command)
{
    test::ProcessSpec spec;
    spec.argv = {PLATFORM_TEST_HELPER, command};
    return test::RunCommand(spec);
}

TEST(PriorityTest, RaisesEveryThreadAndTheCallingThreadMost)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "raising the priority needs root (CAP_SYS_NICE)";
    }
    const auto result = RunHelper("priority");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    // The calling thread at nice -12, every other thread at the process's -10.
    EXPECT_EQ(result.out, "main=-12 worker=-10\n");
    EXPECT_EQ(result.err, "");
}

TEST(PriorityTest, ARefusalChangesNothingAndSaysNothing)
{
    if (geteuid() != 0) {
        GTEST_SKIP() << "needs root to run the helper as an ordinary user";
    }
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (nice < 0) {
        GTEST_SKIP() << "an ordinary user cannot start from a raised priority";
    }
    const auto result = RunHelper("priority-as-nobody");
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out,
              "main=" + std::to_string(nice) + " worker=" + std::to_string(nice) + "\n");
    EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace lullex
