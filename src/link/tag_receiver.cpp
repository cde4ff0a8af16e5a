#include "tag_receiver.h"

#include "link_tag.h"

namespace lullex {

namespace {

constexpr const char* CommsHeard = "-OK-";
constexpr const char* CommsError = "Error";
constexpr const char* ConnectionErrorText = "Connection Error";

}  // namespace

TagReceiver::TagReceiver(AppState& state, MainWindowView& view, PartnerCommands& commands,
                         DatagramTransport& transport)
    : m_state(state), m_view(view), m_commands(commands), m_transport(transport)
{
    m_transport.setReceiveHandler(
        [this](const std::optional<std::string>& datagram) { onDatagram(datagram); });
}

TagReceiver::~TagReceiver()
{
    m_transport.setReceiveHandler({});
}

void TagReceiver::onDatagram(const std::optional<std::string>& datagram)
{
    // The link is one-way: whatever reaches a master is ignored. A slave's port is bound early
    // in the load step; a cancel tag acted on then would start the timer before the log exists.
    if (m_state.settings.CMain != RoleSlave || m_state.Loading) {
        return;
    }
    const std::optional<TagCommand> command = datagram ? ReadTag(*datagram) : std::nullopt;
    if (!command) {
        showConnectionError();
        return;
    }
    m_state.CommsStatus = CommsHeard;
    m_state.NoActivity = 0;
    if (*command == TagCommand::Cancel) {
        m_commands.onReset();
    } else if (*command == TagCommand::Test) {
        m_commands.onTest();
    }
}

// NoActivity is deliberately left alone: if a bad datagram counted the second as unheard, anyone
// able to reach the port could undo the master's heartbeats and force the slave's countdown.
void TagReceiver::showConnectionError()
{
    m_state.CommsStatus = CommsError;
    m_view.setLabelBold(Label::Counter, true);
    m_view.setLabelTextColour(Label::Counter, Colour::Orange);
    m_view.setLabelText(Label::Counter, ConnectionErrorText);
}

}  // namespace lullex
