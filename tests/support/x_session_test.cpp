#include "x_session.h"

#include "scoped_env.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <csignal>

namespace lullex::test {
namespace {

bool DisplayAnswers(const std::string& display)
{
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) {
        return false;
    }
    XCloseDisplay(connection);
    return true;
}

bool TrayIsOwned(const std::string& display)
{
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) {
        return false;
    }
    const Atom tray = XInternAtom(connection, "_NET_SYSTEM_TRAY_S0", False);
    const bool owned = XGetSelectionOwner(connection, tray) != None;
    XCloseDisplay(connection);
    return owned;
}

// The output of a command run inside the session, for checking what its programs see.
std::string RunInSession(const XSession& session, const std::string& script)
{
    const CommandResult result = RunCommand(session.processSpec({"sh", "-c", script}));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    return result.out;
}

TEST(XSessionTest, FullSessionRunsEveryPartAndStopsThemAll)
{
    std::vector<pid_t> pids;
    std::string display;
    {
        XSession session({.windowManager = true, .sessionBus = true, .trayHost = true});
        display = session.display();
        pids = session.pids();
        ASSERT_EQ(pids.size(), 4u);
        EXPECT_TRUE(DisplayAnswers(display));
        EXPECT_EQ(RunInSession(session, "xprop -root _NET_SUPPORTING_WM_CHECK | cut -d' ' -f1-4"),
                  "_NET_SUPPORTING_WM_CHECK(WINDOW): window id #\n");
        EXPECT_TRUE(TrayIsOwned(display));
        EXPECT_EQ(RunInSession(session, "dbus-send --session --print-reply --dest=org.freedesktop."
                                        "DBus / org.freedesktop.DBus.GetId >/dev/null && echo ok"),
                  "ok\n");
        EXPECT_EQ(RunInSession(session, "echo \"$DISPLAY $DBUS_SESSION_BUS_ADDRESS\""),
                  display + " " + session.sessionBusAddress() + "\n");
    }
    // Only the pids tell: a test running beside this one may take the freed display number.
    for (pid_t pid : pids) {
        EXPECT_FALSE(ProcessExists(pid)) << "pid " << pid << " still runs";
    }
}

TEST(XSessionTest, BareSessionHasAPrivateRuntimeDirAndNoReachableBus)
{
    const ScopedEnv wayland("WAYLAND_DISPLAY", "wayland-0");
    XSession session;
    EXPECT_EQ(session.pids().size(), 1u);
    EXPECT_EQ(session.sessionBusAddress(), "");
    struct stat info {};
    ASSERT_EQ(stat(session.runtimeDir().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(RunInSession(session, "echo \"$XDG_RUNTIME_DIR ${WAYLAND_DISPLAY-none}\""),
              session.runtimeDir().string() + " none\n");
    // No daemon behind the address, and none autolaunched: the call fails.
    const CommandResult call = RunCommand(
        session.processSpec({"dbus-send", "--session", "--print-reply",
                             "--dest=org.freedesktop.DBus", "/", "org.freedesktop.DBus.GetId"}));
    EXPECT_NE(call.exitCode, 0);
}

TEST(XSessionTest, TwoSessionsGetTwoDisplays)
{
    XSession first;
    XSession second;
    EXPECT_NE(first.display(), second.display());
    EXPECT_TRUE(DisplayAnswers(first.display()));
    EXPECT_TRUE(DisplayAnswers(second.display()));
}

TEST(XSessionTest, ScreenSizeIsTheOneAskedFor)
{
    XSession session({.screen = "640x480x24"});
    Display* connection = XOpenDisplay(session.display().c_str());
    ASSERT_NE(connection, nullptr);
    EXPECT_EQ(DisplayWidth(connection, DefaultScreen(connection)), 640);
    EXPECT_EQ(DisplayHeight(connection, DefaultScreen(connection)), 480);
    XCloseDisplay(connection);
}

}  // namespace
}  // namespace lullex::test
