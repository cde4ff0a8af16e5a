#pragma once

#include <string>
#include <vector>

namespace lullex {

// The two command-line switches, read case-sensitively from the argument text.
struct Switches {
    bool allowMulti = false;       // "-AllowMulti" ends the argument text
    bool inhibitShutdown = false;  // "-InhibitShutdown" begins it
};

Switches ReadSwitches(const std::string& argumentText);

// The argument text: the arguments after the program name joined by single blanks.
std::string ArgumentText(const std::vector<std::string>& arguments);

}  // namespace lullex
