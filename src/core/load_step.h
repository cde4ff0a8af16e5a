#pragma once

#include <functional>
#include <string>

namespace lullex {

struct AppState;
class InputAwareInitialiser;
class InputSampler;
class LogWriter;
class MainWindowView;
class MonitorStateMachine;
class Prompter;
class WindowPresenter;

struct LoadCollaborators {
    AppState& state;
    InputAwareInitialiser& initialiser;
    MainWindowView& view;
    WindowPresenter& presenter;
    InputSampler& sampler;
    MonitorStateMachine& machine;
    LogWriter& log;
    Prompter& prompter;
    // Raises the process's priority; failures are the platform's to ignore. May be empty.
    std::function<void()> raisePriority;
};

// The main window's load step: brings every subsystem up in its fixed order and ends with the
// window shown, or in the tray when it starts minimised. The window must not be shown before.
class LoadStep {
public:
    explicit LoadStep(LoadCollaborators parts);

    void load(const std::string& argumentText);

private:
    void warnIfInputUnseen();
    void writeStartUpEntries();

    LoadCollaborators m_parts;
};

}  // namespace lullex
