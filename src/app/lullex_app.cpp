#include "lullex_app.h"

#include "power_errors.h"
#include "priority.h"

namespace lullex {

LullexApp::LullexApp(InputProbe& probe, bool inputVisible)
    : m_initialiser(m_store, m_state, inputVisible), m_sampler(probe, m_state),
      m_power(m_logind, PowerErrorSource()),
      m_machine(MonitorCollaborators{m_state, m_window, m_presenter, m_sampler, m_log, m_prompter,
                                     m_power, m_sender, m_timer, m_terminator}),
      m_loadStep(LoadCollaborators{m_state, m_initialiser, m_window, m_presenter, m_sampler,
                                   m_machine, m_log, m_prompter, RaisePriority})
{
    m_terminator.setView(&m_window);
    connectWindow();
}

void LullexApp::load(const std::string& argumentText)
{
    m_loadStep.Form_Load(argumentText);
}

void LullexApp::connectWindow()
{
    QObject::connect(&m_timer, &QtMainTimer::ticked, [this] { m_machine.tmrRefresh_Timer(); });
    QObject::connect(&m_window, &LullexMain::resetClicked, [this] { m_machine.Reset_Click(); });
    QObject::connect(&m_window, &LullexMain::testClicked, [this] { m_machine.TestS_Click(); });
    QObject::connect(&m_window, &LullexMain::configClicked, [this] { m_machine.Config_Click(); });
    QObject::connect(&m_window, &LullexMain::aboutClicked, [this] { m_machine.About_Click(); });
    QObject::connect(&m_window, &LullexMain::exitClicked, [this] { m_machine.Exit_Click(); });
    QObject::connect(&m_window, &LullexMain::closeRequested, [this] { m_machine.Form_Unload(); });
    QObject::connect(&m_window, &LullexMain::windowStateChanged,
                     [this](bool) { m_presenter.Form_Resize(); });
    QObject::connect(&m_window, &LullexMain::activated, [this] { m_presenter.Form_Activate(); });
    QObject::connect(&m_window, &LullexMain::trayDoubleClicked,
                     [this] { m_presenter.TrayDoubleClicked(); });
}

}  // namespace lullex
