// A slave binds its port inside InitSettings, before the load step creates the log and starts
// the timer; what arrives in between, while the load step lets events run, is dropped.
#include "monitor_harness.h"
#include "tag_receiver.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

class HeldTransport : public DatagramTransport {
public:
    bool send(std::string_view) override { return true; }
    void close() override {}
    bool bind(int32_t) override { return true; }
    void setReceiveHandler(ReceiveHandler handler) override { deliver = std::move(handler); }

    ReceiveHandler deliver;
};

TEST(LoadStepDatagrams, ACancelTagBeforeTheProgramIsUpIsDropped)
{
    MonitorHarness h;
    h.settingsFile.file.CMain = RoleSlave;
    h.settingsFile.file.LogLevel = LogLevelNormal;
    HeldTransport transport;
    TagReceiver receiver(h.state, h.view, h.machine, transport);
    LoadStep loadStep({h.state, h.initialiser, h.view, h.presenter, h.sampler, h.machine, h.log,
                       h.prompter, [&] { transport.deliver("<LXC000>"); }});
    loadStep.load("");
    EXPECT_EQ(h.log.calls,
              (std::vector<std::string>{"CreateLog", "WriteStatusLine(, )", "WriteLogBlock(0)",
                                        "WriteStatusLine(Start, Initialise)"}));
    EXPECT_EQ(h.timer.starts, 1);
    EXPECT_EQ(h.state.CommsStatus, "....");

    // Once up, the slave hears its master.
    transport.deliver("<LXC000>");
    EXPECT_EQ(h.log.calls.at(4), "WriteStatusLine(Reset, Initialise)");
}

}  // namespace
}  // namespace lullex::test
