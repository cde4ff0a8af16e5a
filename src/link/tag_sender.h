#pragma once

#include "app_state.h"
#include "datagram_transport.h"
#include "link_sender.h"

namespace lullex {

// Sends AppState::NextTag to the partner. After a send that went out the next tag is the plain
// heartbeat; a failed send keeps it, so a pending cancel or test goes out with the next try.
class TagSender : public LinkSender {
public:
    TagSender(AppState& state, DatagramTransport& transport);

    void SendTag() override;

private:
    bool mayTalk() const;

    AppState& m_state;
    DatagramTransport& m_transport;
};

}  // namespace lullex
