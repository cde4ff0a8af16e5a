#include "x11_screen_saver_source.h"

#include "child_process.h"
#include "keep_awake_watch.h"
#include "x_session.h"
#include "x_tools.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ostream>
#include <thread>

namespace lullex {
namespace {

using test::XSessionEnvironment;

// Input restarts the X server's idle time just as a reset does; only the reset may hold.
struct RestartCase {
    const char* name;
    std::vector<std::string> command;
    const char* holds;
};

void PrintTo(const RestartCase& c, std::ostream* out)
{
    *out << c.name;
}

class X11ScreenSaverSourceTest : public testing::TestWithParam<RestartCase> {};

TEST_P(X11ScreenSaverSourceTest, OnlyAResetWithoutInputHolds)
{
    const test::XSession& session = XSessionEnvironment::session();
    const std::unique_ptr<X11ScreenSaverSource> source =
        X11ScreenSaverSource::open(session.display());
    ASSERT_NE(source, nullptr);
    EXPECT_FALSE(source->holder(ShutType::PowerOff));
    // What the command restarts must lie clearly after the server's last activity so far.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    const test::CommandResult result = test::RunCommand(session.processSpec(GetParam().command));
    ASSERT_EQ(result.exitCode, 0) << result.err;

    const std::optional<Inhibition> held = source->holder(ShutType::PowerOff);
    EXPECT_EQ(held ? KeptAwakeText(*held) : "", GetParam().holds);
}

INSTANTIATE_TEST_SUITE_P(
    Restarts, X11ScreenSaverSourceTest,
    testing::Values(RestartCase{"ScreenSaverReset",
                                {"xset", "s", "reset"},
                                "Kept awake by an X11 program: screen saver reset"},
                    RestartCase{"KeyPress", {"xdotool", "key", "shift"}, ""},
                    RestartCase{"ButtonClick", {"xdotool", "click", "1"}, ""},
                    RestartCase{"RelativeMotion", {"xdotool", "mousemove_relative", "5", "5"}, ""},
                    // A warp makes no raw motion event; the pointer's new place tells it.
                    RestartCase{"AbsoluteMotion", {"xdotool", "mousemove", "300", "200"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex
