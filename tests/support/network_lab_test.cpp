// The lab's own means of disturbing a link (nftables drops, a link taken down), checked with
// plain sockets so that the link tests of the program can rely on them.
#include "network_lab.h"
#include "udp_endpoint.h"
#include "wait_until.h"

#include <gtest/gtest.h>

#include <memory>

namespace lullex::test {
namespace {

using std::chrono::milliseconds;

constexpr uint16_t MarkerPort = 10001;
constexpr int Sender = 0;
constexpr int Receiver = 1;

class NetworkLabTest : public testing::Test {
protected:
    void SetUp() override
    {
        if (!lab.ready()) {
            GTEST_SKIP() << "no network namespaces here: " << lab.failure();
        }
        ASSERT_TRUE(lab.waitUntilLinksCarry(Sender, lab.addressOf(Receiver), {Receiver}));
        marker = socketIn(Receiver, MarkerPort);
        sender = socketIn(Sender, 0);
    }

    std::unique_ptr<UdpEndpoint> socketIn(int host, uint16_t port)
    {
        const NamespaceScope inside(lab.namespaceOf(host));
        auto socket = std::make_unique<UdpEndpoint>("0.0.0.0", port);
        EXPECT_TRUE(inside.entered() && socket->bound());
        return socket;
    }

    bool send(const std::string& datagram, uint16_t port)
    {
        return sender->sendTo(datagram, lab.addressOf(Receiver), port);
    }

    // Sends a marker after the datagrams under test on the same path: once it is in, theirs
    // are in their socket too, or were lost on the way.
    bool markerArrives()
    {
        return send("marker", MarkerPort) && marker->receive(DefaultTimeout).has_value();
    }

    // How many datagrams the socket holds now.
    static int pending(const UdpEndpoint& socket)
    {
        int count = 0;
        while (socket.receive(milliseconds(0))) {
            ++count;
        }
        return count;
    }

    NetworkLab lab{2};
    std::unique_ptr<UdpEndpoint> marker;
    std::unique_ptr<UdpEndpoint> sender;
};

TEST_F(NetworkLabTest, DroppedDatagramsNeverArrive)
{
    const uint16_t droppedPort = 10002;
    ASSERT_TRUE(lab.dropIncomingUdp(Receiver, droppedPort, 100)) << lab.failure();
    const auto dropped = socketIn(Receiver, droppedPort);

    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(send("dropped", droppedPort));
    }

    ASSERT_TRUE(markerArrives());
    EXPECT_EQ(pending(*dropped), 0);
}

TEST_F(NetworkLabTest, PartialDropLosesSomeDatagramsButNotAll)
{
    const uint16_t lossyPort = 10003;
    ASSERT_TRUE(lab.dropIncomingUdp(Receiver, lossyPort, 20)) << lab.failure();
    const auto lossy = socketIn(Receiver, lossyPort);

    int received = 0;
    const int sent = 200;
    for (int i = 0; i < sent; ++i) {
        ASSERT_TRUE(send("lossy", lossyPort));
        // Read as they come, so the receiving buffer never overflows.
        received += pending(*lossy);
    }
    ASSERT_TRUE(markerArrives());
    received += pending(*lossy);

    // A fifth of 200 is 40 lost, give or take 6; these bounds fail by chance almost never.
    EXPECT_GT(received, 100);
    EXPECT_LT(received, 190);
}

TEST_F(NetworkLabTest, CutLinkCarriesNothingUntilRestored)
{
    ASSERT_TRUE(lab.setLinkUp(Receiver, false)) << lab.failure();
    ASSERT_TRUE(send("lost", MarkerPort));

    ASSERT_TRUE(lab.setLinkUp(Receiver, true)) << lab.failure();
    // A link coming up takes a moment to carry traffic, so keep sending as a master does.
    std::optional<ArrivedDatagram> first;
    ASSERT_TRUE(WaitUntil([&] {
        send("restored", MarkerPort);
        first = marker->receive(milliseconds(200));
        return first.has_value();
    }));
    EXPECT_EQ(first->bytes, "restored") << "a datagram crossed the cut link";
}

}  // namespace
}  // namespace lullex::test
