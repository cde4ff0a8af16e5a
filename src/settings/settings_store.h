#pragma once

#include "app_state.h"
#include "clock.h"
#include "config_messages.h"
#include "config_writer.h"
#include "program_end.h"
#include "prompter.h"
#include "receive_port.h"
#include "settings_initialiser.h"

#include <filesystem>

namespace lullex {

// Reads, checks and writes Data/Lullex.ini for the process-wide state. Every failure ends in
// its message box; the reading ones end the program.
class SettingsStore : public SettingsInitialiser {
public:
    // The file is Data/Lullex.ini below baseDirectory, by default the working directory.
    SettingsStore(AppState& state, Prompter& prompter, MainTimer& timer, Terminator& terminator,
                  ReceivePort& receivePort, const Clock& clock,
                  std::filesystem::path baseDirectory = {});

    void InitSettings() override;

    // Reads the file into the settings and builds LogText.
    void ReadConfig();
    // Checks the settings read, sets NotConfigured and replaces an empty LogPath.
    void CheckConfig();
    // Replaces the file with the configuration screen's values and the role in memory; sets
    // ConfigSaved. False (after the write-error box) when the save failed and the old file is
    // kept. A file that has vanished ends the program: a save never creates it.
    bool WriteConfig(const ConfigScreenValues& values);

private:
    [[noreturn]] void endWith(ConfigMessage message);
    std::filesystem::path configFile() const;

    AppState& m_state;
    Prompter& m_prompter;
    MainTimer& m_timer;
    Terminator& m_terminator;
    ReceivePort& m_receivePort;
    const Clock& m_clock;
    std::filesystem::path m_baseDirectory;
};

}  // namespace lullex
