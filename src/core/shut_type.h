#pragma once

#include <cstdint>
#include <string>

namespace lullex {

// The six power actions, numbered as stored in ShutType.
enum class ShutType : int16_t {
    PowerOff = 1,
    Reboot = 2,
    Shutdown = 3,
    Monitor = 4,
    Hibernate = 5,
    Standby = 6,
};

struct ShutTypeInfo {
    ShutType type;
    const char* name;           // ShutTypeName: window, tooltips and log
    const char* captionPrefix;  // the countdown text before the seconds left
    int32_t shutdownFlags;      // flags for ShutdownSystem; 0 where no such call is made
};

// The row of a ShutType value 1..6; nullptr outside that range.
const ShutTypeInfo* FindShutType(int16_t value);

}  // namespace lullex
