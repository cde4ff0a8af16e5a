#include "x_session.h"

#include "readiness_pipe.h"
#include "wait_until.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace lullex::test {

namespace {

// True when the window manager has published its check window on the root window.
bool HasWindowManager(Display* display)
{
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                          XA_WINDOW, &type, &format, &count, &remaining, &data);
    if (data != nullptr) {
        XFree(data);
    }
    return status == Success && type == XA_WINDOW && count == 1;
}

// True when the window has a WM_STATE, which the window manager gives the windows it manages.
bool IsManaged(Display* display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(display, window, XInternAtom(display, "WM_STATE", False), 0, 1, False,
                       AnyPropertyType, &type, &format, &count, &remaining, &data);
    if (data != nullptr) {
        XFree(data);
    }
    return type != None;
}

// True when a system tray owns the tray selection of the default screen.
bool HasTray(Display* display)
{
    const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(display));
    return XGetSelectionOwner(display, XInternAtom(display, name.c_str(), False)) != None;
}

}  // namespace

XSession::XSession(XSessionOptions options) : m_dir("lullex-x"), m_runtimeDir(m_dir.file("runtime"))
{
    std::filesystem::create_directory(m_runtimeDir);
    std::filesystem::permissions(m_runtimeDir, std::filesystem::perms::owner_all);
    if (options.sessionBus) {
        m_bus = std::make_unique<DbusDaemon>(DbusDaemon::Bus::Session);
    }
    startXServer(options.screen);
    if (options.windowManager) {
        startWindowManager();
    }
    if (options.trayHost) {
        startTrayHost();
    }
}

XSession::~XSession() = default;

void XSession::startXServer(const std::string& screen)
{
    ReadinessPipe ready;
    ProcessSpec spec;
    // -noreset: without it the server resets itself whenever its last client leaves, and a
    // test that connects in that moment fails.
    spec.argv = {"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"};
    spec.stdoutPath = m_dir.file("xvfb.log");
    spec.stderrPath = spec.stdoutPath;
    spec.passFds = {ready.passAs(3)};
    m_xServer = std::make_unique<ChildProcess>(spec);
    m_display = ":" + ready.readLine(*m_xServer, "Xvfb");
}

std::unique_ptr<ChildProcess> XSession::startPart(const std::string& name,
                                                  std::vector<std::string> argv)
{
    ProcessSpec spec = processSpec(std::move(argv));
    spec.stdoutPath = m_dir.file(name + ".log");
    spec.stderrPath = spec.stdoutPath;
    return std::make_unique<ChildProcess>(spec);
}

namespace {

void WaitForPart(const std::string& display, ChildProcess& part, const std::string& name,
                 const std::function<bool(Display*)>& isReady)
{
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) {
        throw std::runtime_error("cannot open display " + display + " to wait for " + name);
    }
    bool ended = false;
    const bool ready = WaitUntil([&] {
        ended = !part.running();
        return ended || isReady(connection);
    });
    XCloseDisplay(connection);
    if (ended || !ready) {
        throw std::runtime_error(name + (ended ? " ended" : " did not become ready") +
                                 " on display " + display + ": " + part.describe());
    }
}

}  // namespace

void XSession::startWindowManager()
{
    m_windowManager = startPart("openbox", {"openbox", "--sm-disable"});
    WaitForPart(m_display, *m_windowManager, "openbox", HasWindowManager);
    // openbox announces itself a moment before it handles map requests, and a window whose
    // request came in between stays unmapped for good: ready once it manages a probe window,
    // whose map is asked again now and then (the probe goes with the connection).
    Window probe = None;
    int polls = 0;
    WaitForPart(m_display, *m_windowManager, "openbox", [&](Display* display) {
        if (probe == None)
            probe = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
        if (polls++ % 50 == 0)
            XMapWindow(display, probe);
        return IsManaged(display, probe);
    });
}

void XSession::startTrayHost()
{
    m_trayHost = startPart("trayer", {"trayer", "--edge", "top", "--align", "right", "--widthtype",
                                      "request", "--height", "24"});
    WaitForPart(m_display, *m_trayHost, "trayer", HasTray);
}

std::string XSession::sessionBusAddress() const
{
    return m_bus ? m_bus->address() : std::string();
}

Environment XSession::environment() const
{
    const std::string noBus = "unix:path=" + m_dir.file("no-session-bus").string();
    return {
        {"DISPLAY", m_display},
        {"XDG_RUNTIME_DIR", m_runtimeDir.string()},
        {"DBUS_SESSION_BUS_ADDRESS", m_bus ? m_bus->address() : noBus},
        {"XDG_CONFIG_HOME", m_dir.file("config").string()},
        {"XDG_CACHE_HOME", m_dir.file("cache").string()},
    };
}

const std::vector<std::string>& XSession::unsetVariables()
{
    static const std::vector<std::string> names = {"WAYLAND_DISPLAY", "XDG_SESSION_TYPE",
                                                   "QT_QPA_PLATFORM"};
    return names;
}

ProcessSpec XSession::processSpec(std::vector<std::string> argv) const
{
    ProcessSpec spec;
    spec.argv = std::move(argv);
    spec.setEnvironment = environment();
    spec.unsetEnvironment = unsetVariables();
    return spec;
}

void XSession::applyToThisProcess() const
{
    for (const auto& name : unsetVariables()) {
        unsetenv(name.c_str());
    }
    for (const auto& [name, value] : environment()) {
        setenv(name.c_str(), value.c_str(), 1);
    }
}

std::vector<pid_t> XSession::pids() const
{
    std::vector<pid_t> result;
    if (m_bus) {
        result.push_back(m_bus->pid());
    }
    for (const auto* part : {&m_xServer, &m_windowManager, &m_trayHost}) {
        if (*part) {
            result.push_back((*part)->pid());
        }
    }
    return result;
}

namespace {

std::unique_ptr<XSession>& SharedSession()
{
    static std::unique_ptr<XSession> session;
    return session;
}

}  // namespace

XSessionEnvironment::XSessionEnvironment(XSessionOptions options) : m_options(std::move(options))
{
}

void XSessionEnvironment::SetUp()
{
    try {
        SharedSession() = std::make_unique<XSession>(m_options);
        SharedSession()->applyToThisProcess();
    } catch (const std::exception& error) {
        FAIL() << "cannot start the shared X session: " << error.what();
    }
}

void XSessionEnvironment::TearDown()
{
    SharedSession().reset();
}

XSession& XSessionEnvironment::session()
{
    if (!SharedSession()) {
        throw std::logic_error("no shared X session is running: register XSessionEnvironment");
    }
    return *SharedSession();
}

}  // namespace lullex::test
