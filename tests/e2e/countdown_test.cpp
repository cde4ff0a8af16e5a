// The countdown of the real program in the test mode ("-InhibitShutdown": the idle limit and
// the countdown are 6 seconds and the action is only announced in a box): the window coming
// forward, the simulation box and what follows it, Cancel, and the untouched configuration.
#include "e2e_test_support.h"
#include "repeating_action.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

const char* const Above = "_NET_WM_STATE_ABOVE";
const char* const Hidden = "_NET_WM_STATE_HIDDEN";

TEST(Countdown, PutsTheWindowOnTopAndTheSimulationBoxEndsTheProgram)
{
    XSession session({.windowManager = true});
    LullexProgram program(session, TestModeConfig());
    StartCutOff(program, {"-InhibitShutdown"});

    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();
    const std::string entering = MasterStatus("Enter", "Power Off", 0);
    // The program puts the window on top before it logs the countdown's start, so the state is
    // read first: on top without that line is on top too early.
    const bool onTop = HasState(session, *window, Above);
    const bool early = program.waitForLine(entering, 0, std::chrono::milliseconds(0)).has_value();
    EXPECT_TRUE(early || !onTop) << "RunOnTop 1: on top before the countdown";

    const std::optional<std::size_t> entered = program.waitForLine(entering);
    ASSERT_TRUE(entered) << program.describe();
    EXPECT_TRUE(WaitForState(session, *window, Above, true)) << "the countdown is not on top";

    ASSERT_TRUE(
        program.waitForStderr("Lullex Simulate Power Off\nTest Real Power Off\n", LongTimeout))
        << program.describe();
    ASSERT_TRUE(WaitForVisibleWindow(session, "Lullex Simulate Power Off"));
    EXPECT_TRUE(HasState(session, *window, Above)) << "the countdown left the top";
    ASSERT_TRUE(AnswerBox(session, "Lullex Simulate Power Off")) << program.describe();
    EXPECT_EQ(program.waitForExit(LongTimeout), 0) << program.describe();

    // Six idle seconds, then the countdown from 6 to 0; it ends with the simulation.
    std::vector<std::string> expected = {MasterStatus("Run", "", 5), entering};
    for (int count = 0; count <= 5; ++count)
        expected.push_back(MasterStatus("Power Off", "", count));
    expected.push_back(MasterStatus("Power Off", "Simulate", 6));
    expected.push_back(MasterStatus("Close", "Power Off", 6));
    EXPECT_EQ(FieldsFrom(program.logLines(), *entered - 1), expected);
}

TEST(Countdown, BringsAMinimisedWindowBackCentredAndOnTop)
{
    XSession session({.windowManager = true});
    LullexProgram program(session, TestModeConfig());
    const std::string entering = MasterStatus("Enter", "Power Off", 0);
    {
        // Someone moves the mouse until the window is out of the way, so the countdown cannot
        // begin first however slowly a loaded machine starts the program and the window manager.
        RepeatingAction user(std::chrono::milliseconds(500), [&, step = 1]() mutable {
            step = -step;
            Xdotool(session, {"mousemove_relative", "--", std::to_string(step), "0"});
        });
        StartCutOff(program, {"-InhibitShutdown"});
        const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
        ASSERT_TRUE(window) << program.describe();
        const std::string id = std::to_string(*window);
        Xdotool(session, {"windowmove", id, "0", "0"});
        Xdotool(session, {"windowminimize", id});
        ASSERT_TRUE(WaitForState(session, *window, Hidden, true)) << program.describe();
        ASSERT_FALSE(program.waitForLine(entering, 0, std::chrono::milliseconds(0)))
            << "the countdown began while the mouse was moving";
    }

    ASSERT_TRUE(program.waitForLine(entering)) << program.describe();
    const std::optional<XWindowId> forward = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(forward) << "the countdown did not bring the window back\n" << program.describe();
    EXPECT_TRUE(WaitForState(session, *forward, Hidden, false));
    WindowGeometry geometry;
    EXPECT_TRUE(WaitUntilCentred(session, *forward, geometry))
        << "not centred: " << geometry.width << "x" << geometry.height << "+" << geometry.x << "+"
        << geometry.y;

    ASSERT_TRUE(WaitForState(session, *forward, Above, true)) << "the countdown is not on top";
    EXPECT_TRUE(StaysTrueFor([&] { return HasState(session, *forward, Above); },
                             std::chrono::milliseconds(2000)))
        << "the countdown left the top";
}

