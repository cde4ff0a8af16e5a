#pragma once

#include "prompter.h"

#include <string>

namespace lullex {

enum class ConfigMessage {
    MissingOnRead,  // no configuration file at start-up
    Corrupted,      // a key or section line missing or repeated
    ReadError,      // the file cannot be read, or a value does not fit its field
    OutOfRange,     // a value outside its valid range, or an unfitting address
    MissingOnSave,  // the file vanished before a save
    WriteError,     // the save failed; the old file is kept
};

// The message box of a configuration file problem, titled appTitle followed by its own title.
MessageBox configMessageBox(ConfigMessage message, const std::string& appTitle);

}  // namespace lullex
