#pragma once

#include "activity_source.h"

#include <memory>
#include <string>

class QSocketNotifier;

namespace lullex {

class X11InputProbe;

// How this session's use is watched, chosen once at start, after the application object.
class SessionActivity {
public:
    // An X11 session reads the keyboard and mouse of the probe opened at start.
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

private:
    SessionActivity() = default;
    void watchWayland();

    std::unique_ptr<X11InputProbe> m_probe;
    std::unique_ptr<ActivitySource> m_source;
    // Reading the connection between samples keeps its queue short.
    std::unique_ptr<QSocketNotifier> m_events;
    std::string m_unseenReason;
};

}  // namespace lullex
