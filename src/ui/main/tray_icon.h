#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

namespace lullex {

// The notification-area icon that stands for the hidden main window.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    explicit TrayIcon(const QIcon& icon, QObject* parent = nullptr);

    // Asked afresh each time: the tray host may appear or go away while Lullex runs.
    static bool available();
    void add();
    void remove();
    bool isShown() const;
    void setToolTip(const QString& tooltip) { m_icon.setToolTip(tooltip); }

signals:
    // Only a double click restores the window; single, middle and context clicks do nothing.
    void doubleClicked();

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);

    QSystemTrayIcon m_icon;
};

}  // namespace lullex
