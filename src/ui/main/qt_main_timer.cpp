#include "qt_main_timer.h"

namespace lullex {

QtMainTimer::QtMainTimer(QObject* parent) : QObject(parent)
{
    m_timer.setInterval(IntervalMs);
    // A coarse timer may be moved by up to 5 %; over a long idle limit that adds up.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &QtMainTimer::ticked);
}

void QtMainTimer::start()
{
    if (!m_timer.isActive())
        m_timer.start();
}

void QtMainTimer::stop()
{
    m_timer.stop();
}

bool QtMainTimer::isActive() const
{
    return m_timer.isActive();
}

}  // namespace lullex
