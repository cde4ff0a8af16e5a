#include "logind_bus.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace lullex {
namespace {

constexpr std::string_view BusErrorPrefix = "org.freedesktop.DBus.Error.";

constexpr std::array<std::string_view, 11> UnreachableErrors = {
    "ServiceUnknown", "NameHasNoOwner", "NoReply",      "NoServer",   "Disconnected", "Timeout",
    "TimedOut",       "NoNetwork",      "FileNotFound", "BadAddress", "AuthFailed",
};

// The bus could not start the service on demand.
constexpr std::string_view SpawnErrorPrefix = "Spawn.";

}  // namespace

std::string SystemErrorText(const BusReply& reply)
{
    return reply.status == BusStatus::Answered ? std::string() : reply.errorMessage;
}

bool IsUnreachableError(const std::string& errorName)
{
    std::string_view name = errorName;
    if (!name.starts_with(BusErrorPrefix))
        return false;
    name.remove_prefix(BusErrorPrefix.size());
    return name.starts_with(SpawnErrorPrefix) ||
           std::find(UnreachableErrors.begin(), UnreachableErrors.end(), name) !=
               UnreachableErrors.end();
}

}  // namespace lullex
