// The real program in the test mode on a private session bus. Where no desktop owns
// org.freedesktop.ScreenSaver, Lullex answers for it, and a player's inhibition holds the
// countdown off until it lets go, by UnInhibit or by leaving the bus. Where a desktop owns it, or
// takes it over later, Lullex asks the desktop instead (KDE's HasInhibit, GNOME's IsInhibited).
#include "e2e_test_support.h"
#include "lullex_program.h"
#include "wait_until.h"
#include "x_session.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <ostream>
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

// A desktop that owns the screen saver's name and says it is inhibited until SIGUSR1. "kde"
// answers HasInhibit, "gnome" IsInhibited for the idle flag 8; "later" takes the name over from
// Lullex, as a desktop service that starts after it would.
const char* DesktopScript = R"(
import dbus, dbus.service, dbus.mainloop.glib, signal, sys
from gi.repository import GLib
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
inhibited = True
class Kde(dbus.service.Object):
    @dbus.service.method('org.freedesktop.PowerManagement.Inhibit', out_signature='b')
    def HasInhibit(self):
        return inhibited
class Gnome(dbus.service.Object):
    @dbus.service.method('org.gnome.SessionManager', in_signature='u', out_signature='b')
    def IsInhibited(self, flags):
        return inhibited and flags == 8
later = sys.argv[2] == 'later'
if later:
    while not bus.name_has_owner('org.freedesktop.ScreenSaver'):
        GLib.usleep(100000)
names = [dbus.service.BusName('org.freedesktop.ScreenSaver', bus, replace_existing=later)]
if sys.argv[1] == 'kde':
    names.append(dbus.service.BusName('org.freedesktop.PowerManagement', bus))
    desktop = Kde(bus, '/org/freedesktop/PowerManagement/Inhibit')
else:
    names.append(dbus.service.BusName('org.gnome.SessionManager', bus))
    desktop = Gnome(bus, '/org/gnome/SessionManager')
def release():
    global inhibited
    inhibited = False
    return True
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, release)
print('owner' if bus.get_name_owner('org.freedesktop.ScreenSaver') == bus.get_unique_name()
      else 'not owner', flush=True)
GLib.MainLoop().run()
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

struct DesktopRow {
    const char* desktop;
    const char* arrives;
};

void PrintTo(const DesktopRow& row, std::ostream* out)
{
    *out << row.desktop << " " << row.arrives;
}

class DesktopInhibitionTest : public ScreenSaverTest,
                              public testing::WithParamInterface<DesktopRow> {
protected:
    std::unique_ptr<ChildProcess> startDesktop()
    {
        auto desktop = std::make_unique<ChildProcess>(session.processSpec(
            {"/usr/bin/python3", "-c", DesktopScript, GetParam().desktop, GetParam().arrives}));
        EXPECT_TRUE(WaitUntil([&] { return desktop->stdoutText() == "owner\n"; }, LongTimeout))
            << desktop->describe();
        return desktop;
    }
};

TEST_P(DesktopInhibitionTest, TheDesktopsInhibitionHoldsUntilItEnds)
{
    const bool later = std::string(GetParam().arrives) == "later";
    std::unique_ptr<ChildProcess> desktop;
    if (!later)
        desktop = startDesktop();
    StartCutOff(program, {"-InhibitShutdown"});
    // Started later, the desktop waits until Lullex owns the name and then takes it over.
    if (later)
        desktop = startDesktop();
    ASSERT_TRUE(program.waitForLine(LineMatch::StartingWith(" KeptAwake,"))) << program.describe();
    EXPECT_FALSE(program.waitForLine(Countdown, 0, HeldLongEnough)) << program.describe();

    ::kill(desktop->pid(), SIGUSR1);
    const auto released = program.waitForLine(LineMatch::StartingWith(" Released ,"));
    ASSERT_TRUE(released) << program.describe();
    EXPECT_TRUE(program.waitForLine(Countdown, *released)) << program.describe();
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopInhibitionTest,
                         testing::Values(DesktopRow{"kde", "first"}, DesktopRow{"gnome", "first"},
                                         DesktopRow{"gnome", "later"}),
                         [](const auto& row) {
                             return std::string(row.param.desktop) + "_" + row.param.arrives;
                         });

}  // namespace
}  // namespace lullex::test
