#include "network_lab.h"
#include "tag_sender.h"
#include "udp_endpoint.h"
#include "udp_link_transport.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace lullex {
namespace {

using Strings = std::vector<std::string>;
using test::NamespaceScope;
using test::NetworkLab;
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
    test::ReservedUdpPort reserved;
    const uint16_t port = reserved.handOver();
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
        ASSERT_TRUE(lab.waitUntilLinksCarry(0, NetworkLab::BroadcastAddress, {1, 2}))
            << "the lab's links never carried a broadcast";
    }

    // Sends from the master's host; its socket is made there at the first send.
    bool sendFromMaster(const std::string& address, const std::string& datagram)
    {
        NamespaceScope inside(lab.namespaceOf(0));
        settings = masterSettings(address, LinkPort);
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

struct BroadcastCase {
    const char* name;
    std::string address;
    // The limited broadcast leaves only by a route; a subnet's goes out on its link.
    bool needsDefaultRoute;
};

class LabBroadcastTest : public LabLinkTest, public testing::WithParamInterface<BroadcastCase> {};

TEST_P(LabBroadcastTest, ReachesEverySlave)
{
    if (GetParam().needsDefaultRoute) {
        ASSERT_TRUE(lab.addDefaultRoute(0)) << lab.failure();
    }

    ASSERT_TRUE(sendFromMaster(GetParam().address, "<LXC000>"));

    ASSERT_TRUE(everySlaveHeard(1));
    EXPECT_EQ(slaves[0]->arrived, (Strings{"<LXC000>"}));
    EXPECT_EQ(slaves[1]->arrived, (Strings{"<LXC000>"}));
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, LabBroadcastTest,
    testing::Values(BroadcastCase{"Limited", "255.255.255.255", true},
                    BroadcastCase{"Subnet", NetworkLab::BroadcastAddress, false}),
    [](const testing::TestParamInfo<BroadcastCase>& info) { return std::string(info.param.name); });

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

}  // namespace
}  // namespace lullex
