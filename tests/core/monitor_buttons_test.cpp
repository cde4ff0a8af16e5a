#include "monitor_harness.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

class MonitorButtonsTest : public ::testing::Test {
protected:
    // StartDelay 10, CPUDelay 5, ShutTime 60: the countdown begins in the 15th second.
    void startAndCountDown(int countdownSeconds)
    {
        h.settingsFile.file.CPUDelay = 5;
        h.start();
        h.seconds(10 + 5 + countdownSeconds);
        ASSERT_EQ(h.state.State, RunState::Countdown);
    }

    MonitorHarness h;
};

TEST_F(MonitorButtonsTest, CancelEndsTheCountdownAndRestartsTheActivationDelay)
{
    startAndCountDown(3);
    EXPECT_EQ(h.counter(), "The Computer Will Power Off In 57s");
    EXPECT_TRUE(h.view.topmost);
    h.log.entries.clear();

    h.machine.onReset();
    EXPECT_EQ(h.log.entries, (std::vector<LogEntry>{{"Reset", "Power Off", false, 4},
                                                    {"Start", "Initialise", false, 10}}));
    EXPECT_EQ(h.state.State, RunState::Initialise);
    EXPECT_EQ(h.counter(), "Program Activation In 10s");
    EXPECT_EQ(h.view.buttons[Button::Reset].caption, "Reset");
    EXPECT_EQ(h.view.buttons[Button::Reset].tooltip, "Reset Lullex");
    EXPECT_EQ(h.view.enabledButtons(), std::vector<bool>(5, true));
    for (Label label : {Label::Counter, Label::CPULoad}) {
        EXPECT_EQ(h.view.labels[label].textColour, Colour::ButtonText);
        EXPECT_EQ(h.view.labels[label].background, Colour::ButtonFace);
    }
    EXPECT_FALSE(h.view.labels[Label::Counter].bold);
    EXPECT_FALSE(h.view.topmost);
    EXPECT_TRUE(h.timer.running);
    EXPECT_EQ(h.sender.tags.back(), "<LXC000>");

    h.seconds(1);
    EXPECT_EQ(h.counter(), "Program Activation In 9s");
}

TEST_F(MonitorButtonsTest, ResetNamesTheStateItLeaves)
{
    h.start();
    h.seconds(2);
    h.machine.onReset();
    EXPECT_EQ(h.log.entries[h.log.entries.size() - 2], (LogEntry{"Reset", "Initialise", false, 8}));
    h.seconds(12);
    ASSERT_EQ(h.state.State, RunState::Run);
    h.machine.onReset();
    EXPECT_EQ(h.log.entries[h.log.entries.size() - 2], (LogEntry{"Reset", "Run", false, 2}));
    EXPECT_EQ(h.counter(), "Program Activation In 10s");
}

TEST_F(MonitorButtonsTest, ACancelledCountdownReturnsToTheTray)
{
    h.settingsFile.file.StartMin = 2;
    startAndCountDown(2);
    EXPECT_FALSE(h.view.minimised);
    EXPECT_TRUE(h.view.visible);
    EXPECT_FALSE(h.view.trayIcon);
    EXPECT_FALSE(h.presenter.MinOverride());

    h.machine.onReset();
    EXPECT_TRUE(h.view.minimised);
    EXPECT_FALSE(h.view.visible);
    EXPECT_TRUE(h.view.trayIcon);
}

TEST_F(MonitorButtonsTest, ATrayDoubleClickKeepsTheWindowOpenUntilTheUserMinimisesIt)
{
    h.settingsFile.file.StartMin = 2;
    h.settingsFile.file.CPUDelay = 5;
    h.start();
    h.presenter.TrayDoubleClicked();
    EXPECT_TRUE(h.presenter.MinOverride());
    h.machine.onReset();
    EXPECT_TRUE(h.view.visible);
    h.seconds(10 + 5 + 2);
    h.machine.onReset();
    EXPECT_TRUE(h.view.visible);
    EXPECT_FALSE(h.view.minimised);

    h.view.userSetsMinimised(true);
    EXPECT_FALSE(h.presenter.MinOverride());
    EXPECT_FALSE(h.view.visible);
    h.seconds(10 + 5 + 2);
    EXPECT_TRUE(h.view.visible);
    h.machine.onReset();
    EXPECT_TRUE(h.view.minimised);
    EXPECT_FALSE(h.view.visible);
}

