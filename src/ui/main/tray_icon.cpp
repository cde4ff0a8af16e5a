#include "tray_icon.h"

namespace lullex {

TrayIcon::TrayIcon(const QIcon& icon, QObject* parent) : QObject(parent), m_icon(icon, this)
{
    m_icon.setToolTip(QStringLiteral("lullex"));
    connect(&m_icon, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
}

bool TrayIcon::available()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::add()
{
    m_icon.show();
}

void TrayIcon::remove()
{
    m_icon.hide();
}

bool TrayIcon::isShown() const
{
    return m_icon.isVisible();
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason == QSystemTrayIcon::DoubleClick)
        emit doubleClicked();
}

}  // namespace lullex
