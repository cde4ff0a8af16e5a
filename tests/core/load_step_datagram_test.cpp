// A slave binds its port inside InitSettings, long before the load step creates the log and
// starts the timer. A datagram that arrives in between, while something in the load step lets
// events run (a box's own loop), is read and dropped.
#include "monitor_harness.h"
#include "tag_receiver.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace lullex::test {
namespace {

class HeldTransport : public DatagramTransport {
public:
    bool send(std::string_view) override { return true; }
    void close() override {}
    bool bind(int32_t) override { return true; }
    void setReceiveHandler(ReceiveHandler handler) override { m_handler = std::move(handler); }

    void deliver(const std::string& datagram) { m_handler(datagram); }

private:
    ReceiveHandler m_handler;
};

TEST(LoadStepDatagrams, ACancelTagBeforeTheProgramIsUpIsDropped)
{
    MonitorHarness h;
    h.settingsFile.file.CMain = RoleSlave;
    h.settingsFile.file.LogLevel = LogLevelNormal;
    HeldTransport transport;
    TagReceiver receiver(h.state, h.view, h.machine, transport);
    // The cancel tag comes in the middle of the load step, before the log exists.
    LoadStep loadStep({h.state, h.initialiser, h.view, h.presenter, h.sampler, h.machine, h.log,
                       h.prompter, [&] { transport.deliver("<LXC000>"); }});
    loadStep.load("");

    EXPECT_EQ(h.log.calls,
              (std::vector<std::string>{"CreateLog", "WriteStatusLine(, )", "WriteLogBlock(0)",
                                        "WriteStatusLine(Start, Initialise)"}));
    EXPECT_EQ(h.timer.starts, 1);
    EXPECT_EQ(h.state.CommsStatus, "....");
    EXPECT_EQ(h.counter(), "Program Activation In 10s");

    // Once up, the slave hears its master.
    const std::size_t entriesWhenUp = h.log.entries.size();
    transport.deliver("<LXC000>");
    EXPECT_EQ(std::vector<LogEntry>(h.log.entries.begin() + entriesWhenUp, h.log.entries.end()),
              (std::vector<LogEntry>{{"Reset", "Initialise", false, 10},
                                     {"Start", "Initialise", false, 10}}));
}

}  // namespace
}  // namespace lullex::test
