#pragma once

#include "settings.h"

#include <cstdint>
#include <string>

namespace lullex {

enum class RunState : int16_t { Initialise = 0, Run = 1, Countdown = 2 };

// The process-wide state that several subsystems read and write, kept in one place
// and passed by reference. Names are the ones used throughout the program.
struct AppState {
    Settings settings;

    std::string AppTitle;
    bool NotConfigured = false;
    bool PortError = false;
    bool ConfigSaved = false;
    bool DialogOpen = false;
    // The main window's load step is running: the slave's port may be bound already, but what
    // arrives on it is read and dropped until the program is up.
    bool Loading = false;
    int16_t DialogTimeout = 0;
    int16_t InhibitShutdown = 0;  // 1 in the test mode "-InhibitShutdown"

    // Printable copy of the configuration, also the buffer of the log's text blocks.
    std::string LogText;
    // The last status line written to the log.
    std::string StatusLine;

    // Monitoring state machine.
    RunState State = RunState::Initialise;
    int16_t Count = 0;
    int16_t IdleLimit = 0;
    int16_t NoActivity = 1;  // 1 nothing seen in the last second, 0 activity or a valid tag
    int16_t TickDivider = 2;
    bool TestRun = false;
    bool AutoMinimise = false;
    std::string ActivityMarks;
    std::string CommsStatus;
    std::string NextTag;
    std::string ShutTypeName;

    // The input sampler's flags of the last sample.
    bool KeyChanged = false;
    bool MouseMoved = false;
    // False where the activity source cannot tell keys from the mouse (the log shows dots).
    bool InputDetailKnown = true;
};

}  // namespace lullex
