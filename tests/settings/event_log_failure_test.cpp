#include "log_fixture.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

namespace fs = std::filesystem;

using Step = std::function<void(LogSandbox&)>;

struct FailureCase {
    const char* name;
    Step arrange;
    Step act;
    MessageBox expected;
};

void PrintTo(const FailureCase& c, std::ostream* out)
{
    *out << c.name;
}

MessageBox warning(const std::string& title, std::vector<std::string> lines)
{
    return {title, BoxIcon::Warning, BoxButtons::Ok, std::move(lines)};
}

const MessageBox CreateDirectoryBox =
    warning("Lullex Log Directory Error",
            {"The log directory does not exist.", "This directory must be created manually",
             "if it is not the default one. To restore", "the default log directory reinstall",
             "the program.", "The program will now terminate."});

const MessageBox BlockDirectoryBox =
    warning("Lullex Log Directory Error",
            {"The log directory does not exist. This", "directory must be created manually if",
             "it is not the default one. To restore", "the default log directory reinstall",
             "the program.", "The program will now terminate."});

const MessageBox StatusDirectoryBox = warning(
    "Lullex Log Directory Error",
    {"The log directory is either missing or", "corrupted or there could be a permission problem.",
     "This directory must be created manually", "if it is not the default one. To restore",
     "the default log directory reinstall", "the program.", "The program will now terminate."});

const MessageBox MissingFileBox =
    warning("Lullex Log File Error",
            {"The log file is either missing or", "corrupted. Delete the log file if",
             "it exists and restart the program.", "The program will now terminate."});

const MessageBox CreateFailedBox =
    warning("Lullex Log File Error",
            {"Unable to create the log file Lullex.log.", "This may be a permissions problem.",
             "The program will now terminate."});

const MessageBox WriteFailedBox =
    warning("Lullex Log File Write Error",
            {"Unable to write to the log file full.", "This may be a permissions problem.",
             "The program will now terminate."});

void removeLogDirectory(LogSandbox& s)
{
    fs::remove_all(s.root / "Log");
}

void startLog(LogSandbox& s)
{
    s.log.CreateLog();
    s.log.WriteStatusLine("Enter", "Run");
}

// /dev/full accepts the open and refuses every byte: a real write failure, even for root.
void logToDeviceFull(LogSandbox& s)
{
    s.state.settings.LogPath = "/dev/";
    s.state.settings.LogName = "full";
}

void startThenRemoveDirectory(LogSandbox& s)
{
    startLog(s);
    removeLogDirectory(s);
}

void startThenDeleteFile(LogSandbox& s)
{
    startLog(s);
    fs::remove(s.logFile());
}

void nothing(LogSandbox&)
{
}

void createLog(LogSandbox& s)
{
    s.log.CreateLog();
}

void writeStartUpBlock(LogSandbox& s)
{
    s.log.WriteLogBlock(0);
}

void writeStatusLine(LogSandbox& s)
{
    s.log.WriteStatusLine("Run", "");
}

void writeEmptyLines(LogSandbox& s)
{
    s.log.WriteStatusLine("", "");
}

const FailureCase Cases[] = {
    {"CreateWithoutDirectory", removeLogDirectory, createLog, CreateDirectoryBox},
    {"CreateWhereADirectoryHasTheLogsName",
     [](LogSandbox& s) { fs::create_directory(s.logFile()); }, createLog, CreateFailedBox},
    {"BlockWithoutDirectory", removeLogDirectory, writeStartUpBlock, BlockDirectoryBox},
    {"BlockWithoutFile", nothing, writeStartUpBlock, MissingFileBox},
    {"BlockOnAFullDevice", logToDeviceFull, writeStartUpBlock, WriteFailedBox},
    {"StatusLineAfterTheDirectoryWasRemoved", startThenRemoveDirectory, writeStatusLine,
     StatusDirectoryBox},
    {"EmptyLinesAfterTheDirectoryWasRemoved", startThenRemoveDirectory, writeEmptyLines,
     StatusDirectoryBox},
    {"StatusLineAfterTheFileWasDeleted", startThenDeleteFile, writeStatusLine, MissingFileBox},
    {"StatusLineOnAFullDevice", logToDeviceFull, writeStatusLine, WriteFailedBox},
};

class EventLogFailureTest : public ::testing::TestWithParam<FailureCase>, protected LogSandbox {};

TEST_P(EventLogFailureTest, StopsTheTimerShowsTheBoxAndEndsWithCodeOne)
{
    GetParam().arrange(*this);
    const bool fileBefore = fs::exists(logFile());
    const bool regularBefore = fs::is_regular_file(logFile());
    const std::string contentsBefore = regularBefore ? ReadWholeFile(logFile()) : std::string();

    const std::optional<int> endCode = endCodeOf([this] { GetParam().act(*this); });

    EXPECT_EQ(endCode, std::optional<int>(ExitFatalError));
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes.front(), GetParam().expected);
    EXPECT_EQ(stopsWhenShown, std::vector<int>{1}) << "the timer stops before the box";
    EXPECT_EQ(fs::exists(logFile()), fileBefore) << "a failed write neither creates nor removes";
    if (regularBefore) {
        EXPECT_EQ(ReadWholeFile(logFile()), contentsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, EventLogFailureTest, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EventLogFailure, SlaveBoxesCarryTheSlaveTitle)
{
    LogSandbox s;
    s.state.AppTitle = "Lullex Slave";
    s.state.settings.LogName = "Events.log";
    fs::create_directory(s.root / "Log" / "Events.log");

    EXPECT_EQ(LogSandbox::endCodeOf([&s] { s.log.CreateLog(); }),
              std::optional<int>(ExitFatalError));

    ASSERT_EQ(s.prompter.boxes.size(), 1u);
    EXPECT_EQ(s.prompter.boxes.front(),
              warning("Lullex Slave Log File Error",
                      {"Unable to create the log file Events.log.",
                       "This may be a permissions problem.", "The program will now terminate."}));
}

}  // namespace
}  // namespace lullex