TEST(Countdown, SimulatedHibernateRestartsMonitoringFromTheActivationDelay)
{
    XSession session({.windowManager = true});
    ConfigValues config = TestModeConfig();
    config.StartDelay = 2;
    config.ShutType = 5;
    LullexProgram program(session, config);
    StartCutOff(program, {"-InhibitShutdown"});

    ASSERT_TRUE(
        program.waitForStderr("Lullex Simulate Hibernate\nTest Real Hibernate\n", LongTimeout))
        << program.describe();
    const std::optional<std::size_t> simulated =
        program.waitForLine(MasterStatus("Hibernate", "Simulate", 6));
    ASSERT_TRUE(simulated) << program.describe();
    ASSERT_TRUE(AnswerBox(session, "Lullex Simulate Hibernate")) << program.describe();

    const std::optional<std::size_t> running = program.waitForLine(
        LineMatch::StartingWith(" Enter    , Run       , Count:   0"), *simulated);
    ASSERT_TRUE(running) << program.describe();
    ASSERT_TRUE(program.waitForLine(LineMatch::StartingWith(" Run      ,           , Count:   1"),
                                    *running))
        << "monitoring did not go on after the restart\n"
        << program.describe();
    EXPECT_TRUE(program.process().running());

    const std::vector<std::string> lines = program.logLines();
    const std::vector<std::string> fields = FieldsFrom(lines, *simulated + 1);
    ASSERT_GE(fields.size(), 6u) << program.describe();
    const std::vector<std::string> restart = {
        MasterStatus("Start", "Initialise", 2),
        MasterStatus("Restart", "Hibernate", 2),
        MasterStatus("---------", "----------", 2),
        MasterStatus("---------", "----------", 2),
    };
    EXPECT_EQ(std::vector<std::string>(fields.begin(), fields.begin() + 4), restart);
    // The first sample after the restart compares the cursor with the forgotten sum 0; the
    // Return that closed the box may or may not count as a key.
    const std::regex firstSample(
        R"( Inactive ,           , Count:   1, Key: (True |False), Mouse: True)");
    EXPECT_TRUE(std::regex_match(fields[4], firstSample)) << fields[4];
    EXPECT_EQ(fields[5], " Enter    , Run       , Count:   0" + fields[4].substr(34));
    // The restart's first activation second is silent: the delay is a whole second longer
    // than after the start (3 s instead of 2). Log seconds only round down.
    EXPECT_GE(SecondsBetween(lines[*simulated + 1], lines[*running]), 3)
        << "the activation after the restart did not start from StartDelay";
}

TEST(Countdown, TestModeLeavesTheConfigurationFileUntouched)
{
    XSession session({.windowManager = true});
    LullexProgram program(session, TestModeConfig());
    const std::filesystem::path data = program.workingDirectory() / "Data";
    const std::string before = ReadWholeFile(data / "Lullex.ini");
    StartCutOff(program, {"-InhibitShutdown"});

    ASSERT_TRUE(program.waitForStderr("Lullex Simulate Power Off\n", LongTimeout))
        << program.describe();
    ASSERT_TRUE(AnswerBox(session, "Lullex Simulate Power Off")) << program.describe();
    ASSERT_EQ(program.waitForExit(LongTimeout), 0) << program.describe();
    // The run was in the test mode's 6 seconds, not the file's 600 and 60.
    ASSERT_TRUE(program.waitForLine(MasterStatus("Power Off", "Simulate", 6)));

    EXPECT_EQ(ReadWholeFile(data / "Lullex.ini"), before);
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(data))
        names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"Lullex.ini"}) << "a file was written in Data/";
}

TEST(Countdown, CancelGoesBackToTheActivationDelayAndLeavesTheTop)
{
    XSession session({.windowManager = true});
    LullexProgram program(session, TestModeConfig());
    StartCutOff(program, {"-InhibitShutdown"});

    const std::optional<std::size_t> entered =
        program.waitForLine(MasterStatus("Enter", "Power Off", 0));
    ASSERT_TRUE(entered) << program.describe();
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();
    ASSERT_TRUE(WaitForState(session, *window, Above, true)) << "the countdown is not on top";
    ClickButton(session, *window, MainButton::Reset);

    const std::optional<std::size_t> reset =
        program.waitForLine(LineMatch::StartingWith(" Reset    , Power Off , Count:"), *entered);
    ASSERT_TRUE(reset) << "Cancel was not pressed\n" << program.describe();
    const std::optional<std::size_t> running =
        program.waitForLine(MasterStatus("Enter", "Run", 0), *reset);
    ASSERT_TRUE(running) << "monitoring did not start again\n" << program.describe();

    const std::vector<std::string> fields = FieldsFrom(program.logLines());
    // Cancel came between two countdown seconds: its count is the next one.
    const std::string lastSecond = fields[*reset - 1];
    ASSERT_TRUE(lastSecond.starts_with(" Power Off,           , Count:")) << lastSecond;
    EXPECT_EQ(fields[*reset], MasterStatus("Reset", "Power Off", CountOf(lastSecond) + 1));
    EXPECT_EQ(fields[*reset + 1], MasterStatus("Start", "Initialise", 1));
    EXPECT_EQ(*running, *reset + 2) << "the activation delay was not the whole StartDelay";
    EXPECT_TRUE(WaitForState(session, *window, Above, false))
        << "RunOnTop 1: the window stays on top after Cancel";
}

}  // namespace
}  // namespace lullex::test
