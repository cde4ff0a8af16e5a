#include "window_platform.h"

#include <X11/Xlib.h>

namespace lullex {

std::string WindowPlatformForWayland()
{
    // Opening the display also starts Xwayland where the compositor starts it on demand.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return "wayland";
    XCloseDisplay(display);
    return "xcb";
}

}  // namespace lullex
