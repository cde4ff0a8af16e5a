// The slave's receive port already held by another program when the slave starts.
#include "link_program_support.h"

#include <chrono>
#include <optional>

namespace lullex::test {
namespace {

using std::chrono::milliseconds;

constexpr const char* PortBoxTitle = "Lullex Slave Port Error";

std::string PortBoxText(uint16_t port)
{
    return std::string(PortBoxTitle) + "\nThe RX Port " + std::to_string(port) +
           " Is Already In Use\nThis Error Must Be Resolved Before\nYou Can Use Lullex.\n"
           "Use The Configuration Screen\nTo Change The RX Port.\n"
           "Do You Want To End The Program?\n";
}

class PortProgramTest : public LinkProgramTest {
protected:
    void SetUp() override { ASSERT_TRUE(holder.bound()) << "cannot hold a port for the test"; }

    LullexProgram& startSlave()
    {
        LullexProgram& slave = startProgram(SlaveConfig(port), {InhibitShutdown});
        EXPECT_TRUE(slave.waitForStderr(PortBoxText(port), LongTimeout)) << describe();
        return slave;
    }

    // Held the way a program written without Qt holds a port: no address reuse.
    DatagramRecorder holder{"0.0.0.0", 0};
    uint16_t port = holder.port();
};

TEST_F(PortProgramTest, AnsweringYesEndsTheSlaveWithTheFatalErrorCode)
{
    LullexProgram& slave = startSlave();
    ASSERT_TRUE(FindWindowByTitle(session, PortBoxTitle, LongTimeout, true)) << describe();
    ASSERT_TRUE(slave.process().running()) << "the box must wait for its answer";

    ASSERT_TRUE(AnswerBox(session, PortBoxTitle, "y")) << describe();

    EXPECT_EQ(slave.waitForExit(LongTimeout), 1) << describe();
    EXPECT_EQ(StatusLines(slave), std::vector<std::string>{}) << describe();
}

TEST_F(PortProgramTest, AnsweringNoLeavesTheSlaveRunningWithoutMonitoring)
{
    LullexProgram& slave = startSlave();

    ASSERT_TRUE(AnswerBox(session, PortBoxTitle, "n")) << describe();

    // The start-up entries end the log's set-up; no state step and no start follow them.
    ASSERT_TRUE(slave.waitForLine("ShutType=1")) << describe();
    EXPECT_TRUE(
        StaysTrueFor([&] { return slave.process().running() && StatusLines(slave).empty(); },
                     milliseconds(4000)))
        << describe();
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex Slave");
    ASSERT_TRUE(window) << NamedWindows(session);
    // The set-up request disables Reset and Test: their clicks change nothing, where an
    // enabled Reset would log its reset.
    ClickButton(session, *window, MainButton::Reset);
    ClickButton(session, *window, MainButton::Test);
    EXPECT_TRUE(StaysTrueFor([&] { return StatusLines(slave).empty(); }, milliseconds(2000)))
        << describe();
    EXPECT_EQ(holder.datagrams().size(), 0u);

    // The same pointer reaches Exit, which still works.
    ClickButton(session, *window, MainButton::Exit);
    EXPECT_EQ(slave.waitForExit(LongTimeout), 0) << describe();
    EXPECT_EQ(StatusLines(slave),
              std::vector<std::string>{SlaveStatus("Exit", "Initialise", 1, "....")});
}

TEST_F(PortProgramTest, MasterSendsToAPortInUseWithoutAnyBox)
{
    LullexProgram& master = startProgram(MasterConfig(port), {});

    // The port's holder hears the master, which binds nothing of its own.
    ASSERT_TRUE(holder.waitForCount(3, LongTimeout)) << describe();
    EXPECT_EQ(holder.datagrams().front().bytes, "<LXA000>");
    EXPECT_TRUE(master.process().running());
    EXPECT_EQ(master.process().stderrText().find("Port Error"), std::string::npos) << describe();
}

}  // namespace
}  // namespace lullex::test
