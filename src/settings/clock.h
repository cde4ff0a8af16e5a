#pragma once

#include <ctime>

namespace lullex {

// Local wall-clock time, for the timestamps in the log and the configuration file.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::tm localNow() const = 0;
};

class SystemClock : public Clock {
public:
    std::tm localNow() const override;
};

}  // namespace lullex
