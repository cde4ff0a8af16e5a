#pragma once

#include "app_state.h"
#include "datagram_transport.h"
#include "partner_commands.h"
#include "seam_fakes.h"
#include "view_fakes.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace lullex::test {

// Records what was sent and answers send and bind as scripted; deliver() plays an arrival.
class FakeTransport : public DatagramTransport {
public:
    bool send(std::string_view datagram) override;
    void close() override;
    bool bind(int32_t port) override;
    void setReceiveHandler(ReceiveHandler handler) override;

    void deliver(const std::optional<std::string>& datagram);

    // Answers of the coming sends, oldest first; once used up, sends succeed.
    std::deque<bool> sendResults;
    bool bindResult = true;
    std::vector<std::string> attempted;  // every datagram handed to send, including failures
    std::vector<std::string> calls;      // "close" and "bind <port>", in order
    ReceiveHandler handler;
};

// Records each command with the link state it found: "onReset -OK- 0" is onReset
// called while CommsStatus was "-OK-" and NoActivity 0.
class RecordingCommands : public PartnerCommands {
public:
    explicit RecordingCommands(const AppState& state) : m_state(state) {}
    void onReset() override { record("onReset"); }
    void onTest() override { record("onTest"); }

    std::vector<std::string> calls;

private:
    void record(const std::string& name);
    const AppState& m_state;
};

}  // namespace lullex::test
