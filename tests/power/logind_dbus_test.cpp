// The routines against a real D-Bus daemon with python3-dbusmock standing in for logind. Each
// scenario runs power_probe as a child: QtDBus reads DBUS_SYSTEM_BUS_ADDRESS only once, when
// the process first asks for the system bus.
#include "mock_logind.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

using Calls = std::vector<std::string>;

const std::string Source = "power_probe.mShutDown";

struct ProbeOutcome {
    int exitCode = -1;
    std::string out;
    pid_t pid = -1;
};

std::string powerErrorLines(int32_t number, const std::string& description)
{
    return "PowerError\n" + std::to_string(number) + '\n' + Source + '\n' + description + '\n';
}

class LogindDBusTest : public testing::Test {
protected:
    void startLogind(const std::string& parametersJson = "{}")
    {
        logind = std::make_unique<MockLogind>(bus, parametersJson);
    }

    ProbeOutcome probe(const std::vector<std::string>& arguments, const Environment& environment)
    {
        ProcessSpec spec;
        spec.argv = {POWER_PROBE_PATH};
        spec.argv.insert(spec.argv.end(), arguments.begin(), arguments.end());
        spec.setEnvironment = environment;
        ChildProcess process(spec);
        const std::optional<int> exitCode = process.waitForExit();
        EXPECT_TRUE(exitCode.has_value()) << process.describe();
        return {exitCode.value_or(-1), process.stdoutText(), process.pid()};
    }

    ProbeOutcome probe(const std::vector<std::string>& arguments)
    {
        return probe(arguments, bus.environment());
    }

    Calls calls() const { return logind ? logind->calls() : Calls{}; }

    TempDir dir{"lullex-power"};
    DbusDaemon bus{DbusDaemon::Bus::System};
    std::unique_ptr<MockLogind> logind;
};

struct ActionCase {
    const char* name;
    std::vector<std::string> arguments;
    Calls calls;
};

void PrintTo(const ActionCase& row, std::ostream* out)
{
    *out << row.name;
}

class LogindActionTest : public LogindDBusTest, public testing::WithParamInterface<ActionCase> {};

