#pragma once

#include "app_state.h"
#include "seam_fakes.h"
#include "temp_dir.h"

#include <clocale>
#include <filesystem>
#include <optional>
#include <vector>

namespace lullex {

using test::EndCodeOf;
using test::FakeReceivePort;
using test::FixedClock;
using test::LocalTime;
using test::ProgramEnded;
using test::ReadWholeFile;
using test::RecordingPrompter;
using test::RecordingTimer;
using test::ThrowingTerminator;

// What every settings routine reaches, in a temporary directory: the boxes, the main timer and
// the program's end.
struct SettingsSeams {
    explicit SettingsSeams(const char* directoryPrefix) : directory(directoryPrefix)
    {
        std::setlocale(LC_TIME, "C");
        prompter.whileOpen = [this](const MessageBox&) { stopsWhenShown.push_back(timer.stops); };
    }
    SettingsSeams(const SettingsSeams&) = delete;
    SettingsSeams& operator=(const SettingsSeams&) = delete;

    template <typename Action> static std::optional<int> endCodeOf(Action action)
    {
        return EndCodeOf(action);
    }

    test::TempDir directory;
    std::filesystem::path root = directory.path();
    AppState state;
    RecordingTimer timer;
    RecordingPrompter prompter;
    // How often the main timer had been stopped when each box showed: it must stop before.
    std::vector<int> stopsWhenShown;
    ThrowingTerminator terminator;
};

}  // namespace lullex
