#include "dbus_daemon.h"

#include "readiness_pipe.h"

namespace lullex::test {

namespace {

std::string BusConfig(DbusDaemon::Bus bus, const std::filesystem::path& socket)
{
    const std::string type = bus == DbusDaemon::Bus::System ? "system" : "session";
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig>\n"
           "  <type>" +
           type +
           "</type>\n"
           "  <listen>unix:path=" +
           socket.string() +
           "</listen>\n"
           "  <auth>EXTERNAL</auth>\n"
           "  <policy context=\"default\">\n"
           "    <allow user=\"*\"/>\n"
           "    <allow own=\"*\"/>\n"
           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
           "    <allow eavesdrop=\"true\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}

}  // namespace

DbusDaemon::DbusDaemon(Bus bus) : m_bus(bus), m_dir("lullex-bus")
{
    const auto config = m_dir.file("bus.conf");
    WriteWholeFile(config, BusConfig(bus, m_dir.file("socket")));
    ReadinessPipe ready;
    ProcessSpec spec;
    spec.argv = {"dbus-daemon", "--config-file=" + config.string(), "--nofork", "--nopidfile",
                 "--print-address=3"};
    spec.stdoutPath = m_dir.file("daemon.log");
    spec.stderrPath = spec.stdoutPath;
    spec.passFds = {ready.passAs(3)};
    m_process = std::make_unique<ChildProcess>(spec);
    m_address = ready.readLine(*m_process, "dbus-daemon");
}

DbusDaemon::~DbusDaemon() = default;

Environment DbusDaemon::environment() const
{
    const std::string name =
        m_bus == Bus::System ? "DBUS_SYSTEM_BUS_ADDRESS" : "DBUS_SESSION_BUS_ADDRESS";
    return {{name, m_address}};
}

}  // namespace lullex::test
