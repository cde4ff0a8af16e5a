#pragma once

#include <string>

namespace lullex {

// The few file operations the event log needs. Every append opens, writes and closes, so the
// file on disk is complete after each call even if the program ends abruptly right after.

bool directoryExists(const std::string& path);

// True for anything at the path that is not a directory (a device such as /dev/null counts).
bool fileExists(const std::string& path);

enum class FileOpening {
    Create,        // the file is created when missing
    ExistingOnly,  // a file that vanished is an error, never silently re-created
};

// Appends the text; false when the file cannot be opened or the text cannot be written whole.
bool appendToFile(const std::string& path, const std::string& text, FileOpening opening);

}  // namespace lullex
