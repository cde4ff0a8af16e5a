#include "monitor_harness.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

const char* const PowerOffTitle =
    "Power Off the computer if there is no input activity for over 300 sec";

TEST(LoadStepTest, BringsTheProgramUpInOrder)
{
    MonitorHarness h;
    h.settingsFile.file.LogLevel = LogLevelNormal;
    h.start();

    EXPECT_EQ(h.log.calls,
              (std::vector<std::string>{"CreateLog", "WriteStatusLine(, )", "WriteLogBlock(0)",
                                        "WriteStatusLine(Start, Initialise)"}));
    EXPECT_EQ(h.settingsFile.calls, 1);
    EXPECT_EQ(h.priorityRaised, 1);
    EXPECT_EQ(h.state.InhibitShutdown, 0);
    EXPECT_TRUE(h.timer.running);
    EXPECT_EQ(h.view.windowCaption, "Lullex");
    EXPECT_EQ(h.title(), PowerOffTitle);
    EXPECT_EQ(h.counter(), "Program Activation In 10s");
    EXPECT_EQ(h.view.windowCalls, (std::vector<std::string>{"not topmost", "show"}));
    EXPECT_TRUE(h.view.visible);
    EXPECT_FALSE(h.view.minimised);
    EXPECT_EQ(h.state.NextTag, "<LXA000>");
    EXPECT_TRUE(h.prompter.boxes.empty());
}

TEST(LoadStepTest, WritesNothingAtLogLevelNone)
{
    MonitorHarness h;
    h.settingsFile.file.LogLevel = LogLevelNone;
    h.start();
    h.seconds(12);
    EXPECT_EQ(h.log.calls, (std::vector<std::string>{"CreateLog"}));
}

TEST(LoadStepTest, NotConfiguredShowsTheSetUpRequestAndRunsNoStep)
{
    for (int16_t role : {RoleMaster, RoleSlave}) {
        MonitorHarness h;
        h.settingsFile.file.CMain = role;
        h.settingsFile.file.StartDelay = 1;
        h.settingsFile.notConfigured = true;
        h.start();

        const std::string request = role == RoleMaster ? "Click Configure To Set Up Lullex"
                                                       : "Click Configure To Set Up Lullex Slave";
        EXPECT_EQ(h.title(), request);
        EXPECT_EQ(h.view.labels[Label::Title].textColour, Colour::Orange);
        EXPECT_TRUE(h.view.labels[Label::Title].bold);
        EXPECT_EQ(h.counter(), "");
        EXPECT_EQ(h.view.enabledButtons(), (std::vector<bool>{false, false, true, true, true}));
        EXPECT_EQ(h.log.entries,
                  (std::vector<LogEntry>{{"", "", false, 1}, {"UnConfig", "********", false, 1}}));

        h.seconds(20);
        EXPECT_EQ(h.counter(), "");
        EXPECT_EQ(h.state.State, RunState::Initialise);
        EXPECT_EQ(h.state.Count, 1);
        EXPECT_EQ(h.log.entries.size(), 2u);
        EXPECT_TRUE(h.sender.tags.empty());
        EXPECT_EQ(h.probe.reads, 0);
    }
}

TEST(LoadStepTest, NotConfiguredNeverStartsInTheTray)
{
    MonitorHarness h;
    h.settingsFile.file.StartMin = 2;
    h.settingsFile.notConfigured = true;
    h.start();
    EXPECT_TRUE(h.view.visible);
    EXPECT_FALSE(h.view.minimised);
}

TEST(LoadStepTest, RunInTheTrayStartsHidden)
{
    MonitorHarness h;
    h.settingsFile.file.StartMin = 2;
    h.start();
    EXPECT_TRUE(h.view.minimised);
    EXPECT_FALSE(h.view.visible);
    EXPECT_TRUE(h.view.trayIcon);
    EXPECT_FALSE(h.presenter.MinOverride());
    for (const std::string& call : h.view.windowCalls)
        EXPECT_NE(call, "show");
}

TEST(LoadStepTest, RunInTheTrayWithoutATrayStartsMinimisedOnTheTaskBar)
{
    MonitorHarness h;
    h.view.hasTray = false;
    h.settingsFile.file.StartMin = 2;
    h.start();
    EXPECT_TRUE(h.view.minimised);
    EXPECT_TRUE(h.view.visible);
    EXPECT_FALSE(h.view.trayIcon);
    EXPECT_FALSE(h.presenter.MinOverride());
}

TEST(LoadStepTest, TheTestModeShortensTheLimitsButLeavesTheSettings)
{
    MonitorHarness h;
    h.start("-InhibitShutdown");
    EXPECT_EQ(h.state.InhibitShutdown, 1);
    EXPECT_EQ(h.state.IdleLimit, 6);
    EXPECT_EQ(h.title(), "Power Off the computer if there is no input activity for over 6 sec");
    EXPECT_EQ(h.state.settings.CPUDelay, 300);
    EXPECT_EQ(h.state.settings.ShutTime, 60);
}

TEST(LoadStepTest, TheTestModeSwitchMustLeadTheArguments)
{
    MonitorHarness h;
    h.start("-AllowMulti -InhibitShutdown");
    EXPECT_EQ(h.state.InhibitShutdown, 0);
    EXPECT_EQ(h.title(), PowerOffTitle);
}

const MessageBox WaylandBox{
    "Lullex Input Monitoring Unavailable",
    BoxIcon::Warning,
    BoxButtons::Ok,
    {"Keyboard and mouse activity cannot be seen on this desktop (Wayland).",
     "Lullex will not monitor this session.", "Log in to an X11 session to use it."}};

TEST(LoadStepTest, InvisibleInputWarnsAndLeavesTheProgramNotConfigured)
{
    MonitorHarness h(false);
    bool shownBeforeTheWindow = false;
    h.prompter.whileOpen = [&](const MessageBox&) { shownBeforeTheWindow = !h.view.visible; };
    h.start();

    EXPECT_EQ(h.prompter.boxes, std::vector<MessageBox>{WaylandBox});
    EXPECT_TRUE(shownBeforeTheWindow);
    EXPECT_TRUE(h.state.NotConfigured);
    EXPECT_EQ(h.title(), "Click Configure To Set Up Lullex");
    EXPECT_EQ(h.log.entries,
              (std::vector<LogEntry>{{"", "", false, 10}, {"UnConfig", "********", false, 10}}));
    h.seconds(15);
    EXPECT_EQ(h.probe.reads, 0);
    EXPECT_EQ(h.state.State, RunState::Initialise);
}

TEST(LoadStepTest, EveryReinitialisationKeepsInvisibleInputUnmonitored)
{
    MonitorHarness h(false);
    h.start();
    // What the configuration screen's close does after a save.
    h.initialiser.InitSettings();
    h.machine.ResetState();
    h.machine.StartMonitoring();

    EXPECT_EQ(h.settingsFile.calls, 2);
    EXPECT_TRUE(h.state.NotConfigured);
    EXPECT_EQ(h.title(), "Click Configure To Set Up Lullex");
    EXPECT_EQ(h.prompter.boxes.size(), 1u);
    h.seconds(15);
    EXPECT_EQ(h.probe.reads, 0);
}

TEST(LoadStepTest, VisibleInputLeavesTheConfigurationAlone)
{
    MonitorHarness h(true);
    h.start();
    h.initialiser.InitSettings();
    EXPECT_FALSE(h.state.NotConfigured);
}

}  // namespace
}  // namespace lullex::test
