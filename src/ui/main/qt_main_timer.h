#pragma once

#include "program_end.h"

#include <QObject>
#include <QTimer>

namespace lullex {

// tmrRefresh: the 500 ms tick that drives monitoring. Connect ticked() to onTick.
class QtMainTimer : public QObject, public MainTimer {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 500;

    explicit QtMainTimer(QObject* parent = nullptr);

    // Starting a running timer changes nothing: its phase is kept, so the count never drifts.
    void start() override;
    void stop() override;
    bool isActive() const;

signals:
    void ticked();

private:
    QTimer m_timer;
};

}  // namespace lullex
