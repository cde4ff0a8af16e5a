#include "link_fakes.h"
#include "link_test_support.h"
#include "netns_helper.h"
#include "tag_sender.h"
#include "udp_link_transport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <memory>

namespace lullex {
namespace {

using Strings = std::vector<std::string>;
using test::NamespaceScope;
using test::NetworkLab;
using test::TestSocket;
using test::WaitUntil;

constexpr uint16_t LinkPort = 10001;

// A slave's end of the link: its transport and what reached it.
struct Slave {
    AppState state;
    UdpLinkTransport transport{state.settings};
    Strings arrived;

    Slave()
    {
        state.settings.CMain = RoleSlave;
        transport.setReceiveHandler(
            [this](const auto& datagram) { arrived.push_back(datagram.value_or("(unreadable)")); });
    }
};

Settings masterSettings(const std::string& address, int32_t port)
{
    Settings settings;
    settings.CMain = RoleMaster;
    settings.DName = 1;
    settings.IPAdd = address;
    settings.Port1 = port;
    return settings;
}

TEST(LoopbackBroadcastTest, SubnetBroadcastReachesTheSlave)
{
    Slave slave;
    const quint16 port = test::FreeUdpPort();
    ASSERT_TRUE(slave.transport.bind(port));
    const Settings settings = masterSettings("127.255.255.255", port);
    UdpLinkTransport master{settings};

    ASSERT_TRUE(master.send("<LXA100>"));

    ASSERT_TRUE(WaitUntil([&] { return !slave.arrived.empty(); }));
    EXPECT_EQ(slave.arrived.front(), "<LXA100>");
}

// Host 0 is the master, hosts 1 and 2 are slaves listening on LinkPort.
class LabLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!lab.ready()) {
            GTEST_SKIP() << "no network namespaces here: " << lab.failure();
        }
        for (int host : {1, 2}) {
            NamespaceScope inside(lab.namespaceOf(host));
            ASSERT_TRUE(inside.entered());
            slaves.push_back(std::make_unique<Slave>());
            ASSERT_TRUE(slaves.back()->transport.bind(LinkPort));
        }
        ASSERT_TRUE(linksCarry()) << "the lab's links never carried a broadcast";
    }

    // Fresh links can lose the first broadcasts; repeat one on a port of its own until every
    // slave's host has it, so the tests' single datagrams meet working links.
    bool linksCarry()
    {
        const uint16_t probePort = 10009;
        std::vector<std::unique_ptr<TestSocket>> probes;
        for (int host : {1, 2}) {
            NamespaceScope inside(lab.namespaceOf(host));
            probes.push_back(std::make_unique<TestSocket>(QHostAddress::AnyIPv4, probePort));
        }
        const auto allHeard = [&] {
            return std::all_of(probes.begin(), probes.end(),
                               [](const auto& probe) { return !probe->received.empty(); });
        };
        return WaitUntil([&] {
            sendFromMaster(NetworkLab::BroadcastAddress, "probe", probePort);
            return WaitUntil(allHeard, std::chrono::milliseconds(200));
        });
    }

    // Sends from the master's host; its socket is made there at the first send.
    bool sendFromMaster(const std::string& address, const std::string& datagram,
                        uint16_t port = LinkPort)
    {
        NamespaceScope inside(lab.namespaceOf(0));
        settings = masterSettings(address, port);
        return inside.entered() && master.send(datagram);
    }

    bool everySlaveHeard(std::size_t count)
    {
        return WaitUntil([&] {
            return slaves[0]->arrived.size() >= count && slaves[1]->arrived.size() >= count;
        });
    }

    NetworkLab lab{3};
    std::vector<std::unique_ptr<Slave>> slaves;
    Settings settings;
    UdpLinkTransport master{settings};
};

TEST_F(LabLinkTest, LimitedBroadcastReachesEverySlave)
{
    ASSERT_TRUE(lab.addDefaultRoute(0)) << lab.failure();

    ASSERT_TRUE(sendFromMaster("255.255.255.255", "<LXA100>"));

    ASSERT_TRUE(everySlaveHeard(1));
    EXPECT_EQ(slaves[0]->arrived, (Strings{"<LXA100>"}));
    EXPECT_EQ(slaves[1]->arrived, (Strings{"<LXA100>"}));
}

TEST_F(LabLinkTest, SubnetBroadcastReachesEverySlave)
{
    ASSERT_TRUE(sendFromMaster(NetworkLab::BroadcastAddress, "<LXC000>"));

    ASSERT_TRUE(everySlaveHeard(1));
    EXPECT_EQ(slaves[0]->arrived, (Strings{"<LXC000>"}));
    EXPECT_EQ(slaves[1]->arrived, (Strings{"<LXC000>"}));
}

