#include "dbus_logind_bus.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>
#include <QVariant>

#include <type_traits>

namespace lullex {
namespace {

const QString LogindService = QStringLiteral("org.freedesktop.login1");
const QString ManagerPath = QStringLiteral("/org/freedesktop/login1");
const QString ManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString SessionInterface = QStringLiteral("org.freedesktop.login1.Session");
const QString PropertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");

QVariant toVariant(const BusArgument& argument)
{
    return std::visit(
        [](const auto& value) {
            using Type = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Type, std::string>)
                return QVariant(QString::fromStdString(value));
            else
                return QVariant::fromValue(value);
        },
        argument);
}

// The reply's first value as text: a string, an object path, or the string inside a variant.
std::string firstValueText(const QDBusMessage& reply)
{
    const QList<QVariant> values = reply.arguments();
    if (values.isEmpty())
        return {};
    QVariant value = values.first();
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path().toStdString();
    return value.toString().toStdString();
}

BusReply errorReply(const QString& name, const QString& message)
{
    BusReply reply;
    reply.errorName = name.toStdString();
    reply.errorMessage = message.toStdString();
    reply.status =
        IsUnreachableError(reply.errorName) ? BusStatus::Unreachable : BusStatus::Refused;
    return reply;
}

BusReply call(const QDBusMessage& message)
{
    QDBusConnection bus = QDBusConnection::systemBus();
    // Without a bus there is nothing to ask, whatever name the connection error carries.
    if (!bus.isConnected()) {
        BusReply reply = errorReply(bus.lastError().name(), bus.lastError().message());
        reply.status = BusStatus::Unreachable;
        return reply;
    }
    const QDBusMessage answer = bus.call(message, QDBus::Block);
    if (answer.type() != QDBusMessage::ReplyMessage)
        return errorReply(answer.errorName(), answer.errorMessage());
    BusReply reply;
    reply.text = firstValueText(answer);
    return reply;
}

}  // namespace

BusReply DBusLogindBus::callManager(const std::string& method,
                                    const std::vector<BusArgument>& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        LogindService, ManagerPath, ManagerInterface, QString::fromStdString(method));
    QList<QVariant> values;
    for (const BusArgument& argument : arguments)
        values.append(toVariant(argument));
    message.setArguments(values);
    return call(message);
}

BusReply DBusLogindBus::sessionId(const std::string& sessionPath)
{
    QDBusMessage message =
        QDBusMessage::createMethodCall(LogindService, QString::fromStdString(sessionPath),
                                       PropertiesInterface, QStringLiteral("Get"));
    message.setArguments({SessionInterface, QStringLiteral("Id")});
    return call(message);
}

}  // namespace lullex
