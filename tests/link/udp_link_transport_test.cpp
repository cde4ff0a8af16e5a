#include "link_fakes.h"
#include "tag_receiver.h"
#include "tag_sender.h"
#include "udp_endpoint.h"
#include "udp_link_transport.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace lullex {
namespace {

using Strings = std::vector<std::string>;
using test::DatagramRecorder;
using test::ReservedUdpPort;
using test::UdpEndpoint;
using test::WaitUntil;

constexpr int16_t DNameAddress = 1;
constexpr int16_t DNameDomain = 2;

class MasterTransportTest : public ::testing::Test {
protected:
    MasterTransportTest()
    {
        state.settings.CMain = RoleMaster;
        state.settings.DName = DNameAddress;
        state.settings.IPAdd = "127.0.0.1";
        state.settings.Port1 = listener.port();
        state.NextTag = "<LXA000>";
        QObject::connect(&transport, &UdpLinkTransport::peerLookupFinished,
                         [this](bool found) { lookups.push_back(found); });
    }

    DatagramRecorder listener{"127.0.0.1", 0};
    AppState state;
    UdpLinkTransport transport{state.settings};
    TagSender sender{state, transport};
    std::vector<bool> lookups;
};

TEST_F(MasterTransportTest, SendsTheExactBytesToThePartner)
{
    ASSERT_TRUE(listener.bound());

    EXPECT_TRUE(transport.send("<LXA100>"));

    ASSERT_TRUE(listener.waitForCount(1));
    EXPECT_EQ(listener.bytes(), (Strings{"<LXA100>"}));
}

TEST_F(MasterTransportTest, SenderPutsItsTagsOnTheWire)
{
    sender.SendTag();
    sender.SendTag();
    state.NextTag = "<LXC000>";
    sender.SendTag();
    state.NextTag = "<LXT000>";
    sender.SendTag();

    ASSERT_TRUE(listener.waitForCount(4));
    EXPECT_EQ(listener.bytes(), (Strings{"<LXA000>", "<LXA100>", "<LXC000>", "<LXT000>"}));
    EXPECT_EQ(state.NextTag, "<LXA100>");
}

TEST_F(MasterTransportTest, ReadsLeadingZerosAsDecimal)
{
    DatagramRecorder tenth{"127.0.0.10", 0};
    ASSERT_TRUE(tenth.bound());
    state.settings.IPAdd = "127.000.000.010";
    state.settings.Port1 = tenth.port();

    EXPECT_TRUE(transport.send("<LXA100>"));

    ASSERT_TRUE(tenth.waitForCount(1));
    EXPECT_EQ(tenth.bytes(), (Strings{"<LXA100>"}));
}

TEST_F(MasterTransportTest, FollowsAChangedPortAtTheNextSend)
{
    DatagramRecorder other{"127.0.0.1", 0};
    EXPECT_TRUE(transport.send("<LXA000>"));
    state.settings.Port1 = other.port();
    EXPECT_TRUE(transport.send("<LXA100>"));

    ASSERT_TRUE(listener.waitForCount(1));
    ASSERT_TRUE(other.waitForCount(1));
    EXPECT_EQ(listener.bytes(), (Strings{"<LXA000>"}));
    EXPECT_EQ(other.bytes(), (Strings{"<LXA100>"}));
}

TEST_F(MasterTransportTest, UnusablePartnerSettingsFailTheSend)
{
    const struct {
        int16_t dName;
        const char* ipAdd;
        int32_t port;
    } cases[] = {
        {DNameAddress, "", 10001},          {DNameAddress, "1.2.3", 10001},
        {DNameAddress, "localhost", 10001}, {DNameAddress, "127.0.0.1", 0},
        {DNameAddress, "127.0.0.1", 65536}, {DNameDomain, "127.0.0.1", -1},
    };
    for (const auto& row : cases) {
        state.settings.DName = row.dName;
        state.settings.IPAdd = row.ipAdd;
        state.settings.Port1 = row.port;
        EXPECT_FALSE(transport.send("<LXA100>")) << row.ipAdd << ":" << row.port;
    }
    EXPECT_TRUE(lookups.empty()) << "none of these is a name to look up";
}

// A bare root file system may have no /etc/hosts. Asking the resolver instead would ask the
// machine's name server, which a test must never do.
bool localhostInHostsFile()
{
    std::ifstream hosts("/etc/hosts");
    for (std::string line; std::getline(hosts, line);) {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::string address;
        fields >> address;
        if (address.find('.') == std::string::npos)
            continue;  // an IPv6 line: the link is IPv4
        for (std::string name; fields >> name;) {
            if (name == "localhost")
                return true;
        }
    }
    return false;
}

TEST_F(MasterTransportTest, DomainNameIsResolvedInTheBackground)
{
    if (!localhostInHostsFile())
        GTEST_SKIP() << "no IPv4 \"localhost\" line in /etc/hosts";
    state.settings.DName = DNameDomain;
    state.settings.IPAdd = "localhost";

    // The send before the answer fails instead of waiting for the resolver (the answer comes
    // through the event loop, which has not run), and the pending first heartbeat stays for
    // the next send.
    sender.SendTag();
    EXPECT_TRUE(lookups.empty());
    EXPECT_EQ(state.NextTag, "<LXA000>");

    ASSERT_TRUE(WaitUntil([&] { return !lookups.empty(); }));
    EXPECT_EQ(lookups, (std::vector<bool>{true}));
    sender.SendTag();
    sender.SendTag();

    ASSERT_TRUE(listener.waitForCount(2));
    EXPECT_EQ(listener.bytes(), (Strings{"<LXA000>", "<LXA100>"}));
    EXPECT_EQ(lookups.size(), 1u) << "the answer is cached";
}

TEST_F(MasterTransportTest, DottedDomainNameNeedsNoLookup)
{
    state.settings.DName = DNameDomain;

    EXPECT_TRUE(transport.send("<LXA100>"));

    ASSERT_TRUE(listener.waitForCount(1));
    EXPECT_TRUE(lookups.empty());
}

TEST_F(MasterTransportTest, NameThatCannotBeResolvedFailsEverySend)
{
    // Not a valid host name, so the answer comes without asking a name server.
    state.settings.DName = DNameDomain;
    state.settings.IPAdd = "no such host";
    state.NextTag = "<LXC000>";

    sender.SendTag();
    ASSERT_TRUE(WaitUntil([&] { return !lookups.empty(); }));
    EXPECT_EQ(lookups, (std::vector<bool>{false}));
    sender.SendTag();

    EXPECT_EQ(state.NextTag, "<LXC000>");
    // A datagram sent straight to the listener arrives first if nothing else came.
    const UdpEndpoint probe;
    ASSERT_TRUE(probe.sendTo("probe", "127.0.0.1", listener.port()));
    ASSERT_TRUE(listener.waitForCount(1));
    EXPECT_EQ(listener.bytes(), (Strings{"probe"}));
}

class SlaveTransportTest : public ::testing::Test {
protected:
    SlaveTransportTest()
    {
        state.settings.CMain = RoleSlave;
        state.NoActivity = 1;
    }

