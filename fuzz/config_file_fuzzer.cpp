// Whole configuration files. A file the reader accepts, saved again from the values the
// configuration screen would show for it and read back, gives the same settings: a save without
// edits must never change what the program runs with.
#include "config_keys.h"
#include "config_reader.h"
#include "config_writer.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <type_traits>

namespace {

using namespace lullex;

// The screen's fields for these settings: numbers as decimal text, a check box as its stored
// value minus one.
ConfigScreenValues screenValuesOf(const Settings& settings)
{
    ConfigScreenValues values;
    values.dNameChecked = settings.DName - 1;
    values.ipAddText = settings.IPAdd;
    values.port1Text = std::to_string(settings.Port1);
    values.cpuDelayText = std::to_string(settings.CPUDelay);
    values.startDelayText = std::to_string(settings.StartDelay);
    values.shutTimeText = std::to_string(settings.ShutTime);
    values.logLevel = settings.LogLevel;
    values.logNameText = settings.LogName;
    values.logPathText = settings.LogPath;
    values.runOnTopChecked = settings.RunOnTop - 1;
    values.startMinChecked = settings.StartMin - 1;
    values.shutType = settings.ShutType;
    return values;
}

bool sameValue(const Settings& first, const Settings& second, const SettingsField& field)
{
    return std::visit([&](auto member) { return first.*member == second.*member; }, field);
}

ConfigReadResult readText(const std::string& text)
{
    std::istringstream lines(text);
    return readConfigLines(lines);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const ConfigReadResult file = readText(std::string(reinterpret_cast<const char*>(data), size));
    if (file.status != ReadStatus::Read)
        return 0;
    const std::string saved =
        configFileText(file.settings.CMain, screenValuesOf(file.settings), "07-Dec-26 08:00:00");
    const ConfigReadResult again = readText(saved);
    fuzz::require(again.status == ReadStatus::Read, "a saved file reads back");
    for (const ConfigKey& key : configKeys())
        fuzz::require(sameValue(file.settings, again.settings, key.field), key.name);
    return 0;
}
