// A real slave on loopback, its master a second copy of the program or a sender that the test
// owns and paces like one. The slave runs in the test mode: its lost-link limit and countdown
// are 6 s each, and the end of the countdown is only announced.
#include "link_program_support.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>

namespace lullex::test {
namespace {

using std::chrono::milliseconds;

constexpr const char* Heartbeat = "<LXA100>";
const std::string Connected = ConnectedLine();
const std::string CountdownEntered = LostLinkLines("Fail").back();
const std::string SimulationBoxText = "Lullex Slave Simulate Power Off\nTest Real Power Off\n";

// Datagrams that fail the tag check, each for another reason: a length field of 00 with an
// extra character, no closing ">", the wrong case, a length that is no number, too short,
// nothing at all.
const std::vector<std::string> Junk = {"<LXA1000>", "<LXA100", "<lxa100>", "<LXA1x0>", "<LX>", ""};

// The lines without their last field, the link's state.
std::vector<std::string> WithoutComms(std::vector<std::string> lines)
{
    for (std::string& line : lines) {
        line = line.substr(0, line.rfind(", Comms: "));
    }
    return lines;
}

class SlaveProgramTest : public LinkProgramTest {
protected:
    void startSlave()
    {
        reserved.handOver();
        slave = &startProgram(SlaveConfig(port), {InhibitShutdown});
    }

    std::optional<std::size_t> waitForLine(const LineMatch& match, std::size_t from = 0) const
    {
        return slave->waitForLine(match, from);
    }

    // The slave's log lines without their timestamps; waitForLine's indices point into it.
    std::vector<std::string> lines() const { return FieldsFrom(slave->logLines()); }

    // Waits for `count` heard seconds in Run, the window showing "Connected".
    bool heardSeconds(std::size_t count) const
    {
        return WaitUntil(
            [&] {
                const std::vector<std::string> heard = lines();
                return static_cast<std::size_t>(
                           std::count(heard.begin(), heard.end(), Connected)) >= count;
            },
            LongTimeout);
    }

    // The slave's port, held by the test until the slave starts.
    ReservedUdpPort reserved;
    uint16_t port = reserved.port();
    LullexProgram* slave = nullptr;
};

TEST_F(SlaveProgramTest, ConnectedWhileTheMasterRunsThenCountsDownWhenItStops)
{
    ConfigValues masterConfig = MasterConfig(port);
    masterConfig.LogLevel = 2;
    LullexProgram& master = startProgram(masterConfig, {});
    ASSERT_TRUE(master.waitForLine(" Enter    , Run       , Count:   0")) << describe();
    startSlave();
    ASSERT_TRUE(heardSeconds(3)) << describe();

    master.process().stop();

    ASSERT_TRUE(waitForLine(CountdownEntered)) << describe();
    const std::size_t lastHeard = LastIndexOf(lines(), Connected);
    ASSERT_LT(lastHeard, lines().size());
    EXPECT_EQ(Slice(lines(), lastHeard + 1, InhibitedLimit), LostLinkLines("Fail")) << describe();
    std::vector<std::string> countdown = {SlaveStatus("Power Off", "", 0, "Fail")};
    for (int count = 1; count < InhibitedLimit; ++count) {
        countdown.push_back(SlaveStatus("Power Off", "", count, "Fail"));
    }
    ASSERT_TRUE(slave->waitForStderr(SimulationBoxText, LongTimeout)) << describe();
    EXPECT_EQ(Slice(lines(), lastHeard + 1 + InhibitedLimit, InhibitedLimit), countdown);
    expectAnnouncedPowerOffAndNormalEnd(*slave);
}

TEST_F(SlaveProgramTest, CancelFromTheMasterStopsTheCountdownAndAHeartbeatDoesNot)
{
    PacedSender master(port);
    master.setCycle({{Heartbeat}});
    startSlave();
    ASSERT_TRUE(heardSeconds(2)) << describe();
    master.stop();
    const std::optional<std::size_t> entered = waitForLine(CountdownEntered);
    ASSERT_TRUE(entered) << describe();

    // Heard again during the countdown: the slave marks it and counts on.
    master.setCycle({{Heartbeat}});
    const std::optional<std::size_t> heardInCountdown =
        waitForLine({"a countdown second that heard the master",
                     [](const std::string& line) {
                         return line.starts_with(" Power Off,           , Count:") &&
                                line.ends_with(", Comms: -OK-");
                     }},
                    *entered);
    master.stop();
    ASSERT_TRUE(heardInCountdown) << describe();
    ASSERT_TRUE(master.sendNow("<LXC000>"));

    const std::optional<std::size_t> reset =
        waitForLine(LineMatch::StartingWith(" Reset    , Power Off , Count:"), *entered);
    ASSERT_TRUE(reset) << describe();
    ASSERT_TRUE(waitForLine(SlaveStatus("Enter", "Run", 0, "...."), *reset)) << describe();
    const std::vector<std::string> log = lines();
    EXPECT_GT(*reset, *heardInCountdown);
    EXPECT_TRUE(log[*reset].ends_with(", Comms: -OK-")) << log[*reset];
    EXPECT_EQ(log.at(*reset + 1), SlaveStatus("Start", "Initialise", 1, "...."));
    EXPECT_EQ(slave->process().stderrText().find(SimulationBoxText), std::string::npos)
        << describe();
}

TEST_F(SlaveProgramTest, TestFromTheMasterStartsATestRunOfFiveUnheardSeconds)
{
    PacedSender master(port);
    master.setCycle({{Heartbeat}});
    startSlave();
    ASSERT_TRUE(heardSeconds(2)) << describe();
    master.stop();
    ASSERT_TRUE(master.sendNow("<LXT000>"));

    const std::optional<std::size_t> test =
        waitForLine(SlaveStatus("Enter", "Test", 2, "....", true));
    ASSERT_TRUE(test) << describe();
    ASSERT_TRUE(slave->waitForStderr("Lullex Slave Test\nTest Power Off\n", LongTimeout))
        << describe();
    const std::vector<std::string> log = lines();
    EXPECT_EQ(log.at(*test + 1), SlaveStatus("Start", "Initialise", 2, "....", true));
    const std::size_t run = LastIndexOf(log, SlaveStatus("Enter", "Run", 0, "....", true));
    ASSERT_LT(run, log.size()) << describe();
    // Nothing was heard since the reset, so the first Run second still shows its "....".
    const std::vector<std::string> expected = {
        SlaveStatus("Run", "", 1, "....", true),
        SlaveStatus("Run", "", 2, "Fail", true),
        SlaveStatus("Run", "", 3, "Fail", true),
        SlaveStatus("Run", "", 4, "Fail", true),
        SlaveStatus("Simulate", "Power Off", 0, "Fail", true),
    };
    EXPECT_EQ(Slice(log, run + 1, expected.size()), expected) << describe();

    ASSERT_TRUE(AnswerBox(session, "Lullex Slave Test", "Return")) << describe();
    EXPECT_TRUE(waitForLine(SlaveStatus("Start", "Initialise", 1, "...."), run)) << describe();
    EXPECT_TRUE(slave->process().running());
}

TEST_F(SlaveProgramTest, JunkBesideAValidHeartbeatNeverForcesACountdown)
{
    PacedSender sender(port);
    std::vector<PacedSender::Beat> heartbeatThenJunk;
    for (const std::string& junk : Junk) {
        heartbeatThenJunk.push_back({Heartbeat, junk});
    }
    sender.setCycle(heartbeatThenJunk);
    startSlave();
    const std::optional<std::size_t> run =
        waitForLine(LineMatch::StartingWith(" Enter    , Run       , Count:   0, Comms: "));
    ASSERT_TRUE(run) << describe();

    // Twice the lost-link limit of Run seconds, each with junk as the last word.
    ASSERT_TRUE(
        WaitUntil([&] { return lines().size() >= *run + 1 + 2 * InhibitedLimit; }, LongTimeout))
        << describe();
    const std::vector<std::string> junkSeconds = Slice(lines(), *run + 1, 2 * InhibitedLimit);
    const std::size_t errorsShown =
        std::count(junkSeconds.begin(), junkSeconds.end(), SlaveStatus("Run", "", 0, "Error"));
    const std::size_t heard =
        errorsShown + std::count(junkSeconds.begin(), junkSeconds.end(), Connected);
    EXPECT_EQ(heard, junkSeconds.size()) << describe();
    EXPECT_GE(errorsShown, junkSeconds.size() / 2) << describe();

    // Junk alone is not heard: the same slave counts down, so the check above could fail.
    std::vector<PacedSender::Beat> junkOnly;
    for (const std::string& junk : Junk) {
        junkOnly.push_back({junk});
    }
    sender.setCycle(junkOnly);
    const std::optional<std::size_t> entered = waitForLine(CountdownEntered, *run);
    ASSERT_TRUE(entered) << describe();
    // A second whose last datagram came before its step shows "Fail" rather than "Error".
    const std::vector<std::string> counted =
        Slice(lines(), *entered - (InhibitedLimit - 1), InhibitedLimit);
    EXPECT_EQ(WithoutComms(counted), WithoutComms(LostLinkLines("Error"))) << describe();
    EXPECT_GE(std::count_if(counted.begin(), counted.end(),
                            [](const std::string& line) { return line.ends_with("Comms: Error"); }),
              InhibitedLimit / 2)
        << describe();
    sender.stop();
    expectAnnouncedPowerOffAndNormalEnd(*slave);
}

}  // namespace
}  // namespace lullex::test
