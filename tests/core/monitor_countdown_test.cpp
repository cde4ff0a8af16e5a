#include "monitor_harness.h"

#include <gtest/gtest.h>

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

TEST(MonitorCountdownTest, PowerActionsThatEndTheProgram)
{
    struct EndCase {
        int16_t shutType;
        const char* name;
        std::vector<std::string> calls;
    };
    const EndCase cases[] = {
        {1, "Power Off", {"ShutdownSystem(12)"}},
        {2, "Reboot", {"ShutdownSystem(6)"}},
        {3, "Shutdown", {"ShutdownSystem(5)"}},
        {4, "Monitor", {}},
    };
    for (const EndCase& c : cases) {
        MonitorHarness h;
        StartWith(h, c.shutType);
        EXPECT_EQ(h.ticksUntilEnd(100), ExitNormal) << c.name;
        EXPECT_EQ(h.ticks, 2 * SecondsToTheEnd) << c.name;
        EXPECT_EQ(h.power.calls, c.calls) << c.name;
        EXPECT_EQ(LastEntries(h, 2),
                  (std::vector<LogEntry>{{"Start", c.name, false, 3}, {"Close", c.name, false, 3}}))
            << c.name;
        EXPECT_TRUE(h.prompter.boxes.empty()) << c.name;
    }
}

TEST(MonitorCountdownTest, SuspendResetsMonitoringFirstAndGoesOn)
{
    struct SuspendCase {
        int16_t shutType;
        const char* name;
        const char* call;
    };
    const SuspendCase cases[] = {{5, "Hibernate", "HibernateSystem"},
                                 {6, "Standby", "StandbySystem"}};
    for (const SuspendCase& c : cases) {
        MonitorHarness h;
        StartWith(h, c.shutType);
        RunState stateAtCall = RunState::Countdown;
        h.power.onCall = [&] { stateAtCall = h.state.State; };
        h.seconds(SecondsToTheEnd);

        EXPECT_EQ(h.power.calls, std::vector<std::string>{c.call}) << c.name;
        EXPECT_EQ(stateAtCall, RunState::Initialise) << c.name;
        std::vector<LogEntry> expected = {{"Start", c.name, false, 3},
                                          {"Start", "Initialise", false, 4}};
        for (const LogEntry& entry : RestartEntries(c.name))
            expected.push_back(entry);
        EXPECT_EQ(LastEntries(h, 5), expected) << c.name;
        EXPECT_EQ(h.state.Count, 5) << c.name;
        EXPECT_TRUE(h.timer.running) << c.name;
        EXPECT_EQ(h.view.buttons[Button::Reset].caption, "Reset") << c.name;
        EXPECT_EQ(h.view.enabledButtons(), std::vector<bool>(5, true)) << c.name;
        EXPECT_EQ(h.view.labels[Label::Counter].background, Colour::ButtonFace) << c.name;
        EXPECT_EQ(h.counter(), "Program Activation In 4s") << c.name;

        // The first second after waking takes no sample and writes nothing.
        const std::size_t entries = h.log.entries.size();
        const int reads = h.probe.reads;
        h.seconds(1);
        EXPECT_EQ(h.counter(), "Program Activation In 4s") << c.name;
        EXPECT_EQ(h.log.entries.size(), entries) << c.name;
        EXPECT_EQ(h.probe.reads, reads) << c.name;
        h.seconds(1);
        EXPECT_EQ(h.counter(), "Program Activation In 3s") << c.name;
        EXPECT_EQ(h.log.entries.back(), (LogEntry{"Inactive", "", false, 3})) << c.name;
    }
}

TEST(MonitorCountdownTest, TheTestModeAnnouncesTheActionInstead)
{
    const char* const names[] = {"Power Off", "Reboot",    "Shutdown",
                                 "Monitor",   "Hibernate", "Standby"};
    const char* const firstCaptions[] = {
        "The Computer Will Power Off In 6s", "The Computer Will Reboot In 6s",
        "The Computer Will Shutdown In 6s",  "Lullex Will Close In 6s",
        "The Computer Will Hibernate In 6s", "The Computer Will Standby In 6s"};
    for (int16_t shutType = 1; shutType <= 6; ++shutType) {
        const std::string name = names[shutType - 1];
        MonitorHarness h;
        StartWith(h, shutType, "-InhibitShutdown");
        // Six idle seconds, then a countdown of six.
        h.seconds(4 + 6);
        EXPECT_EQ(h.state.State, RunState::Countdown) << name;
        EXPECT_EQ(h.counter(), firstCaptions[shutType - 1]) << name;

        const std::optional<int> exitCode = h.ticksUntilEnd(2 * 6);
        EXPECT_TRUE(h.power.calls.empty()) << name;
        const MessageBox announcement{
            "Lullex Simulate " + name, BoxIcon::None, BoxButtons::Ok, {"Test Real " + name}};
        EXPECT_EQ(h.prompter.boxes, std::vector<MessageBox>{announcement}) << name;
        EXPECT_EQ(h.state.settings.CPUDelay, 5) << name;
        EXPECT_EQ(h.state.settings.ShutTime, 3) << name;
        if (shutType <= 4) {
            EXPECT_EQ(exitCode, ExitNormal) << name;
            EXPECT_EQ(LastEntries(h, 2), (std::vector<LogEntry>{{name, "Simulate", false, 6},
                                                                {"Close", name, false, 6}}))
                << name;
        } else {
            EXPECT_EQ(exitCode, std::nullopt) << name;
            EXPECT_EQ(LastEntries(h, 3), RestartEntries(name.c_str())) << name;
            EXPECT_EQ(h.counter(), "Program Activation In 4s") << name;
            h.seconds(1);
            EXPECT_EQ(h.counter(), "Program Activation In 4s") << name;
        }
    }
}

TEST(MonitorCountdownTest, OneCountdownBoxAtATime)
{
    for (int16_t shutType : {int16_t{1}, int16_t{5}}) {
        MonitorHarness h;
        StartWith(h, shutType, "-InhibitShutdown");
        // The toolkit's timer keeps firing while the modal box runs its own loop.
        h.prompter.whileOpen = [&](const MessageBox&) {
            for (int i = 0; i < 10; ++i)
                h.machine.onTick();
        };
        const std::optional<int> exitCode = h.ticksUntilEnd(2 * (4 + 6 + 6));
        EXPECT_EQ(h.prompter.boxes.size(), 1u) << shutType;
        if (shutType == 1) {
            EXPECT_EQ(exitCode, ExitNormal);
            continue;
        }
        EXPECT_EQ(exitCode, std::nullopt);
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
