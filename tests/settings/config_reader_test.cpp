#include "config_sandbox.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sys/stat.h>
#include <unistd.h>

namespace lullex {
namespace {

void expectDefaults(const Settings& settings)
{
    EXPECT_EQ(fieldsOf(settings), fieldsOf(DefaultSettings));
}

class ConfigReading : public testing::Test {
protected:
    ConfigSandbox sandbox;
};

TEST_F(ConfigReading, ReadsTheDefaultFileAndCopiesEveryLineButTheRole)
{
    sandbox.writeConfig(defaultConfigFile());
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_TRUE(sandbox.prompter.boxes.empty());
    expectDefaults(sandbox.state.settings);
    EXPECT_FALSE(sandbox.state.NotConfigured);
    EXPECT_EQ(sandbox.state.LogText, "\r\nConfiguration\r\n-------------"
                                     "\r\n\r\n[Comms]\r\nDName=1\r\nIPAdd=\r\nPort1=10001"
                                     "\r\n\r\n[Run]\r\nCPUDelay=600\r\nLogLevel=2"
                                     "\r\nLogName=Lullex.log\r\nLogPath=Log/\r\nRunOnTop=1"
                                     "\r\nStartDelay=2\r\nStartMin=2"
                                     "\r\n\r\n[Shutdown]\r\nShutTime=60\r\nShutType=1");
}

TEST_F(ConfigReading, ReadsLineFeedEndsLikeCarriageReturnLineFeed)
{
    sandbox.writeConfig(joinLines(defaultConfigLines(), "\n"));
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    expectDefaults(sandbox.state.settings);
    EXPECT_EQ(sandbox.state.LogText.find("\r\r"), std::string::npos);
}

TEST_F(ConfigReading, TakesKeysAndSectionsInAnyOrderAndSection)
{
    sandbox.writeConfigLines({"ShutType=1", "[Shutdown]", "StartMin=2", "CMain=1", "LogPath=Log/",
                              "[Run]", "Port1=10001", "ShutTime=60", "LogName=Lullex.log",
                              "[Comms]", "StartDelay=2", "RunOnTop=1", "IPAdd=", "CPUDelay=600",
                              "LogLevel=2", "DName=1"});
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    expectDefaults(sandbox.state.settings);
}

TEST_F(ConfigReading, ReadsTheLastLineWithoutALineEnd)
{
    Lines lines = defaultConfigLines();
    lines.pop_back();
    sandbox.writeConfig(joinLines(lines, "\r\n") + "ShutType=3");
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_EQ(sandbox.state.settings.ShutType, 3);
}

TEST_F(ConfigReading, SkipsCommentsAndEmptyLinesButCopiesIndentedHashLines)
{
    Lines lines = {"# a comment", "#", ""};
    for (const std::string& line : defaultConfigLines()) {
        if (line == "[Shutdown]") {
            lines.push_back("   # indented, so not a comment  ");
            lines.push_back("    ");
            lines.push_back("Unknown=1");
        }
        lines.push_back(line);
    }
    sandbox.writeConfigLines(lines);
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    expectDefaults(sandbox.state.settings);
    EXPECT_TRUE(sandbox.state.LogText.starts_with("\r\nConfiguration\r\n-------------\r\n\r\n"
                                                  "[Comms]\r\nDName=1"));
    EXPECT_TRUE(sandbox.state.LogText.ends_with("StartMin=2\r\n# indented, so not a comment\r\n"
                                                "\r\nUnknown=1\r\n\r\n[Shutdown]\r\nShutTime=60"
                                                "\r\nShutType=1"));
}

struct NumberValueCase {
    const char* name;
    std::string text;
    int16_t read;
};

void PrintTo(const NumberValueCase& value, std::ostream* out)
{
    *out << '"' << value.text << '"';
}

class NumberValue : public testing::TestWithParam<NumberValueCase> {};

TEST_P(NumberValue, IsReadLeniently)
{
    ConfigSandbox sandbox;
    sandbox.writeConfigLines(withKey(defaultConfigLines(), "CPUDelay", GetParam().text));
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_EQ(sandbox.state.settings.CPUDelay, GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberValue,
                         testing::Values(NumberValueCase{"SpaceAfterEquals", " 600", 600},
                                         NumberValueCase{"TabAfterEquals", "\t600", 600},
                                         NumberValueCase{"SpaceInside", "6 00", 600},
                                         NumberValueCase{"FollowedByText", "600 seconds", 600},
                                         NumberValueCase{"LeadingZeros", "0600", 600},
                                         NumberValueCase{"Exponent", "1.2e3", 1200},
                                         NumberValueCase{"HalfRoundsToEvenUpwards", "5.5", 6}),
                         [](const testing::TestParamInfo<NumberValueCase>& info) {
                             return info.param.name;
                         });

struct TextValueCase {
    const char* name;
    std::string key;
    std::string text;
    std::string Settings::*field;
    std::string read;
};

void PrintTo(const TextValueCase& value, std::ostream* out)
{
    *out << value.key << "=" << value.text;
}

class TextValue : public testing::TestWithParam<TextValueCase> {};

TEST_P(TextValue, IsKeptAsWritten)
{
    ConfigSandbox sandbox;
    sandbox.writeConfigLines(withKey(defaultConfigLines(), GetParam().key, GetParam().text));
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_EQ(sandbox.state.settings.*GetParam().field, GetParam().read);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextValue,
    testing::Values(
        TextValueCase{"EmptyLogPathIsTheDefault", "LogPath", "", &Settings::LogPath, "Log/"},
        TextValueCase{"WindowsLogPath", "LogPath", "Log\\", &Settings::LogPath, "Log\\"},
        TextValueCase{"InnerSpaces", "LogPath", "My Logs/", &Settings::LogPath, "My Logs/"},
        TextValueCase{"TabsKept", "LogName", "\tLullex.log", &Settings::LogName, "\tLullex.log"},
        TextValueCase{"AddressWithZeroParts", "IPAdd", "192.168.0.7", &Settings::IPAdd,
                      "192.168.0.7"}),
    [](const testing::TestParamInfo<TextValueCase>& info) { return info.param.name; });

TEST_F(ConfigReading, KeepsTheSpacesLeadingALine)
{
    Lines lines = defaultConfigLines();
    for (std::string& line : lines)
        line = "  " + line + "  ";
    sandbox.writeConfigLines(lines);
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    expectDefaults(sandbox.state.settings);
}

struct BadFileCase {
    const char* name;
    std::string text;
    MessageBox (*box)(const std::string&);
};

void PrintTo(const BadFileCase& file, std::ostream* out)
{
    *out << file.name;
}

std::string defaultsWith(const std::string& key, const std::optional<std::string>& value)
{
    return joinLines(withKey(defaultConfigLines(), key, value), "\r\n");
}

std::string defaultsPlus(const std::string& line)
{
    return joinLines(defaultConfigLines(), "\r\n") + line + "\r\n";
}

std::string defaultsWithout(const std::string& line)
{
    Lines lines = defaultConfigLines();
    std::erase(lines, line);
    return joinLines(lines, "\r\n");
}

class BadFile : public testing::TestWithParam<BadFileCase> {};

TEST_P(BadFile, EndsTheProgramWithItsMessage)
{
    ConfigSandbox sandbox;
    sandbox.writeConfig(GetParam().text);
    EXPECT_EQ(sandbox.initSettings(), 1);
    ASSERT_EQ(sandbox.prompter.boxes.size(), 1u);
    EXPECT_EQ(sandbox.prompter.boxes[0], GetParam().box("Lullex"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFile,
    testing::Values(
        BadFileCase{"EmptyFile", "", corruptedBox},
        BadFileCase{"OnlyComments", "# Lullex Version 2.5\r\n\r\n", corruptedBox},
        BadFileCase{"MissingSection", defaultsWithout("[Run]"), corruptedBox},
        BadFileCase{"DoubledSection", defaultsPlus("[Run]"), corruptedBox},
        BadFileCase{"DoubledKey", defaultsPlus("Port1=10001"), corruptedBox},
        BadFileCase{"MissingKey", defaultsWith("StartMin", std::nullopt), corruptedBox},
        BadFileCase{"DoubledKeyHidingAMissingOne",
                    joinLines(withKey(withKey(defaultConfigLines(), "StartMin", std::nullopt),
                                      "Port1", "10001\r\nPort1=10002"),
                              "\r\n"),
                    corruptedBox},
        BadFileCase{"DoubledSectionHidingAMissingOne", defaultsWithout("[Run]") + "[Comms]\r\n",
                    corruptedBox},
        BadFileCase{"LowerCaseKey", defaultsWith("CPUDelay", std::nullopt) + "cpudelay=600\r\n",
                    corruptedBox},
        BadFileCase{"SpaceBeforeEquals",
                    defaultsWith("CPUDelay", std::nullopt) + "CPUDelay =600\r\n", corruptedBox},
        BadFileCase{"LowerCaseSection", defaultsWithout("[Run]") + "[run]\r\n", corruptedBox},
        BadFileCase{"ValueTooLargeForItsField", defaultsWith("ShutTime", "40000"), readErrorBox},
        BadFileCase{"PortTooLargeForItsField", defaultsWith("Port1", "2147483648"), readErrorBox},
        BadFileCase{"ValueOutOfRange", defaultsWith("ShutTime", "601"), missingOrCorruptedBox},
        BadFileCase{"HalfRoundsToEvenDown", defaultsWith("CPUDelay", "4.5"), missingOrCorruptedBox},
        BadFileCase{"PortAboveItsRange", defaultsWith("Port1", "65536"), missingOrCorruptedBox},
        BadFileCase{"LettersReadAsZero", defaultsWith("Port1", "abc"), missingOrCorruptedBox},
        BadFileCase{"SpaceBeforeAnAddress", defaultsWith("IPAdd", " 1.2.3.4"),
                    missingOrCorruptedBox}),
    [](const testing::TestParamInfo<BadFileCase>& info) { return info.param.name; });

struct UnreadableCase {
    std::string name;
    // Puts the file, or what stands in its place, into the sandbox.
    std::function<void(ConfigSandbox&)> arrange;
    MessageBox (*box)(const std::string& appTitle);
    std::string appTitle = "Lullex";
};

void PrintTo(const UnreadableCase& row, std::ostream* out)
{
    *out << row.name;
}

class UnreadableFile : public testing::TestWithParam<UnreadableCase> {};

// Permission bits decide some rows, so every row runs as an ordinary user.
TEST_P(UnreadableFile, EndsTheProgramWithItsMessage)
{
    ConfigSandbox sandbox;
    sandbox.state.AppTitle = GetParam().appTitle;
    GetParam().arrange(sandbox);
    test::RunAsOrdinaryUser(sandbox.root, [&] {
        EXPECT_EQ(sandbox.initSettings(), 1);
        EXPECT_EQ(sandbox.prompter.boxes, std::vector<MessageBox>{GetParam().box("Lullex")});
    });
}

void WriteDefaults(ConfigSandbox& sandbox)
{
    sandbox.writeConfig(defaultConfigFile());
}

INSTANTIATE_TEST_SUITE_P(
    Places, UnreadableFile,
    testing::Values(UnreadableCase{"NoFile", [](ConfigSandbox&) {}, missingOrCorruptedBox},
                    UnreadableCase{"NoDataDirectory",
                                   [](ConfigSandbox& sandbox) {
                                       std::filesystem::remove(sandbox.root / "Data");
                                   },
                                   missingOrCorruptedBox},
                    UnreadableCase{"ADirectoryInPlaceOfTheFile",
                                   [](ConfigSandbox& sandbox) {
                                       std::filesystem::create_directory(sandbox.configFile());
                                   },
                                   missingOrCorruptedBox},
                    UnreadableCase{"AFileWeMayNotRead",
                                   [](ConfigSandbox& sandbox) {
                                       WriteDefaults(sandbox);
                                       ::chmod(sandbox.configFile().c_str(), 0);
                                   },
                                   readErrorBox},
                    UnreadableCase{"ADirectoryWeMayNotSearch",
                                   [](ConfigSandbox& sandbox) {
                                       WriteDefaults(sandbox);
                                       ::chmod((sandbox.root / "Data").c_str(), 0);
                                   },
                                   readErrorBox},
                    // A slave's reading messages carry the plain title.
                    UnreadableCase{"ASlavesValueOutOfItsRange",
                                   [](ConfigSandbox& sandbox) {
                                       sandbox.writeConfigLines(
                                           withKey(withKey(defaultConfigLines(), "CMain", "2"),
                                                   "ShutTime", "40000"));
                                   },
                                   readErrorBox, "Lullex Slave"}),
    [](const testing::TestParamInfo<UnreadableCase>& info) { return info.param.name; });

}  // namespace
}  // namespace lullex
