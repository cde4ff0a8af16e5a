#include "idle_notification.h"

namespace lullex {

void IdleLatch::resumed()
{
    m_idle = false;
    m_resumedSinceSample = true;
}

Activity IdleLatch::take()
{
    const bool active = !m_idle || m_resumedSinceSample;
    m_resumedSinceSample = false;
    return active ? Activity::Active : Activity::Idle;
}

Activity ActivityFromIdleTime(std::optional<std::chrono::milliseconds> idleTime,
                              std::chrono::milliseconds sinceSample)
{
    if (!idleTime)
        return Activity::Unknown;
    return *idleTime < sinceSample ? Activity::Active : Activity::Idle;
}

}  // namespace lullex
