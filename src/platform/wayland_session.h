#pragma once

#include <string_view>

namespace lullex {

// Whether the desktop is a Wayland session, where an X client sees only the input that goes
// to other X clients: WAYLAND_DISPLAY is set (non-empty) or XDG_SESSION_TYPE is "wayland".
bool IsWaylandSession(std::string_view waylandDisplay, std::string_view sessionType);

// The same, for this process's environment.
bool IsWaylandSession();

}  // namespace lullex
