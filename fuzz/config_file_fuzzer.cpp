// Whole configuration files. A file the program starts with, shown on the configuration screen,
// saved without edits and read back, gives the same settings: a save must never change what
// the program runs with.
#include "config_check.h"
#include "config_keys.h"
#include "config_reader.h"
#include "config_values.h"
#include "config_writer.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

using namespace lullex;

bool sameValue(const Settings& first, const Settings& second, const SettingsField& field)
{
    return std::visit([&](auto member) { return first.*member == second.*member; }, field);
}

// The settings as the program's start leaves them, or a status other than Read.
ConfigReadResult readText(const std::string& text)
{
    std::istringstream lines(text);
    ConfigReadResult read = readConfigLines(lines);
    replaceEmptyLogPath(read.settings);
    return read;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const ConfigReadResult file = readText(std::string(reinterpret_cast<const char*>(data), size));
    if (file.status != ReadStatus::Read || countViolations(file.settings) != 0)
        return 0;  // the program does not start, so there is no screen to save from
    const LoadedForm shown = LoadForm(file.settings, ConfigForm{});
    const std::string saved = configFileText(
        file.settings.CMain, ValuesToWrite(shown.form, shown.choices), "07-Dec-26 08:00:00");
    const ConfigReadResult again = readText(saved);
    fuzz::require(again.status == ReadStatus::Read, "a saved file reads back");
    for (const ConfigKey& key : configKeys())
        fuzz::require(sameValue(file.settings, again.settings, key.field), key.name);
    return 0;
}
