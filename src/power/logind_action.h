#pragma once

#include <cstdint>
#include <string_view>

namespace lullex {

// A logind method that carries out a power action, and the method that tells whether we may
// call it.
struct LogindAction {
    const char* method;
    const char* canMethod;  // nullptr for a log off: logind has no question for it
};

inline constexpr int32_t LowestShutdownFlags = 0;
inline constexpr int32_t HighestShutdownFlags = 31;

// The action of ShutdownSystem's flags (0..31): with 8 PowerOff, else with 2 Reboot, else with
// 1 Halt, else TerminateSession. logind always closes the applications, so the force bits 4
// and 16 change nothing.
LogindAction LogindActionForFlags(int32_t flags);

inline constexpr LogindAction HibernateAction = {"Hibernate", "CanHibernate"};
inline constexpr LogindAction StandbyAction = {"Suspend", "CanSuspend"};

// Whether an answer of a Can… method forbids the action. "challenge" does not: the call
// itself then decides.
bool IsRefusalAnswer(std::string_view answer);

}  // namespace lullex
