#include "logind_action.h"

#include <array>

namespace lullex {
namespace {

struct FlagAction {
    int32_t bit;
    LogindAction action;
};

// Checked in this order: the strongest request among the bits wins.
constexpr std::array<FlagAction, 3> FlagActions = {{
    {8, {"PowerOff", "CanPowerOff"}},
    {2, {"Reboot", "CanReboot"}},
    {1, {"Halt", "CanHalt"}},
}};

constexpr LogindAction LogOffAction = {"TerminateSession", nullptr};

}  // namespace

LogindAction LogindActionForFlags(int32_t flags)
{
    for (const FlagAction& row : FlagActions) {
        if ((flags & row.bit) != 0)
            return row.action;
    }
    return LogOffAction;
}

bool IsRefusalAnswer(std::string_view answer)
{
    return answer == "no" || answer == "na";
}

}  // namespace lullex
