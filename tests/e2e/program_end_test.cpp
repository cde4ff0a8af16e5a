// How the real program ends: a bad configuration file after its box (code 1), and the user's
// Exit button or close box (code 0) with the "Exit" entry naming the state.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        throw std::invalid_argument("no \"" + from + "\" in the configuration text");
    return text.replace(at, from.size(), to);
}

struct BadFile {
    const char* name;
    // The file's content; nothing: no file at all.
    std::function<std::optional<std::string>(const std::string& good)> content;
    std::vector<std::string> lines;
};

// Names the case in test listings (ctest shows the parameter).
void PrintTo(const BadFile& file, std::ostream* out)
{
    *out << file.name;
}

const std::vector<std::string> MissingOrCorrupted = {
    "The configuration file is missing or corrupted.", "Reinstall the program to restore the file.",
    "The program will now terminate."};

const BadFile BadFiles[] = {
    {"CPUDelayBelowItsRange",
     [](const std::string& good) { return Replaced(good, "CPUDelay=600", "CPUDelay=3"); },
     MissingOrCorrupted},
    {"NoFile", [](const std::string&) { return std::optional<std::string>(); }, MissingOrCorrupted},
    {"SectionLineMissing",
     [](const std::string& good) { return Replaced(good, "[Run]\r\n", ""); },
     {"The configuration file is corrupted.", "Reinstall the program to restore the file.",
      "The program will now terminate."}},
};

class BadConfiguration : public testing::TestWithParam<BadFile> {};

TEST_P(BadConfiguration, EndsWithCodeOneAfterItsBoxAndWritesNoLog)
{
    XSession session({.windowManager = true});
    const ConfigValues config = TestModeConfig();
    LullexProgram program(session, config);
    const std::filesystem::path file = program.workingDirectory() / "Data/Lullex.ini";
    const std::optional<std::string> content = GetParam().content(ConfigFileText(config));
    if (content)
        WriteWholeFile(file, *content);
    else
        std::filesystem::remove(file);
    StartCutOff(program, {"-InhibitShutdown"});

    std::string box = "Lullex Configuration File Error\n";
    for (const std::string& line : GetParam().lines)
        box += line + "\n";
    ASSERT_TRUE(program.waitForStderr(box, LongTimeout)) << program.describe();
    ASSERT_TRUE(WaitForVisibleWindow(session, "Lullex Configuration File Error"));
    EXPECT_TRUE(FindWindowsByTitle(session, "Lullex", true).empty()) << "the main window shows";
    ASSERT_TRUE(AnswerBox(session, "Lullex Configuration File Error"));

    EXPECT_EQ(program.waitForExit(LongTimeout), 1) << program.describe();
    EXPECT_TRUE(std::filesystem::is_empty(program.workingDirectory() / "Log"))
        << program.describe();
}

INSTANTIATE_TEST_SUITE_P(Files, BadConfiguration, testing::ValuesIn(BadFiles),
                         [](const testing::TestParamInfo<BadFile>& info) {
                             return std::string(info.param.name);
                         });

struct UserEnd {
    const char* name;
    // How long the activation delay is: the state the program is in when the user ends it.
    int startDelay;
    const char* stateLine;
    const char* exitFields;
    std::function<void(const XSession&, XWindowId)> end;
};

// Names the case in test listings (ctest shows the parameter).
void PrintTo(const UserEnd& end, std::ostream* out)
{
    *out << end.name;
}

const UserEnd UserEnds[] = {
    {"ExitButtonDuringRun", 1, " Run      ,           , Count:", " Exit     , Run       ",
     [](const XSession& session, XWindowId window) {
         ClickButton(session, window, MainButton::Exit);
     }},
    {"CloseBoxDuringTheActivationDelay", 3600,
     " Start    , Initialise, Count:", " Exit     , Initialise",
     [](const XSession& session, XWindowId window) {
         // openbox's key for the window's close box.
         ASSERT_TRUE(TypeInto(session, window, "alt+F4"));
     }},
};

class EndedByTheUser : public testing::TestWithParam<UserEnd> {};

TEST_P(EndedByTheUser, EndsWithCodeZeroAndLogsExitWithTheState)
{
    XSession session({.windowManager = true});
    ConfigValues config = MonitorConfig();
    config.StartDelay = GetParam().startDelay;
    LullexProgram program(session, config);
    StartCutOff(program, {});
    const std::optional<std::size_t> reached =
        program.waitForLine(LineMatch::StartingWith(GetParam().stateLine));
    ASSERT_TRUE(reached) << program.describe();
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();

    GetParam().end(session, *window);
    ASSERT_EQ(program.waitForExit(LongTimeout), 0) << program.describe();

    // The entry comes between two seconds: it shows the count and flags of the last one.
    const std::vector<std::string> fields = FieldsFrom(program.logLines());
    ASSERT_GE(fields.size(), 2u);
    const std::string& last = fields.back();
    const std::string& before = fields[fields.size() - 2];
    const std::string counters = before.substr(before.find(", Count:"));
    EXPECT_EQ(last, GetParam().exitFields + counters) << program.describe();
}

INSTANTIATE_TEST_SUITE_P(Ways, EndedByTheUser, testing::ValuesIn(UserEnds),
                         [](const testing::TestParamInfo<UserEnd>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace lullex::test
