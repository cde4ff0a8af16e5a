#include "tag_sender.h"

#include "link_tag.h"

namespace lullex {

TagSender::TagSender(AppState& state, DatagramTransport& transport)
    : m_state(state), m_transport(transport)
{
}

void TagSender::SendTag()
{
    if (!mayTalk()) {
        return;
    }
    // A failure is not reported: the slave notices the silence, and the tag is retried.
    if (m_transport.send(m_state.NextTag)) {
        m_state.NextTag = TagHeartbeat;
    }
}

// The link is one-way, and an unconfigured master or one with a port fault stays silent.
bool TagSender::mayTalk() const
{
    return m_state.settings.CMain == RoleMaster && !m_state.NotConfigured && !m_state.PortError;
}

}  // namespace lullex
