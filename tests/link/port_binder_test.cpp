#include "link_fakes.h"
#include "port_binder.h"
#include "udp_endpoint.h"
#include "udp_link_transport.h"
#include "wait_until.h"

#include <gtest/gtest.h>

namespace lullex {

void PrintTo(const MessageBox& box, std::ostream* out)
{
    *out << "title \"" << box.title << "\", icon " << static_cast<int>(box.icon) << ", buttons "
         << static_cast<int>(box.buttons);
    for (const std::string& line : box.lines) {
        *out << "\n  \"" << line << "\"";
    }
}

namespace {

using Strings = std::vector<std::string>;

MessageBox expectedBox(const std::string& port)
{
    return MessageBox{"Lullex Slave Port Error",
                      BoxIcon::Critical,
                      BoxButtons::YesNo,
                      {"The RX Port " + port + " Is Already In Use",
                       "This Error Must Be Resolved Before", "You Can Use Lullex.",
                       "Use The Configuration Screen", "To Change The RX Port.",
                       "Do You Want To End The Program?"}};
}

class PortBinderTest : public ::testing::Test {
protected:
    PortBinderTest()
    {
        state.settings.CMain = RoleSlave;
        state.AppTitle = "Lullex Slave";
        transport.setReceiveHandler(
            [this](const auto& datagram) { arrived.push_back(datagram.value_or("(unreadable)")); });
    }

    AppState state;
    UdpLinkTransport transport{state.settings};
    test::RecordingPrompter prompter;
    test::RecordingTimer timer;
    test::ThrowingTerminator terminator;
    PortBinder binder{state, transport, prompter, timer, terminator};
    Strings arrived;
    // Held by the test until the binder takes it; a port held against the binder is a
    // UdpEndpoint of the test's own.
    test::ReservedUdpPort reserved;
};

TEST_F(PortBinderTest, FreePortIsBoundWithoutABox)
{
    const uint16_t port = reserved.handOver();

    ASSERT_TRUE(binder.BindReceivePort(port));

    const test::UdpEndpoint master;
    ASSERT_TRUE(master.sendTo("<LXA100>", "127.0.0.1", port));
    ASSERT_TRUE(test::WaitUntil([&] { return !arrived.empty(); }));
    EXPECT_EQ(arrived, (Strings{"<LXA100>"}));
    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_TRUE(timer.calls.empty());
}

TEST_F(PortBinderTest, TakenPortAskedAndNoCarriesOn)
{
    const test::UdpEndpoint holder("0.0.0.0", 0);
    ASSERT_TRUE(holder.bound());
    prompter.answer = BoxAnswer::No;

    EXPECT_FALSE(binder.BindReceivePort(holder.port()));

    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0], expectedBox(std::to_string(holder.port())));
    // The user then picks another port on the configuration screen.
    EXPECT_TRUE(binder.BindReceivePort(reserved.handOver()));
    EXPECT_EQ(prompter.boxes.size(), 1u);
}

TEST_F(PortBinderTest, TakenPortAskedAndYesEndsWithExitCodeOne)
{
    const test::UdpEndpoint holder("0.0.0.0", 0);
    ASSERT_TRUE(holder.bound());
    prompter.answer = BoxAnswer::Yes;

    EXPECT_EQ(test::EndCodeOf([&] { binder.BindReceivePort(holder.port()); }), 1);
    EXPECT_EQ(prompter.boxes,
              (std::vector<MessageBox>{expectedBox(std::to_string(holder.port()))}));
}

TEST_F(PortBinderTest, TimerStopsBeforeTheBoxShows)
{
    Strings timerAtShow;
    prompter.answer = BoxAnswer::No;
    prompter.whileOpen = [&](const MessageBox&) { timerAtShow = timer.calls; };
    const test::UdpEndpoint taken("0.0.0.0", 0);
    ASSERT_TRUE(taken.bound());

    binder.BindReceivePort(taken.port());

    EXPECT_EQ(timerAtShow, (Strings{"stop"}));
    EXPECT_EQ(timer.calls, (Strings{"stop"}));
}

TEST_F(PortBinderTest, ReinitialisingOnTheSamePortSucceeds)
{
    const uint16_t port = reserved.handOver();

    ASSERT_TRUE(binder.BindReceivePort(port));
    EXPECT_TRUE(binder.BindReceivePort(port));
    EXPECT_TRUE(prompter.boxes.empty());
}

TEST_F(PortBinderTest, PortOutsideTheRangeGetsTheSameBox)
{
    prompter.answer = BoxAnswer::No;
    for (int32_t port : {0, 65536}) {
        prompter.boxes.clear();
        EXPECT_FALSE(binder.BindReceivePort(port));
        EXPECT_EQ(prompter.boxes, (std::vector<MessageBox>{expectedBox(std::to_string(port))}));
    }
}

TEST(PortBinderOrderTest, ClosesBeforeBinding)
{
    AppState state;
    state.AppTitle = "Lullex Slave";
    test::FakeTransport transport;
    test::RecordingPrompter prompter;
    prompter.answer = BoxAnswer::No;
    test::RecordingTimer timer;
    test::ThrowingTerminator terminator;
    PortBinder binder{state, transport, prompter, timer, terminator};

    EXPECT_TRUE(binder.BindReceivePort(10001));
    transport.bindResult = false;
    EXPECT_FALSE(binder.BindReceivePort(10002));

    EXPECT_EQ(transport.calls, (Strings{"close", "bind 10001", "close", "bind 10002"}));
    EXPECT_EQ(prompter.boxes, (std::vector<MessageBox>{expectedBox("10002")}));
}

}  // namespace
}  // namespace lullex
