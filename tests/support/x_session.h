#pragma once

#include "child_process.h"
#include "dbus_daemon.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lullex::test {

struct XSessionOptions {
    // openbox --sm-disable: something that enforces "always on top" and decorates windows.
    bool windowManager = false;
    // A private session bus (dbus-daemon), so nothing autolaunches one that outlives the tests.
    bool sessionBus = false;
    // trayer as the system tray (XEmbed), so programs can show a tray icon.
    bool trayHost = false;
    std::string screen = "1280x800x24";
};

// A virtual X display with, as asked, a window manager, a session bus and a tray host. The
// constructor returns once each part is ready (the display answers, the window manager and
// the tray have announced themselves) and throws std::runtime_error, with the failing
// program's output, otherwise. Everything it started is stopped by pid, in reverse order,
// when it goes. Each part's output is kept in logDir().
class XSession {
public:
    explicit XSession(XSessionOptions options = {});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // ":N"
    const std::string& display() const { return m_display; }
    // The bus address, or empty without a session bus.
    std::string sessionBusAddress() const;
    // A private XDG_RUNTIME_DIR (mode 0700) for the session's programs.
    const std::filesystem::path& runtimeDir() const { return m_runtimeDir; }
    const std::filesystem::path& logDir() const { return m_dir.path(); }

    // The variables a program needs to live in this session: DISPLAY, XDG_RUNTIME_DIR,
    // DBUS_SESSION_BUS_ADDRESS (an address with no daemon behind it when there is no session
    // bus, so that libdbus never autolaunches one), XDG_CONFIG_HOME and XDG_CACHE_HOME (so
    // that no user configuration leaks in).
    Environment environment() const;
    // Variables removed for the session's programs, because they would move a program off
    // this display: WAYLAND_DISPLAY, XDG_SESSION_TYPE, QT_QPA_PLATFORM.
    static const std::vector<std::string>& unsetVariables();
    // A ProcessSpec for argv with environment() set and unsetVariables() removed.
    ProcessSpec processSpec(std::vector<std::string> argv) const;
    // Puts environment() into this test process too (and removes unsetVariables()), for code
    // under test that opens the display in-process. Call it before any thread starts.
    void applyToThisProcess() const;

    // The pids of everything the session started.
    std::vector<pid_t> pids() const;

private:
    void startXServer(const std::string& screen);
    void startWindowManager();
    void startTrayHost();
    std::unique_ptr<ChildProcess> startPart(const std::string& name, std::vector<std::string> argv);

    TempDir m_dir;
    std::filesystem::path m_runtimeDir;
    std::unique_ptr<DbusDaemon> m_bus;
    std::unique_ptr<ChildProcess> m_xServer;
    std::unique_ptr<ChildProcess> m_windowManager;
    std::unique_ptr<ChildProcess> m_trayHost;
    std::string m_display;
};

// One X session shared by every test of a binary. Register it once, at namespace scope in any
// test file (works with gtest_main):
//   const auto* const xEnvironment = ::testing::AddGlobalTestEnvironment(
//       new lullex::test::XSessionEnvironment({.windowManager = true}));
// Tests then reach it with XSessionEnvironment::session(). The session's variables are put
// into the test process, so in-process code opens its display.
class XSessionEnvironment : public ::testing::Environment {
public:
    explicit XSessionEnvironment(XSessionOptions options = {});
    void SetUp() override;
    void TearDown() override;
    // The running shared session; throws std::logic_error when none is running.
    static XSession& session();

private:
    XSessionOptions m_options;
};

}  // namespace lullex::test
