#include "session_activity.h"

#include "mutter_idle_source.h"
#include "probe_activity_source.h"
#include "wayland_idle_source.h"
#include "x11_input_probe.h"
#include "x11_screen_saver_source.h"

#include <QSocketNotifier>

#include <cctype>

namespace lullex {
namespace {

std::string sentence(std::string clause)
{
    if (!clause.empty())
        clause.front() = static_cast<char>(std::toupper(static_cast<unsigned char>(clause[0])));
    return clause + ".";
}

}  // namespace

SessionActivity::~SessionActivity() = default;

std::unique_ptr<SessionActivity> SessionActivity::forX11(std::unique_ptr<X11InputProbe> probe)
{
    std::unique_ptr<SessionActivity> session(new SessionActivity);
    session->m_probe = std::move(probe);
    X11InputProbe* watched = session->m_probe.get();
    session->m_source = std::make_unique<ProbeActivitySource>(*watched);
    session->m_events =
        std::make_unique<QSocketNotifier>(watched->connectionFd(), QSocketNotifier::Read);
    QObject::connect(session->m_events.get(), &QSocketNotifier::activated,
                     [watched] { watched->drainEvents(); });
    session->watchScreenSaver();
    return session;
}

std::unique_ptr<SessionActivity> SessionActivity::forWayland()
{
    std::unique_ptr<SessionActivity> session(new SessionActivity);
    session->watchWayland();
    return session;
}

KeepAwakeSource* SessionActivity::keepAwake()
{
    return m_screenSaver.get();
}

void SessionActivity::watchScreenSaver()
{
    m_screenSaver = X11ScreenSaverSource::open();
    if (!m_screenSaver)
        return;
    m_screenSaverEvents =
        std::make_unique<QSocketNotifier>(m_screenSaver->connectionFd(), QSocketNotifier::Read);
    QObject::connect(m_screenSaverEvents.get(), &QSocketNotifier::activated,
                     [source = m_screenSaver.get()] { source->drainEvents(); });
}

void SessionActivity::watchWayland()
{
    std::string compositorMissing;
    try {
        auto notification = std::make_unique<WaylandIdleSource>();
        m_events =
            std::make_unique<QSocketNotifier>(notification->connectionFd(), QSocketNotifier::Read);
        QObject::connect(m_events.get(), &QSocketNotifier::activated,
                         [source = notification.get(), events = m_events.get()] {
                             source->drainEvents();
                             // A closed socket stays readable: stop listening to it.
                             if (source->failed())
                                 events->setEnabled(false);
                         });
        m_source = std::move(notification);
        return;
    } catch (const WaylandIdleError& error) {
        compositorMissing = error.what();
    }
    try {
        m_source = std::make_unique<MutterIdleSource>();
        return;
    } catch (const MutterIdleError& error) {
        m_unseenReason = sentence(compositorMissing + ", and " + error.what());
    }
    m_source = std::make_unique<UnseenActivity>();
}

}  // namespace lullex
