#pragma once

#include "power_actions.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lullex {

// The ways a power routine can fail; each has its own error number and description.
enum class PowerFailure {
    ShutdownFailed,     // logind refused the action itself
    PrivilegeNotFound,  // the system bus or logind cannot be reached
    ProcessUnknown,     // our own login session cannot be found (log off)
    NoPrivilege,        // logind says the action is not allowed or not available
    InvalidParameter,   // flags outside 0..31
};

// The number of a failure: the object-error base 0x80040000 plus 1579..1583.
int32_t PowerErrorNumber(PowerFailure failure);

// The full description: the failure's fixed text around the detail (the system text, logind's
// refusing answer, or the refused flags in decimal).
std::string PowerErrorDescription(PowerFailure failure, std::string_view detail);

// The source of every power failure: the executable's name without its extension, followed
// by ".mShutDown". The path is the one /proc/self/exe names.
std::string PowerErrorSourceFor(std::string_view executablePath);

// PowerErrorSourceFor the running executable.
std::string PowerErrorSource();

PowerError MakePowerError(PowerFailure failure, std::string_view detail, const std::string& source);

}  // namespace lullex
