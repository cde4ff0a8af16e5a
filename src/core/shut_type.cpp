#include "shut_type.h"

#include <array>

namespace lullex {
namespace {

constexpr std::array<ShutTypeInfo, 6> ShutTypes = {{
    {ShutType::PowerOff, "Power Off", "The Computer Will Power Off In ", 12},
    {ShutType::Reboot, "Reboot", "The Computer Will Reboot In ", 6},
    {ShutType::Shutdown, "Shutdown", "The Computer Will Shutdown In ", 5},
    {ShutType::Monitor, "Monitor", "Lullex Will Close In ", 0},
    {ShutType::Hibernate, "Hibernate", "The Computer Will Hibernate In ", 0},
    {ShutType::Standby, "Standby", "The Computer Will Standby In ", 0},
}};

}  // namespace

const ShutTypeInfo* FindShutType(int16_t value)
{
    if (value < 1 || value > static_cast<int16_t>(ShutTypes.size()))
        return nullptr;
    return &ShutTypes[static_cast<std::size_t>(value - 1)];
}

}  // namespace lullex
