#pragma once

#include <string>

namespace lullex {

// The toolkit platform for the window in a Wayland session: "xcb" through Xwayland where an X
// display answers (there the window can stay on top and the tray works as on X11), else
// "wayland", where no client may keep itself above the others.
std::string WindowPlatformForWayland();

// Said on standard error where the window runs on Wayland itself (the log says "RunOnTop",
// "Ignored").
constexpr const char* TopmostUnavailableText =
    "\"Run On Top\" cannot be honoured: there is no Xwayland, and Wayland lets no window keep "
    "itself above the others.";

}  // namespace lullex
