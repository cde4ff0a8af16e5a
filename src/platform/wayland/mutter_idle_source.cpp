#include "mutter_idle_source.h"

#include "idle_notification.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <iostream>

namespace lullex {
namespace {

// Asked once a second in the window's thread: a monitor that does not answer within a second
// is taken for absent this second rather than freezing the window. (A compositor that busy
// is a desktop nobody can use either.)
constexpr int AnswerTimeoutMs = 1000;

}  // namespace

MutterIdleTime AskMutterIdleTime()
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        "org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core",
        "org.gnome.Mutter.IdleMonitor", "GetIdletime");
    const QDBusMessage answer =
        QDBusConnection::sessionBus().call(call, QDBus::Block, AnswerTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().size() != 1)
        return {std::nullopt, (answer.errorName() + ": " + answer.errorMessage()).toStdString()};
    bool isNumber = false;
    const qulonglong milliseconds = answer.arguments().front().toULongLong(&isNumber);
    if (!isNumber)
        return {std::nullopt, "GetIdletime gave no number"};
    return {std::chrono::milliseconds(milliseconds), {}};
}

MutterIdleSource::MutterIdleSource()
{
    const MutterIdleTime first = AskMutterIdleTime();
    if (!first.idleTime) {
        throw MutterIdleError("no GNOME idle monitor (org.gnome.Mutter.IdleMonitor) answers "
                              "on the session bus");
    }
}

ActivitySample MutterIdleSource::sample()
{
    const MutterIdleTime asked = AskMutterIdleTime();
    const Clock::time_point now = Clock::now();
    const auto sinceSample =
        std::chrono::duration_cast<std::chrono::milliseconds>(now - m_previousSample);
    m_previousSample = now;
    // Said once per kind of failure: the log gets its own entry from the sampler.
    if (!asked.idleTime && asked.error != m_lastError)
        std::cerr << "GNOME's idle monitor does not answer (" << asked.error
                  << "); meanwhile the computer is not taken for idle." << std::endl;
    m_lastError = asked.error;
    return {ActivityFromIdleTime(asked.idleTime, sinceSample), std::nullopt};
}

void MutterIdleSource::reset()
{
    m_previousSample = Clock::now();
}

}  // namespace lullex
