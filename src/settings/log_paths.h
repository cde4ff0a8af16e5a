#pragma once

#include "settings.h"

#include <string>

namespace lullex {

// A path as stored in the configuration, read with "/" for every "\": a file copied from a
// Windows installation keeps its "Log\" directory working.
std::string withForwardSlashes(std::string path);

// The log directory, LogPath, as the file system sees it.
std::string logDirectoryPath(const Settings& settings);

// The log file: LogPath followed directly by LogName, relative to the working directory
// unless LogPath is absolute.
std::string logFilePath(const Settings& settings);

}  // namespace lullex
