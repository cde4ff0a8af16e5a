#include "wayland_session.h"

#include <cstdlib>

namespace lullex {

bool IsWaylandSession(std::string_view waylandDisplay, std::string_view sessionType)
{
    return !waylandDisplay.empty() || sessionType == "wayland";
}

bool IsWaylandSession()
{
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const char* sessionType = std::getenv("XDG_SESSION_TYPE");
    return IsWaylandSession(waylandDisplay != nullptr ? waylandDisplay : "",
                            sessionType != nullptr ? sessionType : "");
}

}  // namespace lullex
