#pragma once

#include "inhibitor_locks.h"

#include <memory>
#include <vector>

class QDBusPendingCallWatcher;

namespace lullex {

// logind's inhibitor locks, such as `systemd-inhibit --what=idle:shutdown rsync ...` takes.
// The list is read on the system bus without blocking the window: each question answers from
// the list read the second before and asks logind afresh. Without a system bus or logind the
// source holds nothing.
class LogindInhibitorSource : public KeepAwakeSource {
public:
    LogindInhibitorSource();
    ~LogindInhibitorSource() override;

    std::optional<Inhibition> holder(ShutType action) override;

private:
    void askLogind();
    void takeAnswer(QDBusPendingCallWatcher* answer);

    std::vector<InhibitorLock> m_locks;
    std::unique_ptr<QDBusPendingCallWatcher> m_pending;
};

}  // namespace lullex
