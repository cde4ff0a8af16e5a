#pragma once

#include "activity_source.h"

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>

namespace lullex {

// No GNOME idle monitor answers. The message is a clause for the refusal box.
class MutterIdleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// GNOME Shell's idle monitor (org.gnome.Mutter.IdleMonitor on the session bus): its idle time
// compared with the time since the previous sample.
class MutterIdleSource : public ActivitySource {
public:
    // Asks once; throws MutterIdleError where nothing answers.
    MutterIdleSource();

    ActivitySample sample() override;
    void reset() override;
    std::string name() const override { return "Mutter"; }

private:
    using Clock = std::chrono::steady_clock;

    Clock::time_point m_previousSample = Clock::now();
    std::string m_lastError;
};

// The idle time in milliseconds, or the bus's error text.
struct MutterIdleTime {
    std::optional<std::chrono::milliseconds> idleTime;
    std::string error;
};
MutterIdleTime AskMutterIdleTime();

}  // namespace lullex
