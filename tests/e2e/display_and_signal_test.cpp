// What reaches the program from outside its window: a session without an X display, and the
// signals with which a desktop or a terminal ends it.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>

namespace lullex::test {
namespace {

// With Qt's default platform and with offscreen, the tests' own, which shows nothing: the input
// is still X's.
class NoDisplay : public testing::TestWithParam<Environment> {};

TEST_P(NoDisplay, EndsWithItsOwnMessageOnStandardErrorAndCode1)
{
    TempDir directory("lullex-no-display");
    ProcessSpec spec{
        .argv = {LullexBinary().string()},
        .workingDirectory = directory.path(),
        .setEnvironment = GetParam(),
        .unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM"}};
    spec.setEnvironment["XDG_RUNTIME_DIR"] = directory.path().string();
    const CommandResult result = RunCommand(spec);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "Lullex Input Monitoring Error\nCannot watch the keyboard and mouse: no X "
              "display is set (DISPLAY is empty).\nThe program will now terminate.\n");
}

INSTANTIATE_TEST_SUITE_P(Displays, NoDisplay,
                         testing::Values(Environment{},
                                         Environment{{"QT_QPA_PLATFORM", "offscreen"}}));

class EndingSignal : public testing::TestWithParam<int> {};

TEST_P(EndingSignal, EndsLikeAClosedWindowWithExitAsTheLastEntry)
{
    XSession session({.windowManager = true});
    ConfigValues config = TestModeConfig();
    config.StartDelay = 3600;
    LullexProgram program(session, config);
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(program.waitForLine(LineMatch::StartingWith(" Start    , Initialise")))
        << program.describe();

    ASSERT_EQ(::kill(program.process().pid(), GetParam()), 0);
    EXPECT_EQ(program.waitForExit(), std::optional<int>(0)) << program.describe();
    const std::vector<std::string> lines = StatusLines(program);
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().starts_with(" Exit     , Initialise, Count:")) << program.describe();
}

INSTANTIATE_TEST_SUITE_P(Signals, EndingSignal, testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const testing::TestParamInfo<int>& info) {
                             return std::string(sigabbrev_np(info.param));
                         });

}  // namespace
}  // namespace lullex::test
