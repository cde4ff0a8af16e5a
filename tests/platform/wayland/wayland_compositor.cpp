#include "wayland_compositor.h"

#include "wait_until.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <regex>
#include <stdexcept>

namespace lullex::test {
namespace {

// sway will not run as root; as root the tests run it as nobody, who owns nothing else.
constexpr uid_t SwayUser = 65534;
constexpr gid_t SwayGroup = 65534;

const std::filesystem::path KWinCopyName = "kwin_wayland";

bool Connectable(const std::filesystem::path& socketPath)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
    const bool connected =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return connected;
}

// sway picks the first free name itself ("wayland-1").
std::string FindWaylandSocket(const std::filesystem::path& dir)
{
    static const std::regex name("wayland-[0-9]+");
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string file = entry.path().filename().string();
        if (std::regex_match(file, name) && entry.is_socket())
            return file;
    }
    return {};
}

bool MutterIdleMonitorOnBus(const Environment& bus)
{
    ProcessSpec spec;
    spec.argv = {"dbus-send",
                 "--session",
                 "--print-reply",
                 "--dest=org.freedesktop.DBus",
                 "/org/freedesktop/DBus",
                 "org.freedesktop.DBus.NameHasOwner",
                 "string:org.gnome.Mutter.IdleMonitor"};
    spec.setEnvironment = bus;
    const CommandResult result = RunCommand(spec, std::chrono::milliseconds(5000));
    return result.exitCode == 0 && result.out.find("boolean true") != std::string::npos;
}

}  // namespace

WaylandCompositor::WaylandCompositor(CompositorKind kind)
    : m_kind(kind), m_runtime("lullex-wayland"), m_home("lullex-wayland-home")
{
    switch (kind) {
    case CompositorKind::Sway:
        startSway();
        break;
    case CompositorKind::KWin:
        startKWin();
        break;
    case CompositorKind::Mutter:
        startMutter();
        break;
    case CompositorKind::Weston:
        startWeston();
        break;
    }
}

WaylandCompositor::~WaylandCompositor() = default;

ProcessSpec WaylandCompositor::baseSpec(std::vector<std::string> argv) const
{
    ProcessSpec spec;
    spec.argv = std::move(argv);
    spec.setEnvironment = {{"XDG_RUNTIME_DIR", m_runtime.path().string()},
                           {"HOME", m_home.path().string()},
                           {"XDG_CONFIG_HOME", m_home.file("config").string()},
                           {"XDG_CACHE_HOME", m_home.file("cache").string()},
                           {"XDG_DATA_HOME", m_home.file("data").string()}};
    spec.unsetEnvironment = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE", "QT_QPA_PLATFORM",
                             "DBUS_SESSION_BUS_ADDRESS"};
    if (m_bus) {
        for (const auto& [name, value] : m_bus->environment())
            spec.setEnvironment[name] = value;
    }
    spec.stdoutPath = m_home.file("compositor.log");
    spec.stderrPath = spec.stdoutPath;
    return spec;
}

void WaylandCompositor::waitForSocket(const std::string& name)
{
    std::string found = name;
    const bool ready = WaitUntil([&] {
        if (!m_process->running())
            return false;
        if (name.empty())
            found = FindWaylandSocket(m_runtime.path());
        return !found.empty() && Connectable(m_runtime.file(found));
    });
    if (!ready)
        throw std::runtime_error("the compositor did not come up:\n" + describe());
    m_display = m_runtime.file(found).string();
}

