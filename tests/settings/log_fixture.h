#pragma once

#include "app_state.h"
#include "event_log.h"
#include "scoped_env.h"
#include "settings_fakes.h"
#include "temp_dir.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lullex {

inline std::tm fixedLocalTime()
{
    return LocalTime(2026, 1, 5, 7, 3, 9);  // "05-Jan-26 07:03:09"
}

// A temporary directory holding the log directory "Log/", and an event log writing there.
class LogSandbox : public SettingsSeams {
public:
    LogSandbox() : SettingsSeams("lullex-log")
    {
        std::filesystem::create_directory(root / "Log");
        state.AppTitle = "Lullex";
        state.settings.CMain = RoleMaster;
        state.settings.LogLevel = LogLevelNormal;
        state.settings.LogPath = (root / "Log").string() + "/";
        state.settings.LogName = "Lullex.log";
    }

    std::filesystem::path logFile() const { return root / "Log" / "Lullex.log"; }

    static void writeFile(const std::filesystem::path& file, const std::string& text)
    {
        std::ofstream(file, std::ios::binary) << text;
    }

    FixedClock clock{fixedLocalTime()};
    EventLog log{state, prompter, timer, terminator, clock};
};

}  // namespace lullex
