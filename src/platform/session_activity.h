#pragma once

#include "activity_source.h"

#include <memory>
#include <string>

class QSocketNotifier;

namespace lullex {

class KeepAwakeSource;
class X11InputProbe;
class X11ScreenSaverSource;

// How this session's use is watched, chosen once at start, after the application object.
class SessionActivity {
public:
    // An X11 session reads the keyboard and mouse of the probe opened at start; its X screen
    // saver's resets and suspensions keep the computer awake, where the display offers
    // MIT-SCREEN-SAVER.
    static std::unique_ptr<SessionActivity> forX11(std::unique_ptr<X11InputProbe> probe);
    // A Wayland session asks the compositor (ext-idle-notify-v1, else org_kde_kwin_idle), else
    // GNOME's idle monitor. Where none of them answers, the source never answers Idle and
    // unseenReason() says what was looked for.
    static std::unique_ptr<SessionActivity> forWayland();
    ~SessionActivity();
    SessionActivity(const SessionActivity&) = delete;
    SessionActivity& operator=(const SessionActivity&) = delete;

    ActivitySource& source() { return *m_source; }
    // Empty where activity can be seen; else one sentence for the refusal box.
    const std::string& unseenReason() const { return m_unseenReason; }
    // What this session's display says about programs keeping the computer awake; null where
    // it says nothing.
    KeepAwakeSource* keepAwake();

private:
    SessionActivity() = default;
    void watchWayland();
    void watchScreenSaver();

    std::unique_ptr<X11InputProbe> m_probe;
    std::unique_ptr<ActivitySource> m_source;
    // Reading the connection between samples keeps its queue short.
    std::unique_ptr<QSocketNotifier> m_events;
    std::string m_unseenReason;
    std::unique_ptr<X11ScreenSaverSource> m_screenSaver;
    std::unique_ptr<QSocketNotifier> m_screenSaverEvents;
};

}  // namespace lullex