void WaylandCompositor::startSway()
{
    const auto config = m_home.file("sway.conf");
    WriteWholeFile(config, "output HEADLESS-1 resolution 800x600\nxwayland disable\n");
    std::vector<std::string> command{"sway", "-c", config.string()};
    if (geteuid() == 0) {
        // Both directories must be the user's own: sway checks its runtime directory.
        for (const TempDir* dir : {&m_runtime, &m_home}) {
            if (chown(dir->path().c_str(), SwayUser, SwayGroup) != 0)
                throw std::runtime_error("cannot hand " + dir->path().string() + " to nobody");
        }
        command.insert(command.begin(),
                       {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"});
    }
    ProcessSpec spec = baseSpec(std::move(command));
    spec.setEnvironment["WLR_BACKENDS"] = "headless";
    spec.setEnvironment["WLR_LIBINPUT_NO_DEVICES"] = "1";
    spec.setEnvironment["WLR_RENDERER"] = "pixman";
    m_process = std::make_unique<ChildProcess>(spec);
    waitForSocket({});
    WaitUntil([&] {
        for (const auto& entry : std::filesystem::directory_iterator(m_runtime.path())) {
            if (entry.path().filename().string().starts_with("sway-ipc."))
                m_swayIpc = entry.path();
        }
        return !m_swayIpc.empty();
    });
}

void WaylandCompositor::startKWin()
{
    m_bus = std::make_unique<DbusDaemon>();
    // KWin's own platform plugin loads only into a program called kwin_wayland.
    const auto binary = m_home.file("bin") / KWinCopyName;
    std::filesystem::create_directories(binary.parent_path());
    std::filesystem::copy_file("/usr/bin/kwin_wayland", binary);
    ProcessSpec spec = baseSpec({binary.string(), "--virtual", "--no-lockscreen", "--socket",
                                 "lullex-kwin", "--width", "800", "--height", "600"});
    // Lets the test's input helper use the fake-input protocol without a desktop file.
    spec.setEnvironment["KWIN_WAYLAND_NO_PERMISSION_CHECKS"] = "1";
    m_process = std::make_unique<ChildProcess>(spec);
    waitForSocket("lullex-kwin");
}

void WaylandCompositor::startMutter()
{
    m_bus = std::make_unique<DbusDaemon>();
    ProcessSpec spec =
        baseSpec({"mutter", "--wayland", "--headless", "--no-x11", "--virtual-monitor", "800x600",
                  "--wayland-display", "lullex-mutter"});
    spec.setEnvironment["GSETTINGS_BACKEND"] = "memory";
    m_process = std::make_unique<ChildProcess>(spec);
    waitForSocket("lullex-mutter");
    if (!WaitUntil([&] { return MutterIdleMonitorOnBus(m_bus->environment()); }))
        throw std::runtime_error("mutter's idle monitor never came on the bus:\n" + describe());
}

void WaylandCompositor::startWeston()
{
    m_process = std::make_unique<ChildProcess>(baseSpec(
        {"weston", "--backend=headless-backend.so", "--socket=lullex-weston", "--idle-time=0"}));
    waitForSocket("lullex-weston");
}

std::string WaylandCompositor::sessionBusAddress() const
{
    return m_bus ? m_bus->address() : std::string();
}

Environment WaylandCompositor::environment() const
{
    Environment variables = {{"WAYLAND_DISPLAY", m_display}, {"XDG_SESSION_TYPE", "wayland"}};
    if (m_bus)
        variables["DBUS_SESSION_BUS_ADDRESS"] = m_bus->address();
    return variables;
}

void WaylandCompositor::tapKey()
{
    ProcessSpec spec;
    spec.setEnvironment = {{"WAYLAND_DISPLAY", m_display}};
    if (m_kind == CompositorKind::Sway)
        spec.argv = {"wtype", "a"};
    else if (m_kind == CompositorKind::KWin)
        spec.argv = {KWIN_FAKE_INPUT, "key"};
    else
        throw std::logic_error("no key input for this compositor here");
    const CommandResult result = RunCommand(spec);
    if (result.exitCode != 0)
        throw std::runtime_error("key input failed: " + result.err);
}

void WaylandCompositor::movePointer()
{
    ProcessSpec spec;
    spec.setEnvironment = {{"WAYLAND_DISPLAY", m_display}};
    if (m_kind == CompositorKind::Sway)
        spec.argv = {"swaymsg", "-s", m_swayIpc.string(), "seat", "-", "cursor", "move", "7", "5"};
    else if (m_kind == CompositorKind::KWin)
        spec.argv = {KWIN_FAKE_INPUT, "move"};
    else
        throw std::logic_error("no pointer input for this compositor here");
    const CommandResult result = RunCommand(spec);
    if (result.exitCode != 0)
        throw std::runtime_error("pointer input failed: " + result.err + result.out);
}

std::string WaylandCompositor::describe() const
{
    std::string text = m_process ? m_process->describe() : "not started";
    try {
        text += "\n--- compositor output ---\n" + ReadWholeFile(m_home.file("compositor.log"));
    } catch (const std::runtime_error&) {
        // No output yet.
    }
    return text;
}

}  // namespace lullex::test
