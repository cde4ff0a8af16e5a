#pragma once

#include "about_screen_opener.h"
#include "app_state.h"
#include "clock.h"
#include "config_screen_opener.h"
#include "dbus_logind_bus.h"
#include "event_log.h"
#include "home_page_link.h"
#include "input_aware_initialiser.h"
#include "input_sampler.h"
#include "keep_awake_watch.h"
#include "load_step.h"
#include "logind_inhibitor_source.h"
#include "logind_power_actions.h"
#include "lullex_main.h"
#include "main_config_applier.h"
#include "monitor_state_machine.h"
#include "port_binder.h"
#include "qt_main_timer.h"
#include "qt_prompter.h"
#include "qt_terminator.h"
#include "screen_saver_service.h"
#include "settings_store.h"
#include "tag_receiver.h"
#include "tag_sender.h"
#include "udp_link_transport.h"
#include "window_presenter.h"
#include "xdg_file_viewer.h"

#include <string>

namespace lullex {

class ActivitySource;

// Every object of a running main window, built in the order they depend on each other.
class LullexApp {
public:
    // unseenReason: non-empty where this session's activity cannot be seen (the refusal).
    LullexApp(ActivitySource& activity, const std::string& unseenReason);
    LullexApp(const LullexApp&) = delete;
    LullexApp& operator=(const LullexApp&) = delete;

    // The main window's load step; the window shows (or goes to the tray) at its end.
    void load(const std::string& argumentText);

    // Ends the program as closing the main window does, "Exit" entry included: for what ends
    // it from outside the window (a signal, the end of the session).
    void close();
    // The window cannot stay on top here, neither by the setting nor for the countdown: say so
    // in the log.
    void noteTopmostUnavailable();

    // One more way for programs to keep the computer awake, asked after the desktop's and
    // logind's. Added before load().
    void addKeepAwakeSource(KeepAwakeSource& source) { m_keepAwake.addSource(source); }

    Terminator& terminator() { return m_terminator; }

private:
    void connectWindow();

    AppState m_state;
    SystemClock m_clock;
    QtTerminator m_terminator;
    LullexMain m_window;
    QtPrompter m_prompter{&m_window};
    QtMainTimer m_timer;
    UdpLinkTransport m_transport{m_state.settings};
    PortBinder m_portBinder{m_state, m_transport, m_prompter, m_timer, m_terminator};
    SettingsStore m_store{m_state, m_prompter, m_timer, m_terminator, m_portBinder, m_clock};
    InputAwareInitialiser m_initialiser;
    EventLog m_log{m_state, m_prompter, m_timer, m_terminator, m_clock};
    InputSampler m_sampler;
    WindowPresenter m_presenter{m_state, m_window};
    DBusLogindBus m_logind;
    LogindPowerActions m_power;
    TagSender m_sender{m_state, m_transport};
    LogindInhibitorSource m_inhibitorLocks;
    ScreenSaverService m_screenSaver;
    KeepAwakeWatch m_keepAwake{m_state, m_log, m_window};
    MonitorStateMachine m_machine;
    TagReceiver m_receiver{m_state, m_window, m_machine, m_transport};
    LoadStep m_loadStep;
    MainConfigApplier m_configApplier{m_state, m_initialiser, m_machine, m_presenter, m_log};
    XdgFileViewer m_fileViewer;
    HomePageLink m_homePage{m_prompter};
    ConfigScreenOpener m_configScreen;
    AboutScreenOpener m_aboutScreen{m_state, m_homePage};
};

}  // namespace lullex
