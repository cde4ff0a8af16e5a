#pragma once

#include "child_process.h"
#include "temp_dir.h"

#include <memory>
#include <string>

namespace lullex::test {

// A private D-Bus daemon on a socket in its own temporary directory, allowing everything and
// activating nothing, stopped by its pid when the object goes. A session bus keeps libdbus
// from autolaunching a daemon that would outlive the tests; a system bus stands in for the
// machine's (for a mock logind, e.g. "python3 -m dbusmock --system --template logind").
class DbusDaemon {
public:
    enum class Bus { Session, System };

    explicit DbusDaemon(Bus bus = Bus::Session);
    ~DbusDaemon();
    DbusDaemon(const DbusDaemon&) = delete;
    DbusDaemon& operator=(const DbusDaemon&) = delete;

    // "unix:path=...", as the daemon printed it once it was ready.
    const std::string& address() const { return m_address; }
    // The variable through which libraries find this bus, set to its address:
    // DBUS_SESSION_BUS_ADDRESS or DBUS_SYSTEM_BUS_ADDRESS.
    Environment environment() const;
    pid_t pid() const { return m_process->pid(); }

private:
    Bus m_bus;
    TempDir m_dir;
    std::unique_ptr<ChildProcess> m_process;
    std::string m_address;
};

}  // namespace lullex::test
