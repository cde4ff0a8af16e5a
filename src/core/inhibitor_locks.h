#pragma once

#include "keep_awake_source.h"

#include <optional>
#include <string>
#include <vector>

namespace lullex {

// One of logind's inhibitor locks as ListInhibitors lists it. `what` is a colon-separated
// list such as "idle:shutdown"; `mode` is "block" or "delay".
struct InhibitorLock {
    std::string what;
    std::string who;
    std::string why;
    std::string mode;
};

// The first lock that holds the given action off: a blocking lock on idle, or on what the
// action itself needs (shutdown for Power Off, Reboot and Shutdown, sleep for Hibernate and
// Standby). Delay locks only postpone an action by seconds, so they hold nothing.
std::optional<Inhibition> HoldingLock(const std::vector<InhibitorLock>& locks, ShutType action);

}  // namespace lullex
