#pragma once

#include "child_process.h"
#include "dbus_daemon.h"
#include "temp_dir.h"

#include <filesystem>
#include <memory>
#include <string>

namespace lullex::test {

enum class CompositorKind { Sway, KWin, Mutter, Weston };

// A real Wayland compositor, headless, with a private runtime directory (and, for KWin and
// Mutter, a private session bus). sway refuses to run as root and runs as the user nobody;
// KWin runs from a copy of its binary, because the installed one carries a file capability
// that a container may not grant. The constructor returns once the compositor accepts clients
// (and, for Mutter, its idle monitor is on the bus) and throws std::runtime_error with the
// compositor's output otherwise. Stopped by pid when the object goes.
class WaylandCompositor {
public:
    explicit WaylandCompositor(CompositorKind kind);
    ~WaylandCompositor();
    WaylandCompositor(const WaylandCompositor&) = delete;
    WaylandCompositor& operator=(const WaylandCompositor&) = delete;

    // The absolute path of the socket: a value for WAYLAND_DISPLAY.
    const std::string& display() const { return m_display; }
    // Empty where the compositor has no bus of its own (sway, Weston).
    std::string sessionBusAddress() const;
    // What a client of this compositor needs: WAYLAND_DISPLAY, XDG_SESSION_TYPE=wayland and
    // the session bus where there is one (a ScopedEnvironment of it serves in-process clients).
    Environment environment() const;

    // Input as a user gives it: a tap of the A key, a pointer move. sway: wtype and swaymsg;
    // KWin: its fake-input protocol. Mutter takes input over D-Bus (see the Mutter tests).
    void tapKey();
    void movePointer();

    // The compositor's output, for assertion messages.
    std::string describe() const;

private:
    void startSway();
    void startKWin();
    void startMutter();
    void startWeston();
    void waitForSocket(const std::string& name);
    ProcessSpec baseSpec(std::vector<std::string> argv) const;

    CompositorKind m_kind;
    TempDir m_runtime;
    TempDir m_home;
    std::unique_ptr<DbusDaemon> m_bus;
    std::unique_ptr<ChildProcess> m_process;
    std::string m_display;
    std::filesystem::path m_swayIpc;
};

}  // namespace lullex::test
