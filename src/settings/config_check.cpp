#include "config_check.h"

#include "config_keys.h"
#include "ip_address.h"

#include <type_traits>

namespace lullex {
namespace {

constexpr int16_t ByIPAddress = 1;
constexpr int16_t ByDomainName = 2;
constexpr int16_t MonitorOnly = 4;
constexpr int MaximumDomainNameLength = 100;

int32_t measuredValue(const Settings& settings, const SettingsField& field)
{
    return std::visit(
        [&](auto member) -> int32_t {
            using Value = std::remove_cvref_t<decltype(settings.*member)>;
            if constexpr (std::is_same_v<Value, std::string>)
                return characterCount(settings.*member);
            else
                return settings.*member;
        },
        field);
}

int addressViolations(const Settings& settings)
{
    int violations = 0;
    if (!settings.IPAdd.empty() && settings.DName == ByIPAddress && !IsIPAddress(settings.IPAdd))
        ++violations;
    if (settings.DName == ByDomainName &&
        (characterCount(settings.IPAdd) > MaximumDomainNameLength ||
         IsStrictIPAddress(settings.IPAdd)))
        ++violations;
    return violations;
}

bool partnerAddressUnusable(const Settings& settings)
{
    if (settings.DName == ByIPAddress)
        return !IsIPAddress(settings.IPAdd);
    if (settings.DName == ByDomainName)
        return settings.IPAdd.empty();
    return false;
}

}  // namespace

void replaceEmptyLogPath(Settings& settings)
{
    if (settings.LogPath.empty())
        settings.LogPath = DefaultLogPath;
}

int countViolations(const Settings& settings)
{
    int violations = addressViolations(settings);
    for (const ConfigKey& key : configKeys()) {
        if (!key.range)
            continue;
        const int32_t value = measuredValue(settings, key.field);
        if (value < key.range->minimum || value > key.range->maximum)
            ++violations;
    }
    return violations;
}

bool leavesNothingToMonitor(const Settings& settings)
{
    const bool monitorOnly = settings.ShutType == MonitorOnly;
    if (settings.CMain == RoleMaster)
        return monitorOnly && partnerAddressUnusable(settings);
    if (settings.CMain == RoleSlave)
        return monitorOnly || partnerAddressUnusable(settings);
    return false;
}

int characterCount(std::string_view text)
{
    int count = 0;
    for (char c : text) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

}  // namespace lullex