TEST_P(LogindActionTest, CallsLogindOnceNeverInteractive)
{
    startLogind();
    logind->addHalt();
    const ProbeOutcome outcome = probe(GetParam().arguments);
    EXPECT_EQ(outcome.out, "done\n");
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(calls(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Actions, LogindActionTest,
    testing::Values(ActionCase{"PowerOff", {"shutdown", "12"}, {"CanPowerOff", "PowerOff False"}},
                    ActionCase{"Reboot", {"shutdown", "6"}, {"CanReboot", "Reboot False"}},
                    ActionCase{"Shutdown", {"shutdown", "5"}, {"CanHalt", "Halt False"}},
                    ActionCase{"AllBits", {"shutdown", "31"}, {"CanPowerOff", "PowerOff False"}},
                    ActionCase{"Hibernate", {"hibernate"}, {"CanHibernate", "Hibernate False"}},
                    ActionCase{"Standby", {"standby"}, {"CanSuspend", "Suspend False"}}),
    [](const testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.name); });

// A manager method that fails with a D-Bus error.
struct Refusal {
    std::string method;
    std::string signature;
    std::string error;
    std::string message;
};

struct OutcomeCase {
    const char* name;
    std::optional<std::string> logindParameters;  // nothing: a bus without logind
    std::optional<Refusal> refusal;
    std::vector<std::string> arguments;
    std::string out;
    int exitCode;
    std::optional<Calls> calls;  // nothing: not the point of the row
};

void PrintTo(const OutcomeCase& row, std::ostream* out)
{
    *out << row.name;
}

class LogindOutcomeTest : public LogindDBusTest, public testing::WithParamInterface<OutcomeCase> {};

TEST_P(LogindOutcomeTest, PrintsTheOutcome)
{
    const OutcomeCase& row = GetParam();
    if (row.logindParameters)
        startLogind(*row.logindParameters);
    if (row.refusal)
        logind->refuse(row.refusal->method, row.refusal->signature, row.refusal->error,
                       row.refusal->message);
    const ProbeOutcome outcome = probe(row.arguments);
    EXPECT_EQ(outcome.out, row.out);
    EXPECT_EQ(outcome.exitCode, row.exitCode);
    if (row.calls) {
        EXPECT_EQ(calls(), *row.calls);
    }
}

const std::string NoPrivilege =
    "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. ";

INSTANTIATE_TEST_SUITE_P(
    Outcomes, LogindOutcomeTest,
    testing::Values(
        OutcomeCase{"PowerOffNotAllowedIsNoPrivilege",
                    R"({"CanPowerOff": "no"})",
                    std::nullopt,
                    {"shutdown", "12"},
                    powerErrorLines(-2147219922, "Can't enable shutdown: You do not have the "
                                                 "privileges to shutdown this system. "
                                                 "[CanPowerOff: no]"),
                    2,
                    Calls{"CanPowerOff"}},
        OutcomeCase{"PowerOffRefusedByLogindIsShutdownFailed",
                    R"({"CanPowerOff": "challenge"})",
                    Refusal{"PowerOff", "b",
                            "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
                            "Interactive authentication required."},
                    {"shutdown", "12"},
                    powerErrorLines(-2147219925,
                                    "ShutdownSystem failed: Interactive authentication required."),
                    2,
                    std::nullopt},
        OutcomeCase{"HibernateNotAvailableIsNotReported",
                    R"({"CanHibernate": "na"})",
                    std::nullopt,
                    {"hibernate"},
                    "done\n",
                    0,
                    Calls{"CanHibernate"}},
        OutcomeCase{"InvalidFlagsMakeNoBusCall",
                    "{}",
                    std::nullopt,
                    {"shutdown", "32"},
                    powerErrorLines(-2147219921, "Invalid parameter to ShutdownSystem: 32"),
                    2,
                    Calls{}},
        OutcomeCase{"LogOffOutsideAnySessionCannotDetermineTheProcess",
                    "{}",
                    Refusal{"GetSessionByPID", "u", "org.freedesktop.login1.NoSessionForPID",
                            "PID does not belong to any known session"},
                    {"shutdown", "16"},
                    powerErrorLines(-2147219923, "Can't enable shutdown: Can't determine the "
                                                 "current process. [PID does not belong to any "
                                                 "known session]"),
                    2,
                    std::nullopt},
        OutcomeCase{"BusWithoutLogindCannotFindThePrivilege",
                    std::nullopt,
                    std::nullopt,
                    {"shutdown", "12"},
                    powerErrorLines(-2147219924, NoPrivilege +
                                                     "[The name org.freedesktop.login1 was not "
                                                     "provided by any .service files]"),
                    2,
                    std::nullopt}),
    [](const testing::TestParamInfo<OutcomeCase>& info) { return std::string(info.param.name); });

TEST_F(LogindDBusTest, LogOffTerminatesOwnSession)
{
    startLogind();
    logind->addSessionForEveryProcess("c7");
    const ProbeOutcome outcome = probe({"shutdown", "0"});
    EXPECT_EQ(outcome.out, "done\n");
    EXPECT_EQ(calls(),
              (Calls{"GetSessionByPID " + std::to_string(outcome.pid), "TerminateSession \"c7\""}));
}

TEST_F(LogindDBusTest, NoBusAtAllCannotFindThePrivilege)
{
    const std::string socket = dir.file("no-bus-here").string();
    const ProbeOutcome outcome =
        probe({"standby"}, {{"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + socket}});
    EXPECT_EQ(outcome.out,
              powerErrorLines(-2147219924, NoPrivilege + "[Failed to connect to socket " + socket +
                                               ": No such file or directory]"));
    EXPECT_EQ(outcome.exitCode, 2);
}

}  // namespace
}  // namespace lullex::test
