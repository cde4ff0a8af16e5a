#pragma once

#include "prompter.h"

#include <string>

namespace lullex {

// Every way the event log can fail; each one ends the program with its own box.
enum class LogFailure {
    DirectoryMissingOnCreate,
    CreateFailed,
    DirectoryMissingOnBlock,
    DirectoryMissingOnStatusLine,
    FileMissing,
    WriteFailed,
    ViewerFailed,  // the log viewer could not test or open the file
};

// The box for a failure: titled with the application's title, warning icon, OK button.
MessageBox logFailureBox(LogFailure failure, const std::string& appTitle,
                         const std::string& logName);

}  // namespace lullex
