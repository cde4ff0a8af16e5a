// View Log: nothing to show at the level None, the fatal ends for a missing directory or file
// or a viewer that cannot start, and the file's name handed over unchanged.
#include "app_state.h"
#include "core_fakes.h"
#include "log_viewer.h"
#include "seam_fakes.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

class RecordingLauncher : public FileViewerLauncher {
public:
    bool launch(const std::string& file) override
    {
        files.push_back(file);
        return starts;
    }
    std::vector<std::string> files;
    bool starts = true;
};

struct ViewCase {
    const char* name;
    int16_t logLevel;
    bool directory;
    bool file;
    bool viewerStarts;
    std::optional<int> exitCode;
    // The box's title after "Lullex", and its first line; empty: no box.
    std::string title;
    std::string firstLine;
};

void PrintTo(const ViewCase& c, std::ostream* out)
{
    *out << c.name;
}

const ViewCase ViewCases[] = {
    {"Shown", LogLevelNormal, true, true, true, std::nullopt, "", ""},
    {"LevelNoneEvenWithoutDirectory", LogLevelNone, false, false, true, std::nullopt,
     " Log File Error", "Logging is set to None. There"},
    {"DirectoryMissing", LogLevelFull, false, false, true, 1, " Log Directory Error",
     "The log directory does not exist."},
    {"FileMissing", LogLevelNormal, true, false, true, 1, " Log File Error",
     "The log file is either missing or"},
    {"ViewerDoesNotStart", LogLevelNormal, true, true, false, 1, " Log File Error",
     "Unable to opem the log file my log $(x).txt."},
};

class LogViewerTest : public testing::TestWithParam<ViewCase> {};

TEST_P(LogViewerTest, ShowsOrEndsWithItsBox)
{
    const ViewCase& c = GetParam();
    TempDir dir;
    AppState state;
    state.AppTitle = "Lullex";
    state.settings.LogLevel = c.logLevel;
    state.settings.LogPath = dir.file("my logs").string() + "\\";
    state.settings.LogName = "my log $(x).txt";
    if (c.directory)
        std::filesystem::create_directory(dir.file("my logs"));
    if (c.file)
        WriteWholeFile(dir.file("my logs/my log $(x).txt"), "");
    ScriptedPrompter prompter;
    CountingTimer timer;
    ThrowingTerminator terminator;
    RecordingLauncher launcher;
    launcher.starts = c.viewerStarts;
    LogViewer viewer(state, prompter, timer, terminator, launcher);

    std::optional<int> exitCode;
    try {
        viewer.ViewLog();
    } catch (const ProgramEnded& ended) {
        exitCode = ended.exitCode;
    }

    EXPECT_EQ(exitCode, c.exitCode);
    EXPECT_EQ(timer.stops, c.exitCode ? 1 : 0);
    ASSERT_EQ(prompter.boxes.size(), c.title.empty() ? 0u : 1u);
    if (!c.title.empty()) {
        EXPECT_EQ(prompter.boxes[0].title, "Lullex" + c.title);
        EXPECT_EQ(prompter.boxes[0].lines.front(), c.firstLine);
        EXPECT_EQ(prompter.boxes[0].icon, c.exitCode ? BoxIcon::Warning : BoxIcon::Information);
    }
    const bool launched = c.directory && c.file && c.logLevel > LogLevelNone;
    EXPECT_EQ(launcher.files, launched
                                  ? std::vector<std::string>{dir.file("my logs/my log $(x).txt")}
                                  : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, LogViewerTest, testing::ValuesIn(ViewCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lullex::test