TEST_F(MonitorButtonsTest, AWindowTheUserSentToTheTrayGoesBackAfterCancel)
{
    h.settingsFile.file.CPUDelay = 5;
    h.start();
    h.view.userSetsMinimised(true);
    EXPECT_TRUE(h.presenter.MinOverride());
    EXPECT_FALSE(h.view.visible);
    h.seconds(10 + 5 + 1);
    EXPECT_TRUE(h.presenter.MinOverride());
    EXPECT_TRUE(h.view.visible);
    EXPECT_FALSE(h.view.minimised);
    h.machine.onReset();
    EXPECT_TRUE(h.view.minimised);
    EXPECT_FALSE(h.view.visible);
}

TEST_F(MonitorButtonsTest, TheTestRunWaitsWatchesAnnouncesAndRestarts)
{
    h.start();
    h.seconds(12);
    h.log.entries.clear();
    h.machine.onTest();
    EXPECT_EQ(h.view.windowCaption, "Lullex - Test Mode");
    EXPECT_EQ(h.title(), "Power Off the computer if there is no input activity for over 5 sec");
    EXPECT_EQ(h.counter(), "Program Activation In 2s");
    EXPECT_EQ(h.view.buttons[Button::Reset].caption, "Reset");
    EXPECT_EQ(h.view.buttons[Button::Reset].tooltip, "Reset Lullex");
    EXPECT_EQ(h.sender.tags.back(), "<LXT000>");

    h.seconds(1);
    EXPECT_EQ(h.counter(), "Program Activation In 1s");
    h.seconds(1);
    EXPECT_EQ(h.state.State, RunState::Run);
    h.seconds(4);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 4s");
    EXPECT_TRUE(h.prompter.boxes.empty());

    bool forwardAtBox = false;
    h.prompter.whileOpen = [&](const MessageBox&) {
        forwardAtBox = h.view.visible && h.view.topmost;
        for (int i = 0; i < 6; ++i)
            h.machine.onTick();
    };
    h.seconds(1);
    const MessageBox announcement{"Lullex Test", BoxIcon::None, BoxButtons::Ok, {"Test Power Off"}};
    EXPECT_EQ(h.prompter.boxes, std::vector<MessageBox>{announcement});
    EXPECT_TRUE(forwardAtBox);
    EXPECT_EQ(h.view.windowCaption, "Lullex");
    EXPECT_EQ(h.title(), "Power Off the computer if there is no input activity for over 300 sec");
    EXPECT_EQ(h.counter(), "Program Activation In 10s");
    EXPECT_FALSE(h.state.TestRun);
    EXPECT_EQ(h.state.IdleLimit, 300);
    EXPECT_TRUE(h.power.calls.empty());
    EXPECT_EQ(h.log.entries, (std::vector<LogEntry>{
                                 {"Enter", "Test", true, 2},
                                 {"Start", "Initialise", true, 2},
                                 {"Inactive", "", true, 1},
                                 {"Enter", "Run", true, 0},
                                 {"Run", "", true, 1},
                                 {"Run", "", true, 2},
                                 {"Run", "", true, 3},
                                 {"Run", "", true, 4},
                                 {"Simulate", "Power Off", true, 0},
                                 {"Start", "Initialise", false, 10},
                             }));
    h.prompter.whileOpen = nullptr;
    h.seconds(1);
    EXPECT_EQ(h.counter(), "Program Activation In 9s");
}

