#include "link_fakes.h"

namespace lullex::test {

bool FakeTransport::send(std::string_view datagram)
{
    attempted.emplace_back(datagram);
    if (sendResults.empty()) {
        return true;
    }
    const bool result = sendResults.front();
    sendResults.pop_front();
    return result;
}

void FakeTransport::close()
{
    calls.push_back("close");
}

bool FakeTransport::bind(int32_t port)
{
    calls.push_back("bind " + std::to_string(port));
    return bindResult;
}

void FakeTransport::setReceiveHandler(ReceiveHandler newHandler)
{
    handler = std::move(newHandler);
}

void FakeTransport::deliver(const std::optional<std::string>& datagram)
{
    if (handler) {
        handler(datagram);
    }
}

void RecordingCommands::record(const std::string& name)
{
    calls.push_back(name + " " + m_state.CommsStatus + " " + std::to_string(m_state.NoActivity));
}

}  // namespace lullex::test
