#include "config_display.h"

#include "settings.h"
#include "shut_type.h"

#include <array>

namespace lullex {
namespace {

constexpr std::array<const char*, 3> LogLevelTexts = {"None", "Normal", "Full"};

constexpr const char* ForcedClose = "(Forces Running Applications To Close)";

constexpr AddressKindTexts ByIPAddress = {"IP Address",
                                          "IP Address of computer to communicate with",
                                          "(Either empty or a valid IP address)"};
constexpr AddressKindTexts ByDomainName = {
    "Domain Name", "Domain name of computer to communicate with (less than 100 characters)",
    "(Either empty or a valid domain name)"};
// A slave must have an address. The capital of the first and the small letter of the second
// are the texts as users know them.
constexpr const char* SlaveIPAddressRemark = "(A valid IP address)";
constexpr const char* SlaveDomainNameRemark = "(a valid domain name)";

}  // namespace

int16_t LogLevelIndex(std::string_view text)
{
    for (std::size_t i = 0; i < LogLevelTexts.size(); ++i) {
        if (text == LogLevelTexts[i])
            return static_cast<int16_t>(i + 1);
    }
    return 0;
}

std::string LogLevelText(int16_t level)
{
    if (level < LogLevelNone || level > LogLevelFull)
        return {};
    return LogLevelTexts[static_cast<std::size_t>(level - 1)];
}

int16_t ShutTypeIndex(std::string_view text)
{
    for (int16_t value = 1;; ++value) {
        const ShutTypeInfo* info = FindShutType(value);
        if (!info)
            return 0;
        if (text == info->name)
            return value;
    }
}

std::string ShutTypeRemark(int16_t shutType, int16_t cMain, bool domainName)
{
    switch (static_cast<ShutType>(shutType)) {
    case ShutType::PowerOff:
    case ShutType::Reboot:
    case ShutType::Shutdown:
        return ForcedClose;
    case ShutType::Monitor:
        if (cMain == RoleSlave)
            return "Not Available In Slave Mode";
        return domainName ? "(Only Use With A Valid Domain Name)"
                          : "(Only Use With A Valid IP Address)";
    case ShutType::Hibernate:
    case ShutType::Standby:
        break;
    }
    return {};
}

AddressKindTexts AddressKind(bool domainName, int16_t cMain)
{
    AddressKindTexts texts = domainName ? ByDomainName : ByIPAddress;
    if (cMain == RoleSlave)
        texts.remark = domainName ? SlaveDomainNameRemark : SlaveIPAddressRemark;
    return texts;
}

std::string OutOfRangeStatus(int failures)
{
    return std::to_string(failures) + " Item(s) Highlighted Contain Out Of Range Values";
}

std::string ClosingNotice(int16_t secondsLeft)
{
    return "The Configuration Screen will close in " + std::to_string(secondsLeft) + " sec";
}

ScreenTitles ConfigScreenTitles(const std::string& appTitle)
{
    return {appTitle + " Configuration",
            "View " + appTitle + " log file (It will not be updated while open)",
            "Restore " + appTitle +
                " Default Configuration Values (Does not restore or delete any computer address "
                "set)",
            "Save " + appTitle +
                " Configuration Values (The program will be reset when you close this screen if "
                "values have been changed)",
            "Close " + appTitle + " Configuration Screen"};
}

}  // namespace lullex
