#include "screen_saver_service.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusReply>

namespace lullex {
namespace {

const QString ServiceName = QStringLiteral("org.freedesktop.ScreenSaver");
// GNOME's inhibit flag for "the session is not idle".
constexpr uint GnomeIdleFlag = 8;

}  // namespace

ScreenSaverService::ScreenSaverService(QObject* parent)
    : QObject(parent), m_bus(QDBusConnection::sessionBus())
{
    if (!m_bus.isConnected())
        return;
    m_clients.setConnection(m_bus);
    m_clients.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&m_clients, &QDBusServiceWatcher::serviceUnregistered, this,
            &ScreenSaverService::onClientLeft);
    // Both paths are in use: the standard one and the one older clients call.
    for (const QString& path :
         {QStringLiteral("/org/freedesktop/ScreenSaver"), QStringLiteral("/ScreenSaver")})
        m_bus.registerObject(path, this, QDBusConnection::ExportScriptableSlots);
    QDBusConnectionInterface* busInterface = m_bus.interface();
    m_nameOwner.setConnection(m_bus);
    m_nameOwner.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_nameOwner.addWatchedService(ServiceName);
    connect(&m_nameOwner, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &ScreenSaverService::onOwnerChanged);
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> registered =
        busInterface->registerService(ServiceName, QDBusConnectionInterface::DontQueueService,
                                      QDBusConnectionInterface::AllowReplacement);
    m_owner =
        registered.isValid() && registered.value() == QDBusConnectionInterface::ServiceRegistered;
}

ScreenSaverService::~ScreenSaverService() = default;

std::optional<Inhibition> ScreenSaverService::holder(ShutType)
{
    if (m_owner)
        return m_inhibitions.oldest();
    askDesktop();
    if (!m_desktopInhibited)
        return std::nullopt;
    return Inhibition{"", "the desktop's screen saver is inhibited"};
}

uint ScreenSaverService::Inhibit(const QString& application, const QString& reason,
                                 const QDBusMessage& message)
{
    m_clients.addWatchedService(message.service());
    return m_inhibitions.inhibit(message.service().toStdString(),
                                 {application.toStdString(), reason.toStdString()});
}

void ScreenSaverService::UnInhibit(uint cookie, const QDBusMessage& message)
{
    const std::string client = message.service().toStdString();
    if (!m_inhibitions.unInhibit(client, cookie))
        m_bus.send(message.createErrorReply(QDBusError::InvalidArgs,
                                            QStringLiteral("No such inhibition cookie")));
    if (!m_inhibitions.heldBy(client))
        m_clients.removeWatchedService(message.service());
}

void ScreenSaverService::onOwnerChanged(const QString& name, const QString&,
                                        const QString& newOwner)
{
    // A desktop service that started later has taken the name over: it keeps the cookies now.
    if (name == ServiceName && newOwner != m_bus.baseService())
        m_owner = false;
}

void ScreenSaverService::onClientLeft(const QString& client)
{
    // A player that crashed or quit without UnInhibit must not keep the computer on.
    m_inhibitions.dropClient(client.toStdString());
    m_clients.removeWatchedService(client);
}

void ScreenSaverService::askDesktop()
{
    if (m_pending || !m_bus.isConnected())
        return;
    const QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.PowerManagement"),
        QStringLiteral("/org/freedesktop/PowerManagement/Inhibit"),
        QStringLiteral("org.freedesktop.PowerManagement.Inhibit"), QStringLiteral("HasInhibit"));
    m_pending = std::make_unique<QDBusPendingCallWatcher>(m_bus.asyncCall(question));
    connect(m_pending.get(), &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* answer) { takeDesktopAnswer(answer, false); });
}

void ScreenSaverService::askGnome()
{
    QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.gnome.SessionManager"), QStringLiteral("/org/gnome/SessionManager"),
        QStringLiteral("org.gnome.SessionManager"), QStringLiteral("IsInhibited"));
    question << GnomeIdleFlag;
    m_pending = std::make_unique<QDBusPendingCallWatcher>(m_bus.asyncCall(question));
    connect(m_pending.get(), &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* answer) { takeDesktopAnswer(answer, true); });
}

void ScreenSaverService::takeDesktopAnswer(QDBusPendingCallWatcher* answer, bool lastDesktop)
{
    const QDBusMessage reply = answer->reply();
    const bool answered =
        reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty();
    // The watcher is still inside its own signal here; it goes once the signal has returned.
    m_pending.release()->deleteLater();
    if (answered) {
        m_desktopInhibited = reply.arguments().first().toBool();
    } else if (!lastDesktop) {
        askGnome();
    } else {
        // Neither desktop answers: the owner of the name cannot be asked, so nothing holds.
        m_desktopInhibited = false;
    }
}

}  // namespace lullex
