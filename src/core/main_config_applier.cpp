#include "main_config_applier.h"

#include "app_state.h"
#include "monitor_state_machine.h"
#include "settings_initialiser.h"
#include "window_presenter.h"

namespace lullex {
namespace {

constexpr int16_t ConfigurationBlock = 1;

}  // namespace

MainConfigApplier::MainConfigApplier(AppState& state, SettingsInitialiser& initialiser,
                                     MonitorStateMachine& machine, WindowPresenter& presenter,
                                     LogWriter& log)
    : m_state(state), m_initialiser(initialiser), m_machine(machine), m_presenter(presenter),
      m_writer(log), m_log(log, state)
{
}

void MainConfigApplier::clearMinOverride()
{
    m_presenter.setMinOverride(false);
}

void MainConfigApplier::reinitialise()
{
    m_initialiser.InitSettings();
    m_machine.ResetState();
    m_writer.CreateLog();
    if (!m_state.NotConfigured) {
        m_log.normal("Config", "Updated");
        if (m_state.settings.LogLevel == LogLevelFull)
            m_writer.WriteLogBlock(ConfigurationBlock);
    }
    m_machine.StartMonitoring();
    m_state.AutoMinimise = false;
}

}  // namespace lullex
