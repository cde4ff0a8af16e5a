#pragma once

#include "settings.h"

#include <string_view>

namespace lullex {

// An empty LogPath means the default log directory.
void replaceEmptyLogPath(Settings& settings);

// The number of values outside their valid range, an address that does not fit DName counted
// among them. Any violation makes the file unusable.
int countViolations(const Settings& settings);

// True when the link settings leave nothing sensible to do: a slave without a usable partner
// address or set to "Monitor", or a master set to "Monitor" without one.
bool leavesNothingToMonitor(const Settings& settings);

// The length of a text in characters (the file holds UTF-8 in practice).
int characterCount(std::string_view text);

}  // namespace lullex
