#pragma once

#include "config_applier.h"
#include "levelled_log.h"

namespace lullex {

struct AppState;
class MonitorStateMachine;
class SettingsInitialiser;
class WindowPresenter;

// The main window's side of the configuration screen.
class MainConfigApplier : public ConfigApplier {
public:
    // Give the initialiser that the load step uses, so a re-initialisation obeys the same
    // conditions as the start.
    MainConfigApplier(AppState& state, SettingsInitialiser& initialiser,
                      MonitorStateMachine& machine, WindowPresenter& presenter, LogWriter& log);

    void clearMinOverride() override;
    // InitSettings, ResetState, CreateLog, the "Config" "Updated" entry (and the configuration
    // block at Full), StartMonitoring; the window then stays where the user has it.
    void reinitialise() override;

private:
    AppState& m_state;
    SettingsInitialiser& m_initialiser;
    MonitorStateMachine& m_machine;
    WindowPresenter& m_presenter;
    LogWriter& m_writer;
    LevelledLog m_log;
};

}  // namespace lullex
