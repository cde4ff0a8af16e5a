#pragma once

#include "logind_action.h"
#include "logind_bus.h"
#include "power_actions.h"
#include "power_errors.h"

#include <string>
#include <vector>

namespace lullex {

// What the privilege step found: whether logind lets us act, and the arguments of the
// action's call (never interactive: no password prompt can appear under the countdown).
struct ShutdownPrivilege {
    bool granted = false;
    std::vector<BusArgument> arguments;
    // Which question logind refused and its answer, e.g. "CanPowerOff: no"; empty when granted.
    std::string refusal;
};

// The power routines over systemd-logind. Every call asks logind afresh; nothing is kept.
class LogindPowerActions : public PowerActions {
public:
    LogindPowerActions(LogindBus& bus, std::string errorSource);

    void ShutdownSystem(int32_t flags) override;
    void HibernateSystem() override;
    void StandbySystem() override;

    // Asks logind whether the action may run (its Can… method), or for a log off finds our own
    // session. Throws PowerError when logind cannot be reached or our session is unknown.
    ShutdownPrivilege EnableShutdownPrivilege(const LogindAction& action);

private:
    ShutdownPrivilege askPermission(const char* canMethod);
    ShutdownPrivilege findOwnSession();
    void suspend(const LogindAction& action);
    [[noreturn]] void fail(PowerFailure failure, const std::string& detail) const;

    LogindBus& m_bus;
    std::string m_errorSource;
};

}  // namespace lullex
