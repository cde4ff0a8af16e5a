// The real program at the Full log level: its start-up entries, one status line per second
// while it waits, monitors and counts down, and an injected key press or mouse move resetting
// the count.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lullex::test {
namespace {

// The log of a fresh start: header, two empty lines, the start-up block with the copy of the
// configuration (every key line but CMain's, a blank line before each section), an empty line.
std::vector<std::string> StartUpLines(const ConfigValues& config)
{
    const std::string n = "";
    return {"Lullex",
            "Version 2.5",
            "File Created",
            "(timestamp)",
            n,
            n,
            "Lullex",
            "Version 2.5",
            n,
            "Configuration",
            "-------------",
            n,
            "[Comms]",
            "DName=1",
            "IPAdd=" + config.IPAdd,
            "Port1=" + std::to_string(config.Port1),
            n,
            "[Run]",
            "CPUDelay=" + std::to_string(config.CPUDelay),
            "LogLevel=3",
            "LogName=Lullex.log",
            "LogPath=Log/",
            "RunOnTop=1",
            "StartDelay=" + std::to_string(config.StartDelay),
            "StartMin=1",
            n,
            "[Shutdown]",
            "ShutTime=" + std::to_string(config.ShutTime),
            "ShutType=" + std::to_string(config.ShutType),
            n};
}

TEST(MonitoringLogTiming, FullLevelWritesEveryStepOfAWholeCycleSecondBySecond)
{
    XSession session({.windowManager = true});
    // The first sample after the start compares the cursor sum with 0: 100 + 200 is a move.
    Xdotool(session, {"mousemove", "100", "200"});
    ConfigValues config = MonitorConfig();
    config.StartDelay = 2;
    config.CPUDelay = 5;
    config.ShutTime = 3;
    LullexProgram program(session, config);
    StartCutOff(program, {});

    const std::optional<int> code = program.waitForExit(LongTimeout);
    ASSERT_EQ(code, 0) << program.describe();

    std::vector<std::string> expected = StartUpLines(config);
    const std::vector<std::string> steps = {
        " Start    , Initialise, Count:   2, Key: False, Mouse: False",
        " Inactive ,           , Count:   1, Key: False, Mouse: True",
        " Enter    , Run       , Count:   0, Key: False, Mouse: True",
        " Run      ,           , Count:   1, Key: False, Mouse: False",
        " Run      ,           , Count:   2, Key: False, Mouse: False",
        " Run      ,           , Count:   3, Key: False, Mouse: False",
        " Run      ,           , Count:   4, Key: False, Mouse: False",
        " Enter    , Monitor   , Count:   0, Key: False, Mouse: False",
        " Monitor  ,           , Count:   0, Key: False, Mouse: False",
        " Monitor  ,           , Count:   1, Key: False, Mouse: False",
        " Monitor  ,           , Count:   2, Key: False, Mouse: False",
        " Start    , Monitor   , Count:   3, Key: False, Mouse: False",
        " Close    , Monitor   , Count:   3, Key: False, Mouse: False",
    };
    expected.insert(expected.end(), steps.begin(), steps.end());

    const std::vector<std::string> lines = program.logLines();
    ASSERT_EQ(lines.size(), expected.size()) << program.describe();
    std::vector<std::string> actual = FieldsFrom(lines);
    EXPECT_TRUE(IsTimestamp(actual[3])) << actual[3];
    actual[3] = "(timestamp)";
    EXPECT_EQ(actual, expected);

    // The lines above count the seconds; their stamps show that the seconds are not shorter.
    // Ten seconds from the start to the last one (the second of the countdown's first step and
    // the last second each write two lines at once); whole-second stamps may cut one off. A
    // loaded machine can only stretch them, so the upper bound is generous.
    const std::size_t first = expected.size() - steps.size();
    const int span = SecondsBetween(lines[first], lines[first + 11]);
    EXPECT_GE(span, 10 - 1) << "the steps came faster than once a second";
    EXPECT_LE(span, 2 * 10) << "the steps came far slower than once a second";
}

class InputDuringRun : public testing::Test {
protected:
    // Two seconds of activation: the first sample (which always sees the cursor "move" from
    // the remembered sum 0) falls before Run.
    static ConfigValues config()
    {
        ConfigValues values = MonitorConfig();
        values.StartDelay = 2;
        return values;
    }

    InputDuringRun() : program(session, config()) {}

    // Waits for the Run line with this count after `from`, then injects the input.
    std::size_t injectAtCount(int count, std::size_t from, const std::vector<std::string>& input)
    {
        const std::string line = " Run      ,           , Count:   " + std::to_string(count) +
                                 ", Key: False, Mouse: False";
        const std::optional<std::size_t> at = program.waitForLine(line, from);
        if (!at) {
            ADD_FAILURE() << "no line \"" << line << "\"\n" << program.describe();
            return from;
        }
        Xdotool(session, input);
        return *at;
    }

    XSession session{{.windowManager = true}};
    LullexProgram program;
};

TEST_F(InputDuringRun, KeyPressAndMouseMoveSetTheCountBackToZero)
{
    StartCutOff(program, {});
    const std::optional<std::size_t> running =
        program.waitForLine(" Enter    , Run       , Count:   0, Key: False, Mouse: True");
    ASSERT_TRUE(running) << program.describe();

    const std::size_t keyed = injectAtCount(3, *running, {"key", "x"});
    const std::optional<std::size_t> reset =
        program.waitForLine(" Run      ,           , Count:   0, Key: True , Mouse: False", keyed);
    ASSERT_TRUE(reset) << program.describe();

    const std::size_t moved = injectAtCount(2, *reset, {"mousemove_relative", "5", "0"});
    const std::optional<std::size_t> resetAgain =
        program.waitForLine(" Run      ,           , Count:   0, Key: False, Mouse: True", moved);
    ASSERT_TRUE(resetAgain) << program.describe();
    ASSERT_TRUE(program.waitForLine(" Run      ,           , Count:   1, Key: False, Mouse: False",
                                    *resetAgain))
        << program.describe();

    // Every second counts up until the one that saw the input, which starts again from 0.
    const std::vector<std::string> fields = FieldsFrom(program.logLines(), *running + 1);
    std::vector<std::string> expected;
    const auto quiet = [&](int from, int to) {
        for (int count = from; count <= to; ++count)
            expected.push_back(" Run      ,           , Count:   " + std::to_string(count) +
                               ", Key: False, Mouse: False");
    };
    const int keyedAt = static_cast<int>(*reset - *running - 1);
    quiet(1, keyedAt);
    expected.push_back(" Run      ,           , Count:   0, Key: True , Mouse: False");
    quiet(1, static_cast<int>(*resetAgain - *reset - 1));
    expected.push_back(" Run      ,           , Count:   0, Key: False, Mouse: True");
    quiet(1, 1);
    ASSERT_GE(fields.size(), expected.size()) << program.describe();
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + expected.size()), expected);
    EXPECT_GE(keyedAt, 3) << "the key press was seen before it was made";
}

}  // namespace
}  // namespace lullex::test
