// What reaches the program from outside its window: a session without an X display, and the
// signals with which a desktop or a terminal ends it.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <string>
#include <utility>

namespace lullex::test {
namespace {

// The variables set, and what the message says is missing. Offscreen is the tests' own
// platform: it shows nothing, and the input is still X's.
using DisplayCase = std::pair<Environment, std::string>;
const std::string NoDisplaySet =
    "Cannot watch the keyboard and mouse: no X display is set (DISPLAY is empty).";

class NoDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(NoDisplay, EndsWithItsOwnMessageOnStandardErrorAndCode1)
{
    TempDir directory("lullex-no-display");
    ProcessSpec spec{
        .argv = {LullexBinary().string()},
        .workingDirectory = directory.path(),
        .setEnvironment = GetParam().first,
        .unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM"}};
    spec.setEnvironment["XDG_RUNTIME_DIR"] = directory.path().string();
    const CommandResult result = RunCommand(spec);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Lullex Input Monitoring Error\n" + GetParam().second +
                              "\nThe program will now terminate.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Displays, NoDisplay,
    testing::Values(DisplayCase{{}, NoDisplaySet},
                    DisplayCase{{{"QT_QPA_PLATFORM", "offscreen"}}, NoDisplaySet},
                    DisplayCase{{{"DISPLAY", ":4093"}},
                                "Cannot watch the keyboard and mouse: the X display \":4093\" "
                                "cannot be opened."}));

class EndingSignal : public testing::TestWithParam<int> {};

TEST_P(EndingSignal, EndsLikeAClosedWindowWithExitAsTheLastEntry)
{
    XSession session({.windowManager = true});
    ConfigValues config = TestModeConfig();
    config.StartDelay = 3600;
    LullexProgram program(session, config);
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(WaitForLineStartingWith(program, " Start    , Initialise")) << program.describe();

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
