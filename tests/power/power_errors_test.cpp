#include "logind_bus.h"
#include "power_errors.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace lullex {
namespace {

struct DescriptionCase {
    PowerFailure failure;
    int32_t number;
    std::string detail;
    std::string description;
};

void PrintTo(const DescriptionCase& row, std::ostream* out)
{
    *out << row.number << (row.detail.empty() ? " without" : " with") << " system text";
}

class PowerErrorTextTest : public testing::TestWithParam<DescriptionCase> {};

TEST_P(PowerErrorTextTest, NumberAndDescriptionAreExact)
{
    const DescriptionCase& row = GetParam();
    const PowerError error = MakePowerError(row.failure, row.detail, "lullex.mShutDown");
    EXPECT_EQ(error.number, row.number);
    EXPECT_EQ(error.description, row.description);
    EXPECT_EQ(std::string(error.what()), row.description);
    EXPECT_EQ(error.source, "lullex.mShutDown");
}

const std::string NoBus = "Failed to connect to socket /run/x: No such file or directory";

INSTANTIATE_TEST_SUITE_P(
    EveryFailureWithAndWithoutSystemText, PowerErrorTextTest,
    testing::Values(
        DescriptionCase{PowerFailure::ShutdownFailed, -2147219925, "Access denied",
                        "ShutdownSystem failed: Access denied"},
        DescriptionCase{PowerFailure::ShutdownFailed, -2147219925, "", "ShutdownSystem failed: "},
        DescriptionCase{
            PowerFailure::PrivilegeNotFound, -2147219924, NoBus,
            "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. [" + NoBus +
                "]"},
        DescriptionCase{
            PowerFailure::PrivilegeNotFound, -2147219924, "",
            "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. []"},
        DescriptionCase{PowerFailure::ProcessUnknown, -2147219923, "PID 7 has no session",
                        "Can't enable shutdown: Can't determine the current process. [PID 7 has "
                        "no session]"},
        DescriptionCase{PowerFailure::ProcessUnknown, -2147219923, "",
                        "Can't enable shutdown: Can't determine the current process. []"},
        DescriptionCase{PowerFailure::NoPrivilege, -2147219922, "Line one\r\n",
                        "Can't enable shutdown: You do not have the privileges to shutdown this "
                        "system. [Line one\r\n]"},
        DescriptionCase{PowerFailure::NoPrivilege, -2147219922, "",
                        "Can't enable shutdown: You do not have the privileges to shutdown this "
                        "system. []"},
        DescriptionCase{PowerFailure::InvalidParameter, -2147219921, "-1",
                        "Invalid parameter to ShutdownSystem: -1"}));

struct SourceCase {
    std::string executablePath;
    std::string source;
};

void PrintTo(const SourceCase& row, std::ostream* out)
{
    *out << row.executablePath;
}

class PowerErrorSourceTest : public testing::TestWithParam<SourceCase> {};

TEST_P(PowerErrorSourceTest, IsExecutableNameWithoutExtensionAndModule)
{
    EXPECT_EQ(PowerErrorSourceFor(GetParam().executablePath), GetParam().source);
}

INSTANTIATE_TEST_SUITE_P(
    ExecutablePaths, PowerErrorSourceTest,
    testing::Values(SourceCase{"/usr/bin/lullex", "lullex.mShutDown"},
                    SourceCase{"/opt/lullex/bin/Lullex.exe", "Lullex.mShutDown"},
                    SourceCase{"/usr/bin/lullex (deleted)", "lullex.mShutDown"},
                    SourceCase{"/home/u/build.d/lullex", "lullex.mShutDown"},
                    SourceCase{"/home/u/lullex.tar.gz", "lullex.tar.mShutDown"},
                    SourceCase{"/home/u/.lullex", ".lullex.mShutDown"},
                    SourceCase{"lullex", "lullex.mShutDown"}));

TEST(PowerErrorSource, NamesTheRunningExecutable)
{
    EXPECT_EQ(PowerErrorSource(), "power_tests.mShutDown");
}

struct SystemTextCase {
    BusReply reply;
    std::string text;
};

void PrintTo(const SystemTextCase& row, std::ostream* out)
{
    const char* status[] = {"answered", "refused", "unreachable"};
    *out << status[static_cast<int>(row.reply.status)] << " \"" << row.reply.errorMessage << '"';
}

class SystemErrorTextTest : public testing::TestWithParam<SystemTextCase> {};

TEST_P(SystemErrorTextTest, IsTheBusErrorMessageOrNothing)
{
    EXPECT_EQ(SystemErrorText(GetParam().reply), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, SystemErrorTextTest,
    testing::Values(
        SystemTextCase{{BusStatus::Answered, "", "", "yes"}, ""},
        SystemTextCase{{BusStatus::Refused, "org.freedesktop.DBus.Error.AccessDenied",
                        "Permission denied", ""},
                       "Permission denied"},
        SystemTextCase{{BusStatus::Refused, "org.freedesktop.login1.NoSessionForPID", "", ""}, ""},
        SystemTextCase{{BusStatus::Unreachable, "org.freedesktop.DBus.Error.ServiceUnknown",
                        "The name is not activatable", ""},
                       "The name is not activatable"}));

struct ErrorNameCase {
    std::string name;
    bool unreachable;
};

void PrintTo(const ErrorNameCase& row, std::ostream* out)
{
    *out << '"' << row.name << '"';
}

class UnreachableErrorTest : public testing::TestWithParam<ErrorNameCase> {};

TEST_P(UnreachableErrorTest, TellsBusFailuresFromRefusals)
{
    EXPECT_EQ(IsUnreachableError(GetParam().name), GetParam().unreachable);
}

INSTANTIATE_TEST_SUITE_P(
    ErrorNames, UnreachableErrorTest,
    testing::Values(ErrorNameCase{"org.freedesktop.DBus.Error.ServiceUnknown", true},
                    ErrorNameCase{"org.freedesktop.DBus.Error.FileNotFound", true},
                    ErrorNameCase{"org.freedesktop.DBus.Error.NoServer", true},
                    ErrorNameCase{"org.freedesktop.DBus.Error.NoReply", true},
                    ErrorNameCase{"org.freedesktop.DBus.Error.Disconnected", true},
                    ErrorNameCase{"org.freedesktop.DBus.Error.NameHasNoOwner", true},
                    ErrorNameCase{"org.freedesktop.DBus.Error.Spawn.ChildExited", true},
                    ErrorNameCase{"org.freedesktop.DBus.Error.AccessDenied", false},
                    ErrorNameCase{"org.freedesktop.DBus.Error.UnknownMethod", false},
                    ErrorNameCase{"org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
                                  false},
                    ErrorNameCase{"org.freedesktop.login1.NoSessionForPID", false},
                    ErrorNameCase{"com.example.Error.ServiceUnknown", false},
                    ErrorNameCase{"", false}));

}  // namespace
}  // namespace lullex
