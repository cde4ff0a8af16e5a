// A whole cycle of the real program (activation, idle limit, countdown) ending in the power
// action, with python3-dbusmock's logind on a private system bus standing in for the machine's.
#include "power_program_fixture.h"

#include "wait_until.h"
#include "x_tools.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace lullex::test {
namespace {

const std::string Separator = StatusLine("---------", "----------", 1);
// A master's sample fields at the Full level while nobody touches the keyboard or the mouse.
const std::string NoInput = ", Key: False, Mouse: False";

class PowerActionProgramTest : public PowerProgramTest {
protected:
    // The cycle ran to its end: the program logged the action and its close and ended normally.
    void expectEndedAfter(const std::string& detail)
    {
        EXPECT_EQ(program->waitForExit(LongTimeout), std::optional<int>(0)) << describe();
        EXPECT_EQ(logFrom(StartInitialise),
                  (LogFields{StartInitialise, EnterRun, StatusLine("Enter", detail, 0),
                             StatusLine("Start", detail, 2), StatusLine("Close", detail, 2)}))
            << describe();
    }
};

struct EndingAction {
    const char* name;
    int shutType;
    const char* detail;
    Calls calls;
};

void PrintTo(const EndingAction& row, std::ostream* out)
{
    *out << row.name;
}

class EndingActionTest : public PowerActionProgramTest,
                         public testing::WithParamInterface<EndingAction> {};

TEST_P(EndingActionTest, CallsLogindOnceLogsAndEnds)
{
    startLogind();
    // Every action can be asked for; only the configured one may be called.
    logind->addHalt();
    startProgram(ShortCycle(GetParam().shutType, 2));
    expectEndedAfter(GetParam().detail);
    EXPECT_EQ(calls(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, EndingActionTest,
    testing::Values(EndingAction{"PowerOff", 1, "Power Off", {"CanPowerOff", "PowerOff False"}},
                    EndingAction{"Reboot", 2, "Reboot", {"CanReboot", "Reboot False"}},
                    EndingAction{"Shutdown", 3, "Shutdown", {"CanHalt", "Halt False"}}),
    [](const testing::TestParamInfo<EndingAction>& info) { return std::string(info.param.name); });

TEST_F(PowerActionProgramTest, MonitorClosesOnlyItself)
{
    startLogind();
    logind->addHalt();
    // The partner address of a master: a port held by the test, whose tags land there unread.
    const UdpEndpoint partner;
    ConfigValues config = ShortCycle(4, 2);
    config.IPAdd = "127.0.0.1";
    config.Port1 = partner.port();
    startProgram(config);
    expectEndedAfter("Monitor");
    EXPECT_EQ(calls(), Calls{});
}

struct SuspendAction {
    const char* name;
    int shutType;
    // The name as the detail of the countdown's entries and as the event of its seconds.
    const char* detail;
    const char* canMethod;
    const char* call;
};

void PrintTo(const SuspendAction& row, std::ostream* out)
{
    *out << row.name;
}

class SuspendActionTest : public PowerActionProgramTest,
                          public testing::WithParamInterface<SuspendAction> {
protected:
    // One idle period at the Full level, from the switch to Run to the line before the call of
    // logind.
    LogFields idleCycle() const
    {
        const std::string detail = GetParam().detail;
        return {MasterStatus("Enter", "Run", 0),
                // The first sample after a reset compares the cursor with 0, so it sees a move.
                MasterStatus("Run", "", 0, false, true), MasterStatus("Run", "", 1),
                MasterStatus("Run", "", 2), MasterStatus("Run", "", 3), MasterStatus("Run", "", 4),
                MasterStatus("Enter", detail, 0), MasterStatus(detail, "", 0),
                MasterStatus(detail, "", 1), MasterStatus("Start", detail, 2)};
    }
};

TEST_P(SuspendActionTest, SuspendsOncePerIdlePeriodAndKeepsMonitoring)
{
    const SuspendAction& row = GetParam();
    const std::string restartLine = MasterStatus("Restart", row.detail, 1);
    startLogind();
    startProgram(ShortCycle(row.shutType, 3));
    const std::size_t restart = expectLogLine(restartLine);
    // Monitoring was reset before the call; after it the activation delay runs again from the
    // start, so the next second takes no sample and the one after enters Run.
    const std::size_t running = expectLogLine(EnterRun + NoInput, restart);
    EXPECT_EQ(calls(), (Calls{row.canMethod, row.call})) << describe();
    EXPECT_TRUE(program->process().running()) << describe();
    LogFields firstCycle = idleCycle();
    for (const std::string& line : {StartInitialise + NoInput, restartLine, Separator + NoInput,
                                    Separator + NoInput, EnterRun + NoInput})
        firstCycle.push_back(line);
    EXPECT_EQ(logFrom(EnterRun + NoInput, 0, firstCycle.size()), firstCycle) << describe();

    // The program stays idle, so only a second full idle period ends in a second call. Its
    // "Start" line is written before the call, so it is in the log once the call is seen.
    const Calls twice = {row.canMethod, row.call, row.canMethod, row.call};
    ASSERT_TRUE(WaitUntil([&] { return calls().size() >= twice.size(); }, LongTimeout))
        << describe();
    EXPECT_EQ(calls(), twice);
    EXPECT_EQ(logFrom(EnterRun + NoInput, running, idleCycle().size()), idleCycle()) << describe();
}

INSTANTIATE_TEST_SUITE_P(
    Actions, SuspendActionTest,
    testing::Values(SuspendAction{"Standby", 6, "Standby", "CanSuspend", "Suspend False"},
                    SuspendAction{"Hibernate", 5, "Hibernate", "CanHibernate", "Hibernate False"}),
    [](const testing::TestParamInfo<SuspendAction>& info) { return std::string(info.param.name); });

// CanHibernate answers "na" on every machine without a resume device: that must not end the
// program nor show anything.
TEST_F(PowerActionProgramTest, HibernateNotAvailableGoesOnMonitoring)
{
    startLogind(R"({"CanHibernate": "na"})");
    startProgram(ShortCycle(5, 2));
    const std::size_t restart = expectLogLine(StatusLine("Restart", "Hibernate", 1));
    expectLogLine(EnterRun, restart);
    EXPECT_EQ(calls(), Calls{"CanHibernate"}) << describe();
    EXPECT_TRUE(program->process().running()) << describe();
    EXPECT_EQ(FindWindowsByTitle(session, "Lullex Error"), std::vector<XWindowId>{});
    EXPECT_EQ(program->process().stderrText().find("Run-time error"), std::string::npos)
        << describe();
    EXPECT_EQ(logFrom(StatusLine("Start", "Hibernate", 2), 0, 6),
              (LogFields{StatusLine("Start", "Hibernate", 2), StartInitialise,
                         StatusLine("Restart", "Hibernate", 1), Separator, Separator, EnterRun}))
        << describe();
}

}  // namespace
}  // namespace lullex::test
