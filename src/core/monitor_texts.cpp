#include "monitor_texts.h"

#include "settings.h"
#include "shut_type.h"

namespace lullex {
namespace {

std::string ActionSentence(const Settings& settings, const std::string& shutTypeName)
{
    if (settings.ShutType == static_cast<int16_t>(ShutType::Monitor))
        return shutTypeName + " input activity until there has been none";
    if (settings.CMain == RoleMaster)
        return shutTypeName + " the computer if there is no input activity";
    return shutTypeName + " the computer if communications are lost";
}

}  // namespace

std::string ActivationText(int16_t count)
{
    return "Program Activation In " + std::to_string(count) + "s";
}

std::string IdleText(int16_t count)
{
    return "No key or mouse activity for the last " + std::to_string(count) + "s";
}

std::string NotConnectedText(int16_t count)
{
    return "Not connected for the last " + std::to_string(count) + "s";
}

std::string CountdownText(const char* prefix, int count)
{
    return prefix + std::to_string(count) + "s";
}

std::string ActionTitle(const Settings& settings, const std::string& shutTypeName,
                        int16_t idleLimit)
{
    return ActionSentence(settings, shutTypeName) + " for over " + std::to_string(idleLimit) +
           " sec";
}

std::string SetUpRequest(const Settings& settings)
{
    std::string request = "Click Configure To Set Up Lullex";
    if (settings.CMain == RoleSlave)
        request += " Slave";
    return request;
}

}  // namespace lullex
