// The real program in the test mode on a private session bus where no desktop owns
// org.freedesktop.ScreenSaver: Lullex answers for it, and a player's inhibition holds the
// countdown off until it lets go, by UnInhibit or by leaving the bus.
#include "e2e_test_support.h"
#include "lullex_program.h"
#include "wait_until.h"
#include "x_session.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>

namespace lullex::test {
namespace {

// Inhibits as a player does once Lullex owns the name; SIGUSR1 calls UnInhibit, SIGTERM leaves
// the bus with the cookie still held.
const char* PlayerScript = R"(
import dbus, signal, sys, time
bus = dbus.SessionBus()
for attempt in range(600):
    try:
        saver = dbus.Interface(bus.get_object('org.freedesktop.ScreenSaver',
            '/org/freedesktop/ScreenSaver'), 'org.freedesktop.ScreenSaver')
        cookie = saver.Inhibit(sys.argv[1], 'video playing')
        break
    except dbus.DBusException:
        time.sleep(0.1)
print('held', flush=True)
def release(*_):
    saver.UnInhibit(cookie)
    print('released', flush=True)
signal.signal(signal.SIGUSR1, release)
while True:
    signal.pause()
)";

// Longer than the test mode's idle limit of 6 seconds.
constexpr std::chrono::milliseconds HeldLongEnough{10000};

const std::string Countdown = " Enter    , Power Off , Count:   0";

// Event entries only, so that they can be compared whole.
ConfigValues NormalLevel(ConfigValues config)
{
    config.LogLevel = 2;
    return config;
}

class ScreenSaverTest : public testing::Test {
protected:
    std::unique_ptr<ChildProcess> play(const std::string& application)
    {
        auto player = std::make_unique<ChildProcess>(
            session.processSpec({"/usr/bin/python3", "-c", PlayerScript, application}));
        EXPECT_TRUE(WaitUntil([&] { return player->stdoutText() == "held\n"; }, LongTimeout))
            << player->describe();
        return player;
    }

    XSession session{{.windowManager = true, .sessionBus = true}};
    LullexProgram program{session, NormalLevel(TestModeConfig())};
};

TEST_F(ScreenSaverTest, APlayersInhibitionHoldsUntilEveryClientLetsGo)
{
    StartCutOff(program, {"-InhibitShutdown"});
    auto film = play("Firefox");
    auto music = play("mpv");
    ASSERT_TRUE(program.waitForLine(" KeptAwake, Firefox   , Count:   0")) << program.describe();

    // UnInhibit drops only the caller's cookie: the other player still holds.
    ::kill(film->pid(), SIGUSR1);
    ASSERT_TRUE(WaitUntil([&] { return film->stdoutText() == "held\nreleased\n"; }))
        << film->describe();
    EXPECT_FALSE(program.waitForLine(Countdown, 0, HeldLongEnough)) << program.describe();

    // A player that leaves the bus without UnInhibit lets go too.
    music->stop();
    const auto released = program.waitForLine(" Released , mpv       , Count:   0");
    ASSERT_TRUE(released) << program.describe();
    EXPECT_TRUE(program.waitForLine(Countdown, *released)) << program.describe();
}

}  // namespace
}  // namespace lullex::test
