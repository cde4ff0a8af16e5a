#include "monitor_harness.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

void UseSlave(MonitorHarness& h)
{
    h.settingsFile.file.CMain = RoleSlave;
    h.settingsFile.file.StartDelay = 2;
    h.settingsFile.file.CPUDelay = 5;
}

// What the receiver does with a valid tag.
void HearTag(MonitorHarness& h)
{
    h.state.NoActivity = 0;
    h.state.CommsStatus = "-OK-";
}

TEST(MonitorLinkTest, AMasterSendsFromTheLastActivationSecondOn)
{
    MonitorHarness h;
    h.settingsFile.file.StartDelay = 3;
    h.start();
    std::vector<std::size_t> sentPerTick;
    for (int i = 0; i < 7; ++i) {
        h.tick();
        sentPerTick.push_back(h.sender.tags.size());
    }
    EXPECT_EQ(sentPerTick, (std::vector<std::size_t>{0, 0, 0, 1, 2, 3, 4}));
    EXPECT_EQ(h.sender.tags,
              (std::vector<std::string>{"<LXA000>", "<LXA100>", "<LXA100>", "<LXA100>"}));
}

TEST(MonitorLinkTest, AMasterIsSilentDuringTheCountdown)
{
    MonitorHarness h;
    h.settingsFile.file.StartDelay = 1;
    h.settingsFile.file.CPUDelay = 5;
    h.start();
    // The first Run second takes the first sample after the reset, which sees the cursor move.
    h.seconds(1 + 1 + 5);
    ASSERT_EQ(h.state.State, RunState::Countdown);
    const std::size_t sent = h.sender.tags.size();
    h.seconds(10);
    EXPECT_EQ(h.sender.tags.size(), sent);
}

TEST(MonitorLinkTest, ResetAndTestReachThePartnerAtOnce)
{
    MonitorHarness h;
    h.settingsFile.file.StartDelay = 3;
    h.start();
    h.seconds(5);
    h.sender.tags.clear();
    h.machine.onReset();
    EXPECT_EQ(h.sender.tags, std::vector<std::string>{"<LXC000>"});
    // Silence until the activation delay reaches its last second again.
    h.tick(3);
    EXPECT_EQ(h.sender.tags.size(), 1u);
    h.tick();
    EXPECT_EQ(h.sender.tags, (std::vector<std::string>{"<LXC000>", "<LXA100>"}));

    h.sender.tags.clear();
    h.machine.onTest();
    EXPECT_EQ(h.sender.tags, std::vector<std::string>{"<LXT000>"});
}

TEST(MonitorLinkTest, NothingIsSentWithAPortError)
{
    MonitorHarness h;
    h.settingsFile.file.StartDelay = 1;
    h.start();
    h.state.PortError = true;
    h.machine.ResetState();
    h.machine.StartMonitoring();
    EXPECT_EQ(h.title(), "Click Configure To Set Up Lullex");
    h.seconds(5);
    EXPECT_TRUE(h.sender.tags.empty());
    EXPECT_EQ(h.state.State, RunState::Initialise);
}

TEST(MonitorLinkTest, ASlaveShowsWhetherItHearsTheMaster)
{
    MonitorHarness h;
    UseSlave(h);
    h.start();
    EXPECT_EQ(h.view.windowCaption, "Lullex Slave");
    EXPECT_EQ(h.title(), "Power Off the computer if communications are lost for over 5 sec");
    EXPECT_EQ(h.view.buttons[Button::Exit].tooltip, "Close Lullex Slave");
    h.seconds(2 + 2);
    EXPECT_EQ(h.counter(), "Not connected for the last 2s");
    EXPECT_EQ(h.view.labels[Label::Counter].textColour, Colour::Orange);
    EXPECT_TRUE(h.view.labels[Label::Counter].bold);
    EXPECT_EQ(h.state.CommsStatus, "Fail");

    HearTag(h);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "Connected");
    EXPECT_EQ(h.view.labels[Label::Counter].textColour, Colour::Green);
    EXPECT_EQ(h.state.Count, 0);
    EXPECT_EQ(h.state.CommsStatus, "Fail");
    EXPECT_EQ(h.state.NoActivity, 1);

    h.seconds(4);
    EXPECT_EQ(h.counter(), "Not connected for the last 4s");
    h.seconds(1);
    EXPECT_EQ(h.state.State, RunState::Countdown);
    EXPECT_EQ(h.counter(), "The Computer Will Power Off In 60s");
    EXPECT_EQ(h.view.buttons[Button::Reset].tooltip, "Cancel Lullex Slave Power Off");
    EXPECT_EQ(h.view.text(Label::CPULoad), "");
    EXPECT_EQ(h.probe.reads, 0);
    EXPECT_TRUE(h.sender.tags.empty());
}

TEST(MonitorLinkTest, HeardSecondsDoNotStopASlavesCountdown)
{
    MonitorHarness h;
    UseSlave(h);
    h.start();
    h.seconds(2 + 5 + 1);
    ASSERT_EQ(h.state.State, RunState::Countdown);
    HearTag(h);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "The Computer Will Power Off In 58s");

    PartnerCommands& partner = h.machine;
    partner.onReset();
    EXPECT_EQ(h.state.State, RunState::Initialise);
    EXPECT_EQ(h.log.entries[h.log.entries.size() - 2], (LogEntry{"Reset", "Power Off", false, 3}));
    EXPECT_TRUE(h.sender.tags.empty());
}

TEST(MonitorLinkTest, APartnersTestStartsASlaveTestRun)
{
    MonitorHarness h;
    UseSlave(h);
    h.start();
    PartnerCommands& partner = h.machine;
    partner.onTest();
    EXPECT_TRUE(h.state.TestRun);
    EXPECT_EQ(h.view.windowCaption, "Lullex Slave - Test Mode");
    h.seconds(2 + 5);
    const MessageBox announcement{
        "Lullex Slave Test", BoxIcon::None, BoxButtons::Ok, {"Test Power Off"}};
    EXPECT_EQ(h.prompter.boxes, std::vector<MessageBox>{announcement});
    EXPECT_TRUE(h.sender.tags.empty());
}

TEST(MonitorLinkTest, FullLevelSlaveSecondsAreLoggedLikeAMasters)
{
    MonitorHarness h;
    UseSlave(h);
    h.start();
    h.seconds(2 + 2);
    const std::vector<LogEntry> last(h.log.entries.end() - 4, h.log.entries.end());
    EXPECT_EQ(last, (std::vector<LogEntry>{{"Inactive", "", false, 1},
                                           {"Enter", "Run", false, 0},
                                           {"Run", "", false, 1},
                                           {"Run", "", false, 2}}));
}

}  // namespace
}  // namespace lullex::test
