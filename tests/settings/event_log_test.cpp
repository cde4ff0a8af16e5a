#include "log_fixture.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

namespace fs = std::filesystem;

// What ReadConfig gathers from a configuration file, shortened to its first lines.
const std::string ConfigurationCopy = "\r\nConfiguration\r\n-------------\r\n"
                                      "\r\n[Comms]\r\nDName=1\r\nIPAdd=10.0.0.2\r\nPort1=10001\r\n"
                                      "\r\n[Run]\r\nCPUDelay=600\r\nLogLevel=3";

struct StartUpCase {
    const char* name;
    int16_t logLevel;
    int16_t role;
    const char* appTitle;
    std::string expected;
};

void PrintTo(const StartUpCase& c, std::ostream* out)
{
    *out << c.name;
}

// The lines a new log file starts with.
const std::string Created = "Lullex\r\nVersion 2.5\r\nFile Created\r\n05-Jan-26 07:03:09\r\n";
const std::string Start = "05-Jan-26 07:03:09,  Start    , Initialise, Count:   2";

// A new file, the two empty lines of the start and its block, as far as the configuration.
std::string Opening(const std::string& title)
{
    return title + "\r\nVersion 2.5\r\nFile Created\r\n05-Jan-26 07:03:09\r\n\r\n\r\n" + title +
           "\r\nVersion 2.5\r\n";
}

const StartUpCase StartUpCases[] = {
    {"NormalMaster", LogLevelNormal, RoleMaster, "Lullex",
     Opening("Lullex") + "\r\n" + Start + "\r\n"},
    {"FullMaster", LogLevelFull, RoleMaster, "Lullex",
     Opening("Lullex") + ConfigurationCopy + "\r\n\r\n" + Start + ", Key: False, Mouse: False\r\n"},
    {"FullSlave", LogLevelFull, RoleSlave, "Lullex Slave",
     Opening("Lullex Slave") + ConfigurationCopy + "\r\n\r\n" + Start + ", Comms: ....\r\n"},
};

class EventLogStartUpTest : public ::testing::TestWithParam<StartUpCase>, protected LogSandbox {};

