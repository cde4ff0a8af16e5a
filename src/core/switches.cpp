#include "switches.h"

#include <string_view>

namespace lullex {
namespace {

constexpr std::string_view AllowMultiSwitch = "-AllowMulti";
constexpr std::string_view InhibitShutdownSwitch = "-InhibitShutdown";

}  // namespace

Switches ReadSwitches(const std::string& argumentText)
{
    const std::string_view text = argumentText;
    return {text.ends_with(AllowMultiSwitch), text.starts_with(InhibitShutdownSwitch)};
}

std::string ArgumentText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments) {
        if (&argument != &arguments.front())
            text += ' ';
        text += argument;
    }
    return text;
}

}  // namespace lullex
