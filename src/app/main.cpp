#include "lullex_app.h"
#include "multi_inst.h"
#include "probe_activity_source.h"
#include "qt_prompter.h"
#include "qt_terminator.h"
#include "single_instance_lock.h"
#include "switches.h"
#include "wayland_session.h"
#include "x11_input_probe.h"

#include <QApplication>
#include <QSocketNotifier>

#include <memory>
#include <string>
#include <vector>

namespace {

std::string argumentTextOf(int argc, char** argv)
{
    return lullex::ArgumentText(std::vector<std::string>(argv + 1, argv + argc));
}

// Without an X connection nothing can be watched: say so and end.
[[noreturn]] void endWithoutInput(const lullex::InputProbeError& error)
{
    lullex::QtPrompter prompter;
    prompter.show({std::string(lullex::ProductName) + " Input Monitoring Error",
                   lullex::BoxIcon::Critical,
                   lullex::BoxButtons::Ok,
                   {error.what(), "The program will now terminate."}});
    lullex::QtTerminator().endProgram(lullex::ExitFatalError);
}

}  // namespace

int main(int argc, char** argv)
{
    // On Wayland only Xwayland's clients reach an X11 probe; run there through Xwayland and let
    // the load step refuse to monitor.
    const bool wayland = lullex::IsWaylandSession();
    if (wayland)
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication application(argc, argv);
    const std::string argumentText = argumentTextOf(argc, argv);

    lullex::SingleInstanceLock lock;
    const bool alreadyRunning = lock.AlreadyRunning(lullex::ProductName);
    if (alreadyRunning && !lullex::ReadSwitches(argumentText).allowMulti) {
        lullex::QtTerminator terminator;
        lullex::MultiInst already(terminator);
        already.show();
        return application.exec();
    }

    std::unique_ptr<lullex::X11InputProbe> probe;
    try {
        probe = std::make_unique<lullex::X11InputProbe>();
    } catch (const lullex::InputProbeError& error) {
        endWithoutInput(error);
    }
    // Reading the connection between samples keeps the server's queue short.
    QSocketNotifier xEvents(probe->connectionFd(), QSocketNotifier::Read);
    QObject::connect(&xEvents, &QSocketNotifier::activated, [&probe] { probe->drainEvents(); });

    lullex::ProbeActivitySource activity(*probe);
    lullex::LullexApp app(activity, !wayland);
    app.load(argumentText);
    return application.exec();
}
