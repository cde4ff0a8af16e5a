#pragma once

#include "prompter.h"
#include "seam_fakes.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace lullex {

using test::CountingTimer;
using test::FixedClock;
using test::ProgramEnded;
using test::ThrowingTerminator;

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

// Also notes how often the main timer had been stopped when each box appeared, so a test can
// tell that the timer stops before a box rather than after it.
class TimerWatchingPrompter : public RecordingPrompter {
public:
    explicit TimerWatchingPrompter(const CountingTimer& timer) : m_timer(timer) {}

    std::vector<int> stopsWhenShown;

    BoxAnswer show(const MessageBox& box) override
    {
        stopsWhenShown.push_back(m_timer.stops);
        return RecordingPrompter::show(box);
    }

private:
    const CountingTimer& m_timer;
};

// The exit code when the action ended the program, nothing when it returned.
template <typename Action> std::optional<int> EndCodeOf(Action action)
{
    try {
        action();
    } catch (const ProgramEnded& ended) {
        return ended.exitCode;
    }
    return std::nullopt;
}

// A file's bytes; empty when it cannot be read.
inline std::string ContentsOf(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

}  // namespace lullex
