#include "port_binder.h"

#include "settings.h"

namespace lullex {

MessageBox PortErrorBox(const std::string& appTitle, int32_t port)
{
    return MessageBox{
        appTitle + " Port Error",
        BoxIcon::Critical,
        BoxButtons::YesNo,
        {
            "The RX Port " + std::to_string(port) + " Is Already In Use",
            "This Error Must Be Resolved Before",
            std::string("You Can Use ") + ProductName + ".",
            "Use The Configuration Screen",
            "To Change The RX Port.",
            "Do You Want To End The Program?",
        },
    };
}

PortBinder::PortBinder(const AppState& state, DatagramTransport& transport, Prompter& prompter,
                       MainTimer& timer, Terminator& terminator)
    : m_state(state), m_transport(transport), m_prompter(prompter), m_timer(timer),
      m_terminator(terminator)
{
}

bool PortBinder::BindReceivePort(int32_t port)
{
    // Closing first lets a re-initialisation bind the port that this socket already holds.
    m_transport.close();
    // A remote host means nothing to a receiving socket, so no name is looked up here and a
    // name that cannot be resolved never raises the port box.
    if (m_transport.bind(port)) {
        return true;
    }
    // No monitoring step may run behind the box. Every caller of the settings' initialisation
    // goes on with ResetState and StartMonitoring, which start the timer again.
    m_timer.stop();
    if (m_prompter.show(PortErrorBox(m_state.AppTitle, port)) == BoxAnswer::Yes) {
        m_terminator.endProgram(ExitFatalError);
    }
    return false;
}

}  // namespace lullex
