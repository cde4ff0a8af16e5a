#include "window_display.h"

#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lullex {
namespace {

// "wayland;xcb" or "wayland:option=value": Qt tries the names in order, options follow a colon.
bool onlyWaylandPlatforms(std::string_view list)
{
    bool any = false;
    while (!list.empty()) {
        const std::size_t end = list.find(';');
        const std::string_view entry = list.substr(0, end);
        const std::string_view name = entry.substr(0, entry.find(':'));
        if (!name.empty()) {
            if (!name.starts_with("wayland"))
                return false;
            any = true;
        }
        list = end == std::string_view::npos ? std::string_view() : list.substr(end + 1);
    }
    return any;
}

bool acceptsConnections(const std::string& socketPath)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (socketPath.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return connected;
}

std::string_view environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::optional<std::string> MissingWaylandDisplay(std::string_view qtPlatforms,
                                                 std::string_view waylandDisplay,
                                                 std::string_view runtimeDirectory)
{
    if (!onlyWaylandPlatforms(qtPlatforms))
        return std::nullopt;
    const std::string display = waylandDisplay.empty() ? "wayland-0" : std::string(waylandDisplay);
    const std::string socketPath =
        display.starts_with('/') ? display : std::string(runtimeDirectory) + "/" + display;
    if (acceptsConnections(socketPath))
        return std::nullopt;
    return "Cannot show the window: the Wayland display \"" + display + "\" cannot be reached.";
}

std::optional<std::string> MissingWaylandDisplay()
{
    return MissingWaylandDisplay(environmentValue("QT_QPA_PLATFORM"),
                                 environmentValue("WAYLAND_DISPLAY"),
                                 environmentValue("XDG_RUNTIME_DIR"));
}

}  // namespace lullex
