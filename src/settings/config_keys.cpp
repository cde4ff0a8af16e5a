#include "config_keys.h"

namespace lullex {

const std::array<ConfigKey, ConfigKeyCount>& configKeys()
{
    static const std::array<ConfigKey, ConfigKeyCount> keys = {{
        {"IPAdd", &Settings::IPAdd, std::nullopt},
        {"CMain", &Settings::CMain, ValidRange{1, 2}},
        {"CPUDelay", &Settings::CPUDelay, ValidRange{5, 1800}},
        {"DName", &Settings::DName, ValidRange{1, 2}},
        {"LogLevel", &Settings::LogLevel, ValidRange{1, 3}},
        {"LogName", &Settings::LogName, ValidRange{8, 20}},
        {"LogPath", &Settings::LogPath, ValidRange{2, 100}},
        {"Port1", &Settings::Port1, ValidRange{1024, 65535}},
        {"RunOnTop", &Settings::RunOnTop, ValidRange{1, 2}},
        {"StartMin", &Settings::StartMin, ValidRange{1, 2}},
        {"ShutTime", &Settings::ShutTime, ValidRange{2, 600}},
        {"ShutType", &Settings::ShutType, ValidRange{1, 6}},
        {"StartDelay", &Settings::StartDelay, ValidRange{1, 3600}},
    }};
    return keys;
}

const std::array<const char*, ConfigSectionCount>& configSections()
{
    static const std::array<const char*, ConfigSectionCount> sections = {"[Comms]", "[Run]",
                                                                         "[Shutdown]"};
    return sections;
}

}  // namespace lullex
