#pragma once

#include "config_form.h"
#include "config_writer.h"
#include "settings.h"

#include <string>

namespace lullex {

struct AppState;

// The inputs filled from the settings, and the list choices they make. A stored log level or
// power action outside its list leaves that list's text as the screen showed it and its
// choice at 0, which the checks then report.
struct LoadedForm {
    ConfigForm form;
    ConfigChoices choices;
};
LoadedForm LoadForm(const Settings& settings, const ConfigForm& shown);

// The inputs with the default values put back; the partner address and its kind are kept.
ConfigForm RestoredForm(const ConfigForm& shown);

// Every value a save would write, as one text for comparing with the text of the last load or
// save. The values are separated by a character that no field that passes the checks can hold,
// so that no two different sets of fields give the same text.
std::string ChangeText(const ConfigForm& form, const ConfigChoices& choices);

// What Save writes: the check boxes, the list choices and the texts as typed. The file's
// writer reads each number with the same reader as the checks, so the number a check accepted
// ("&H258" as 600) is the number written.
ConfigScreenValues ValuesToWrite(const ConfigForm& form, const ConfigChoices& choices);

// Whether closing the screen must make the main window read the file again: after a save,
// while the program is not configured, or while the receive port is not bound - now, or when
// the screen opened (a save clears the port error, yet the port is still unbound).
bool ReinitialisesOnClose(const AppState& state, bool portErrorAtOpen);

}  // namespace lullex
