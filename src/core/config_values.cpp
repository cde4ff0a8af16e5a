#include "config_values.h"

#include "app_state.h"
#include "config_display.h"
#include "setting_values.h"
#include "shut_type.h"

#include <vector>

namespace lullex {
namespace {

constexpr char Separator = '\x1F';  // the unit separator

}  // namespace

LoadedForm LoadForm(const Settings& settings, const ConfigForm& shown)
{
    LoadedForm loaded{shown, {}};
    ConfigForm& form = loaded.form;
    form.cpuDelay = std::to_string(settings.CPUDelay);
    form.dName = settings.DName == SettingYes;
    form.ipAdd = settings.IPAdd;
    form.logName = settings.LogName;
    form.logPath = settings.LogPath;
    form.port1 = std::to_string(settings.Port1);
    form.runOnTop = settings.RunOnTop == SettingYes;
    form.startMin = settings.StartMin == SettingYes;
    form.shutTime = std::to_string(settings.ShutTime);
    form.startDelay = std::to_string(settings.StartDelay);
    const std::string level = LogLevelText(settings.LogLevel);
    if (!level.empty()) {
        form.logLevel = level;
        loaded.choices.logLevel = settings.LogLevel;
    }
    if (const ShutTypeInfo* action = FindShutType(settings.ShutType)) {
        form.shutName = action->name;
        loaded.choices.shutType = settings.ShutType;
    }
    return loaded;
}

ConfigForm RestoredForm(const ConfigForm& shown)
{
    ConfigForm form = shown;
    form.cpuDelay = "600";
    form.logLevel = LogLevelText(LogLevelNormal);
    form.logName = "Lullex.log";
    form.logPath = DefaultLogPath;
    form.port1 = "10001";
    form.runOnTop = false;
    form.shutTime = "60";
    form.startMin = true;
    form.shutName = FindShutType(static_cast<int16_t>(ShutType::PowerOff))->name;
    form.startDelay = "2";
    return form;
}

std::string ChangeText(const ConfigForm& form, const ConfigChoices& choices)
{
    const std::vector<std::string> values = {form.cpuDelay,
                                             form.dName ? "1" : "0",
                                             form.ipAdd,
                                             form.logName,
                                             form.logPath,
                                             form.port1,
                                             form.runOnTop ? "1" : "0",
                                             form.startMin ? "1" : "0",
                                             form.shutTime,
                                             form.startDelay,
                                             std::to_string(choices.logLevel),
                                             std::to_string(choices.shutType)};
    std::string text;
    for (const std::string& value : values)
        text += value + Separator;
    return text;
}

ConfigScreenValues ValuesToWrite(const ConfigForm& form, const ConfigChoices& choices)
{
    ConfigScreenValues values;
    values.dNameChecked = form.dName ? 1 : 0;
    values.ipAddText = form.ipAdd;
    values.port1Text = form.port1;
    values.cpuDelayText = form.cpuDelay;
    values.startDelayText = form.startDelay;
    values.shutTimeText = form.shutTime;
    values.logLevel = choices.logLevel;
    values.logNameText = form.logName;
    values.logPathText = form.logPath;
    values.runOnTopChecked = form.runOnTop ? 1 : 0;
    values.startMinChecked = form.startMin ? 1 : 0;
    values.shutType = choices.shutType;
    return values;
}

bool ReinitialisesOnClose(const AppState& state, bool portErrorAtOpen)
{
    return state.ConfigSaved || state.NotConfigured || state.PortError || portErrorAtOpen;
}

}  // namespace lullex
