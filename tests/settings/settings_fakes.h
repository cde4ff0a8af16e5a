#pragma once

#include "clock.h"
#include "program_end.h"
#include "prompter.h"

#include <ctime>
#include <vector>

namespace lullex {

// Records every box shown and answers with a scripted button.
class RecordingPrompter : public Prompter {
public:
    BoxAnswer answer = BoxAnswer::Ok;
    std::vector<MessageBox> boxes;

    BoxAnswer show(const MessageBox& box) override
    {
        boxes.push_back(box);
        return answer;
    }
};

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
    int starts = 0;
    int stops = 0;

    void start() override { ++starts; }
    void stop() override { ++stops; }
};

// Always the same local time, so timestamps can be compared byte for byte.
class FixedClock : public Clock {
public:
    explicit FixedClock(const std::tm& time) : m_time(time) {}
    std::tm localNow() const override { return m_time; }

private:
    std::tm m_time;
};

}  // namespace lullex
