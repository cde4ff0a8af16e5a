#pragma once

#include "screen_saver_inhibitions.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>

#include <memory>

class QDBusMessage;
class QDBusPendingCallWatcher;

namespace lullex {

// The session's org.freedesktop.ScreenSaver inhibitions, which players, browsers and
// presentation programs take while they play. Where nobody owns that name (plain window
// managers), Lullex answers for it and keeps the cookies; it allows replacement, so a desktop
// service that starts later takes the name over. Where the desktop owns it, Lullex asks the
// desktop instead (KDE's HasInhibit, else GNOME's IsInhibited). Without a session bus the source
// holds nothing.
class ScreenSaverService : public QObject, public KeepAwakeSource {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    explicit ScreenSaverService(QObject* parent = nullptr);
    ~ScreenSaverService() override;

    std::optional<Inhibition> holder(ShutType action) override;

public slots:
    Q_SCRIPTABLE uint Inhibit(const QString& application, const QString& reason,
                              const QDBusMessage& message);
    Q_SCRIPTABLE void UnInhibit(uint cookie, const QDBusMessage& message);

private:
    void onOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);
    void onClientLeft(const QString& client);
    void askDesktop();
    void askGnome();
    void takeDesktopAnswer(QDBusPendingCallWatcher* answer, bool lastDesktop);

    QDBusConnection m_bus;
    QDBusServiceWatcher m_clients;
    QDBusServiceWatcher m_nameOwner;
    ScreenSaverInhibitions m_inhibitions;
    bool m_owner = false;
    bool m_desktopInhibited = false;
    std::unique_ptr<QDBusPendingCallWatcher> m_pending;
};

}  // namespace lullex
