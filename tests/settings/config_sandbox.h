#pragma once

#include "app_state.h"
#include "ordinary_user.h"
#include "receive_port.h"
#include "scoped_env.h"
#include "settings_fakes.h"
#include "settings_store.h"
#include "temp_dir.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

namespace lullex {

using Lines = std::vector<std::string>;

// Lines 5 to 22 of the file that a save of the default values writes for a master.
inline Lines defaultConfigLines()
{
    return {"[Comms]",
            "CMain=1",
            "DName=1",
            "IPAdd=",
            "Port1=10001",
            "",
            "[Run]",
            "CPUDelay=600",
            "LogLevel=2",
            "LogName=Lullex.log",
            "LogPath=Log/",
            "RunOnTop=1",
            "StartDelay=2",
            "StartMin=2",
            "",
            "[Shutdown]",
            "ShutTime=60",
            "ShutType=1"};
}

// The settings' fields in order, so that a test compares them all at once.
inline auto fieldsOf(const Settings& s)
{
    return std::tie(s.CMain, s.DName, s.IPAdd, s.Port1, s.CPUDelay, s.LogLevel, s.LogName,
                    s.LogPath, s.RunOnTop, s.StartDelay, s.StartMin, s.ShutTime, s.ShutType);
}

// What the file of the default values holds.
inline const Settings DefaultSettings = {1,      1, "", 10001, 600, 2, "Lullex.log",
                                         "Log/", 1, 2,  2,     60,  1};

// The file a save of the default values writes for a master at fixedSaveTime(), as its bytes.
inline std::string defaultConfigFile()
{
    return "# Lullex Version 2.5\r\n# Configuration File\r\n# 07-Mar-26 18:04:05\r\n\r\n"
           "[Comms]\r\nCMain=1\r\nDName=1\r\nIPAdd=\r\nPort1=10001\r\n\r\n"
           "[Run]\r\nCPUDelay=600\r\nLogLevel=2\r\nLogName=Lullex.log\r\nLogPath=Log/\r\n"
           "RunOnTop=1\r\nStartDelay=2\r\nStartMin=2\r\n\r\n"
           "[Shutdown]\r\nShutTime=60\r\nShutType=1\r\n\r\n";
}

// The lines with the line of `key` replaced by key=value (or removed when value is nullopt).
inline Lines withKey(Lines lines, const std::string& key, const std::optional<std::string>& value)
{
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (line->starts_with(key + "=")) {
            if (value)
                *line = key + "=" + *value;
            else
                lines.erase(line);
            return lines;
        }
    }
    throw std::invalid_argument("no key " + key);
}

inline std::string joinLines(const Lines& lines, const std::string& end)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

// The boxes of a bad configuration file, as the user reads them.
inline MessageBox missingOrCorruptedBox(const std::string& appTitle)
{
    return {appTitle + " Configuration File Error",
            BoxIcon::Critical,
            BoxButtons::Ok,
            {"The configuration file is missing or corrupted.",
             "Reinstall the program to restore the file.", "The program will now terminate."}};
}

inline MessageBox corruptedBox(const std::string& appTitle)
{
    return {appTitle + " Configuration File Error",
            BoxIcon::Critical,
            BoxButtons::Ok,
            {"The configuration file is corrupted.", "Reinstall the program to restore the file.",
             "The program will now terminate."}};
}

inline MessageBox readErrorBox(const std::string& appTitle)
{
    return {appTitle + " Configuration File Read Error",
            BoxIcon::Warning,
            BoxButtons::Ok,
            {"Unable to read the config file Data/Lullex.ini.",
             "This may be a permissions problem.", "The program will now terminate."}};
}

inline std::tm fixedSaveTime()
{
    return LocalTime(2026, 3, 7, 18, 4, 5);  // "07-Mar-26 18:04:05"
}

// A temporary working directory with Data/, and a settings store reading and writing there.
class ConfigSandbox : public SettingsSeams {
public:
    ConfigSandbox() : SettingsSeams("lullex-config")
    {
        std::filesystem::create_directory(root / "Data");
    }
    ~ConfigSandbox()
    {
        std::error_code ignored;  // a test may have changed or removed parts of the tree
        std::filesystem::permissions(root / "Data", std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }

    std::filesystem::path configFile() const { return root / "Data" / "Lullex.ini"; }

    void writeConfig(const std::string& text) const
    {
        std::ofstream(configFile(), std::ios::binary) << text;
    }
    void writeConfigLines(const Lines& lines) const { writeConfig(joinLines(lines, "\r\n")); }

    std::optional<int> initSettings()
    {
        return endCodeOf([this] { store.InitSettings(); });
    }

    FakeReceivePort receivePort;
    FixedClock clock{fixedSaveTime()};
    SettingsStore store{state, prompter, timer, terminator, receivePort, clock, root};
};

}  // namespace lullex
