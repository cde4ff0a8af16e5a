#include "settings_store.h"

#include "atomic_file.h"
#include "config_check.h"
#include "config_reader.h"
#include "fatal_error.h"
#include "timestamp.h"

#include <utility>

namespace lullex {
namespace {

constexpr const char* SlaveTitleSuffix = " Slave";

}  // namespace

SettingsStore::SettingsStore(AppState& state, Prompter& prompter, MainTimer& timer,
                             Terminator& terminator, ReceivePort& receivePort, const Clock& clock,
                             std::filesystem::path baseDirectory)
    : m_state(state), m_prompter(prompter), m_timer(timer), m_terminator(terminator),
      m_receivePort(receivePort), m_clock(clock), m_baseDirectory(std::move(baseDirectory))
{
}

// The messages of reading and checking carry the plain title: the role is only known once the
// file has been read and checked.
void SettingsStore::InitSettings()
{
    m_state.AppTitle = ProductName;
    m_state.DialogOpen = false;
    m_timer.stop();
    m_state.NotConfigured = false;
    m_state.PortError = false;
    ReadConfig();
    CheckConfig();
    m_state.TickDivider = 2;
    if (m_state.settings.CMain == RoleSlave) {
        m_state.AppTitle = std::string(ProductName) + SlaveTitleSuffix;
        if (!m_receivePort.BindReceivePort(m_state.settings.Port1)) {
            m_state.PortError = true;
            return;
        }
    }
    m_state.ConfigSaved = false;
    m_state.AutoMinimise = true;
}

void SettingsStore::ReadConfig()
{
    ConfigReadResult result = readConfigFile(configFile());
    switch (result.status) {
    case ReadStatus::Missing:
        endWith(ConfigMessage::MissingOnRead);
    case ReadStatus::Corrupted:
        endWith(ConfigMessage::Corrupted);
    case ReadStatus::Unreadable:
        endWith(ConfigMessage::ReadError);
    case ReadStatus::Read:
        break;
    }
    m_state.settings = std::move(result.settings);
    m_state.LogText = std::move(result.logText);
}

void SettingsStore::CheckConfig()
{
    replaceEmptyLogPath(m_state.settings);
    if (leavesNothingToMonitor(m_state.settings))
        m_state.NotConfigured = true;
    if (countViolations(m_state.settings) > 0)
        endWith(ConfigMessage::OutOfRange);
}

bool SettingsStore::WriteConfig(const ConfigScreenValues& values)
{
    const std::string text =
        configFileText(m_state.settings.CMain, values, FormatTimestamp(m_clock.localNow()));
    switch (replaceExistingFile(configFile(), text)) {
    case ReplaceResult::Missing:
        endWith(ConfigMessage::MissingOnSave);
    case ReplaceResult::Failed:
        m_prompter.show(configMessageBox(ConfigMessage::WriteError, m_state.AppTitle));
        return false;
    case ReplaceResult::Replaced:
        break;
    }
    m_state.ConfigSaved = true;
    return true;
}

void SettingsStore::endWith(ConfigMessage message)
{
    EndWithFatalError(configMessageBox(message, m_state.AppTitle), m_prompter, m_timer,
                      m_terminator);
}

std::filesystem::path SettingsStore::configFile() const
{
    return m_baseDirectory / ConfigFilePath;
}

}  // namespace lullex
