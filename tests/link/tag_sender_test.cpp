#include "link_fakes.h"
#include "tag_sender.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

using Strings = std::vector<std::string>;

class TagSenderTest : public ::testing::Test {
protected:
    TagSenderTest()
    {
        state.settings.CMain = RoleMaster;
        state.NextTag = "<LXA000>";
    }

    AppState state;
    test::FakeTransport transport;
    TagSender sender{state, transport};
};

TEST_F(TagSenderTest, FirstHeartbeatThenPlainHeartbeats)
{
    sender.SendTag();
    sender.SendTag();
    sender.SendTag();

    EXPECT_EQ(transport.attempted, (Strings{"<LXA000>", "<LXA100>", "<LXA100>"}));
    EXPECT_EQ(state.NextTag, "<LXA100>");
}

TEST_F(TagSenderTest, FailedSendKeepsThePendingTag)
{
    for (const char* pending : {"<LXC000>", "<LXT000>", "<LXA000>"}) {
        transport.attempted.clear();
        state.NextTag = pending;
        transport.sendResults = {false, false, true};

        sender.SendTag();
        EXPECT_EQ(state.NextTag, pending);
        sender.SendTag();
        EXPECT_EQ(state.NextTag, pending);
        sender.SendTag();

        EXPECT_EQ(transport.attempted, (Strings{pending, pending, pending}));
        EXPECT_EQ(state.NextTag, "<LXA100>");
    }
}

TEST_F(TagSenderTest, SlaveNeverSends)
{
    state.settings.CMain = RoleSlave;
    state.NextTag = "<LXC000>";

    sender.SendTag();

    EXPECT_TRUE(transport.attempted.empty());
    EXPECT_EQ(state.NextTag, "<LXC000>");
}

TEST_F(TagSenderTest, SilentWhileNotConfiguredOrWithPortError)
{
    state.NotConfigured = true;
    sender.SendTag();
    state.NotConfigured = false;
    state.PortError = true;
    sender.SendTag();

    EXPECT_TRUE(transport.attempted.empty());
    EXPECT_EQ(state.NextTag, "<LXA000>");
}

}  // namespace
}  // namespace lullex
