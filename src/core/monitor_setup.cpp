#include "monitor_state_machine.h"

#include "app_state.h"
#include "input_sampler.h"
#include "link_sender.h"
#include "main_window_view.h"
#include "monitor_texts.h"
#include "program_end.h"
#include "setting_values.h"
#include "shut_type.h"
#include "window_presenter.h"

namespace lullex {
namespace {

constexpr const char* FirstHeartbeatTag = "<LXA000>";
constexpr const char* CancelTag = "<LXC000>";
constexpr const char* TestTag = "<LXT000>";

constexpr Button AllButtons[] = {Button::Config, Button::TestS, Button::About, Button::Exit,
                                 Button::Reset};

}  // namespace

void MonitorStateMachine::ResetState()
{
    m_state.TestRun = false;
    m_timer.stop();
    m_state.Count = m_state.settings.StartDelay;
    m_state.NoActivity = 1;
    m_state.State = RunState::Initialise;
    m_state.ActivityMarks.clear();
    m_state.IdleLimit = m_state.InhibitShutdown == 1 ? InhibitedLimit : m_state.settings.CPUDelay;
    m_state.CommsStatus = "....";
    m_state.ShutTypeName = action().name;
    restDisplay();
    for (Button button : AllButtons)
        m_view.setButtonEnabled(button, true);
    m_sampler.ResetInput();
}

void MonitorStateMachine::restDisplay()
{
    for (Label label : {Label::CPULoad, Label::Counter})
        m_view.setLabelBackground(label, Colour::ButtonFace);
    for (Label label : {Label::CPULoad, Label::Counter, Label::Title})
        m_view.setLabelTextColour(label, Colour::ButtonText);
    m_view.setLabelBold(Label::Title, false);
    m_view.setLabelBold(Label::Counter, false);
    m_view.setLabelText(Label::CPULoad, "");
}

void MonitorStateMachine::StartMonitoring()
{
    setTooltips();
    m_view.setWindowCaption(m_state.AppTitle);
    m_view.setLabelText(Label::Title,
                        ActionTitle(m_state.settings, m_state.ShutTypeName, m_state.IdleLimit));
    if (!monitoringBlocked() && m_state.AutoMinimise)
        m_presenter.minimiseIfStartMinAsks();
    m_state.AutoMinimise = true;
    // Takes back the topmost state of a countdown that was cancelled.
    if (m_state.settings.RunOnTop == SettingNo)
        m_view.setTopmost(false);
    m_view.setLabelText(Label::Counter, ActivationText(m_state.Count));
    if (monitoringBlocked())
        showSetUpRequest();
    else
        m_log.normal("Start", "Initialise");
    m_state.NextTag = FirstHeartbeatTag;
    m_timer.start();
}

void MonitorStateMachine::setTooltips()
{
    const std::string& title = m_state.AppTitle;
    m_view.setButtonTooltip(Button::Reset, "Reset " + title);
    m_view.setButtonTooltip(Button::Exit, "Close " + title);
    m_view.setButtonTooltip(Button::About, "About " + title);
    m_view.setButtonTooltip(Button::Config, "Configure " + title);
    m_view.setButtonTooltip(Button::TestS, "Enables/Restarts " + title + " Test Mode");
}

void MonitorStateMachine::showSetUpRequest()
{
    m_view.setLabelText(Label::Counter, "");
    m_view.setLabelTextColour(Label::Title, Colour::Orange);
    m_view.setLabelBold(Label::Title, true);
    m_view.setLabelText(Label::Title, SetUpRequest(m_state.settings));
    m_view.setButtonEnabled(Button::Reset, false);
    m_view.setButtonEnabled(Button::TestS, false);
}

void MonitorStateMachine::ResetMonitoring()
{
    const bool counting = m_state.State == RunState::Countdown;
    if (counting) {
        m_view.setButtonCaption(Button::Reset, "Reset");
        m_view.setButtonTooltip(Button::Reset, "Reset " + m_state.AppTitle);
    }
    // Only a cancelled real countdown sends the window back to the tray; a reset of a test or
    // a simulation leaves it where it is.
    m_state.AutoMinimise = counting && !m_state.TestRun && m_state.InhibitShutdown != 1;
    ResetState();
    StartMonitoring();
}

void MonitorStateMachine::onReset()
{
    m_log.normal("Reset", stateDetail());
    ResetMonitoring();
    sendTag(CancelTag);
}

void MonitorStateMachine::onTest()
{
    if (monitoringBlocked())
        return;
    ResetState();
    m_state.TestRun = true;
    m_state.IdleLimit = TestIdleLimit;
    m_state.Count = TestActivationDelay;
    m_state.AutoMinimise = false;
    m_log.normal("Enter", "Test");
    StartMonitoring();
    m_view.setButtonCaption(Button::Reset, "Reset");
    m_view.setWindowCaption(m_state.AppTitle + " - Test Mode");
    m_view.setButtonTooltip(Button::Reset, "Reset " + m_state.AppTitle);
    sendTag(TestTag);
}

void MonitorStateMachine::sendTag(const char* tag)
{
    m_state.NextTag = tag;
    // The partner follows this side's reset or test at once.
    if (isMaster())
        m_sender.SendTag();
}

void MonitorStateMachine::onExit()
{
    onClose();
}

void MonitorStateMachine::onClose()
{
    m_timer.stop();
    if (!m_state.NotConfigured)
        m_log.normal("Exit", stateDetail());
    m_terminator.endProgram(ExitNormal);
}

void MonitorStateMachine::onAbout()
{
    m_state.DialogOpen = false;
    if (m_openAbout)
        m_openAbout();
}

void MonitorStateMachine::onConfigure()
{
    if (m_openConfig)
        m_openConfig();
}

}  // namespace lullex
