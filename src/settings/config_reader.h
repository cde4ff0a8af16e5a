#pragma once

#include "settings.h"

#include <filesystem>
#include <istream>
#include <string>

namespace lullex {

enum class ReadStatus {
    Read,
    Missing,     // no such file
    Corrupted,   // a key or a section line missing or repeated
    Unreadable,  // the file cannot be read, or a value does not fit its field
};

struct ConfigReadResult {
    ReadStatus status = ReadStatus::Read;
    Settings settings;
    std::string logText;  // the printable copy of the configuration
};

// Reads the configuration from its lines (LF or CR LF ends). Keys and section lines may stand
// in any order and section; each must occur exactly once.
ConfigReadResult readConfigLines(std::istream& lines);

ConfigReadResult readConfigFile(const std::filesystem::path& file);

}  // namespace lullex