    // The port is held until the transport takes it, so no test beside this one can.
    uint16_t bindReservedPort()
    {
        const uint16_t port = reserved.handOver();
        EXPECT_TRUE(transport.bind(port));
        return port;
    }

    AppState state;
    UdpLinkTransport transport{state.settings};
    ReservedUdpPort reserved;
    UdpEndpoint master;
};

TEST_F(SlaveTransportTest, HandsEveryDatagramOverInOrder)
{
    std::vector<std::optional<std::string>> arrived;
    transport.setReceiveHandler([&](const auto& datagram) { arrived.push_back(datagram); });
    const uint16_t port = bindReservedPort();

    for (const char* datagram : {"<LXA100>", "junk", "", "<LXT000>"}) {
        ASSERT_TRUE(master.sendTo(datagram, "127.0.0.1", port));
    }

    ASSERT_TRUE(WaitUntil([&] { return arrived.size() >= 4; }));
    EXPECT_EQ(arrived,
              (std::vector<std::optional<std::string>>{"<LXA100>", "junk", "", "<LXT000>"}));
}

TEST_F(SlaveTransportTest, BurstLargerThanOneReadingIsDeliveredWhole)
{
    std::vector<std::string> arrived;
    transport.setReceiveHandler(
        [&](const auto& datagram) { arrived.push_back(datagram.value_or("(unreadable)")); });
    const uint16_t port = bindReservedPort();

    // All of them wait in the socket before the event loop runs again.
    std::vector<std::string> sent;
    for (int i = 0; i < 100; ++i) {
        sent.push_back("junk " + std::to_string(i));
        ASSERT_TRUE(master.sendTo(sent.back(), "127.0.0.1", port));
    }

    ASSERT_TRUE(WaitUntil([&] { return arrived.size() >= sent.size(); }));
    EXPECT_EQ(arrived, sent);
}

TEST_F(SlaveTransportTest, ReceiverActsOnRealDatagrams)
{
    test::RecordingView view;
    test::RecordingCommands commands{state};
    TagReceiver receiver{state, view, commands, transport};
    const uint16_t port = bindReservedPort();

    ASSERT_TRUE(master.sendTo("<LXC000>", "127.0.0.1", port));
    ASSERT_TRUE(WaitUntil([&] { return !commands.calls.empty(); }));
    ASSERT_TRUE(master.sendTo("<LXC0001>", "127.0.0.1", port));
    ASSERT_TRUE(WaitUntil([&] { return !view.controlCalls.empty(); }));

    EXPECT_EQ(commands.calls, (Strings{"onReset -OK- 0"}));
    EXPECT_EQ(view.controlCalls,
              (Strings{"bold Counter 1", "colour Counter 33023", "text Counter Connection Error"}));
    EXPECT_EQ(state.CommsStatus, "Error");
    EXPECT_EQ(state.NoActivity, 0) << "junk must not undo the heard second";
}

TEST_F(SlaveTransportTest, PortHeldByAnotherProgramIsRefused)
{
    const UdpEndpoint plain("0.0.0.0", 0);
    ASSERT_TRUE(plain.bound());
    EXPECT_FALSE(transport.bind(plain.port())) << "held without address reuse";

    const UdpEndpoint sharing("0.0.0.0", 0, UdpEndpoint::Sharing::ReuseAddress);
    ASSERT_TRUE(sharing.bound());
    EXPECT_FALSE(transport.bind(sharing.port())) << "held with address reuse";
}

TEST_F(SlaveTransportTest, ClosingReleasesThePort)
{
    const uint16_t port = bindReservedPort();

    transport.close();

    const UdpEndpoint next("0.0.0.0", port);
    EXPECT_TRUE(next.bound());
}

TEST_F(SlaveTransportTest, BoundPortIsExclusive)
{
    const uint16_t port = bindReservedPort();

    const UdpEndpoint intruder("0.0.0.0", port);
    EXPECT_FALSE(intruder.bound());
    const UdpEndpoint sharing("0.0.0.0", port, UdpEndpoint::Sharing::ReuseAddress);
    EXPECT_FALSE(sharing.bound());
}

TEST_F(SlaveTransportTest, ClosingASocketThatIsNotOpenIsNoError)
{
    transport.close();
    transport.close();

    bindReservedPort();
}

}  // namespace
}  // namespace lullex
