#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace lullex {

// A failure raised by a power routine. Nothing on the countdown's path catches it: the
// program reports number and description and ends.
struct PowerError : std::runtime_error {
    PowerError(int32_t number, std::string source, std::string description)
        : std::runtime_error(description), number(number), source(std::move(source)),
          description(std::move(description))
    {
    }
    int32_t number;
    std::string source;
    std::string description;
};

// The power routines. Each may throw PowerError.
class PowerActions {
public:
    virtual ~PowerActions() = default;
    // Flags: 0 log off, 1 shut down, 2 reboot, 4 force, 8 power off, 16 force if hung.
    virtual void ShutdownSystem(int32_t flags) = 0;
    virtual void HibernateSystem() = 0;
    virtual void StandbySystem() = 0;
};

}  // namespace lullex
