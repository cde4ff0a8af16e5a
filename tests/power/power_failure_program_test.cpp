// A power action that fails at the end of the countdown: the real program shows the failure's
// number and description once, in a box, and ends with code 2 when the box is closed.
#include "power_program_fixture.h"

#include "wait_until.h"
#include "x_tools.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

namespace lullex::test {
namespace {

using namespace std::chrono_literals;

const std::string BoxTitle = "Lullex Error";
// Where a description names the socket of the missing bus.
const std::string SocketMark = "{socket}";
// Long enough for several ticks of the main timer, which runs every 500 ms.
constexpr std::chrono::milliseconds BoxWatch = 3s;

enum class SystemBus {
    WithLogind,     // the mock logind on the test's bus
    WithoutLogind,  // a bus on which nobody owns org.freedesktop.login1
    None,           // no daemon behind the address
};

struct PowerFailureCase {
    const char* name;
    int shutType;
    SystemBus bus;
    const char* logindParameters;
    bool refusePowerOff;
    int number;
    std::string description;
    Calls calls;
    // The log after the switch to Run, to its last line.
    LogFields lastLines;
};

void PrintTo(const PowerFailureCase& row, std::ostream* out)
{
    *out << row.name;
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

class PowerFailureProgramTest : public PowerProgramTest,
                                public testing::WithParamInterface<PowerFailureCase> {
protected:
    // Sets up the row's bus and gives the address the program is to use.
    std::string prepareBus(const PowerFailureCase& row)
    {
        if (row.bus == SystemBus::None)
            return noBusAddress();
        if (row.bus == SystemBus::WithLogind) {
            startLogind(row.logindParameters);
            if (row.refusePowerOff)
                logind->refuse("PowerOff", "b",
                               "org.freedesktop.DBus.Error.InteractiveAuthorizationRequired",
                               "Interactive authentication required.");
        }
        return systemBus.address();
    }

    std::string expectedBox(const PowerFailureCase& row) const
    {
        std::string description = row.description;
        const std::size_t mark = description.find(SocketMark);
        if (mark != std::string::npos)
            description.replace(mark, SocketMark.size(), scratch.file("none").string());
        return BoxTitle + "\nRun-time error " + std::to_string(row.number) +
               " (lullex.mShutDown)\n" + description + "\n";
    }

    // Something happened that must not while the failure's box is open: a second box, logind
    // asked again, or monitoring went on (the main timer still running).
    bool repeated(const std::string& box, const Calls& callsAtBox, std::size_t logAtBox) const
    {
        return Occurrences(program->process().stderrText(), box) > 1 ||
               FindWindowsByTitle(session, BoxTitle).size() > 1 || calls() != callsAtBox ||
               program->logLines().size() != logAtBox;
    }
};

TEST_P(PowerFailureProgramTest, ShowsTheFailureOnceAndEndsWithCode2)
{
    const PowerFailureCase& row = GetParam();
    startProgram(ShortCycle(row.shutType, 2), prepareBus(row));
    const std::string box = expectedBox(row);
    ASSERT_TRUE(program->waitForStderr(box, LongTimeout)) << "expected box:\n" << box << describe();
    ASSERT_TRUE(FindWindowByTitle(session, BoxTitle, LongTimeout, true)) << describe();

    const Calls callsAtBox = calls();
    const std::size_t logAtBox = program->logLines().size();
    EXPECT_FALSE(WaitUntil([&] { return repeated(box, callsAtBox, logAtBox); }, BoxWatch))
        << describe();
    EXPECT_TRUE(program->process().running()) << "ended before the box was closed\n" << describe();

    ASSERT_TRUE(AnswerBox(session, BoxTitle, "Escape")) << describe();
    EXPECT_EQ(program->waitForExit(LongTimeout), std::optional<int>(2)) << describe();
    EXPECT_EQ(Occurrences(program->process().stderrText(), BoxTitle + "\n"), 1u) << describe();
    EXPECT_EQ(calls(), row.calls);
    LogFields expectedLog{StartInitialise, EnterRun};
    expectedLog.insert(expectedLog.end(), row.lastLines.begin(), row.lastLines.end());
    EXPECT_EQ(logFrom(StartInitialise), expectedLog) << describe();
}

const std::string NoPrivilege = "Can't enable shutdown: You do not have the privileges to "
                                "shutdown this system. [CanPowerOff: no]";
const std::string PrivilegeNotFound =
    "Can't enable shutdown: Can't find the SE_SHUTDOWN_NAME privilege value. [";
const std::string NoSocket =
    "Failed to connect to socket " + SocketMark + ": No such file or directory]";
const std::string NoLogind =
    "The name org.freedesktop.login1 was not provided by any .service files]";

const std::string EnterPowerOff = " Enter    , Power Off , Count:   0";
const std::string StartPowerOff = " Start    , Power Off , Count:   2";

INSTANTIATE_TEST_SUITE_P(
    Failures, PowerFailureProgramTest,
    testing::Values(
        PowerFailureCase{"PowerOffNotAllowed",
                         1,
                         SystemBus::WithLogind,
                         R"({"CanPowerOff": "no"})",
                         false,
                         -2147219922,
                         NoPrivilege,
                         {"CanPowerOff"},
                         {EnterPowerOff, StartPowerOff}},
        PowerFailureCase{
            "PowerOffRefusedByLogind",
            1,
            SystemBus::WithLogind,
            R"({"CanPowerOff": "challenge"})",
            true,
            -2147219925,
            "ShutdownSystem failed: Interactive authentication required.",
            {"CanPowerOff", "PowerOff False",
             "PowerOff raised: org.freedesktop.DBus.Error.InteractiveAuthorizationRequired: "
             "Interactive authentication required."},
            {EnterPowerOff, StartPowerOff}},
        PowerFailureCase{"PowerOffWithoutSystemBus",
                         1,
                         SystemBus::None,
                         "",
                         false,
                         -2147219924,
                         PrivilegeNotFound + NoSocket,
                         {},
                         {EnterPowerOff, StartPowerOff}},
        PowerFailureCase{
            "RebootWithoutLogind",
            2,
            SystemBus::WithoutLogind,
            "",
            false,
            -2147219924,
            PrivilegeNotFound + NoLogind,
            {},
            {" Enter    , Reboot    , Count:   0", " Start    , Reboot    , Count:   2"}},
        // Monitoring is reset before a standby, so its "Start" entry is the last.
        PowerFailureCase{"StandbyWithoutSystemBus",
                         6,
                         SystemBus::None,
                         "",
                         false,
                         -2147219924,
                         PrivilegeNotFound + NoSocket,
                         {},
                         {" Enter    , Standby   , Count:   0",
                          " Start    , Standby   , Count:   2", StartInitialise}}),
    [](const testing::TestParamInfo<PowerFailureCase>& info) {
        return std::string(info.param.name);
    });

}  // namespace
}  // namespace lullex::test
