#include "temp_dir.h"
#include "window_display.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lullex {
namespace {

struct DisplayCase {
    const char* name;
    const char* qtPlatforms;
    const char* waylandDisplay;
    bool compositorListens;  // on the socket "wayland-test" in the runtime directory
    std::optional<std::string> missing;
};

void PrintTo(const DisplayCase& row, std::ostream* out)
{
    *out << row.name;
}

// A socket that accepts connections, as a compositor's does.
class ListeningSocket {
public:
    explicit ListeningSocket(const std::string& path) : m_fd(::socket(AF_UNIX, SOCK_STREAM, 0))
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        const bool listening =
            ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            ::listen(m_fd, 1) == 0;
        EXPECT_TRUE(listening) << path;
    }
    ~ListeningSocket() { ::close(m_fd); }
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;

private:
    int m_fd;
};

class WindowDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(WindowDisplay, IsMissingOnlyWhereQtCanUseNothingButAnAbsentCompositor)
{
    const DisplayCase& row = GetParam();
    test::TempDir runtime("lullex-runtime");
    std::optional<ListeningSocket> compositor;
    if (row.compositorListens)
        compositor.emplace(runtime.file("wayland-test").string());
    EXPECT_EQ(MissingWaylandDisplay(row.qtPlatforms, row.waylandDisplay, runtime.path().string()),
              row.missing);
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, WindowDisplay,
    testing::Values(
        DisplayCase{"WaylandWithoutCompositor", "wayland", "", false,
                    "Cannot show the window: the Wayland display \"wayland-0\" cannot be reached."},
        DisplayCase{"WaylandWithCompositor", "wayland", "wayland-test", true, std::nullopt},
        DisplayCase{"WaylandAtAnAbsentPath", "wayland-egl:option=1;wayland", "/nowhere/wl", false,
                    "Cannot show the window: the Wayland display \"/nowhere/wl\" cannot be "
                    "reached."},
        DisplayCase{"WaylandThenX", "wayland;xcb", "", false, std::nullopt},
        DisplayCase{"Offscreen", "offscreen", "", false, std::nullopt},
        DisplayCase{"QtDefault", "", "", false, std::nullopt}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex
