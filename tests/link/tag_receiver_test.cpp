#include "link_fakes.h"
#include "tag_receiver.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

using Strings = std::vector<std::string>;

const Strings ConnectionErrorShown = {"bold Counter 1", "colour Counter 33023",
                                      "text Counter Connection Error"};

class TagReceiverTest : public ::testing::Test {
protected:
    TagReceiverTest()
    {
        state.settings.CMain = RoleSlave;
        state.NoActivity = 1;
        state.CommsStatus = "Fail";
    }

    AppState state;
    test::RecordingView view;
    test::RecordingCommands commands{state};
    test::FakeTransport transport;
    TagReceiver receiver{state, view, commands, transport};
};

struct ArrivalCase {
    const char* name;
    std::optional<std::string> datagram;
    int16_t noActivity;
    const char* commsStatus;
    Strings commands;
    Strings viewCalls;
};

std::ostream& operator<<(std::ostream& out, const ArrivalCase& arrival)
{
    return out << arrival.name;
}

class TagArrivalTest : public TagReceiverTest, public ::testing::WithParamInterface<ArrivalCase> {};

// Each arrival reaches the receiver through the transport's handler, as a socket delivers it.
TEST_P(TagArrivalTest, SlaveHandlesOneDatagram)
{
    const ArrivalCase& arrival = GetParam();

    transport.deliver(arrival.datagram);

    EXPECT_EQ(state.NoActivity, arrival.noActivity);
    EXPECT_EQ(state.CommsStatus, arrival.commsStatus);
    EXPECT_EQ(commands.calls, arrival.commands);
    EXPECT_EQ(view.controlCalls, arrival.viewCalls);
}

INSTANTIATE_TEST_SUITE_P(
    Arrivals, TagArrivalTest,
    ::testing::Values(
        ArrivalCase{"Heartbeat", "<LXA100>", 0, "-OK-", {}, {}},
        ArrivalCase{"FirstHeartbeat", "<LXA000>", 0, "-OK-", {}, {}},
        ArrivalCase{"UnknownCode", "<LXQ700>", 0, "-OK-", {}, {}},
        // The command runs after the second was counted as heard.
        ArrivalCase{"Cancel", "<LXC000>", 0, "-OK-", {"onReset -OK- 0"}, {}},
        ArrivalCase{"CancelWithPayload", "<LXC001x>", 0, "-OK-", {"onReset -OK- 0"}, {}},
        ArrivalCase{"Test", "<LXT000>", 0, "-OK-", {"onTest -OK- 0"}, {}},
        ArrivalCase{"Junk", "hello", 1, "Error", {}, ConnectionErrorShown},
        ArrivalCase{"EmptyDatagram", "", 1, "Error", {}, ConnectionErrorShown},
        ArrivalCase{"BadLengthCancel", "<LXC0001>", 1, "Error", {}, ConnectionErrorShown},
        ArrivalCase{"Unreadable", std::nullopt, 1, "Error", {}, ConnectionErrorShown}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TagReceiverTest, JunkAfterAGoodTagKeepsTheSecondHeard)
{
    transport.deliver("<LXA100>");
    transport.deliver("junk");
    transport.deliver("<LXA1001>");

    EXPECT_EQ(state.NoActivity, 0);
    EXPECT_EQ(state.CommsStatus, "Error");
    EXPECT_EQ(view.controlCalls.size(), 2 * ConnectionErrorShown.size());
}

TEST_F(TagReceiverTest, GoodTagAfterJunkCountsTheSecondHeard)
{
    transport.deliver("junk");
    transport.deliver("<LXA100>");

    EXPECT_EQ(state.NoActivity, 0);
    EXPECT_EQ(state.CommsStatus, "-OK-");
}

TEST_F(TagReceiverTest, MasterIgnoresEverything)
{
    state.settings.CMain = RoleMaster;
    for (const char* datagram : {"<LXA100>", "<LXC000>", "<LXT000>", "junk"}) {
        transport.deliver(datagram);
    }
    transport.deliver(std::nullopt);

    EXPECT_EQ(state.NoActivity, 1);
    EXPECT_EQ(state.CommsStatus, "Fail");
    EXPECT_TRUE(commands.calls.empty());
    EXPECT_TRUE(view.controlCalls.empty());
}

TEST_F(TagReceiverTest, CommandsActInEveryState)
{
    for (RunState runState : {RunState::Initialise, RunState::Run, RunState::Countdown}) {
        state.State = runState;
        transport.deliver("<LXC000>");
        transport.deliver("<LXT000>");
    }

    EXPECT_EQ(commands.calls, (Strings{"onReset -OK- 0", "onTest -OK- 0", "onReset -OK- 0",
                                       "onTest -OK- 0", "onReset -OK- 0", "onTest -OK- 0"}));
}

TEST(TagReceiverLifetimeTest, StopsListeningWhenDestroyed)
{
    AppState state;
    state.settings.CMain = RoleSlave;
    test::RecordingView view;
    test::RecordingCommands commands{state};
    test::FakeTransport transport;
    {
        TagReceiver receiver{state, view, commands, transport};
        ASSERT_TRUE(transport.handler);
    }
    EXPECT_FALSE(transport.handler);
}

}  // namespace
}  // namespace lullex
