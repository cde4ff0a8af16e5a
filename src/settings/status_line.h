#pragma once

#include "settings.h"

#include <cstdint>
#include <string>

namespace lullex {

// Everything one status line of the log shows.
struct StatusLineFields {
    std::string timestamp;
    std::string event;
    std::string detail;
    bool testRun = false;
    int16_t count = 0;
    int16_t logLevel = LogLevelNormal;
    int16_t role = RoleMaster;
    // Shown at the Full level only: the last input sample's flags for a master, the link
    // status word for a slave.
    bool keyChanged = false;
    bool mouseMoved = false;
    // False: the input source cannot tell keys from the mouse; both flags show as dots.
    bool inputDetailKnown = true;
    std::string commsStatus;
};

// One fixed-width status line, without its line end.
std::string buildStatusLine(const StatusLineFields& fields);

}  // namespace lullex
