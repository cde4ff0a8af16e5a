#include "home_page_link.h"
#include "lullex_app.h"
#include "multi_inst.h"
#include "prompter.h"
#include "qt_terminator.h"
#include "quit_signals.h"
#include "session_activity.h"
#include "single_instance_lock.h"
#include "switches.h"
#include "wayland_session.h"
#include "window_display.h"
#include "window_platform.h"
#include "x11_input_probe.h"

#include <QApplication>
#include <QSocketNotifier>

#include <iostream>
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

// In an X11 session the keyboard and mouse are watched on the X display, where the window shows
// too. It is opened before the application object, which would abort without it.
std::unique_ptr<lullex::X11InputProbe> openInputProbe()
{
    try {
        return std::make_unique<lullex::X11InputProbe>();
    } catch (const lullex::InputProbeError& error) {
        endWithoutDisplay(error.what());
    }
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
    // In a Wayland session the compositor says whether the seat is used, and the window runs
    // through Xwayland where it can, so that it can stay on top and find the tray as on X11.
    const bool wayland = lullex::IsWaylandSession();
    const std::string windowPlatform = wayland ? lullex::WindowPlatformForWayland() : "";
    std::unique_ptr<lullex::X11InputProbe> probe;
    if (wayland)
        qputenv("QT_QPA_PLATFORM", windowPlatform.c_str());
    else
        probe = openInputProbe();
    if (const std::optional<std::string> missing = lullex::MissingWaylandDisplay())
        endWithoutDisplay(*missing);
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
    const std::unique_ptr<lullex::SessionActivity> activity =
        wayland ? lullex::SessionActivity::forWayland()
                : lullex::SessionActivity::forX11(std::move(probe));

    lullex::LullexApp app(activity->source(), activity->unseenReason());
    if (lullex::KeepAwakeSource* keepAwake = activity->keepAwake())
        app.addKeepAwakeSource(*keepAwake);
    app.load(argumentText);
    if (windowPlatform == "wayland") {
        std::cerr << lullex::TopmostUnavailableText << std::endl;
        app.noteTopmostUnavailable();
    }
    endLikeAClose(app, application, quitSignals, signalled);
    return application.exec();
}
