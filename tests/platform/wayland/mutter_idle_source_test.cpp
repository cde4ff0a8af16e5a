// GNOME's idle monitor on a real headless Mutter, with input through Mutter's remote-desktop
// interface on its session bus.
#include "mutter_idle_source.h"
#include "scoped_env.h"
#include "wayland_compositor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>

namespace lullex::test {
namespace {

using std::chrono::milliseconds;

const char* const RemoteDesktop = "org.gnome.Mutter.RemoteDesktop";
constexpr uint EvdevKeyA = 30;

// A remote-desktop session: Mutter takes its key and pointer events as a user's.
class MutterRemoteInput {
public:
    MutterRemoteInput()
    {
        const QDBusMessage created =
            call("/org/gnome/Mutter/RemoteDesktop", RemoteDesktop, "CreateSession", {});
        m_session = created.arguments().front().value<QDBusObjectPath>().path();
        call(m_session, sessionInterface(), "Start", {});
    }
    ~MutterRemoteInput() { call(m_session, sessionInterface(), "Stop", {}); }

    void tapKey()
    {
        call(m_session, sessionInterface(), "NotifyKeyboardKeycode", {EvdevKeyA, true});
        call(m_session, sessionInterface(), "NotifyKeyboardKeycode", {EvdevKeyA, false});
    }
    void movePointer()
    {
        call(m_session, sessionInterface(), "NotifyPointerMotionRelative", {7.0, 5.0});
    }

private:
    static QString sessionInterface() { return QString(RemoteDesktop) + ".Session"; }

    static QDBusMessage call(const QString& path, const QString& interface, const char* method,
                             const QVariantList& arguments)
    {
        QDBusMessage message =
            QDBusMessage::createMethodCall(RemoteDesktop, path, interface, method);
        message.setArguments(arguments);
        const QDBusMessage answer = QDBusConnection::sessionBus().call(message);
        if (answer.type() != QDBusMessage::ReplyMessage)
            throw std::runtime_error(answer.errorMessage().toStdString());
        return answer;
    }

    QString m_session;
};

class MutterIdleSourceTest : public ::testing::Test {
protected:
    // Mutter takes input on a thread of its own: wait until its idle time shows it.
    void waitForIdleTime(const std::function<bool(milliseconds)>& condition)
    {
        ASSERT_TRUE(WaitUntil([&] {
            const MutterIdleTime asked = AskMutterIdleTime();
            return asked.idleTime && condition(*asked.idleTime);
        })) << m_mutter.describe();
    }
    void waitForIdleAbove(milliseconds least)
    {
        waitForIdleTime([least](milliseconds idle) { return idle > least; });
    }

    // A quiet second is Idle. The sample before it is not judged: just after input, a slow
    // answer from the bus may still make it Active, which only keeps the computer on.
    void expectQuietSecondIdle(MutterIdleSource& source, const char* after)
    {
        waitForIdleAbove(milliseconds(1200));
        source.sample();
        waitForIdleAbove(milliseconds(2400));
        EXPECT_EQ(source.sample().activity, Activity::Idle) << "a quiet second after " << after;
    }

    // The input comes half a second after the previous sample: Mutter stamps a remote event up
    // to a quarter second in the past.
    void expectInputActive(MutterIdleSource& source, const std::function<void()>& input,
                           const char* what)
    {
        waitForIdleAbove(milliseconds(2900));
        input();
        waitForIdleTime([](milliseconds idle) { return idle < milliseconds(1000); });
        EXPECT_EQ(source.sample().activity, Activity::Active) << what;
    }

    int m_argc = 0;
    QCoreApplication m_application{m_argc, nullptr};
    WaylandCompositor m_mutter{CompositorKind::Mutter};
    const ScopedEnvironment m_mutterSession{m_mutter.environment()};
};

TEST_F(MutterIdleSourceTest, InputSinceThePreviousSampleIsActiveAndAQuietSecondIdle)
{
    MutterIdleSource source;
    MutterRemoteInput input;
    EXPECT_EQ(source.name(), "Mutter");

    expectQuietSecondIdle(source, "the start");
    expectInputActive(
        source, [&] { input.tapKey(); }, "key press");
    expectQuietSecondIdle(source, "the key");
    expectInputActive(
        source, [&] { input.movePointer(); }, "pointer move");
    expectQuietSecondIdle(source, "the move");
}

TEST(MutterIdleSourceAbsentTest, NoMonitorOnTheBusIsRefusedByName)
{
    DbusDaemon bus;
    const ScopedEnv sessionBus("DBUS_SESSION_BUS_ADDRESS", bus.address());
    int argc = 0;
    QCoreApplication application(argc, nullptr);
    try {
        MutterIdleSource source;
        FAIL() << "no Mutter on this bus";
    } catch (const MutterIdleError& error) {
        EXPECT_STREQ(error.what(), "no GNOME idle monitor (org.gnome.Mutter.IdleMonitor) "
                                   "answers on the session bus");
    }
}

}  // namespace
}  // namespace lullex::test
