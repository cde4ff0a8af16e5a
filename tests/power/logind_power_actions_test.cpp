#include "fake_logind_bus.h"
#include "logind_power_actions.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace lullex {
namespace {

using test::Answered;
using test::FakeLogindBus;
using test::Refused;
using test::Unreachable;
using Calls = std::vector<std::string>;

constexpr const char* Source = "lullex.mShutDown";
const std::string SessionPath = "/org/freedesktop/login1/session/c3";
const std::string NoRight =
    "Can't enable shutdown: You do not have the privileges to shutdown this system. ";

class LogindPowerActionsTest : public testing::Test {
protected:
    // Runs the routine and returns the PowerError it raised; fails the test if none was.
    PowerError expectFailure(const std::function<void()>& routine)
    {
        try {
            routine();
        } catch (const PowerError& error) {
            EXPECT_EQ(error.source, Source);
            return error;
        }
        ADD_FAILURE() << "no PowerError was raised";
        return PowerError(0, "", "");
    }

    static std::string ownSessionCall()
    {
        return "GetSessionByPID(" + std::to_string(getpid()) + ")";
    }

    FakeLogindBus bus;
    LogindPowerActions actions{bus, Source};
};

class InvalidFlagsTest : public LogindPowerActionsTest,
                         public testing::WithParamInterface<int32_t> {};

TEST_P(InvalidFlagsTest, AreRefusedWithoutAnyBusCall)
{
    const PowerError error = expectFailure([&] { actions.ShutdownSystem(GetParam()); });
    EXPECT_EQ(error.number, -2147219921);
    EXPECT_EQ(error.description,
              "Invalid parameter to ShutdownSystem: " + std::to_string(GetParam()));
    EXPECT_EQ(bus.calls(), Calls{});
}

INSTANTIATE_TEST_SUITE_P(OutsideZeroToThirtyOne, InvalidFlagsTest,
                         testing::Values(-1, 32, 33, 64, -2147483647 - 1, 2147483647));

struct FlagsCase {
    int32_t flags;  // without the force bits
    Calls calls;
};

void PrintTo(const FlagsCase& row, std::ostream* out)
{
    *out << "flags " << row.flags;
}

class FlagsMappingTest : public LogindPowerActionsTest,
                         public testing::WithParamInterface<FlagsCase> {};

// Each row stands for four flag values: the force bits 4 and 16 must not change the calls.
TEST_P(FlagsMappingTest, CallsTheMatchingLogindMethodNeverInteractive)
{
    for (const int32_t force : {0, 4, 16, 20}) {
        FakeLogindBus fresh;
        fresh.answer("GetSessionByPID", Answered(SessionPath));
        fresh.answer("Id", Answered("c3"));
        LogindPowerActions routines(fresh, Source);
        routines.ShutdownSystem(GetParam().flags | force);
        Calls expected = GetParam().calls;
        if (expected.front() == "GetSessionByPID")
            expected.front() = ownSessionCall();
        EXPECT_EQ(fresh.calls(), expected) << "flags " << (GetParam().flags | force);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFlagValue, FlagsMappingTest,
                         testing::Values(FlagsCase{0,
                                                   {"GetSessionByPID", "Id of " + SessionPath,
                                                    "TerminateSession(\"c3\")"}},
                                         FlagsCase{1, {"CanHalt()", "Halt(false)"}},
                                         FlagsCase{2, {"CanReboot()", "Reboot(false)"}},
                                         FlagsCase{3, {"CanReboot()", "Reboot(false)"}},
                                         FlagsCase{8, {"CanPowerOff()", "PowerOff(false)"}},
                                         FlagsCase{9, {"CanPowerOff()", "PowerOff(false)"}},
                                         FlagsCase{10, {"CanPowerOff()", "PowerOff(false)"}},
                                         FlagsCase{11, {"CanPowerOff()", "PowerOff(false)"}}));

struct AnswerCase {
    std::string answer;
    bool allowed;
};

void PrintTo(const AnswerCase& row, std::ostream* out)
{
    *out << '"' << row.answer << '"';
}

class CanAnswerTest : public LogindPowerActionsTest,
                      public testing::WithParamInterface<AnswerCase> {};

TEST_P(CanAnswerTest, DecidesWhetherShutdownGoesAhead)
{
    bus.answer("CanPowerOff", Answered(GetParam().answer));
    if (GetParam().allowed) {
        actions.ShutdownSystem(12);
        EXPECT_EQ(bus.calls(), (Calls{"CanPowerOff()", "PowerOff(false)"}));
        return;
    }
    const PowerError error = expectFailure([&] { actions.ShutdownSystem(12); });
    EXPECT_EQ(error.number, -2147219922);
    EXPECT_EQ(error.description, NoRight + "[CanPowerOff: " + GetParam().answer + "]");
    EXPECT_EQ(bus.calls(), Calls{"CanPowerOff()"});
}

TEST_P(CanAnswerTest, NeverStopsASuspend)
{
    bus.answer("CanSuspend", Answered(GetParam().answer));
    bus.answer("CanHibernate", Answered(GetParam().answer));
    actions.StandbySystem();
    actions.HibernateSystem();
    const Calls expected = GetParam().allowed ? Calls{"CanSuspend()", "Suspend(false)",
                                                      "CanHibernate()", "Hibernate(false)"}
                                              : Calls{"CanSuspend()", "CanHibernate()"};
    EXPECT_EQ(bus.calls(), expected);
}

INSTANTIATE_TEST_SUITE_P(LogindAnswers, CanAnswerTest,
                         testing::Values(AnswerCase{"yes", true}, AnswerCase{"challenge", true},
                                         AnswerCase{"no", false}, AnswerCase{"na", false}));

const BusReply NoBus = Unreachable("org.freedesktop.DBus.Error.FileNotFound", "No socket");

struct FailureCase {
    const char* name;
    std::vector<std::pair<std::string, BusReply>> replies;
    std::function<void(PowerActions&)> routine;
    int32_t number;
    std::string description;
    Calls calls;
};

void PrintTo(const FailureCase& row, std::ostream* out)
{
    *out << row.name;
}

class FailureTest : public LogindPowerActionsTest,
                    public testing::WithParamInterface<FailureCase> {};

TEST_P(FailureTest, RaisesTheNumberAndTheReason)
{
    for (const auto& [method, reply] : GetParam().replies)
        bus.answer(method, reply);
    const PowerError error = expectFailure([&] { GetParam().routine(actions); });
    EXPECT_EQ(error.number, GetParam().number);
    EXPECT_EQ(error.description, GetParam().description);
    EXPECT_EQ(bus.calls(), GetParam().calls);
}

const std::function<void(PowerActions&)> PowerOff = [](PowerActions& power) {
    power.ShutdownSystem(12);
};
const std::function<void(PowerActions&)> Reboot = [](PowerActions& power) {
    power.ShutdownSystem(6);
};
const std::string NoPrivilege =
    "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. ";

INSTANTIATE_TEST_SUITE_P(
    Replies, FailureTest,
    testing::Values(
        FailureCase{
            "UnreachableLogindCannotFindThePrivilege",
            {{"CanReboot", Unreachable("org.freedesktop.DBus.Error.ServiceUnknown",
                                       "The name org.freedesktop.login1 was not provided")}},
            Reboot,
            -2147219924,
            NoPrivilege + "[The name org.freedesktop.login1 was not provided]",
            {"CanReboot()"}},
        FailureCase{
            "QuestionRefusedByTheBusCannotFindThePrivilege",
            {{"CanHalt", Refused("org.freedesktop.DBus.Error.AccessDenied", "Rejected send")}},
            [](PowerActions& power) { power.ShutdownSystem(5); },
            -2147219924,
            NoPrivilege + "[Rejected send]",
            {"CanHalt()"}},
        FailureCase{
            "RefusedCallIsShutdownFailedWithItsMessage",
            {{"CanPowerOff", Answered("challenge")},
             {"PowerOff", Refused("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
                                  "Interactive authentication required.")}},
            PowerOff,
            -2147219925,
            "ShutdownSystem failed: Interactive authentication required.",
            {"CanPowerOff()", "PowerOff(false)"}},
        FailureCase{"CallLostOnTheWayIsShutdownFailedToo",
                    {{"Reboot", Unreachable("org.freedesktop.DBus.Error.NoReply", "")}},
                    Reboot,
                    -2147219925,
                    "ShutdownSystem failed: ",
                    {"CanReboot()", "Reboot(false)"}},
        FailureCase{"SuspendRaisesOnlyWhenLogindIsUnreachable",
                    {{"CanHibernate", NoBus}},
                    [](PowerActions& power) { power.HibernateSystem(); },
                    -2147219924,
                    NoPrivilege + "[No socket]",
                    {"CanHibernate()"}}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

struct LogOffCase {
    const char* name;
    BusReply session;
    BusReply id;
    BusReply terminate;
    int32_t number;  // 0: no failure
    std::string description;
    size_t callCount;
};

void PrintTo(const LogOffCase& row, std::ostream* out)
{
    *out << row.name;
}

class LogOffTest : public LogindPowerActionsTest, public testing::WithParamInterface<LogOffCase> {};

TEST_P(LogOffTest, FindsOwnSessionFirst)
{
    bus.answer("GetSessionByPID", GetParam().session);
    bus.answer("Id", GetParam().id);
    bus.answer("TerminateSession", GetParam().terminate);
    if (GetParam().number == 0) {
        actions.ShutdownSystem(0);
    } else {
        const PowerError error = expectFailure([&] { actions.ShutdownSystem(0); });
        EXPECT_EQ(error.number, GetParam().number);
        EXPECT_EQ(error.description, GetParam().description);
    }
    const Calls all = {ownSessionCall(), "Id of " + SessionPath, "TerminateSession(\"c3\")"};
    EXPECT_EQ(bus.calls(), Calls(all.begin(), all.begin() + GetParam().callCount));
}

const BusReply NoSession = Refused("org.freedesktop.login1.NoSessionForPID",
                                   "PID 42 does not belong to any known session");

INSTANTIATE_TEST_SUITE_P(
    Steps, LogOffTest,
    testing::Values(
        LogOffCase{"Succeeds", Answered(SessionPath), Answered("c3"), Answered(""), 0, "", 3},
        LogOffCase{"NoSession",
                   NoSession,
                   {},
                   {},
                   -2147219923,
                   "Can't enable shutdown: Can't determine the current process. [PID 42 does not "
                   "belong to any known session]",
                   1},
        LogOffCase{"NoBus",
                   NoBus,
                   {},
                   {},
                   -2147219924,
                   "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. [No "
                   "socket]",
                   1},
        LogOffCase{"SessionVanished",
                   Answered(SessionPath),
                   Refused("org.freedesktop.DBus.Error.UnknownObject", "Unknown object"),
                   {},
                   -2147219923,
                   "Can't enable shutdown: Can't determine the current process. [Unknown object]",
                   2},
        LogOffCase{"TerminateRefused", Answered(SessionPath), Answered("c3"),
                   Refused("org.freedesktop.DBus.Error.AccessDenied", "Permission denied"),
                   -2147219925, "ShutdownSystem failed: Permission denied", 3}),
    [](const testing::TestParamInfo<LogOffCase>& info) { return std::string(info.param.name); });

TEST_F(LogindPowerActionsTest, RefusedSuspendCallIsNotReported)
{
    bus.answer("Suspend", Refused("org.freedesktop.login1.SleepVerbNotSupported", "Not supported"));
    bus.answer("Hibernate", NoBus);
    EXPECT_NO_THROW(actions.StandbySystem());
    EXPECT_NO_THROW(actions.HibernateSystem());
    EXPECT_EQ(bus.calls(),
              (Calls{"CanSuspend()", "Suspend(false)", "CanHibernate()", "Hibernate(false)"}));
}

TEST_F(LogindPowerActionsTest, EveryCallAsksAgain)
{
    actions.ShutdownSystem(12);
    actions.ShutdownSystem(12);
    EXPECT_EQ(bus.calls(),
              (Calls{"CanPowerOff()", "PowerOff(false)", "CanPowerOff()", "PowerOff(false)"}));
}

}  // namespace
}  // namespace lullex
