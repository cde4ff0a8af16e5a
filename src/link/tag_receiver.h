#pragma once

#include "app_state.h"
#include "datagram_transport.h"
#include "main_window_view.h"
#include "partner_commands.h"

#include <optional>
#include <string>

namespace lullex {

// A slave's handling of the master's tags: a valid tag marks the second as heard, a cancel or
// test tag also acts like the button, and anything else shows "Connection Error". Nothing is
// acted on while the load step runs.
class TagReceiver {
public:
    // Registers itself as the transport's receive handler until it is destroyed.
    TagReceiver(AppState& state, MainWindowView& view, PartnerCommands& commands,
                DatagramTransport& transport);
    ~TagReceiver();
    TagReceiver(const TagReceiver&) = delete;
    TagReceiver& operator=(const TagReceiver&) = delete;

    // One datagram, or nullopt when it could not be read.
    void onDatagram(const std::optional<std::string>& datagram);

private:
    void showConnectionError();

    AppState& m_state;
    MainWindowView& m_view;
    PartnerCommands& m_commands;
    DatagramTransport& m_transport;
};

}  // namespace lullex