TEST_F(LabLinkTest, AddressedTagReachesOnlyItsSlave)
{
    ASSERT_TRUE(sendFromMaster(lab.addressOf(1), "<LXT000>"));
    ASSERT_TRUE(sendFromMaster(NetworkLab::BroadcastAddress, "<LXA100>"));

    ASSERT_TRUE(everySlaveHeard(1));
    ASSERT_TRUE(WaitUntil([&] { return slaves[0]->arrived.size() >= 2; }));
    EXPECT_EQ(slaves[0]->arrived, (Strings{"<LXT000>", "<LXA100>"}));
    EXPECT_EQ(slaves[1]->arrived, (Strings{"<LXA100>"}));
}

TEST_F(LabLinkTest, SendWithoutARouteFailsAndKeepsTheTag)
{
    AppState state;
    state.settings = masterSettings("10.201.1.1", LinkPort);
    state.NextTag = "<LXC000>";
    UdpLinkTransport transport{state.settings};
    TagSender sender{state, transport};
    {
        NamespaceScope inside(lab.namespaceOf(0));
        ASSERT_TRUE(inside.entered());
        sender.SendTag();
        EXPECT_EQ(state.NextTag, "<LXC000>");
        state.settings.IPAdd = "255.255.255.255";
        sender.SendTag();
        EXPECT_EQ(state.NextTag, "<LXC000>");
        state.settings.IPAdd = lab.addressOf(1);
        sender.SendTag();
    }

    EXPECT_EQ(state.NextTag, "<LXA100>");
    ASSERT_TRUE(WaitUntil([&] { return !slaves[0]->arrived.empty(); }));
    EXPECT_EQ(slaves[0]->arrived, (Strings{"<LXC000>"}));
}

TEST_F(LabLinkTest, DroppedDatagramsNeverArrive)
{
    const uint16_t droppedPort = 10002;
    ASSERT_TRUE(lab.dropIncomingUdp(1, droppedPort, 100)) << lab.failure();
    std::unique_ptr<TestSocket> dropped;
    {
        NamespaceScope inside(lab.namespaceOf(1));
        dropped = std::make_unique<TestSocket>(QHostAddress::AnyIPv4, droppedPort);
    }
    ASSERT_TRUE(dropped->bound());

    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(sendFromMaster(lab.addressOf(1), "<LXA100>", droppedPort));
    }
    // Sent after the others on the same path: once it is in, theirs are in their socket too.
    ASSERT_TRUE(sendFromMaster(lab.addressOf(1), "<LXA000>"));

    ASSERT_TRUE(WaitUntil([&] { return !slaves[0]->arrived.empty(); }));
    dropped->readPending();
    EXPECT_TRUE(dropped->received.empty());
}

TEST_F(LabLinkTest, CutLinkCarriesNothingUntilRestored)
{
    ASSERT_TRUE(lab.setLinkUp(1, false)) << lab.failure();
    ASSERT_TRUE(sendFromMaster(NetworkLab::BroadcastAddress, "<LXA000>"));
    ASSERT_TRUE(WaitUntil([&] { return !slaves[1]->arrived.empty(); }));

    // A link coming up takes a moment to carry traffic, so keep sending as a master does.
    ASSERT_TRUE(lab.setLinkUp(1, true)) << lab.failure();
    ASSERT_TRUE(WaitUntil([&] {
        sendFromMaster(NetworkLab::BroadcastAddress, "<LXA100>");
        return WaitUntil([&] { return !slaves[0]->arrived.empty(); },
                         std::chrono::milliseconds(200));
    }));

    EXPECT_EQ(slaves[0]->arrived.front(), "<LXA100>") << "nothing crossed the cut link";
    EXPECT_EQ(slaves[1]->arrived.front(), "<LXA000>");
}

TEST_F(LabLinkTest, PartialDropLosesSomeDatagramsButNotAll)
{
    const uint16_t lossyPort = 10003;
    ASSERT_TRUE(lab.dropIncomingUdp(1, lossyPort, 20)) << lab.failure();
    std::unique_ptr<TestSocket> lossy;
    {
        NamespaceScope inside(lab.namespaceOf(1));
        lossy = std::make_unique<TestSocket>(QHostAddress::AnyIPv4, lossyPort);
    }
    ASSERT_TRUE(lossy->bound());

    const int sent = 200;
    for (int i = 0; i < sent; ++i) {
        ASSERT_TRUE(sendFromMaster(lab.addressOf(1), "<LXA100>", lossyPort));
        // Paced through the event loop so the receiving buffer never overflows.
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(sendFromMaster(lab.addressOf(1), "<LXA000>"));
    ASSERT_TRUE(WaitUntil([&] { return !slaves[0]->arrived.empty(); }));
    lossy->readPending();

    // A fifth of 200 is 40 lost, give or take 6; these bounds fail by chance almost never.
    EXPECT_GT(lossy->received.size(), 100u);
    EXPECT_LT(lossy->received.size(), 190u);
}

}  // namespace
}  // namespace lullex
