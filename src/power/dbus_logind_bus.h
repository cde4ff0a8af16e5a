#pragma once

#include "logind_bus.h"

namespace lullex {

// systemd-logind on the system bus (the bus that DBUS_SYSTEM_BUS_ADDRESS names, else the
// standard socket). Calls block until logind answers; its power methods only queue the job,
// so they answer at once.
class DBusLogindBus : public LogindBus {
public:
    BusReply callManager(const std::string& method,
                         const std::vector<BusArgument>& arguments) override;
    BusReply sessionId(const std::string& sessionPath) override;
};

}  // namespace lullex
