// A whole cycle of the real program (activation, idle limit, countdown) ending in the power
// action, with python3-dbusmock's logind on a private system bus standing in for the machine's.
#include "power_program_fixture.h"

#include "wait_until.h"
#include "x_tools.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>

namespace lullex::test {
namespace {

const std::string Separator = " ---------, ----------, Count:   1";
// A master's sample fields at the Full level while nobody touches the keyboard or the mouse.
const std::string NoInput = ", Key: False, Mouse: False";

// A status line without its timestamp: the event and the detail fields are 10 characters wide.
std::string Status(const std::string& eventField, const std::string& detailField, int count)
{
    const std::string number = std::to_string(count);
    return eventField + ", " + detailField + ", Count:" + std::string(4 - number.size(), ' ') +
           number;
}

// A UDP port on the loopback that nobody else can take while the test runs: the partner
// address of a master, whose tags land here unread.
class ReservedUdpPort {
public:
    ReservedUdpPort() : m_socket(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        auto* generic = reinterpret_cast<sockaddr*>(&address);
        if (m_socket < 0 || ::bind(m_socket, generic, length) != 0 ||
            ::getsockname(m_socket, generic, &length) != 0) {
            if (m_socket >= 0)
                ::close(m_socket);
            throw std::runtime_error("cannot reserve a UDP port on the loopback");
        }
        m_port = ntohs(address.sin_port);
    }
    ~ReservedUdpPort() { ::close(m_socket); }
    ReservedUdpPort(const ReservedUdpPort&) = delete;
    ReservedUdpPort& operator=(const ReservedUdpPort&) = delete;

    int port() const { return m_port; }

private:
    int m_socket;
    int m_port = 0;
};

class PowerActionProgramTest : public PowerProgramTest {
protected:
    // The cycle ran to its end: the program logged the action and its close and ended normally.
    void expectEndedAfter(const std::string& detailField)
    {
        EXPECT_EQ(program->waitForExit(StepTimeout), std::optional<int>(0)) << describe();
        EXPECT_EQ(
            logFrom(StartInitialise),
            (LogFields{StartInitialise, EnterRun, Status(" Enter    ", detailField, 0),
                       Status(" Start    ", detailField, 2), Status(" Close    ", detailField, 2)}))
            << describe();
    }
};

struct EndingAction {
    const char* name;
    int shutType;
    const char* detailField;
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
    expectEndedAfter(GetParam().detailField);
    EXPECT_EQ(calls(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, EndingActionTest,
    testing::Values(EndingAction{"PowerOff", 1, "Power Off ", {"CanPowerOff", "PowerOff False"}},
                    EndingAction{"Reboot", 2, "Reboot    ", {"CanReboot", "Reboot False"}},
                    EndingAction{"Shutdown", 3, "Shutdown  ", {"CanHalt", "Halt False"}}),
    [](const testing::TestParamInfo<EndingAction>& info) { return std::string(info.param.name); });

TEST_F(PowerActionProgramTest, MonitorClosesOnlyItself)
{
    startLogind();
    logind->addHalt();
    const ReservedUdpPort partner;
    ConfigValues config = ShortCycle(4, 2);
    config.IPAdd = "127.0.0.1";
    config.Port1 = partner.port();
    startProgram(config);
    expectEndedAfter("Monitor   ");
    EXPECT_EQ(calls(), Calls{});
}

struct SuspendAction {
    const char* name;
    int shutType;
    const char* detailField;
    // The name as the event of a countdown second: after the one-character marker, 9 wide.
    const char* eventField;
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
        const std::string detail = GetParam().detailField;
        return {EnterRun + NoInput,
                // The first sample after a reset compares the cursor with 0, so it sees a move.
                Status(" Run      ", "          ", 0) + ", Key: False, Mouse: True",
                Status(" Run      ", "          ", 1) + NoInput,
                Status(" Run      ", "          ", 2) + NoInput,
                Status(" Run      ", "          ", 3) + NoInput,
                Status(" Run      ", "          ", 4) + NoInput,
                Status(" Enter    ", detail, 0) + NoInput,
                Status(GetParam().eventField, "          ", 0) + NoInput,
                Status(GetParam().eventField, "          ", 1) + NoInput,
                Status(" Start    ", detail, 2) + NoInput};
    }
};

TEST_P(SuspendActionTest, SuspendsOncePerIdlePeriodAndKeepsMonitoring)
{
    const SuspendAction& row = GetParam();
    const std::string restartLine = Status(" Restart  ", row.detailField, 1) + NoInput;
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
    ASSERT_TRUE(WaitUntil([&] { return calls().size() >= twice.size(); }, StepTimeout))
        << describe();
    EXPECT_EQ(calls(), twice);
    EXPECT_EQ(logFrom(EnterRun + NoInput, running, idleCycle().size()), idleCycle()) << describe();
}

INSTANTIATE_TEST_SUITE_P(Actions, SuspendActionTest,
                         testing::Values(SuspendAction{"Standby", 6, "Standby   ", " Standby  ",
                                                       "CanSuspend", "Suspend False"},
                                         SuspendAction{"Hibernate", 5, "Hibernate ", " Hibernate",
                                                       "CanHibernate", "Hibernate False"}),
                         [](const testing::TestParamInfo<SuspendAction>& info) {
                             return std::string(info.param.name);
                         });

// CanHibernate answers "na" on every machine without a resume device: that must not end the
// program nor show anything.
TEST_F(PowerActionProgramTest, HibernateNotAvailableGoesOnMonitoring)
{
    startLogind(R"({"CanHibernate": "na"})");
    startProgram(ShortCycle(5, 2));
    const std::size_t restart = expectLogLine(Status(" Restart  ", "Hibernate ", 1));
    expectLogLine(EnterRun, restart);
    EXPECT_EQ(calls(), Calls{"CanHibernate"}) << describe();
    EXPECT_TRUE(program->process().running()) << describe();
    EXPECT_EQ(FindWindowsByTitle(session, "Lullex Error"), std::vector<XWindowId>{});
    EXPECT_EQ(program->process().stderrText().find("Run-time error"), std::string::npos)
        << describe();
    EXPECT_EQ(logFrom(Status(" Start    ", "Hibernate ", 2), 0, 6),
              (LogFields{Status(" Start    ", "Hibernate ", 2), StartInitialise,
                         Status(" Restart  ", "Hibernate ", 1), Separator, Separator, EnterRun}))
        << describe();
}

}  // namespace
}  // namespace lullex::test
