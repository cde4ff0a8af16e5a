#pragma once

// Small stand-ins for the seams of the settings layer that every subsystem's logic tests share:
// the program's end, the main timer, the clock, the message boxes and the receive port.
#include "clock.h"
#include "program_end.h"
#include "prompter.h"
#include "receive_port.h"

#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lullex::test {

// What ThrowingTerminator throws: the program's end cannot return, so a test catches this.
struct ProgramEnded {
    int exitCode;
};

class ThrowingTerminator : public Terminator {
public:
    [[noreturn]] void endProgram(int exitCode) override { throw ProgramEnded{exitCode}; }
};

// The exit code when the action ended the program through a ThrowingTerminator, nothing when
// it returned.
template <typename Action> std::optional<int> EndCodeOf(Action action)
{
    try {
        action();
    } catch (const ProgramEnded& ended) {
        return ended.exitCode;
    }
    return std::nullopt;
}

// Keeps the timer's state and every start and stop in order.
class RecordingTimer : public MainTimer {
public:
    void start() override;
    void stop() override;

    bool running = false;
    int starts = 0;
    int stops = 0;
    std::vector<std::string> calls;  // "start" and "stop"
};

// Always the same local time, so timestamps can be compared byte for byte.
class FixedClock : public Clock {
public:
    explicit FixedClock(const std::tm& time) : m_time(time) {}
    std::tm localNow() const override { return m_time; }

private:
    std::tm m_time;
};

// A local time from its parts, e.g. LocalTime(2026, 1, 5, 7, 3, 9) for "05-Jan-26 07:03:09".
std::tm LocalTime(int year, int month, int day, int hour, int minute, int second);

// Records every box and answers it as scripted: by default with its first button (Yes or OK).
class RecordingPrompter : public Prompter {
public:
    BoxAnswer show(const MessageBox& box) override;

    std::vector<MessageBox> boxes;
    std::optional<BoxAnswer> answer;
    // Runs while a box is open, as the box's own event loop would. A box opened behind it is
    // recorded, not driven: a test expecting one box then fails on the count, not by recursing.
    std::function<void(const MessageBox&)> whileOpen;

private:
    bool m_open = false;
};

// Answers as scripted and records the ports it was asked to bind.
class FakeReceivePort : public ReceivePort {
public:
    bool BindReceivePort(int32_t port) override;

    bool bindSucceeds = true;
    std::vector<int32_t> boundPorts;
};

}  // namespace lullex::test
