#pragma once

#include "app_state.h"
#include "clock.h"
#include "config_file_writer.h"
#include "config_messages.h"
#include "program_end.h"
#include "prompter.h"
#include "receive_port.h"
#include "settings_initialiser.h"

#include <filesystem>

namespace lullex {

// Reads, checks and writes Data/Lullex.ini for the process-wide state. Every failure ends in
// its message box; the reading ones end the program.
class SettingsStore : public SettingsInitialiser, public ConfigFileWriter {
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
    // Writes the screen's values with the role in memory.
    bool WriteConfig(const ConfigScreenValues& values) override;

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
