#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lullex {

// What the inputs of the configuration screen hold: the texts as typed, the check boxes, and
// the texts the two lists show.
struct ConfigForm {
    std::string cpuDelay;
    bool dName = false;  // ticked: the address is a domain name
    std::string ipAdd;
    std::string logName;
    std::string logPath;
    std::string port1;
    bool runOnTop = false;
    bool startMin = false;
    std::string shutTime;
    std::string startDelay;
    std::string logLevel;  // "None", "Normal", "Full", or what the list showed before
    std::string shutName;  // a power action's name, or whatever the user typed

    bool operator==(const ConfigForm&) const = default;
};

// The list choices the screen keeps beside its inputs: the log level (1 None, 2 Normal, 3 Full)
// and the power action (1..6); 0 before one is known. A typed power action that matches no
// entry leaves the previous choice in force.
struct ConfigChoices {
    int16_t logLevel = 0;
    int16_t shutType = 0;
};

// The nine limit and remark labels, in the order their highlights are cleared.
enum class Remark {
    IPAddM,
    CPUDelayM,
    LogLevelM,
    LogNameM,
    LogPathM,
    Port1M,
    ShutTimeM,
    ShutTypeM,
    StartDelayM
};
inline constexpr std::size_t RemarkCount = 9;

using RemarkFlags = std::array<bool, RemarkCount>;

inline std::size_t indexOf(Remark remark)
{
    return static_cast<std::size_t>(remark);
}

}  // namespace lullex
