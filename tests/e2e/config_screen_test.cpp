// The configuration screen in the real program on Xvfb, driven with XTest keys: a saved change
// is written and then in force after Close, a vanished file ends the program at Save, the
// screen closes itself in the test mode, View Log at the level None, and a save cut short by
// SIGKILL.
#include "administrator.h"
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace lullex::test {
namespace {

using namespace std::chrono_literals;

constexpr const char* ScreenTitle = "Lullex Configuration";

std::filesystem::path ConfigFile(const LullexProgram& program)
{
    return program.workingDirectory() / "Data/Lullex.ini";
}

// Where the date of a configuration file's third line ("# dd-mmm-yy hh:mm:ss") starts.
std::size_t DateAt(const std::string& file)
{
    const std::size_t second = file.find("\r\n");
    const std::size_t third = file.find("\r\n", second + 2);
    return third == std::string::npos ? std::string::npos : third + 4;
}

// The file as the program wrote it, with its date replaced by the one `expected` holds once
// the written date has the date's form.
std::string WithDateOf(std::string written, const std::string& expected)
{
    constexpr std::size_t DateWidth = 18;
    const std::size_t at = DateAt(written);
    if (at == std::string::npos || !IsTimestamp(written.substr(at, DateWidth)) ||
        DateAt(expected) == std::string::npos)
        return written;
    return written.replace(at, DateWidth, expected.substr(DateAt(expected), DateWidth));
}

// Types keys into a window as a user does, the window activated first.
void Keys(const XSession& session, XWindowId window, const std::vector<std::string>& keys)
{
    std::vector<std::string> args = {"key", "--clearmodifiers"};
    args.insert(args.end(), keys.begin(), keys.end());
    Xdotool(session, {"windowactivate", "--sync", std::to_string(window)});
    Xdotool(session, args);
}

// Opens the screen of the started program with its Configure button; the screen's window.
std::optional<XWindowId> OpenScreen(const XSession& session)
{
    const std::optional<XWindowId> main = WaitForVisibleWindow(session, "Lullex");
    if (!main)
        return std::nullopt;
    ClickButton(session, *main, MainButton::Configure);
    return WaitForVisibleWindow(session, ScreenTitle);
}

class ConfigScreenE2E : public testing::Test {
protected:
    void SetUp() override
    {
        if (!IsAdministrator())
            GTEST_SKIP() << "only an administrator may save";
    }

    XSession session{{.windowManager = true}};
    ConfigValues config = MonitorConfig();
};

TEST_F(ConfigScreenE2E, ASavedChangeIsWrittenAndInForceAfterClose)
{
    LullexProgram program(session, config);
    StartCutOff(program, {});
    const std::optional<XWindowId> screen = OpenScreen(session);
    ASSERT_TRUE(screen) << NamedWindows(session) << program.describe();
    Keys(session, *screen, {"alt+d", "ctrl+a", "5", "alt+s"});
    config.CPUDelay = 5;
    const std::string expected = ConfigFileText(config);
    ASSERT_TRUE(WaitUntil(
        [&] { return WithDateOf(ReadWholeFile(ConfigFile(program)), expected) == expected; },
        LongTimeout))
        << ReadWholeFile(ConfigFile(program));

    Keys(session, *screen, {"alt+c"});
    const std::optional<std::size_t> updated =
        program.waitForLine(LineMatch::StartingWith(" Config   , Updated   , Count:"));
    ASSERT_TRUE(updated) << program.describe();
    // The idle limit is now 5 s: the countdown follows four Run seconds, and "Monitor" closes.
    ASSERT_EQ(program.waitForExit(LongTimeout), 0) << program.describe();
    std::vector<std::string> run;
    bool closed = false;
    for (const std::string& line : FieldsFrom(program.logLines(), *updated)) {
        if (line.starts_with(" Run      ,"))
            run.push_back(line.substr(0, 34));
        closed = closed || line.starts_with(" Close    , Monitor   , Count:   2");
    }
    ASSERT_FALSE(run.empty()) << program.describe();
    EXPECT_EQ(run.back(), " Run      ,           , Count:   4") << program.describe();
    EXPECT_TRUE(closed) << program.describe();
}

TEST_F(ConfigScreenE2E, SaveAfterTheFileWasDeletedEndsTheProgramWithItsBox)
{
    LullexProgram program(session, config);
    StartCutOff(program, {});
    const std::optional<XWindowId> screen = OpenScreen(session);
    ASSERT_TRUE(screen) << program.describe();
    std::filesystem::remove(ConfigFile(program));
    Keys(session, *screen, {"alt+d", "ctrl+a", "5", "alt+s"});

    ASSERT_TRUE(program.waitForStderr("Lullex Configuration File Error\n"
                                      "The configuration file is either missing or corrupted.\n"
                                      "Reinstall the program to restore the file.\n"
                                      "The program will now terminate.\n",
                                      LongTimeout))
        << program.describe();
    ASSERT_TRUE(AnswerBox(session, "Lullex Configuration File Error"));
    EXPECT_EQ(program.waitForExit(LongTimeout), 1) << program.describe();
    EXPECT_FALSE(std::filesystem::exists(ConfigFile(program))) << "a save never creates it";
}

TEST_F(ConfigScreenE2E, InTheTestModeTheScreenClosesItselfAndMonitoringResumes)
{
    // A long activation delay: the short limits of the test mode cannot start a countdown
    // (which disables Configure) before the click.
    ConfigValues testMode = TestModeConfig();
    testMode.StartDelay = 60;
    LullexProgram program(session, testMode);
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(program.waitForLine(LineMatch::StartingWith(" Inactive ,"))) << program.describe();
    const auto clicked = std::chrono::steady_clock::now();
    ASSERT_TRUE(OpenScreen(session)) << program.describe();
    const std::size_t linesWhenShown = program.logLines().size();

    ASSERT_TRUE(WaitForNoWindowTitled(session, ScreenTitle, LongTimeout));
    // It counted 4, 3, 2 and 1 (a second each, give or take the timer's 5 %) before the main
    // tick closed it; nothing was logged meanwhile.
    EXPECT_GE(std::chrono::steady_clock::now() - clicked, 3500ms);
    EXPECT_EQ(program.logLines().size(), linesWhenShown) << program.describe();
    EXPECT_TRUE(program.waitForLine(LineMatch::StartingWith(" Inactive ,"), linesWhenShown))
        << program.describe();
}

TEST_F(ConfigScreenE2E, ViewLogAtTheLevelNoneShowsItsBoxAndTheScreenStays)
{
    config.LogLevel = 1;
    LullexProgram program(session, config);
    StartCutOff(program, {});
    const std::optional<XWindowId> screen = OpenScreen(session);
    ASSERT_TRUE(screen) << program.describe();

    Keys(session, *screen, {"alt+v"});
    ASSERT_TRUE(program.waitForStderr(
        "Lullex Log File Error\nLogging is set to None. There\nis no information to display.\n",
        LongTimeout))
        << program.describe();
    ASSERT_TRUE(AnswerBox(session, "Lullex Log File Error"));
    EXPECT_TRUE(IsViewable(session, *screen));
    EXPECT_TRUE(program.process().running());
}

TEST_F(ConfigScreenE2E, ASaveKilledMidwayLeavesTheOldOrTheNewFileWhole)
{
    const std::string old = ConfigFileText(config);
    ConfigValues saved = config;
    saved.CPUDelay = 5;
    const std::string changed = ConfigFileText(saved);
    for (const auto delay : {0ms, 2ms, 10ms}) {
        LullexProgram program(session, config);
        StartCutOff(program, {});
        const std::optional<XWindowId> screen = OpenScreen(session);
        ASSERT_TRUE(screen) << program.describe();
        Keys(session, *screen, {"alt+d", "ctrl+a", "5", "alt+s"});
        // Not a wait for a condition: the kill lands at a different moment of the save each round.
        std::this_thread::sleep_for(delay);
        program.process().kill();
        ASSERT_TRUE(program.waitForExit(LongTimeout));

        const std::string left = ReadWholeFile(ConfigFile(program));
        EXPECT_TRUE(left == old || WithDateOf(left, changed) == changed) << left;
        ASSERT_TRUE(WaitForNoWindowTitled(session, "Lullex"));
    }
}

}  // namespace
}  // namespace lullex::test
