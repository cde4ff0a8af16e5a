#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lullex {

// What keeps Qt from reaching the display of its platform, when that can only be a Wayland
// compositor: every platform QT_QPA_PLATFORM lists ("wayland", "wayland;xcb") is a Wayland one
// and the compositor's socket (WAYLAND_DISPLAY, else "wayland-0", in the runtime directory
// unless absolute) accepts no connection. Nothing otherwise: the X display is the input
// probe's to check, and platforms such as "offscreen" need no display at all.
std::optional<std::string> MissingWaylandDisplay(std::string_view qtPlatforms,
                                                 std::string_view waylandDisplay,
                                                 std::string_view runtimeDirectory);

// The same for this process's environment.
std::optional<std::string> MissingWaylandDisplay();

}  // namespace lullex
