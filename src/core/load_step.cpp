#include "load_step.h"

#include "app_state.h"
#include "input_aware_initialiser.h"
#include "input_sampler.h"
#include "log_writer.h"
#include "main_window_view.h"
#include "monitor_state_machine.h"
#include "prompter.h"
#include "switches.h"
#include "window_presenter.h"

#include <utility>

namespace lullex {

LoadStep::LoadStep(LoadCollaborators parts) : m_parts(std::move(parts))
{
}

void LoadStep::load(const std::string& argumentText)
{
    AppState& state = m_parts.state;
    state.Loading = true;
    m_parts.initialiser.InitSettings();
    warnIfInputUnseen();
    m_parts.view.setWindowCaption(ProductName);
    state.InhibitShutdown = ReadSwitches(argumentText).inhibitShutdown ? 1 : 0;
    if (m_parts.raisePriority)
        m_parts.raisePriority();
    m_parts.sampler.ResetInput();
    m_parts.presenter.setMinOverride(false);
    m_parts.machine.ResetState();
    m_parts.log.CreateLog();
    writeStartUpEntries();
    m_parts.machine.StartMonitoring();
    m_parts.presenter.showAfterLoad();
    state.Loading = false;
}

void LoadStep::warnIfInputUnseen()
{
    if (!m_parts.initialiser.missesInput())
        return;
    MessageBox box;
    box.title = m_parts.state.AppTitle + " Input Monitoring Unavailable";
    box.icon = BoxIcon::Warning;
    box.lines = {"Keyboard and mouse activity cannot be seen on this desktop (Wayland)."};
    if (!m_parts.initialiser.unseenReason().empty())
        box.lines.push_back(m_parts.initialiser.unseenReason());
    box.lines.push_back("Lullex will not monitor this session.");
    box.lines.push_back("Log in to an X11 session to use it.");
    m_parts.prompter.show(box);
}

void LoadStep::writeStartUpEntries()
{
    const AppState& state = m_parts.state;
    if (state.settings.LogLevel <= LogLevelNone)
        return;
    m_parts.log.WriteStatusLine("", "");
    m_parts.log.WriteLogBlock(0);
    if (state.NotConfigured)
        m_parts.log.WriteStatusLine("UnConfig", "********");
}

}  // namespace lullex
