#pragma once

#include "activity_source.h"

#include <chrono>
#include <cstdint>
#include <optional>

namespace lullex {

// What a compositor's idle notification ("idled" after a second without input, "resumed" at
// the next input) says about the second since the previous sample. A "resumed" is latched
// until the next sample: a quick tap between two samples counts even when "idled" followed.
class IdleLatch {
public:
    void idled() { m_idle = true; }
    void resumed();
    // Active when the compositor has not said "idled", or said "resumed" since the last call.
    Activity take();
    bool idle() const { return m_idle; }

private:
    // Until the compositor says otherwise, someone may be there.
    bool m_idle = false;
    bool m_resumedSinceSample = false;
};

// GNOME's idle monitor gives the time since the last input: Active when that is shorter than
// the time since the previous sample. No answer is Unknown.
Activity ActivityFromIdleTime(std::optional<std::chrono::milliseconds> idleTime,
                              std::chrono::milliseconds sinceSample);

}  // namespace lullex
