#include "temp_dir.h"
#include "window_display.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace lullex {
namespace {

// Qt's platforms and whether a compositor listens at $XDG_RUNTIME_DIR/wayland-0.
using DisplayCase = std::tuple<const char*, bool, std::optional<std::string>>;

class WindowDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(WindowDisplay, IsMissingOnlyWhereQtCanUseNothingButAnAbsentCompositor)
{
    const auto [platforms, compositorListens, missing] = GetParam();
    test::TempDir runtime("lullex-runtime");
    const int compositor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{.sun_family = AF_UNIX, .sun_path = {}};
    std::strncpy(address.sun_path, runtime.file("wayland-0").c_str(), sizeof address.sun_path - 1);
    if (compositorListens) {
        ASSERT_EQ(::bind(compositor, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ASSERT_EQ(::listen(compositor, 1), 0);
    }
    EXPECT_EQ(MissingWaylandDisplay(platforms, "", runtime.path().string()), missing);
    ::close(compositor);
}

INSTANTIATE_TEST_SUITE_P(
    Platforms, WindowDisplay,
    testing::Values(DisplayCase{"wayland", false,
                                "Cannot show the window: the Wayland display \"wayland-0\" "
                                "cannot be reached."},
                    DisplayCase{"wayland-egl:option=1;wayland", true, std::nullopt},
                    DisplayCase{"wayland;xcb", false, std::nullopt},
                    DisplayCase{"offscreen", false, std::nullopt},
                    DisplayCase{"", false, std::nullopt}));

}  // namespace
}  // namespace lullex
