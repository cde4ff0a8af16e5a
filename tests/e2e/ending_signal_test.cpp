// The desktop ends its session with SIGTERM or SIGHUP, a terminal with SIGINT: the program ends
// as a close of its window does, with "Exit" as the last log entry and code 0.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

struct EndingSignalCase {
    const char* name;
    int number;
};

void PrintTo(const EndingSignalCase& row, std::ostream* out)
{
    *out << row.name;
}

class EndingSignal : public testing::TestWithParam<EndingSignalCase> {};

TEST_P(EndingSignal, EndsLikeAClosedWindow)
{
    XSession session({.windowManager = true});
    ConfigValues config = TestModeConfig();
    config.StartDelay = 3600;
    LullexProgram program(session, config);
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(WaitForLineStartingWith(program, " Start    , Initialise")) << program.describe();

    ASSERT_EQ(::kill(program.process().pid(), GetParam().number), 0);
    EXPECT_EQ(program.waitForExit(), std::optional<int>(0)) << program.describe();
    const std::vector<std::string> lines = StatusLines(program);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().starts_with(" Exit     , Initialise, Count:")) << program.describe();
}

INSTANTIATE_TEST_SUITE_P(Signals, EndingSignal,
                         testing::Values(EndingSignalCase{"SIGTERM", SIGTERM},
                                         EndingSignalCase{"SIGINT", SIGINT},
                                         EndingSignalCase{"SIGHUP", SIGHUP}),
                         [](const testing::TestParamInfo<EndingSignalCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace lullex::test