TEST_P(EventLogStartUpTest, FreshLogHoldsHeaderEmptyLinesBlockAndStart)
{
    const StartUpCase& c = GetParam();
    state.settings.LogLevel = c.logLevel;
    state.settings.CMain = c.role;
    state.AppTitle = c.appTitle;
    state.LogText = ConfigurationCopy;
    state.Count = 2;
    state.CommsStatus = "....";

    log.CreateLog();
    log.WriteStatusLine("", "");
    log.WriteLogBlock(0);
    log.WriteStatusLine("Start", "Initialise");

    EXPECT_EQ(ReadWholeFile(logFile()), c.expected);
    EXPECT_TRUE(prompter.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Levels, EventLogStartUpTest, ::testing::ValuesIn(StartUpCases),
                         [](const auto& info) { return std::string(info.param.name); });

class EventLogTest : public ::testing::Test, protected LogSandbox {};

TEST_F(EventLogTest, StartUpBlockReplacesTheConfigurationCopy)
{
    state.settings.LogLevel = LogLevelFull;
    state.LogText = ConfigurationCopy;
    log.CreateLog();
    log.WriteLogBlock(0);
    EXPECT_EQ(state.LogText, "Lullex\r\nVersion 2.5\r\n" + ConfigurationCopy + "\r\n");
}

TEST_F(EventLogTest, NoneLevelWritesNothingEvenWithoutADirectory)
{
    state.settings.LogLevel = LogLevelNone;
    state.settings.LogPath = (root / "missing").string() + "/";
    state.LogText = ConfigurationCopy;

    log.CreateLog();
    log.WriteLogBlock(0);
    log.WriteLogBlock(1);

    EXPECT_TRUE(prompter.boxes.empty());
    EXPECT_EQ(timer.stops, 0);
    EXPECT_FALSE(fs::exists(root / "missing"));
    EXPECT_EQ(state.LogText, ConfigurationCopy);
}

TEST_F(EventLogTest, NoneLevelCreatesNoFileInAnExistingDirectory)
{
    state.settings.LogLevel = LogLevelNone;
    log.CreateLog();
    log.WriteLogBlock(0);
    EXPECT_TRUE(fs::is_empty(root / "Log"));
}

TEST_F(EventLogTest, CreateLogLeavesAnExistingFileAlone)
{
    writeFile(logFile(), "earlier run\r\n");
    log.CreateLog();
    EXPECT_EQ(ReadWholeFile(logFile()), "earlier run\r\n");
}

TEST_F(EventLogTest, ChangedLogNameStartsANewFileAndKeepsTheOld)
{
    log.CreateLog();
    log.WriteStatusLine("Config", "Updated");
    const std::string oldContents = ReadWholeFile(logFile());

    state.settings.LogName = "Second.log";
    log.CreateLog();
    log.WriteStatusLine("Start", "Initialise");

    EXPECT_EQ(ReadWholeFile(logFile()), oldContents);
    EXPECT_EQ(ReadWholeFile(root / "Log" / "Second.log"),
              Created + "05-Jan-26 07:03:09,  Start    , Initialise, Count:   0\r\n");
}

TEST_F(EventLogTest, ConfigurationBlockIsFramedByEmptyLines)
{
    state.settings.LogLevel = LogLevelFull;
    writeFile(logFile(), "earlier\r\n");
    state.LogText = ConfigurationCopy;

    log.WriteLogBlock(1);

    EXPECT_EQ(ReadWholeFile(logFile()), "earlier\r\n\r\n" + ConfigurationCopy + "\r\n\r\n");
    EXPECT_EQ(state.LogText, "\r\n" + ConfigurationCopy + "\r\n");
}

TEST_F(EventLogTest, OtherModesWriteLogTextAsItIs)
{
    writeFile(logFile(), "");
    state.LogText = "as it is";
    log.WriteLogBlock(2);
    log.WriteLogBlock(-1);
    EXPECT_EQ(ReadWholeFile(logFile()), "as it is\r\nas it is\r\n");
    EXPECT_EQ(state.LogText, "as it is");
}

TEST_F(EventLogTest, EmptyTextsRepeatTheLastLineWithAnEmptyLine)
{
    writeFile(logFile(), "");
    state.Count = 5;
    log.WriteStatusLine("Enter", "Run");
    log.WriteStatusLine("", "");
    const std::string line = "05-Jan-26 07:03:09,  Enter    , Run       , Count:   5";
    EXPECT_EQ(ReadWholeFile(logFile()), line + "\r\n" + line + "\r\n\r\n");
    EXPECT_EQ(state.StatusLine, line + "\r\n");
}

TEST_F(EventLogTest, StatusLineReadsTheStateOfTheMoment)
{
    state.settings.LogLevel = LogLevelFull;
    writeFile(logFile(), "");
    state.TestRun = true;
    state.Count = -1;
    state.KeyChanged = true;
    log.WriteStatusLine("Run", "");
    state.TestRun = false;
    state.Count = 12345;
    state.KeyChanged = false;
    state.MouseMoved = true;
    log.WriteStatusLine("Power Off", "");
    EXPECT_EQ(
        ReadWholeFile(logFile()),
        "05-Jan-26 07:03:09, *Run      ,           , Count:  -1, Key: True , Mouse: False\r\n"
        "05-Jan-26 07:03:09,  Power Off,           , Count:2345, Key: False, Mouse: True\r\n");
}

class EventLogPathTest : public ::testing::TestWithParam<const char*>, protected LogSandbox {};

TEST_P(EventLogPathTest, WritesIntoTheLogDirectoryOfTheWorkingDirectory)
{
    const test::ScopedCwd inRoot(root);
    state.settings.LogPath = GetParam();
    log.CreateLog();
    log.WriteStatusLine("Enter", "Test");
    EXPECT_EQ(ReadWholeFile(logFile()),
              Created + "05-Jan-26 07:03:09,  Enter    , Test      , Count:   0\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1)
        << "no file named with a backslash beside Log/";
    EXPECT_TRUE(prompter.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Paths, EventLogPathTest,
                         ::testing::Values("Log/", "Log\\", "./Log\\", ".\\Log\\"));

TEST_F(EventLogTest, AbsoluteDirectoryWithBackslashes)
{
    state.settings.LogPath = root.string() + "\\Log\\";
    log.CreateLog();
    EXPECT_EQ(ReadWholeFile(logFile()), Created);
}

}  // namespace
}  // namespace lullex
