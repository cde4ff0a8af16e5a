// Without an X display the program can neither watch the keyboard and mouse nor, on xcb, show a
// window or a box: it says so on standard error and ends as after a fatal error.
#include "lullex_program.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lullex::test {
namespace {

struct DisplayCase {
    const char* name;
    Environment variables;
    std::string missing;
};

void PrintTo(const DisplayCase& row, std::ostream* out)
{
    *out << row.name;
}

const std::string NoDisplaySet =
    "Cannot watch the keyboard and mouse: no X display is set (DISPLAY is empty).";

class NoDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(NoDisplay, EndsWithItsOwnMessageOnStandardErrorAndCode1)
{
    TempDir directory("lullex-no-display");
    ProcessSpec spec;
    spec.argv = {LullexBinary().string()};
    spec.workingDirectory = directory.path();
    spec.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM"};
    spec.setEnvironment = GetParam().variables;
    spec.setEnvironment["XDG_RUNTIME_DIR"] = directory.path().string();

    const CommandResult result = RunCommand(spec);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Lullex Input Monitoring Error\n" + GetParam().missing +
                              "\nThe program will now terminate.\n");
}

INSTANTIATE_TEST_SUITE_P(
    Displays, NoDisplay,
    testing::Values(DisplayCase{"Unset", {}, NoDisplaySet},
                    // The tests' own platform shows nothing, but the input is still X's.
                    DisplayCase{"UnsetOffscreen", {{"QT_QPA_PLATFORM", "offscreen"}}, NoDisplaySet},
                    DisplayCase{"Unreachable",
                                {{"DISPLAY", ":4093"}},
                                "Cannot watch the keyboard and mouse: the X display \":4093\" "
                                "cannot be opened."}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex::test
