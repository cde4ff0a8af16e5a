// The real program against python3-dbusmock's logind on a private system bus: an application's
// inhibitor lock holds off the countdown until the application lets go of it.
#include "power_program_fixture.h"

#include "udp_endpoint.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>

namespace lullex::test {
namespace {

// Takes a lock with logind's Inhibit and holds its descriptor until the process is stopped,
// as `systemd-inhibit` does for the command it runs.
const char* HolderScript = R"(
import dbus, signal, sys
manager = dbus.Interface(
    dbus.SystemBus().get_object('org.freedesktop.login1', '/org/freedesktop/login1'),
    'org.freedesktop.login1.Manager')
lock = manager.Inhibit(sys.argv[1], 'rsync', 'backup', sys.argv[2])
print('held', flush=True)
signal.pause()
)";

// The Normal log level: event entries only.
constexpr int NormalLogLevel = 2;

// Longer than the idle limit and the countdown of the short cycle together.
constexpr std::chrono::milliseconds HeldLongEnough{10000};

const std::string PowerOffCountdown = " Enter    , Power Off , Count:   0";

const std::string KeptAwake = " KeptAwake, rsync     , Count:";
const std::string Released = " Released , rsync     , Count:   0";

struct LockCase {
    const char* name;
    const char* what;
    const char* mode;
    int shutType;
    const char* actionDetail;  // the action's detail field in the log
    bool holds;
};

// Test names carry the case's name; so does a failure's parameter line.
void PrintTo(const LockCase& c, std::ostream* out)
{
    *out << c.name;
}

class LockHolderTest : public PowerProgramTest {
protected:
    void holdLock(const char* what, const char* mode)
    {
        holder = std::make_unique<ChildProcess>(
            ProcessSpec{.argv = {"/usr/bin/python3", "-c", HolderScript, what, mode},
                        .setEnvironment = {{"DBUS_SYSTEM_BUS_ADDRESS", systemBus.address()}}});
        ASSERT_TRUE(WaitUntil([this] { return holder->stdoutText() == "held\n"; }))
            << holder->describe();
    }
    std::unique_ptr<ChildProcess> holder;
};

class KeepAwakeProgramTest : public LockHolderTest, public testing::WithParamInterface<LockCase> {};

TEST_P(KeepAwakeProgramTest, ALockHoldsTheCountdownOnlyForTheActionItBlocks)
{
    const LockCase& c = GetParam();
    startLogind();
    holdLock(c.what, c.mode);
    startProgram(ShortCycle(c.shutType, NormalLogLevel));
    const std::string countdown = " Enter    , " + std::string(c.actionDetail) + ", Count:   0";
    const LineMatch keptAwake = LineMatch::StartingWith(KeptAwake);
    if (!c.holds) {
        expectLogLine(countdown);
        EXPECT_FALSE(program->waitForLine(keptAwake, 0, std::chrono::milliseconds(0)))
            << describe();
        return;
    }
    ASSERT_TRUE(program->waitForLine(keptAwake)) << describe();
    EXPECT_FALSE(program->waitForLine(countdown, 0, HeldLongEnough)) << describe();

    holder->stop();
    const std::size_t released = expectLogLine(Released);
    expectLogLine(countdown, released);
}

INSTANTIATE_TEST_SUITE_P(
    Locks, KeepAwakeProgramTest,
    testing::Values(
        LockCase{"IdleBlockHoldsPowerOff", "idle", "block", 1, "Power Off ", true},
        LockCase{"DelayLockHoldsNothing", "idle", "delay", 1, "Power Off ", false},
        LockCase{"ShutdownBlockHoldsPowerOff", "shutdown", "block", 1, "Power Off ", true},
        LockCase{"ShutdownBlockLeavesStandby", "shutdown", "block", 6, "Standby   ", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A file server whose master has gone stays on while its backup holds a lock: the lock counts
// as a heard second, and the lost-link count starts only once the backup lets go.
TEST_F(LockHolderTest, ASlaveWithoutItsMasterCountsDownOnlyOnceTheLockIsReleased)
{
    startLogind();
    holdLock("idle", "block");
    ReservedUdpPort port;
    ConfigValues slave = ShortCycle(1, NormalLogLevel);
    slave.CMain = 2;
    slave.IPAdd = "127.0.0.1";
    slave.Port1 = port.handOver();
    startProgram(slave);

    ASSERT_TRUE(program->waitForLine(LineMatch::StartingWith(KeptAwake))) << describe();
    EXPECT_FALSE(program->waitForLine(PowerOffCountdown, 0, HeldLongEnough)) << describe();

    holder->stop();
    const std::size_t released = expectLogLine(Released);
    expectLogLine(PowerOffCountdown, released);
}

}  // namespace
}  // namespace lullex::test
