// The real program in the test mode on Xvfb: an X11 program that resets the X screen saver at a
// steady rhythm (as `xset s reset` and `xdg-screensaver reset` do), or suspends it, holds the
// countdown off until it stops.
#include "e2e_test_support.h"
#include "lullex_program.h"
#include "wait_until.h"
#include "x_session.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

namespace lullex::test {
namespace {

using Clock = std::chrono::steady_clock;

// Suspends the saver as a player does until it is stopped; the server ends a suspension when
// its client's connection closes.
const char* SuspenderScript = R"(
import ctypes, signal
x11 = ctypes.CDLL('libX11.so.6')
saver = ctypes.CDLL('libXss.so.1')
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
saver.XScreenSaverSuspend(display, 1)
x11.XSync(display, 0)
print('held', flush=True)
signal.pause()
)";

// Longer than the test mode's idle limit of 6 seconds.
constexpr std::chrono::milliseconds HeldLongEnough{12000};
constexpr std::chrono::seconds ResetRhythm{2};

const std::string Countdown = " Enter    , Power Off , Count:   0";
const std::string KeptAwake = " KeptAwake, an X11 pro, Count:";
const std::string Released = " Released , an X11 pro, Count:   0";

enum class Keeper { Resets, Suspension };

ConfigValues NormalLevelTestMode()
{
    ConfigValues config = TestModeConfig();
    config.LogLevel = 2;
    return config;
}

class XScreenSaverTest : public testing::TestWithParam<Keeper> {
protected:
    void run(const std::vector<std::string>& argv)
    {
        const CommandResult result = RunCommand(session.processSpec(argv));
        EXPECT_EQ(result.exitCode, 0) << result.err;
    }
    // A suspension shows only once the server's saver would have started: its timeout is made
    // short. The window manager's connection keeps the setting while the test runs.
    void suspendTheSaver()
    {
        run({"xset", "s", "2", "2"});
        suspender = std::make_unique<ChildProcess>(
            session.processSpec({"/usr/bin/python3", "-c", SuspenderScript}));
        ASSERT_TRUE(WaitUntil([&] { return suspender->stdoutText() == "held\n"; }))
            << suspender->describe();
    }
    // Called at every poll while the program is kept awake.
    void keepAwake()
    {
        if (GetParam() != Keeper::Resets || Clock::now() - lastReset < ResetRhythm)
            return;
        run({"xset", "s", "reset"});
        lastReset = Clock::now();
    }
    bool logged(const LineMatch& line) const
    {
        return program.waitForLine(line, 0, std::chrono::milliseconds(0)).has_value();
    }

    XSession session{{.windowManager = true}};
    LullexProgram program{session, NormalLevelTestMode()};
    std::unique_ptr<ChildProcess> suspender;
    Clock::time_point lastReset = Clock::now() - ResetRhythm;
};

TEST_P(XScreenSaverTest, HoldsTheCountdownUntilTheProgramStops)
{
    if (GetParam() == Keeper::Suspension)
        suspendTheSaver();
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(WaitUntil(
        [&] {
            keepAwake();
            return logged(LineMatch::StartingWith(KeptAwake));
        },
        LongTimeout))
        << program.describe();
    EXPECT_TRUE(StaysTrueFor(
        [&] {
            keepAwake();
            return !logged(Countdown);
        },
        HeldLongEnough))
        << program.describe();

    if (suspender)
        suspender->stop();
    const auto released = program.waitForLine(Released);
    ASSERT_TRUE(released) << program.describe();
    EXPECT_TRUE(program.waitForLine(Countdown, *released)) << program.describe();
}

INSTANTIATE_TEST_SUITE_P(Keepers, XScreenSaverTest,
                         testing::Values(Keeper::Resets, Keeper::Suspension), [](const auto& info) {
                             return info.param == Keeper::Resets ? "ResetsEveryTwoSeconds"
                                                                 : "Suspension";
                         });

}  // namespace
}  // namespace lullex::test
