// A master and a slave on two hosts: each copy runs in a network namespace of its own, the two
// joined by links that the test made, and both show their windows on the test's X server
// through its socket file. A fifth of the master's datagrams are dropped on the way in.
#include "link_program_support.h"
#include "network_lab.h"

#include <chrono>
#include <memory>
#include <optional>
#include <sstream>

namespace lullex::test {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr int MasterHost = 0;
constexpr int SlaveHost = 1;
constexpr uint16_t LinkPort = 10001;
constexpr int DroppedPercent = 20;
constexpr const char* CountTable = "lullex_link_count";
// Long enough that a countdown forced by chance losses would show.
constexpr milliseconds LossyRun{60000};

// How many of the link's datagrams reached the slave's host, and how many got past the drop.
struct Arrivals {
    long arrived = 0;
    long delivered = 0;
};

// The lab is a base of the fixture, so that it is made before the programs and goes after them:
// a namespace deleted under a running program would leave it cut off, not stopped.
struct TwoHostLab {
    NetworkLab lab{2};
};

class TwoHostProgramTest : protected TwoHostLab, public LinkProgramTest {
protected:
    void SetUp() override
    {
        if (!lab.ready()) {
            GTEST_SKIP() << "no network namespaces here: " << lab.failure();
        }
        ASSERT_TRUE(lab.waitUntilLinksCarry(MasterHost, lab.addressOf(SlaveHost), {SlaveHost}))
            << "the lab's link never carried a datagram";
        ASSERT_TRUE(lab.dropIncomingUdp(SlaveHost, LinkPort, DroppedPercent)) << lab.failure();
        ASSERT_TRUE(countArrivals()) << lab.failure();
    }

    // Counters on the link's port before the drop rule (priority 0) and after it.
    bool countArrivals()
    {
        return lab.runIn(SlaveHost, {"nft", "add", "table", "inet", CountTable}) &&
               addCounter("arriving", "-10") && addCounter("delivered", "10");
    }

    bool addCounter(const std::string& chain, const std::string& priority)
    {
        return lab.runIn(SlaveHost, {"nft", "add", "chain", "inet", CountTable, chain,
                                     "{ type filter hook input priority " + priority + "; }"}) &&
               lab.runIn(SlaveHost, {"nft", "add", "rule", "inet", CountTable, chain, "udp",
                                     "dport", std::to_string(LinkPort), "counter"});
    }

    Arrivals arrivals() const
    {
        const CommandResult listing = RunCommand(
            ProcessSpec{lab.commandIn(SlaveHost, {"nft", "list", "table", "inet", CountTable})});
        std::istringstream words(listing.out);
        std::vector<long> packets;
        for (std::string word; words >> word;) {
            if (word == "packets") {
                long count = 0;
                words >> count;
                packets.push_back(count);
            }
        }
        EXPECT_EQ(packets.size(), 2u) << listing.out << listing.err;
        return packets.size() == 2 ? Arrivals{packets[0], packets[1]} : Arrivals{};
    }

    LullexProgram& startOn(int host, const ConfigValues& config,
                           const std::vector<std::string>& arguments)
    {
        return startProgram(config, arguments, lab.commandIn(host, {}));
    }
};

const LineMatch CountdownStart = LineMatch::StartingWith(" Enter    , Power Off ,");

TEST_F(TwoHostProgramTest, LossyLinkForcesNoCountdownAndACutLinkDoesAfterTheLimit)
{
    ConfigValues masterConfig = MasterConfig(LinkPort, lab.addressOf(SlaveHost));
    masterConfig.LogLevel = 2;
    LullexProgram& master = startOn(MasterHost, masterConfig, {});
    ASSERT_TRUE(master.waitForLine(" Enter    , Run       , Count:   0", 0, LongTimeout))
        << describe();
    LullexProgram& slave =
        startOn(SlaveHost, SlaveConfig(LinkPort, lab.addressOf(MasterHost)), {InhibitShutdown});
    const std::optional<std::size_t> run =
        slave.waitForLine(LineMatch::StartingWith(" Enter    , Run       , Count:   0, Comms: "));
    ASSERT_TRUE(run) << describe();
    const Arrivals before = arrivals();

    EXPECT_TRUE(StaysTrueFor(
        [&] {
            const std::vector<std::string> lines = StatusLines(slave);
            return slave.process().running() &&
                   std::none_of(lines.begin(), lines.end(), CountdownStart);
        },
        LossyRun))
        << describe();
    const Arrivals after = arrivals();
    const long arrived = after.arrived - before.arrived;
    const long dropped = arrived - (after.delivered - before.delivered);
    // Two a second for a minute, a fifth of them dropped, give or take chance; a loaded machine
    // may send fewer, so only half of them must have come.
    EXPECT_GE(arrived, 60) << describe();
    EXPECT_GE(dropped * 100, arrived * 8) << dropped << " of " << arrived << " dropped";
    EXPECT_LE(dropped * 100, arrived * 35) << dropped << " of " << arrived << " dropped";
    EXPECT_GE(slave.logLines().size(), *run + 30) << "the slave stopped stepping\n" << describe();

    // Taken before the cut, so that a slow command cannot shorten the time measured.
    const auto cut = steady_clock::now();
    ASSERT_TRUE(lab.setLinkUp(SlaveHost, false)) << lab.failure();
    const std::optional<std::size_t> countdown = slave.waitForLine(CountdownStart, *run);
    const auto seen = steady_clock::now();
    ASSERT_TRUE(countdown) << describe();

    // The cut can fall just before a step, so the limit's first second may be short.
    EXPECT_GE(std::chrono::duration_cast<milliseconds>(seen - cut).count(),
              (InhibitedLimit - 1) * 1000 - 500);
    const std::vector<std::string> lines = FieldsFrom(slave.logLines());
    const std::size_t lastHeard = LastIndexOf(lines, ConnectedLine());
    ASSERT_LT(lastHeard, lines.size()) << describe();
    EXPECT_EQ(Slice(lines, lastHeard + 1, InhibitedLimit), LostLinkLines("Fail")) << describe();
    expectAnnouncedPowerOffAndNormalEnd(slave);
    EXPECT_TRUE(master.process().running()) << describe();
}

}  // namespace
}  // namespace lullex::test
