#include "monitor_state_machine.h"

#include "app_state.h"
#include "input_sampler.h"
#include "keep_awake_watch.h"
#include "link_sender.h"
#include "main_window_view.h"
#include "monitor_texts.h"
#include "power_actions.h"
#include "program_end.h"
#include "prompter.h"
#include "shut_type.h"

namespace lullex {
namespace {

// InitSettings refuses a ShutType outside 1..6 before monitoring can start; should one slip
// through anyway, empty texts are shown rather than reading past the table.
constexpr ShutTypeInfo UnknownShutType = {ShutType::Monitor, "", "", 0};

}  // namespace

MonitorStateMachine::MonitorStateMachine(const MonitorCollaborators& parts)
    : m_state(parts.state), m_view(parts.view), m_presenter(parts.presenter),
      m_sampler(parts.sampler), m_log(parts.log, parts.state), m_prompter(parts.prompter),
      m_power(parts.power), m_sender(parts.sender), m_timer(parts.timer),
      m_terminator(parts.terminator)
{
}

void MonitorStateMachine::onTick()
{
    // A tick already queued when the failure box opened must not run the failed step again.
    if (m_failing)
        return;
    try {
        runTick();
    } catch (const PowerError& error) {
        reportUncaughtFailure(error);
    }
}

void MonitorStateMachine::runTick()
{
    if (m_state.TickDivider == 1) {
        // One countdown box at a time: the box's own loop keeps this timer firing.
        if (!m_countdownBoxOpen)
            runStateSteps();
        closeTimedOutDialogs();
        m_state.TickDivider = 3;
    }
    --m_state.TickDivider;
    if (tagDue())
        m_sender.SendTag();
}

void MonitorStateMachine::runStateSteps()
{
    // Each state is read again after the previous step: a Run second that reaches the limit is
    // followed by the first countdown second in the same tick.
    if (m_state.State == RunState::Run && stepsMayRun())
        MonitorTick();
    if (m_state.State == RunState::Initialise && stepsMayRun())
        ActivationTick();
    if (m_state.State == RunState::Countdown && stepsMayRun())
        CountdownTick();
}

bool MonitorStateMachine::stepsMayRun() const
{
    return !m_state.DialogOpen && !monitoringBlocked();
}

bool MonitorStateMachine::tagDue() const
{
    // A master keeps sending while a screen is open, so DialogOpen is not looked at.
    const bool watching = m_state.State == RunState::Run ||
                          (m_state.State == RunState::Initialise && m_state.Count == 1);
    return watching && isMaster() && !monitoringBlocked();
}

void MonitorStateMachine::closeTimedOutDialogs()
{
    if (m_state.DialogTimeout < 1 && m_state.DialogOpen) {
        m_state.DialogOpen = false;
        m_view.closeDialogs();
    }
}

void MonitorStateMachine::reportUncaughtFailure(const PowerError& error)
{
    m_failing = true;
    // Stopped first: otherwise the next tick would run the last countdown second again and
    // call the power routine a second time behind this box.
    m_timer.stop();
    MessageBox box;
    box.title = m_state.AppTitle + " Error";
    box.icon = BoxIcon::Critical;
    box.lines = {"Run-time error " + std::to_string(error.number) + " (" + error.source + ")",
                 error.description};
    m_prompter.show(box);
    m_terminator.endProgram(ExitUncaughtFailure);
}

void MonitorStateMachine::SampleActivity()
{
    m_state.NoActivity = m_sampler.InputChanged() ? 0 : 1;
    m_state.ActivityMarks =
        std::string(m_state.KeyChanged ? "K" : ".") + (m_state.MouseMoved ? " M" : " .");
}

void MonitorStateMachine::ActivationTick()
{
    --m_state.Count;
    m_view.setLabelText(Label::Counter, ActivationText(m_state.Count));
    if (m_state.Count <= 0) {
        m_state.State = RunState::Run;
        m_log.normal("Enter", "Run");
        m_state.Count = 0;
        return;
    }
    // The first second after a hibernate or standby restart takes no sample and logs nothing.
    if (m_state.Count == m_state.settings.StartDelay)
        return;
    if (isMaster())
        SampleActivity();
    m_log.full("Inactive", "");
}

void MonitorStateMachine::MonitorTick()
{
    if (isMaster())
        SampleActivity();
    // An application keeping the computer awake counts like input on a master and like a
    // heard tag on a slave, so a slave's backup holds it on after its master has gone.
    const std::optional<Inhibition> held = keptAwake();
    if (held)
        m_state.NoActivity = 0;
    m_state.Count = m_state.NoActivity == 1 ? static_cast<int16_t>(m_state.Count + 1) : 0;
    showRunCount(held);
    if (m_state.Count >= m_state.IdleLimit) {
        m_state.State = RunState::Countdown;
        m_state.Count = 0;
    } else {
        m_log.full("Run", "");
    }
    m_state.NoActivity = 1;
    m_state.CommsStatus = "Fail";
}

std::optional<Inhibition> MonitorStateMachine::keptAwake()
{
    if (m_keepAwake == nullptr)
        return std::nullopt;
    return m_keepAwake->check(action().type);
}

void MonitorStateMachine::showRunCount(const std::optional<Inhibition>& keptAwake)
{
    m_view.setLabelBold(Label::Counter, true);
    if (isMaster()) {
        m_view.setLabelTextColour(Label::Counter, Colour::Orange);
        m_view.setLabelText(Label::CPULoad, m_state.ActivityMarks);
        m_view.setLabelText(Label::Counter,
                            keptAwake ? KeptAwakeText(*keptAwake) : IdleText(m_state.Count));
    } else if (m_state.NoActivity == 0) {
        m_view.setLabelText(Label::Counter, keptAwake ? KeptAwakeText(*keptAwake) : ConnectedText);
        m_view.setLabelTextColour(Label::Counter, Colour::Green);
    } else {
        m_view.setLabelText(Label::Counter, NotConnectedText(m_state.Count));
        m_view.setLabelTextColour(Label::Counter, Colour::Orange);
    }
}

bool MonitorStateMachine::isMaster() const
{
    return m_state.settings.CMain == RoleMaster;
}

bool MonitorStateMachine::monitoringBlocked() const
{
    return m_state.NotConfigured || m_state.PortError;
}

int16_t MonitorStateMachine::countdownLength() const
{
    // The test mode shortens the limits in force only; Settings stays as read from the file,
    // so a save from the configuration screen can never store the shortened value.
    return m_state.InhibitShutdown == 1 ? InhibitedLimit : m_state.settings.ShutTime;
}

const ShutTypeInfo& MonitorStateMachine::action() const
{
    const ShutTypeInfo* info = FindShutType(m_state.settings.ShutType);
    return info ? *info : UnknownShutType;
}

std::string MonitorStateMachine::stateDetail() const
{
    switch (m_state.State) {
    case RunState::Countdown:
        return m_state.ShutTypeName;
    case RunState::Run:
        return "Run";
    case RunState::Initialise:
        break;
    }
    return "Initialise";
}

}  // namespace lullex
