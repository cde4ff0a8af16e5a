#include "home_page_link.h"
#include "lullex_app.h"
#include "multi_inst.h"
#include "probe_activity_source.h"
#include "prompter.h"
#include "qt_terminator.h"
#include "quit_signals.h"
#include "single_instance_lock.h"
#include "switches.h"
#include "wayland_session.h"
#include "window_display.h"
#include "x11_input_probe.h"

#include <QApplication>
#include <QSocketNotifier>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string argumentTextOf(int argc, char** argv)
{
    return lullex::ArgumentText(std::vector<std::string>(argv + 1, argv + argc));
}

// Without a display the application object would abort, and no box could show: the message
// goes to standard error.
[[noreturn]] void endWithoutDisplay(const std::string& missing)
{
    lullex::WriteToStandardError({std::string(lullex::ProductName) + " Input Monitoring Error",
                                  lullex::BoxIcon::Critical,
                                  lullex::BoxButtons::Ok,
                                  {missing, "The program will now terminate."}});
    lullex::QtTerminator().endProgram(lullex::ExitFatalError);
}

// The keyboard and mouse are watched on the X display; the window shows there on xcb (through
// Xwayland too), or on a compositor where Qt is told to use one. Both are checked before the
// application object is built.
std::unique_ptr<lullex::X11InputProbe> openInputProbeAndDisplay()
{
    std::unique_ptr<lullex::X11InputProbe> probe;
    try {
        probe = std::make_unique<lullex::X11InputProbe>();
    } catch (const lullex::InputProbeError& error) {
        endWithoutDisplay(error.what());
    }
    if (const std::optional<std::string> missing = lullex::MissingWaylandDisplay())
        endWithoutDisplay(*missing);
    return probe;
}

// What ends the program from outside its window takes the window's way out. The signals are
// watched only once the load step is done; one that comes earlier waits in the pipe.
void endLikeAClose(lullex::LullexApp& app, QApplication& application,
                   lullex::QuitSignals& quitSignals, QSocketNotifier& signalled)
{
    QObject::connect(&signalled, &QSocketNotifier::activated, [&app, &quitSignals] {
        if (quitSignals.takeSignals())
            app.close();
    });
    // A session manager ends its clients by asking them to quit. Its earlier request to save
    // (commitDataRequest) is no end yet: the user may still cancel the logout.
    QObject::connect(&application, &QCoreApplication::aboutToQuit, [&app] { app.close(); });
    signalled.setEnabled(true);
}

}  // namespace

int main(int argc, char** argv)
{
    // On Wayland only Xwayland's clients reach an X11 probe; run there through Xwayland and let
    // the load step refuse to monitor.
    const bool wayland = lullex::IsWaylandSession();
    if (wayland)
        qputenv("QT_QPA_PLATFORM", "xcb");
    std::unique_ptr<lullex::X11InputProbe> probe = openInputProbeAndDisplay();
    QApplication application(argc, argv);
    const std::string argumentText = argumentTextOf(argc, argv);

    lullex::SingleInstanceLock lock;
    const bool alreadyRunning = lock.AlreadyRunning(lullex::ProductName);
    if (alreadyRunning && !lullex::ReadSwitches(argumentText).allowMulti) {
        lullex::QtTerminator terminator;
        lullex::MultiInst already(terminator);
        lullex::QtPrompter prompter(&already);
        lullex::HomePageLink homePage(prompter);
        QObject::connect(&already, &lullex::MultiInst::logoClicked,
                         [&homePage] { homePage.OpenHomePage(lullex::LogoBoxTitle()); });
        already.show();
        return application.exec();
    }

    lullex::QuitSignals quitSignals;
    QSocketNotifier signalled(quitSignals.readFd(), QSocketNotifier::Read);
    signalled.setEnabled(false);
    // Reading the connection between samples keeps the server's queue short.
    QSocketNotifier xEvents(probe->connectionFd(), QSocketNotifier::Read);
    QObject::connect(&xEvents, &QSocketNotifier::activated, [&probe] { probe->drainEvents(); });

    lullex::ProbeActivitySource activity(*probe);
    lullex::LullexApp app(activity, !wayland);
    app.load(argumentText);
    endLikeAClose(app, application, quitSignals, signalled);
    return application.exec();
}
