#include "monitor_state_machine.h"

#include "app_state.h"
#include "main_window_view.h"
#include "monitor_texts.h"
#include "power_actions.h"
#include "program_end.h"
#include "prompter.h"
#include "shut_type.h"
#include "window_presenter.h"

namespace lullex {
namespace {

// Hibernate and standby return to monitoring when the computer wakes; the others end the
// program.
bool ResumesMonitoring(const ShutTypeInfo& action)
{
    return action.type == ShutType::Hibernate || action.type == ShutType::Standby;
}

}  // namespace

void MonitorStateMachine::CountdownTick()
{
    const ShutTypeInfo& current = action();
    m_view.setLabelText(Label::CPULoad, "");
    if (m_state.Count == 0)
        m_presenter.bringForwardForCountdown();
    if (m_state.TestRun) {
        endTestRun(current);
        return;
    }
    if (m_state.Count == 0)
        m_log.normal("Enter", current.name);
    showCountdown(current);
    if (m_state.Count >= countdownLength())
        finishCountdown(current);
    else
        m_log.full(current.name, "");
    // After a hibernate or standby this makes the next activation delay start at StartDelay.
    ++m_state.Count;
}

void MonitorStateMachine::endTestRun(const ShutTypeInfo& current)
{
    m_log.normal("Simulate", current.name);
    showCountdownBox(" Test", std::string("Test ") + current.name);
    m_state.AutoMinimise = false;
    ResetState();
    StartMonitoring();
}

void MonitorStateMachine::showCountdown(const ShutTypeInfo& current)
{
    for (Button button : {Button::Config, Button::About, Button::TestS, Button::Exit})
        m_view.setButtonEnabled(button, false);
    for (Label label : {Label::CPULoad, Label::Counter}) {
        m_view.setLabelTextColour(label, Colour::White);
        m_view.setLabelBackground(label, Colour::Orange);
    }
    m_view.setLabelText(Label::Counter,
                        CountdownText(current.captionPrefix, countdownLength() - m_state.Count));
    m_view.setButtonCaption(Button::Reset, "Cancel");
    m_view.setButtonTooltip(Button::Reset,
                            "Cancel " + m_state.AppTitle + " " + m_state.ShutTypeName);
    m_view.setLabelText(Label::CPULoad, "");
}

void MonitorStateMachine::finishCountdown(const ShutTypeInfo& current)
{
    if (m_state.InhibitShutdown == 1)
        simulateAction(current);
    else
        carryOutAction(current);
    if (!ResumesMonitoring(current)) {
        m_log.normal("Close", current.name);
        m_terminator.endProgram(ExitNormal);
        return;
    }
    m_log.normal("Restart", current.name);
    m_log.normal("----------", "----------");
    m_log.normal("----------", "----------");
}

void MonitorStateMachine::simulateAction(const ShutTypeInfo& current)
{
    m_log.normal(current.name, "Simulate");
    showCountdownBox(std::string(" Simulate ") + current.name,
                     std::string("Test Real ") + current.name);
    if (ResumesMonitoring(current))
        ResetMonitoring();
}

void MonitorStateMachine::carryOutAction(const ShutTypeInfo& current)
{
    m_log.normal("Start", current.name);
    switch (current.type) {
    case ShutType::Hibernate:
        ResetMonitoring();
        m_power.HibernateSystem();
        break;
    case ShutType::Standby:
        ResetMonitoring();
        m_power.StandbySystem();
        break;
    case ShutType::Monitor:
        break;  // only Lullex closes
    case ShutType::PowerOff:
    case ShutType::Reboot:
    case ShutType::Shutdown:
        m_power.ShutdownSystem(current.shutdownFlags);
        break;
    }
}

void MonitorStateMachine::showCountdownBox(const std::string& titleSuffix, const std::string& text)
{
    MessageBox box;
    box.title = m_state.AppTitle + titleSuffix;
    box.lines = {text};
    m_countdownBoxOpen = true;
    m_prompter.show(box);
    m_countdownBoxOpen = false;
}

}  // namespace lullex
