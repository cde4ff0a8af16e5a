#pragma once

#include "settings.h"

#include <cstdint>
#include <string>

namespace lullex {

// What the configuration screen saves: check box states (0 or 1), list choices and the field
// texts as typed.
struct ConfigScreenValues {
    int dNameChecked = 0;  // 1 the address is a domain name
    std::string ipAddText;
    std::string port1Text;
    std::string cpuDelayText;
    std::string startDelayText;
    std::string shutTimeText;
    int16_t logLevel = LogLevelNormal;
    std::string logNameText;
    std::string logPathText;
    int runOnTopChecked = 0;
    int startMinChecked = 0;
    int16_t shutType = 1;
};

// The whole configuration file, CR LF line ends, in its fixed layout of 23 lines. The numeric
// fields are written as the shortest decimal text of their number ("0600" gives "600").
std::string configFileText(int16_t cMain, const ConfigScreenValues& values,
                           const std::string& timestamp);

}  // namespace lullex
