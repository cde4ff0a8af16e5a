#include "lullex_app.h"

#include "administrator.h"
#include "levelled_log.h"
#include "power_errors.h"
#include "priority.h"

namespace lullex {

LullexApp::LullexApp(ActivitySource& activity, const std::string& unseenReason)
    : m_initialiser(m_store, m_state, unseenReason.empty(), unseenReason),
      m_sampler(activity, m_state, m_log), m_power(m_logind, PowerErrorSource()),
      m_machine(MonitorCollaborators{m_state, m_window, m_presenter, m_sampler, m_log, m_prompter,
                                     m_power, m_sender, m_timer, m_terminator}),
      m_loadStep(LoadCollaborators{m_state, m_initialiser, m_window, m_presenter, m_sampler,
                                   m_machine, m_log, m_prompter, RaisePriority}),
      m_configScreen({m_state, m_store, m_configApplier, m_prompter, m_timer, m_terminator,
                      m_fileViewer, m_homePage, IsAdministrator})
{
    m_machine.setConfigScreen([this] { m_configScreen.open(m_window); });
    m_keepAwake.addSource(m_screenSaver);
    m_keepAwake.addSource(m_inhibitorLocks);
    m_machine.setKeepAwake(&m_keepAwake);
    m_machine.setAboutScreen([this] { m_aboutScreen.open(m_window); });
    m_terminator.setView(&m_window);
    connectWindow();
}

void LullexApp::load(const std::string& argumentText)
{
    m_loadStep.load(argumentText);
}

void LullexApp::close()
{
    m_machine.onClose();
}

void LullexApp::noteTopmostUnavailable()
{
    LevelledLog(m_log, m_state).normal("RunOnTop", "Ignored");
}

void LullexApp::connectWindow()
{
    QObject::connect(&m_timer, &QtMainTimer::ticked, [this] { m_machine.onTick(); });
    QObject::connect(&m_window, &LullexMain::resetClicked, [this] { m_machine.onReset(); });
    QObject::connect(&m_window, &LullexMain::testClicked, [this] { m_machine.onTest(); });
    QObject::connect(&m_window, &LullexMain::configClicked, [this] { m_machine.onConfigure(); });
    QObject::connect(&m_window, &LullexMain::aboutClicked, [this] { m_machine.onAbout(); });
    QObject::connect(&m_window, &LullexMain::exitClicked, [this] { m_machine.onExit(); });
    QObject::connect(&m_window, &LullexMain::logoClicked,
                     [this] { m_homePage.OpenHomePage(LogoBoxTitle()); });
    QObject::connect(&m_window, &LullexMain::closeRequested, [this] { m_machine.onClose(); });
    QObject::connect(&m_window, &LullexMain::windowStateChanged,
                     [this](bool) { m_presenter.onWindowStateChanged(); });
    QObject::connect(&m_window, &LullexMain::activated, [this] { m_presenter.onActivated(); });
    QObject::connect(&m_window, &LullexMain::trayDoubleClicked,
                     [this] { m_presenter.TrayDoubleClicked(); });
}

}  // namespace lullex
