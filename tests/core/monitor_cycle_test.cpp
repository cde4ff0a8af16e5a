#include "monitor_harness.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

class MonitorCycleTest : public ::testing::Test {
protected:
    // Runs from the start to the given second of the Run state.
    void runUntilRunSecond(int second)
    {
        h.start();
        h.seconds(h.state.settings.StartDelay + second);
    }

    MonitorHarness h;
};

TEST_F(MonitorCycleTest, ActivationThenIdleCountThenCountdownActsInTheSecondShowingZero)
{
    h.start();
    EXPECT_EQ(h.counter(), "Program Activation In 10s");
    h.tick();
    EXPECT_EQ(h.counter(), "Program Activation In 10s");
    h.tick();
    EXPECT_EQ(h.counter(), "Program Activation In 9s");
    h.seconds(8);
    EXPECT_EQ(h.counter(), "Program Activation In 1s");
    EXPECT_EQ(h.state.State, RunState::Initialise);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "Program Activation In 0s");
    EXPECT_EQ(h.state.State, RunState::Run);
    EXPECT_EQ(h.log.entries.back(), (LogEntry{"Enter", "Run", false, 0}));

    h.seconds(1);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 1s");
    EXPECT_EQ(h.view.text(Label::CPULoad), ". .");
    EXPECT_TRUE(h.view.labels[Label::Counter].bold);
    EXPECT_EQ(h.view.labels[Label::Counter].textColour, Colour::Orange);
    h.seconds(298);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 299s");
    EXPECT_EQ(h.state.State, RunState::Run);

    h.seconds(1);
    EXPECT_EQ(h.state.State, RunState::Countdown);
    EXPECT_EQ(h.counter(), "The Computer Will Power Off In 60s");
    EXPECT_EQ(h.view.text(Label::CPULoad), "");
    for (Label label : {Label::Counter, Label::CPULoad}) {
        EXPECT_EQ(h.view.labels[label].textColour, Colour::White);
        EXPECT_EQ(h.view.labels[label].background, Colour::Orange);
    }
    EXPECT_EQ(h.view.buttons[Button::Reset].caption, "Cancel");
    EXPECT_EQ(h.view.buttons[Button::Reset].tooltip, "Cancel Lullex Power Off");
    EXPECT_EQ(h.view.enabledButtons(), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_TRUE(h.view.topmost);
    EXPECT_TRUE(h.view.visible);
    EXPECT_EQ(h.log.entries.back(), (LogEntry{"Power Off", "", false, 0}));

    h.seconds(59);
    EXPECT_EQ(h.counter(), "The Computer Will Power Off In 1s");
    h.tick();
    EXPECT_TRUE(h.power.calls.empty());
    EXPECT_EQ(h.ticks, 739);

    EXPECT_EQ(h.ticksUntilEnd(1), ExitNormal);
    EXPECT_EQ(h.ticks, 740);
    EXPECT_EQ(h.counter(), "The Computer Will Power Off In 0s");
    EXPECT_EQ(h.power.calls, std::vector<std::string>{"ShutdownSystem(12)"});
    const std::vector<LogEntry> last(h.log.entries.end() - 3, h.log.entries.end());
    EXPECT_EQ(last, (std::vector<LogEntry>{{"Power Off", "", false, 59},
                                           {"Start", "Power Off", false, 60},
                                           {"Close", "Power Off", false, 60}}));
}

TEST_F(MonitorCycleTest, AFullLevelCycleLogsEverySecond)
{
    h.settingsFile.file.StartDelay = 2;
    h.settingsFile.file.CPUDelay = 5;
    h.settingsFile.file.ShutTime = 3;
    h.settingsFile.file.ShutType = 4;
    h.start();
    EXPECT_EQ(h.title(), "Monitor input activity until there has been none for over 5 sec");

    EXPECT_EQ(h.ticksUntilEnd(100), ExitNormal);
    EXPECT_EQ(h.ticks, 2 * (2 + 5 + 3));
    EXPECT_TRUE(h.power.calls.empty());
    EXPECT_EQ(h.counter(), "Lullex Will Close In 0s");
    EXPECT_EQ(h.log.entries, (std::vector<LogEntry>{
                                 {"", "", false, 2},
                                 {"Start", "Initialise", false, 2},
                                 {"Inactive", "", false, 1},
                                 {"Enter", "Run", false, 0},
                                 {"Run", "", false, 1},
                                 {"Run", "", false, 2},
                                 {"Run", "", false, 3},
                                 {"Run", "", false, 4},
                                 {"Enter", "Monitor", false, 0},
                                 {"Monitor", "", false, 0},
                                 {"Monitor", "", false, 1},
                                 {"Monitor", "", false, 2},
                                 {"Start", "Monitor", false, 3},
                                 {"Close", "Monitor", false, 3},
                             }));
}

