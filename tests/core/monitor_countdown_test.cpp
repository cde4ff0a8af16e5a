#include "monitor_harness.h"

#include <gtest/gtest.h>

#include <ostream>

namespace lullex::test {
namespace {

// StartDelay 4, CPUDelay 5, ShutTime 3: the countdown runs out in the 12th second.
void StartWith(MonitorHarness& h, int16_t shutType, const std::string& argumentText = "")
{
    h.settingsFile.file.StartDelay = 4;
    h.settingsFile.file.CPUDelay = 5;
    h.settingsFile.file.ShutTime = 3;
    h.settingsFile.file.ShutType = shutType;
    h.start(argumentText);
}

std::vector<LogEntry> LastEntries(const MonitorHarness& h, std::size_t count)
{
    return {h.log.entries.end() - static_cast<std::ptrdiff_t>(count), h.log.entries.end()};
}

std::vector<LogEntry> RestartEntries(const char* name)
{
    return {{"Restart", name, false, 4},
            {"----------", "----------", false, 4},
            {"----------", "----------", false, 4}};
}

const int SecondsToTheEnd = 4 + 5 + 3;

struct ActionCase {
    int16_t shutType;
    const char* name;
    std::vector<std::string> calls;  // of the power routines
};

void PrintTo(const ActionCase& c, std::ostream* out)
{
    *out << c.name;
}

class MonitorCountdownAction : public testing::TestWithParam<ActionCase> {
protected:
    MonitorHarness h;
};

using PowerActionEndTest = MonitorCountdownAction;

TEST_P(PowerActionEndTest, TheActionEndsTheProgram)
{
    StartWith(h, GetParam().shutType);
    EXPECT_EQ(h.ticksUntilEnd(100), ExitNormal);
    EXPECT_EQ(h.ticks, 2 * SecondsToTheEnd);
    EXPECT_EQ(h.power.calls, GetParam().calls);
    EXPECT_EQ(LastEntries(h, 2), (std::vector<LogEntry>{{"Start", GetParam().name, false, 3},
                                                        {"Close", GetParam().name, false, 3}}));
    EXPECT_TRUE(h.prompter.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Actions, PowerActionEndTest,
                         testing::Values(ActionCase{1, "Power Off", {"ShutdownSystem(12)"}},
                                         ActionCase{2, "Reboot", {"ShutdownSystem(6)"}},
                                         ActionCase{3, "Shutdown", {"ShutdownSystem(5)"}},
                                         ActionCase{4, "Monitor", {}}));

using SuspendTest = MonitorCountdownAction;

TEST_P(SuspendTest, ResetsMonitoringFirstAndGoesOn)
{
    const char* const name = GetParam().name;
    StartWith(h, GetParam().shutType);
    RunState stateAtCall = RunState::Countdown;
    h.power.onCall = [&] { stateAtCall = h.state.State; };
    h.seconds(SecondsToTheEnd);

    EXPECT_EQ(h.power.calls, GetParam().calls);
    EXPECT_EQ(stateAtCall, RunState::Initialise);
    std::vector<LogEntry> expected = {{"Start", name, false, 3}, {"Start", "Initialise", false, 4}};
    for (const LogEntry& entry : RestartEntries(name))
        expected.push_back(entry);
    EXPECT_EQ(LastEntries(h, 5), expected);
    EXPECT_EQ(h.state.Count, 5);
    EXPECT_TRUE(h.timer.running);
    EXPECT_EQ(h.view.buttons[Button::Reset].caption, "Reset");
    EXPECT_EQ(h.view.enabledButtons(), std::vector<bool>(5, true));
    EXPECT_EQ(h.view.labels[Label::Counter].background, Colour::ButtonFace);
    EXPECT_EQ(h.counter(), "Program Activation In 4s");

    // The first second after waking takes no sample and writes nothing.
    const std::size_t entries = h.log.entries.size();
    const int reads = h.probe.reads;
    h.seconds(1);
    EXPECT_EQ(h.counter(), "Program Activation In 4s");
    EXPECT_EQ(h.log.entries.size(), entries);
    EXPECT_EQ(h.probe.reads, reads);
    h.seconds(1);
    EXPECT_EQ(h.counter(), "Program Activation In 3s");
    EXPECT_EQ(h.log.entries.back(), (LogEntry{"Inactive", "", false, 3}));
}

INSTANTIATE_TEST_SUITE_P(Actions, SuspendTest,
                         testing::Values(ActionCase{5, "Hibernate", {"HibernateSystem"}},
                                         ActionCase{6, "Standby", {"StandbySystem"}}));

struct AnnouncedCase {
    int16_t shutType;
    std::string name;
    const char* firstCaption;
    bool endsTheProgram;
};

void PrintTo(const AnnouncedCase& c, std::ostream* out)
{
    *out << c.name;
}

class TestModeTest : public testing::TestWithParam<AnnouncedCase> {
protected:
    MonitorHarness h;
};

TEST_P(TestModeTest, AnnouncesTheActionInstead)
{
    const AnnouncedCase& c = GetParam();
    StartWith(h, c.shutType, "-InhibitShutdown");
    // Six idle seconds, then a countdown of six.
    h.seconds(4 + 6);
    EXPECT_EQ(h.state.State, RunState::Countdown);
    EXPECT_EQ(h.counter(), c.firstCaption);

    const std::optional<int> exitCode = h.ticksUntilEnd(2 * 6);
    EXPECT_TRUE(h.power.calls.empty());
    const MessageBox announcement{
        "Lullex Simulate " + c.name, BoxIcon::None, BoxButtons::Ok, {"Test Real " + c.name}};
    EXPECT_EQ(h.prompter.boxes, std::vector<MessageBox>{announcement});
    EXPECT_EQ(h.state.settings.CPUDelay, 5);
    EXPECT_EQ(h.state.settings.ShutTime, 3);
    if (c.endsTheProgram) {
        EXPECT_EQ(exitCode, ExitNormal);
        EXPECT_EQ(LastEntries(h, 2), (std::vector<LogEntry>{{c.name, "Simulate", false, 6},
                                                            {"Close", c.name, false, 6}}));
        return;
    }
    EXPECT_EQ(exitCode, std::nullopt);
    EXPECT_EQ(LastEntries(h, 3), RestartEntries(c.name.c_str()));
    EXPECT_EQ(h.counter(), "Program Activation In 4s");
    h.seconds(1);
    EXPECT_EQ(h.counter(), "Program Activation In 4s");
}

INSTANTIATE_TEST_SUITE_P(
    Actions, TestModeTest,
    testing::Values(AnnouncedCase{1, "Power Off", "The Computer Will Power Off In 6s", true},
                    AnnouncedCase{2, "Reboot", "The Computer Will Reboot In 6s", true},
                    AnnouncedCase{3, "Shutdown", "The Computer Will Shutdown In 6s", true},
                    AnnouncedCase{4, "Monitor", "Lullex Will Close In 6s", true},
                    AnnouncedCase{5, "Hibernate", "The Computer Will Hibernate In 6s", false},
                    AnnouncedCase{6, "Standby", "The Computer Will Standby In 6s", false}));

// The toolkit's timer keeps firing while the modal box runs its own loop.
void TickWhileTheBoxIsOpen(MonitorHarness& h)
{
    h.prompter.whileOpen = [&](const MessageBox&) {
        for (int i = 0; i < 10; ++i)
            h.machine.onTick();
    };
}

TEST(MonitorCountdownTest, OneCountdownBoxAtATimeBeforeTheEnd)
{
    MonitorHarness h;
    StartWith(h, 1, "-InhibitShutdown");
    TickWhileTheBoxIsOpen(h);
    EXPECT_EQ(h.ticksUntilEnd(2 * (4 + 6 + 6)), ExitNormal);
    EXPECT_EQ(h.prompter.boxes.size(), 1u);
}

TEST(MonitorCountdownTest, OneCountdownBoxAtATimeBeforeTheRestart)
{
    MonitorHarness h;
    StartWith(h, 5, "-InhibitShutdown");
    TickWhileTheBoxIsOpen(h);
    EXPECT_EQ(h.ticksUntilEnd(2 * (4 + 6 + 6)), std::nullopt);
    EXPECT_EQ(h.prompter.boxes.size(), 1u);
    EXPECT_EQ(h.state.State, RunState::Initialise);
    // Only the outer step moved the machine, and the phase of the main work is kept.
    EXPECT_EQ(h.counter(), "Program Activation In 4s");
    std::vector<int16_t> counts;
    for (int i = 0; i < 4; ++i) {
        h.tick();
        counts.push_back(h.state.Count);
    }
    EXPECT_EQ(counts, (std::vector<int16_t>{5, 4, 4, 3}));
    EXPECT_EQ(h.counter(), "Program Activation In 3s");
}

const PowerError Refused{static_cast<int32_t>(0x8004062E), "lullex.mShutDown",
                         "The computer may not be powered off by this user."};

TEST(MonitorCountdownTest, AFailedPowerActionStopsTheTimerReportsAndEnds)
{
    MonitorHarness h;
    StartWith(h, 1);
    h.power.failure = Refused;
    std::vector<bool> timerRunningAtBox;
    h.prompter.whileOpen = [&](const MessageBox&) {
        timerRunningAtBox.push_back(h.timer.running);
        // A tick already queued before the timer stopped.
        h.machine.onTick();
        h.machine.onTick();
    };

    EXPECT_EQ(h.ticksUntilEnd(100), ExitUncaughtFailure);
    EXPECT_EQ(h.power.calls, std::vector<std::string>{"ShutdownSystem(12)"});
    const MessageBox report{"Lullex Error",
                            BoxIcon::Critical,
                            BoxButtons::Ok,
                            {"Run-time error -2147219922 (lullex.mShutDown)",
                             "The computer may not be powered off by this user."}};
    EXPECT_EQ(h.prompter.boxes, std::vector<MessageBox>{report});
    EXPECT_EQ(timerRunningAtBox, std::vector<bool>{false});
    EXPECT_EQ(h.log.entries.back(), (LogEntry{"Start", "Power Off", false, 3}));
}

TEST(MonitorCountdownTest, AFailedSuspendEndsTheProgramToo)
{
    MonitorHarness h;
    StartWith(h, 5);
    h.power.failure = PowerError(static_cast<int32_t>(0x8004062C), "lullex.mShutDown",
                                 "The power management service cannot be reached. []");
    EXPECT_EQ(h.ticksUntilEnd(100), ExitUncaughtFailure);
    ASSERT_EQ(h.prompter.boxes.size(), 1u);
    EXPECT_EQ(h.prompter.boxes[0].lines,
              (std::vector<std::string>{"Run-time error -2147219924 (lullex.mShutDown)",
                                        "The power management service cannot be reached. []"}));
    EXPECT_FALSE(h.timer.running);
}

}  // namespace
}  // namespace lullex::test
