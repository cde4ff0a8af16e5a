#pragma once

#include "clock.h"
#include "program_end.h"

#include <ctime>

namespace lullex::test {

// What ThrowingTerminator throws: the program's end cannot return, so a test catches this.
struct ProgramEnded {
    int exitCode;
};

class ThrowingTerminator : public Terminator {
public:
    [[noreturn]] void endProgram(int exitCode) override { throw ProgramEnded{exitCode}; }
};

class CountingTimer : public MainTimer {
public:
    void start() override
    {
        running = true;
        ++starts;
    }
    void stop() override
    {
        running = false;
        ++stops;
    }

    bool running = false;
    int starts = 0;
    int stops = 0;
};

// Always the same local time, so timestamps can be compared byte for byte.
class FixedClock : public Clock {
public:
    explicit FixedClock(const std::tm& time) : m_time(time) {}
    std::tm localNow() const override { return m_time; }

private:
    std::tm m_time;
};

}  // namespace lullex::test
