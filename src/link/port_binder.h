#pragma once

#include "app_state.h"
#include "datagram_transport.h"
#include "program_end.h"
#include "prompter.h"
#include "receive_port.h"

#include <cstdint>
#include <string>

namespace lullex {

// The box shown when a slave's receive port cannot be bound.
MessageBox PortErrorBox(const std::string& appTitle, int32_t port);

// Binds a slave's receive port, asking the user what to do when that fails: Yes ends the
// program with the fatal-error exit code, No carries on without a link.
class PortBinder : public ReceivePort {
public:
    PortBinder(const AppState& state, DatagramTransport& transport, Prompter& prompter,
               MainTimer& timer, Terminator& terminator);

    bool BindReceivePort(int32_t port) override;

private:
    const AppState& m_state;
    DatagramTransport& m_transport;
    Prompter& m_prompter;
    MainTimer& m_timer;
    Terminator& m_terminator;
};

}  // namespace lullex
