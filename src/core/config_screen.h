#pragma once

#include "config_form.h"

#include <cstdint>
#include <string>

namespace lullex {

struct AppState;
class ConfigApplier;
class ConfigFileWriter;
class ConfigScreenView;
class LogViewer;

struct ConfigScreenParts {
    AppState& state;
    ConfigScreenView& view;
    ConfigFileWriter& writer;
    ConfigApplier& applier;
    LogViewer& logViewer;
    // Only an administrator may save or restore; everyone may look and view the log.
    bool administrator;
};

// The logic of the configuration screen: it fills the inputs from the settings, checks them,
// saves them to the file, and when the screen has closed lets the main window take up what was
// saved. Settings in memory are never changed here.
class ConfigScreen {
public:
    // How long the screen stays open before the main tick closes it.
    static constexpr int16_t Timeout = 600;

    explicit ConfigScreen(const ConfigScreenParts& parts);

    // The opening: pauses monitoring, fills and checks the inputs.
    void load();
    void onDomainNameClicked();
    // An entry was picked from the power-action list (typing runs nothing).
    void onShutTypePicked();
    void onSave();
    void onRestore();
    void onViewLog();
    // Every second while the screen is open.
    void onSecond();
    // The status line's 2 s are over.
    void onStatusTimeout();
    // The closing routine, run once after the screen has closed, whatever closed it (Close,
    // Esc, the close box, or the main tick when the time ran out).
    void onClose();

    // Checks every input, highlights the failing labels and returns the number of failures.
    int CheckValues();
    // Fills every input from the settings.
    void DataLoad();

private:
    // A click of the domain-name box and a pick of a power action: no highlight is left, and
    // the address texts and the action's remark follow the choices.
    void showChoices();
    void ClearHighlights();
    void ShowAddressKind();
    void ShowShutType();
    void SetLostCommsLabels();
    bool isSlave() const;

    AppState& m_state;
    ConfigScreenView& m_view;
    ConfigFileWriter& m_writer;
    ConfigApplier& m_applier;
    LogViewer& m_logViewer;
    bool m_administrator;

    ConfigChoices m_choices;
    // The values as they stood at the last load or save.
    std::string m_loadedValues;
    bool m_portErrorAtOpen = false;
};

}  // namespace lullex
