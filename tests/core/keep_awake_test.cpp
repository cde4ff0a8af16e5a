#include "inhibitor_locks.h"
#include "keep_awake_watch.h"
#include "monitor_harness.h"
#include "screen_saver_inhibitions.h"

#include <gtest/gtest.h>

#include <ostream>

namespace lullex::test {
namespace {

// Holds the computer awake while `held` is set, whatever the action; records what it was asked.
struct ScriptedKeepAwake : KeepAwakeSource {
    std::optional<Inhibition> holder(ShutType action) override
    {
        asked.push_back(action);
        return held;
    }
    std::optional<Inhibition> held;
    std::vector<ShutType> asked;
};

struct KeepAwakeHarness : MonitorHarness {
    explicit KeepAwakeHarness(int16_t role)
    {
        settingsFile.file.CMain = role;
        settingsFile.file.StartDelay = 1;
        settingsFile.file.CPUDelay = 5;
        settingsFile.file.ShutType = 6;
        watch.addSource(first);
        watch.addSource(second);
        machine.setKeepAwake(&watch);
        start();
        // The activation second, then the first Run second, whose sample sees the cursor.
        seconds(2);
    }
    // The keep-awake entries of the log, as (event, detail).
    std::vector<std::pair<std::string, std::string>> keepAwakeEntries()
    {
        std::vector<std::pair<std::string, std::string>> found;
        for (const LogEntry& entry : log.entries)
            if (entry.event == "KeptAwake" || entry.event == "Released")
                found.emplace_back(entry.event, entry.detail);
        return found;
    }

    ScriptedKeepAwake first;
    ScriptedKeepAwake second;
    KeepAwakeWatch watch{state, log, view};
};

const Inhibition Film{"Firefox", "video playing"};
const Inhibition Backup{"rsync", ""};

struct RoleCase {
    const char* name;
    int16_t role;
};

class KeptAwakeInRun : public testing::TestWithParam<RoleCase> {};

// A master's idle user and a slave's silent master alike: the held seconds never count, the
// counter says who holds the computer awake, and counting resumes from 0 once it lets go.
TEST_P(KeptAwakeInRun, HoldsTheCountAtZeroUntilReleased)
{
    KeepAwakeHarness h(GetParam().role);
    h.second.held = Film;
    h.seconds(30);
    EXPECT_EQ(h.state.State, RunState::Run);
    EXPECT_EQ(h.state.Count, 0);
    EXPECT_EQ(h.counter(), "Kept awake by Firefox: video playing");
    EXPECT_EQ(h.view.trayTooltip, "lullex\nKept awake by Firefox: video playing");

    h.second.held.reset();
    h.seconds(4);
    EXPECT_EQ(h.state.Count, 4);
    EXPECT_EQ(h.view.trayTooltip, "lullex");
    h.seconds(1);
    EXPECT_EQ(h.state.State, RunState::Countdown);
    using Entry = std::pair<std::string, std::string>;
    EXPECT_EQ(h.keepAwakeEntries(),
              (std::vector<Entry>{{"KeptAwake", "Firefox"}, {"Released", "Firefox"}}));
}

INSTANTIATE_TEST_SUITE_P(Roles, KeptAwakeInRun,
                         testing::Values(RoleCase{"Master", RoleMaster},
                                         RoleCase{"Slave", RoleSlave}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KeepAwakeTest, TheFirstSourceThatHoldsIsShownAndAHolderChangeIsNotLoggedAgain)
{
    KeepAwakeHarness h(RoleMaster);
    h.second.held = Film;
    h.seconds(2);
    h.first.held = Backup;
    h.seconds(2);
    EXPECT_EQ(h.counter(), "Kept awake by rsync");
    h.first.held.reset();
    h.seconds(1);
    EXPECT_EQ(h.counter(), "Kept awake by Firefox: video playing");
    EXPECT_EQ(h.keepAwakeEntries().size(), 1u);
    // The sources learn the configured action: a logind lock may hold Standby but not Power Off.
    EXPECT_EQ(h.first.asked.back(), ShutType::Standby);
}

TEST(KeepAwakeTest, NeverStopsACountdownThatHasStarted)
{
    KeepAwakeHarness h(RoleMaster);
    h.seconds(5);
    ASSERT_EQ(h.state.State, RunState::Countdown);
    h.first.held = Film;
    h.seconds(3);
    EXPECT_EQ(h.state.State, RunState::Countdown);
    EXPECT_EQ(h.state.Count, 4);
}

TEST(KeepAwakeTest, AnUnnamedApplicationIsStillShown)
{
    EXPECT_EQ(KeptAwakeText({"", ""}), "Kept awake by an application");
    EXPECT_EQ(KeptAwakeText({"", "backup"}), "Kept awake by an application: backup");
}

struct LockCase {
    const char* name;
    const char* what;
    const char* mode;
    ShutType action;
    bool holds;
};

// Test names carry the case's name; so does a failure's parameter line.
void PrintTo(const LockCase& c, std::ostream* out)
{
    *out << c.name;
}

class InhibitorLockHolds : public testing::TestWithParam<LockCase> {};

TEST_P(InhibitorLockHolds, ForTheActionItNeeds)
{
    const LockCase& c = GetParam();
    const std::vector<InhibitorLock> locks = {{"handle-lid-switch", "desktop", "lid", "block"},
                                              {c.what, "rsync", "backup", c.mode}};
    const std::optional<Inhibition> held = HoldingLock(locks, c.action);
    ASSERT_EQ(held.has_value(), c.holds);
    if (held) {
        EXPECT_EQ(KeptAwakeText(*held), "Kept awake by rsync: backup");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Locks, InhibitorLockHolds,
    testing::Values(
        LockCase{"IdleHoldsPowerOff", "idle", "block", ShutType::PowerOff, true},
        LockCase{"IdleHoldsMonitor", "idle", "block", ShutType::Monitor, true},
        LockCase{"DelayHoldsNothing", "idle:shutdown", "delay", ShutType::Reboot, false},
        LockCase{"ShutdownHoldsShutdown", "sleep:shutdown", "block", ShutType::Shutdown, true},
        LockCase{"ShutdownLeavesStandby", "shutdown", "block", ShutType::Standby, false},
        LockCase{"SleepHoldsHibernate", "shutdown:sleep", "block", ShutType::Hibernate, true},
        LockCase{"SleepLeavesMonitor", "sleep", "block", ShutType::Monitor, false},
        LockCase{"PartOfAWordIsNotIdle", "idleness", "block", ShutType::PowerOff, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScreenSaverInhibitionsTest, CookiesAreCountedApartPerClient)
{
    ScreenSaverInhibitions held;
    const uint32_t film = held.inhibit(":1.7", Film);
    const uint32_t backup = held.inhibit(":1.9", Backup);
    EXPECT_NE(film, 0u);
    EXPECT_NE(film, backup);
    // Another client cannot hand back a cookie it was not given.
    EXPECT_FALSE(held.unInhibit(":1.9", film));
    EXPECT_TRUE(held.unInhibit(":1.7", film));
    EXPECT_FALSE(held.unInhibit(":1.7", film));
    EXPECT_EQ(KeptAwakeText(*held.oldest()), "Kept awake by rsync");
    held.inhibit(":1.9", Film);
    held.dropClient(":1.9");
    EXPECT_FALSE(held.oldest());
    EXPECT_FALSE(held.heldBy(":1.9"));
}

}  // namespace
}  // namespace lullex::test
