#include "link_fakes.h"
#include "link_test_support.h"
#include "port_binder.h"
#include "udp_link_transport.h"

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
};

TEST_F(PortBinderTest, FreePortIsBoundWithoutABox)
{
    const quint16 port = test::FreeUdpPort();

    ASSERT_TRUE(binder.BindReceivePort(port));

    test::TestSocket master;
    ASSERT_TRUE(master.sendTo("<LXA100>", QHostAddress::LocalHost, port));
    ASSERT_TRUE(test::WaitUntil([&] { return !arrived.empty(); }));
    EXPECT_EQ(arrived, (Strings{"<LXA100>"}));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_TRUE(timer.calls.empty());
}

TEST_F(PortBinderTest, TakenPortAskedAndNoCarriesOn)
{
    const quint16 port = test::FreeUdpPort();
    test::PlainPortHolder holder(port);
    ASSERT_TRUE(holder.holding());
    prompter.answer = BoxAnswer::No;

    EXPECT_FALSE(binder.BindReceivePort(port));

    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0], expectedBox(std::to_string(port)));
    // The user then picks another port on the configuration screen.
    EXPECT_TRUE(binder.BindReceivePort(test::FreeUdpPort()));
    EXPECT_EQ(prompter.shown.size(), 1u);
}

TEST_F(PortBinderTest, TakenPortAskedAndYesEndsWithExitCodeOne)
{
    const quint16 port = test::FreeUdpPort();
    test::PlainPortHolder holder(port);
    ASSERT_TRUE(holder.holding());
    prompter.answer = BoxAnswer::Yes;

    try {
        binder.BindReceivePort(port);
        FAIL() << "the program should have ended";
    } catch (const test::ProgramEnded& ended) {
        EXPECT_EQ(ended.exitCode, 1);
    }
    EXPECT_EQ(prompter.shown, (std::vector<MessageBox>{expectedBox(std::to_string(port))}));
}

TEST_F(PortBinderTest, TimerStopsBeforeTheBoxShows)
{
    Strings timerAtShow;
    prompter.onShow = [&] { timerAtShow = timer.calls; };
    const quint16 port = test::FreeUdpPort();
    test::PlainPortHolder taken(port);
    ASSERT_TRUE(taken.holding());

    binder.BindReceivePort(port);

    EXPECT_EQ(timerAtShow, (Strings{"stop"}));
    EXPECT_EQ(timer.calls, (Strings{"stop"}));
}

TEST_F(PortBinderTest, ReinitialisingOnTheSamePortSucceeds)
{
    const quint16 port = test::FreeUdpPort();

    ASSERT_TRUE(binder.BindReceivePort(port));
    EXPECT_TRUE(binder.BindReceivePort(port));
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(PortBinderTest, PortOutsideTheRangeGetsTheSameBox)
{
    for (int32_t port : {0, 65536}) {
        prompter.shown.clear();
        EXPECT_FALSE(binder.BindReceivePort(port));
        EXPECT_EQ(prompter.shown, (std::vector<MessageBox>{expectedBox(std::to_string(port))}));
    }
}

TEST(PortBinderOrderTest, ClosesBeforeBinding)
{
    AppState state;
    state.AppTitle = "Lullex Slave";
    test::FakeTransport transport;
    test::RecordingPrompter prompter;
    test::RecordingTimer timer;
    test::ThrowingTerminator terminator;
    PortBinder binder{state, transport, prompter, timer, terminator};

    EXPECT_TRUE(binder.BindReceivePort(10001));
    transport.bindResult = false;
    EXPECT_FALSE(binder.BindReceivePort(10002));

    EXPECT_EQ(transport.calls, (Strings{"close", "bind 10001", "close", "bind 10002"}));
    EXPECT_EQ(prompter.shown, (std::vector<MessageBox>{expectedBox("10002")}));
}

}  // namespace
}  // namespace lullex
