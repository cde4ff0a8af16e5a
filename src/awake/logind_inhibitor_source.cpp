#include "logind_inhibitor_source.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace lullex {
namespace {

// ListInhibitors answers a(ssssuu): what, who, why, mode, uid, pid.
std::vector<InhibitorLock> ReadLocks(const QDBusArgument& list)
{
    std::vector<InhibitorLock> locks;
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        locks.push_back(
            {what.toStdString(), who.toStdString(), why.toStdString(), mode.toStdString()});
    }
    list.endArray();
    return locks;
}

}  // namespace

LogindInhibitorSource::LogindInhibitorSource()
{
    askLogind();
}

LogindInhibitorSource::~LogindInhibitorSource() = default;

std::optional<Inhibition> LogindInhibitorSource::holder(ShutType action)
{
    askLogind();
    return HoldingLock(m_locks, action);
}

void LogindInhibitorSource::askLogind()
{
    // One question at a time: a logind slower than a second is not asked twice.
    if (m_pending)
        return;
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    const QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors"));
    m_pending = std::make_unique<QDBusPendingCallWatcher>(bus.asyncCall(question));
    QObject::connect(m_pending.get(), &QDBusPendingCallWatcher::finished,
                     [this](QDBusPendingCallWatcher* answer) { takeAnswer(answer); });
}

void LogindInhibitorSource::takeAnswer(QDBusPendingCallWatcher* answer)
{
    const QDBusMessage reply = answer->reply();
    // No logind on this bus, or one without the method: nothing is held, nothing to report.
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        m_locks = ReadLocks(reply.arguments().first().value<QDBusArgument>());
    else
        m_locks.clear();
    // The watcher is still inside its own signal here; it goes once the signal has returned.
    m_pending.release()->deleteLater();
}

}  // namespace lullex
