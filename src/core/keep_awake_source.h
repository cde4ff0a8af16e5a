#pragma once

#include "shut_type.h"

#include <optional>
#include <string>

namespace lullex {

// An application that keeps the computer awake: a player's screen-saver inhibition, a
// backup's logind lock.
struct Inhibition {
    std::string application;
    std::string reason;
};

// One way an application can ask the computer to stay awake. Unlike input it is not a fact
// about the last second but a state that lasts until the application lets go.
class KeepAwakeSource {
public:
    virtual ~KeepAwakeSource() = default;
    // The inhibition in force that holds off the given power action, if any. A source that
    // cannot be reached (no bus, a desktop without the interface) holds nothing.
    virtual std::optional<Inhibition> holder(ShutType action) = 0;
};

}  // namespace lullex