TEST_F(MonitorButtonsTest, TheEndOfATestRunLeavesTheWindowWhereItIs)
{
    h.settingsFile.file.StartMin = 2;
    h.start();
    ASSERT_FALSE(h.view.visible);
    h.machine.onTest();
    h.seconds(2 + 5);
    ASSERT_EQ(h.prompter.boxes.size(), 1u);
    EXPECT_TRUE(h.view.visible);
    EXPECT_FALSE(h.view.minimised);
    EXPECT_FALSE(h.presenter.MinOverride());
}

TEST_F(MonitorButtonsTest, TestDoesNothingWhileNotConfigured)
{
    h.settingsFile.notConfigured = true;
    h.start();
    const std::size_t entries = h.log.entries.size();
    h.machine.onTest();
    EXPECT_EQ(h.log.entries.size(), entries);
    EXPECT_TRUE(h.sender.tags.empty());
    EXPECT_FALSE(h.state.TestRun);
    EXPECT_EQ(h.view.windowCaption, "Lullex");
}

TEST_F(MonitorButtonsTest, ExitLogsTheStateAndEndsNormally)
{
    struct ExitCase {
        int seconds;
        LogEntry entry;
    };
    const ExitCase cases[] = {{3, {"Exit", "Initialise", false, 7}},
                              {12, {"Exit", "Run", false, 2}},
                              {20, {"Exit", "Power Off", false, 6}}};
    for (const ExitCase& c : cases) {
        MonitorHarness fresh;
        fresh.settingsFile.file.CPUDelay = 5;
        fresh.start();
        fresh.seconds(c.seconds);
        EXPECT_EQ(EndCodeOf([&] { fresh.machine.onExit(); }), ExitNormal);
        EXPECT_EQ(fresh.log.entries.back(), c.entry);
        EXPECT_FALSE(fresh.timer.running);
    }
}

TEST_F(MonitorButtonsTest, ClosingWhileNotConfiguredLogsNothing)
{
    h.settingsFile.notConfigured = true;
    h.start();
    const std::size_t entries = h.log.entries.size();
    EXPECT_EQ(EndCodeOf([&] { h.machine.onClose(); }), ExitNormal);
    EXPECT_EQ(h.log.entries.size(), entries);
}

TEST_F(MonitorButtonsTest, AnOpenScreenPausesTheCountUntilItsTimeoutClosesIt)
{
    int aboutOpened = 0;
    h.machine.setAboutScreen([&] {
        ++aboutOpened;
        h.state.DialogOpen = true;
        h.state.DialogTimeout = 30;
    });
    h.start();
    h.seconds(13);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 3s");
    h.state.DialogOpen = true;  // cleared by the button before the screen opens
    h.machine.onAbout();
    EXPECT_EQ(aboutOpened, 1);

    const std::size_t entries = h.log.entries.size();
    const std::size_t tags = h.sender.tags.size();
    h.seconds(10);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 3s");
    EXPECT_EQ(h.state.Count, 3);
    EXPECT_EQ(h.log.entries.size(), entries);
    EXPECT_EQ(h.sender.tags.size(), tags + 20);  // a master keeps sending
    EXPECT_EQ(h.view.dialogsClosed, 0);

    h.state.DialogTimeout = 0;
    h.seconds(1);
    EXPECT_EQ(h.view.dialogsClosed, 1);
    EXPECT_FALSE(h.state.DialogOpen);
    EXPECT_EQ(h.state.Count, 3);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "No key or mouse activity for the last 4s");
    EXPECT_EQ(h.view.dialogsClosed, 1);
}

TEST_F(MonitorButtonsTest, TheConfigureButtonOpensItsScreen)
{
    h.start();
    // Without a screen to open the click changes nothing: no entry, no box, the count goes on.
    const std::vector<std::string> logged = h.log.calls;
    h.machine.onConfigure();
    EXPECT_EQ(h.log.calls, logged);
    EXPECT_TRUE(h.prompter.boxes.empty());
    EXPECT_TRUE(h.timer.running);
    int opened = 0;
    h.machine.setConfigScreen([&] { ++opened; });
    h.machine.onConfigure();
    EXPECT_EQ(opened, 1);
}

}  // namespace
}  // namespace lullex::test
