#pragma once

#include "app_state.h"
#include "event_log.h"
#include "settings_fakes.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace lullex {

// Also notes how often the main timer had been stopped when each box appeared, so a test can
// tell that the timer stops before the box rather than after it.
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

inline std::tm fixedLocalTime()
{
    std::tm time{};
    time.tm_year = 2026 - 1900;
    time.tm_mon = 0;
    time.tm_mday = 5;
    time.tm_hour = 7;
    time.tm_min = 3;
    time.tm_sec = 9;
    return time;  // "05-Jan-26 07:03:09"
}

// A temporary directory holding the log directory "Log/", and an event log writing there
// with fakes for the box, the timer and the program's end.
class LogSandbox {
public:
    LogSandbox()
    {
        std::setlocale(LC_TIME, "C");
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lullex-log-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary directory");
        root = pattern;
        std::filesystem::create_directory(root / "Log");
        state.AppTitle = "Lullex";
        state.settings.CMain = RoleMaster;
        state.settings.LogLevel = LogLevelNormal;
        state.settings.LogPath = (root / "Log").string() + "/";
        state.settings.LogName = "Lullex.log";
    }
    ~LogSandbox()
    {
        std::error_code ignored;  // a test may have removed parts already
        std::filesystem::remove_all(root, ignored);
    }
    LogSandbox(const LogSandbox&) = delete;
    LogSandbox& operator=(const LogSandbox&) = delete;

    std::filesystem::path logFile() const { return root / "Log" / "Lullex.log"; }

    static std::string contentsOf(const std::filesystem::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    static void writeFile(const std::filesystem::path& file, const std::string& text)
    {
        std::ofstream(file, std::ios::binary) << text;
    }

    // The exit code when the action ended the program, nothing when it returned.
    static std::optional<int> endCodeOf(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const ProgramEnded& ended) {
            return ended.exitCode;
        }
        return std::nullopt;
    }

    std::filesystem::path root;
    AppState state;
    CountingTimer timer;
    TimerWatchingPrompter prompter{timer};
    ThrowingTerminator terminator;
    FixedClock clock{fixedLocalTime()};
    EventLog log{state, prompter, timer, terminator, clock};
};

}  // namespace lullex
