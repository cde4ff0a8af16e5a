#pragma once

#include "log_messages.h"

#include <string>

namespace lullex {

struct AppState;
class MainTimer;
class Prompter;
class Terminator;

// Starts the program that shows a file, without waiting for it.
class FileViewerLauncher {
public:
    virtual ~FileViewerLauncher() = default;
    // The file's name goes to the viewer unchanged, as its one argument. False when the viewer
    // could not be started.
    virtual bool launch(const std::string& file) = 0;
};

// The configuration screen's View Log: shows the log file LogPath + LogName in the desktop's
// viewer. At the level None there is nothing to show; a missing log directory or file, or a
// viewer that cannot be started, is fatal.
class LogViewer {
public:
    LogViewer(const AppState& state, Prompter& prompter, MainTimer& timer, Terminator& terminator,
              FileViewerLauncher& launcher);

    void ViewLog();

private:
    [[noreturn]] void fail(LogFailure failure);

    const AppState& m_state;
    Prompter& m_prompter;
    MainTimer& m_timer;
    Terminator& m_terminator;
    FileViewerLauncher& m_launcher;
};

}  // namespace lullex
