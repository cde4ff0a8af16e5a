// View Log: nothing to show at the level None, the fatal ends for a missing directory or file
// or a viewer that cannot start, and the file's name handed over unchanged.
#include "app_state.h"
#include "core_fakes.h"
#include "log_viewer.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

namespace lullex::test {
namespace {

struct ViewCase {
    const char* name;
    int16_t logLevel;
    bool directory, file, viewerStarts;
    std::optional<int> exitCode;
    std::string box;  // the title after "Lullex", then the first line; empty: no box
};

const ViewCase ViewCases[] = {
    {"Shown", LogLevelNormal, true, true, true, {}, ""},
    {"NoneEvenWithoutDirectory",
     1,
     false,
     false,
     true,
     {},
     " Log File Error/Logging is set to None. There"},
    {"DirectoryMissing", 3, false, false, true, 1,
     " Log Directory Error/The log directory does not exist."},
    {"FileMissing", 2, true, false, true, 1, " Log File Error/The log file is either missing or"},
    {"ViewerDoesNotStart", 2, true, true, false, 1,
     " Log File Error/Unable to opem the log file my log $(x).txt."},
};

class LogViewerTest : public testing::TestWithParam<ViewCase> {};

TEST_P(LogViewerTest, ShowsTheLogOrItsBox)
{
    const ViewCase& c = GetParam();
    TempDir dir;
    AppState state;
    state.AppTitle = "Lullex";
    state.settings.LogLevel = c.logLevel;
    // Stored as on Windows; blanks and "$(...)" reach the viewer as they are.
    state.settings.LogPath = dir.file("my logs").string() + "\\";
    state.settings.LogName = "my log $(x).txt";
    if (c.directory)
        std::filesystem::create_directory(dir.file("my logs"));
    if (c.file)
        WriteWholeFile(dir.file("my logs/my log $(x).txt"), "");
    RecordingPrompter prompter;
    RecordingTimer timer;
    ThrowingTerminator terminator;
    RecordingLauncher launcher;
    launcher.starts = c.viewerStarts;

    std::optional<int> exitCode;
    try {
        LogViewer(state, prompter, timer, terminator, launcher).ViewLog();
    } catch (const ProgramEnded& ended) {
        exitCode = ended.exitCode;
    }

    EXPECT_EQ(exitCode, c.exitCode);
    EXPECT_EQ(timer.stops, c.exitCode ? 1 : 0) << "stopped before a fatal box";
    std::string box;
    for (const MessageBox& shown : prompter.boxes) {
        box += shown.title.substr(6) + "/" + shown.lines.front();
        EXPECT_EQ(shown.icon, c.exitCode ? BoxIcon::Warning : BoxIcon::Information);
    }
    EXPECT_EQ(box, c.box);
    std::vector<std::string> launched;
    if (c.directory && c.file && c.logLevel > LogLevelNone)
        launched.push_back(dir.file("my logs/my log $(x).txt").string());
    EXPECT_EQ(launcher.files, launched);
}

INSTANTIATE_TEST_SUITE_P(Cases, LogViewerTest, testing::ValuesIn(ViewCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex::test
