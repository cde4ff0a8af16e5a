#include "wayland_session.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lullex {
namespace {

struct SessionCase {
    std::string waylandDisplay;
    std::string sessionType;
    bool wayland;
};

TEST(WaylandSessionTest, WaylandDisplayOrSessionTypeMarksWayland)
{
    const SessionCase cases[] = {
        {"", "", false},        {"", "x11", false},         {"", "tty", false},
        {"", "Wayland", false}, {"", "wayland ", false},    {"wayland-0", "", true},
        {"", "wayland", true},  {"wayland-1", "x11", true}, {"wayland-0", "wayland", true},
    };
    for (const auto& entry : cases) {
        EXPECT_EQ(IsWaylandSession(entry.waylandDisplay, entry.sessionType), entry.wayland)
            << "WAYLAND_DISPLAY \"" << entry.waylandDisplay << "\", XDG_SESSION_TYPE \""
            << entry.sessionType << "\"";
    }
}

TEST(WaylandSessionTest, ReadsTheProcessEnvironment)
{
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("XDG_SESSION_TYPE");
    EXPECT_FALSE(IsWaylandSession());
    setenv("WAYLAND_DISPLAY", "", 1);
    setenv("XDG_SESSION_TYPE", "x11", 1);
    EXPECT_FALSE(IsWaylandSession());
    setenv("XDG_SESSION_TYPE", "wayland", 1);
    EXPECT_TRUE(IsWaylandSession());
    unsetenv("XDG_SESSION_TYPE");
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    EXPECT_TRUE(IsWaylandSession());
    unsetenv("WAYLAND_DISPLAY");
}

}  // namespace
}  // namespace lullex
