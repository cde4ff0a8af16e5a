#include "inhibitor_locks.h"

#include <sstream>

namespace lullex {
namespace {

// What logind must be kept from doing for the action; Monitor only closes Lullex.
const char* NeededFor(ShutType action)
{
    switch (action) {
    case ShutType::PowerOff:
    case ShutType::Reboot:
    case ShutType::Shutdown:
        return "shutdown";
    case ShutType::Hibernate:
    case ShutType::Standby:
        return "sleep";
    case ShutType::Monitor:
        break;
    }
    return nullptr;
}

bool Holds(const InhibitorLock& lock, const char* needed)
{
    if (lock.mode != "block")
        return false;
    std::istringstream kinds(lock.what);
    for (std::string kind; std::getline(kinds, kind, ':');) {
        if (kind == "idle" || (needed != nullptr && kind == needed))
            return true;
    }
    return false;
}

}  // namespace

std::optional<Inhibition> HoldingLock(const std::vector<InhibitorLock>& locks, ShutType action)
{
    const char* needed = NeededFor(action);
    for (const InhibitorLock& lock : locks) {
        if (Holds(lock, needed))
            return Inhibition{lock.who, lock.why};
    }
    return std::nullopt;
}

}  // namespace lullex
