#include "wayland_session.h"

#include "scoped_env.h"

#include <gtest/gtest.h>

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
    test::ScopedEnv display("WAYLAND_DISPLAY", std::nullopt);
    test::ScopedEnv type("XDG_SESSION_TYPE", std::nullopt);
    EXPECT_FALSE(IsWaylandSession());
    display.set("");
    type.set("x11");
    EXPECT_FALSE(IsWaylandSession());
    type.set("wayland");
    EXPECT_TRUE(IsWaylandSession());
    type.set(std::nullopt);
    display.set("wayland-0");
    EXPECT_TRUE(IsWaylandSession());
}

}  // namespace
}  // namespace lullex
