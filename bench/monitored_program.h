#pragma once

#include "quiet_collaborators.h"

#include "app_state.h"
#include "clock.h"
#include "event_log.h"
#include "input_sampler.h"
#include "monitor_state_machine.h"
#include "temp_dir.h"
#include "window_presenter.h"
#include "x11_input_probe.h"

#include <filesystem>
#include <string>

namespace lullex::bench {

// The monitoring loop of a master as the program runs it: the real state machine, the real
// input sampler over the X11 probe of the display in DISPLAY, and the real event log writing
// Full-level lines to a file in a private directory. Only the window, the link's socket and
// the power routines are left out (quiet_collaborators.h).
class MonitoredProgram {
public:
    MonitoredProgram();

    // Starts monitoring and ticks through the activation delay into Run.
    void enterRun();
    // One monitored second: the two ticks of the 500 ms timer, one with the main work.
    void oneSecond();
    // Empty when the loop is still in Run and the last line logged is that of an idle Run
    // second; otherwise what went wrong.
    std::string checkStillInRun() const;

    std::filesystem::path logFile() const;

private:
    test::TempDir m_dir{"lullex-bench"};
    AppState m_state;
    SystemClock m_clock;
    QuietView m_view;
    QuietSender m_sender;
    QuietTimer m_timer;
    RefusingPrompter m_prompter;
    RefusingPower m_power;
    RefusingTerminator m_terminator;
    X11InputProbe m_probe;
    InputSampler m_sampler{m_probe, m_state};
    EventLog m_log{m_state, m_prompter, m_timer, m_terminator, m_clock};
    WindowPresenter m_presenter{m_state, m_view};
    MonitorStateMachine m_machine;
};

}  // namespace lullex::bench
