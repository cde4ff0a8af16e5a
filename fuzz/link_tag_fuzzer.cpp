// One datagram of any bytes at a slave's receiver. A tag is accepted exactly when it has the
// shape of the link's tags ("<LX", a two-byte code, two digits giving the payload's length, the
// payload, ">"), it is what the sender would build from its code and payload, and the receiver
// acts on it: heard, and cancel or test for their codes. Anything else shows the connection
// error and never counts as heard. A master ignores every datagram.
#include "core_fakes.h"
#include "fuzz_check.h"
#include "link_tag.h"
#include "receiving_transport.h"
#include "tag_receiver.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace lullex;
using fuzz::require;

class CountingCommands : public PartnerCommands {
public:
    void onReset() override { ++resets; }
    void onTest() override { ++tests; }
    int resets = 0;
    int tests = 0;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool hasTagShape(std::string_view datagram)
{
    if (datagram.size() < 8 || !datagram.starts_with("<LX") || !datagram.ends_with('>'))
        return false;
    if (!isDigit(datagram[5]) || !isDigit(datagram[6]))
        return false;
    return std::size_t((datagram[5] - '0') * 10 + (datagram[6] - '0')) == datagram.size() - 8;
}

struct Receiver {
    explicit Receiver(int16_t role)
    {
        state.settings.CMain = role;
        state.CommsStatus = "....";
        state.NoActivity = 1;
    }
    AppState state;
    test::RecordingView view;
    CountingCommands commands;
    fuzz::ReceivingTransport transport;
    TagReceiver receiver{state, view, commands, transport};
};

void checkSlave(const std::string& datagram, const std::optional<TagCommand>& command)
{
    Receiver slave(RoleSlave);
    slave.receiver.onDatagram(datagram);
    const std::string_view code = command ? std::string_view(datagram).substr(3, 2) : "";
    require(slave.commands.resets == (code == "C0" ? 1 : 0), "a slave cancels on C0 only");
    require(slave.commands.tests == (code == "T0" ? 1 : 0), "a slave tests on T0 only");
    require(slave.state.NoActivity == (command ? 0 : 1), "only a valid tag counts as heard");
    require(slave.state.CommsStatus == (command ? "-OK-" : "Error"), "the link word");
    require((slave.view.text(Label::Counter) == "Connection Error") == !command,
            "a bad datagram shows the connection error");
}

void checkMaster(const std::string& datagram)
{
    Receiver master(RoleMaster);
    master.receiver.onDatagram(datagram);
    require(master.commands.resets == 0 && master.commands.tests == 0 &&
                master.state.NoActivity == 1 && master.state.CommsStatus == "...." &&
                master.view.text(Label::Counter).empty(),
            "a master ignores every datagram");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::string datagram(reinterpret_cast<const char*>(data), size);
    const std::optional<TagCommand> command = ReadTag(datagram);
    require(command.has_value() == hasTagShape(datagram), "a tag is valid exactly by its shape");
    if (command) {
        const std::string_view tag = datagram;
        require(BuildTag(tag.substr(3, 2), tag.substr(7, tag.size() - 8)) == datagram,
                "a valid tag is what the sender builds from its code and payload");
    }
    checkSlave(datagram, command);
    checkMaster(datagram);
    return 0;
}