TEST_F(MonitorCycleTest, NormalLevelLogsOnlyTheEvents)
{
    h.settingsFile.file.LogLevel = LogLevelNormal;
    h.settingsFile.file.StartDelay = 2;
    h.settingsFile.file.CPUDelay = 5;
    h.settingsFile.file.ShutTime = 3;
    h.start();
    EXPECT_EQ(h.ticksUntilEnd(100), ExitNormal);
    EXPECT_EQ(h.log.entries, (std::vector<LogEntry>{
                                 {"", "", false, 2},
                                 {"Start", "Initialise", false, 2},
                                 {"Enter", "Run", false, 0},
                                 {"Enter", "Power Off", false, 0},
                                 {"Start", "Power Off", false, 3},
                                 {"Close", "Power Off", false, 3},
                             }));
}

TEST_F(MonitorCycleTest, AKeyPressSetsTheIdleCountBackToZero)
{
    runUntilRunSecond(5);
    ASSERT_EQ(h.state.State, RunState::Run);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 5s");
    h.probe.press(65);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 0s");
    EXPECT_EQ(h.view.text(Label::CPULoad), "K .");
    EXPECT_EQ(h.log.entries.back(), (LogEntry{"Run", "", false, 0}));
    h.seconds(1);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 1s");
    h.probe.release(65);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 2s");
    EXPECT_EQ(h.view.text(Label::CPULoad), ". .");
}

TEST_F(MonitorCycleTest, MouseActivityShowsItsMark)
{
    runUntilRunSecond(3);
    h.probe.moveTo(101, 200);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 0s");
    EXPECT_EQ(h.view.text(Label::CPULoad), ". M");
    h.probe.reading.wheelTurned = true;
    h.seconds(2);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 1s");
    h.probe.press(1);
    h.probe.moveTo(0, 5);
    h.seconds(1);
    EXPECT_EQ(h.view.text(Label::CPULoad), "K M");
}

TEST_F(MonitorCycleTest, TheIdleLimitIsReachedAfterThatManyStillSamples)
{
    h.settingsFile.file.CPUDelay = 5;
    runUntilRunSecond(4);
    h.probe.moveTo(300, 300);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 0s");
    h.seconds(4);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 4s");
    EXPECT_EQ(h.state.State, RunState::Run);
    h.seconds(1);
    EXPECT_EQ(h.state.State, RunState::Countdown);
    EXPECT_EQ(h.counter(), "The Computer Will Power Off In 60s");
}

TEST_F(MonitorCycleTest, InputDuringTheCountdownChangesNothing)
{
    h.settingsFile.file.CPUDelay = 5;
    h.settingsFile.file.ShutTime = 10;
    runUntilRunSecond(5);
    ASSERT_EQ(h.state.State, RunState::Countdown);
    const int readsBefore = h.probe.reads;
    for (int second = 1; second <= 5; ++second) {
        h.probe.moveTo(100 + 7 * second, 200);
        h.probe.press(30 + second);
        h.seconds(1);
        EXPECT_EQ(h.counter(),
                  "The Computer Will Power Off In " + std::to_string(10 - second) + "s");
    }
    EXPECT_EQ(h.probe.reads, readsBefore);
    EXPECT_EQ(h.state.State, RunState::Countdown);
}

TEST_F(MonitorCycleTest, TheSecondThatEndsTheActivationTakesNoRunStep)
{
    h.settingsFile.file.StartDelay = 1;
    h.start();
    h.seconds(1);
    EXPECT_EQ(h.state.State, RunState::Run);
    EXPECT_EQ(h.state.Count, 0);
    EXPECT_EQ(h.counter(), "Program Activation In 0s");
    EXPECT_EQ(h.probe.reads, 0);
}

}  // namespace
}  // namespace lullex::test
