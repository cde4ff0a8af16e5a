#include "config_sandbox.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <functional>
#include <ostream>

namespace lullex {
namespace {

namespace fs = std::filesystem;

// The screen's fields after Restore, with an empty address.
ConfigScreenValues restoredDefaults()
{
    return {0, "", "10001", "600", "2", "60", LogLevelNormal, "Lullex.log", "Log/", 0, 1, 1};
}

MessageBox writeErrorBox(const std::string& appTitle)
{
    return {appTitle + " Configuration File Error",
            BoxIcon::Warning,
            BoxButtons::Ok,
            {"Unable to write to the configuration file Data/Lullex.ini.",
             "This may be a permissions problem."}};
}

MessageBox missingAtSaveBox(const std::string& appTitle)
{
    return {appTitle + " Configuration File Error",
            BoxIcon::Critical,
            BoxButtons::Ok,
            {"The configuration file is either missing or corrupted.",
             "Reinstall the program to restore the file.", "The program will now terminate."}};
}

std::vector<std::string> entriesOf(const fs::path& directory)
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory))
        names.push_back(entry.path().filename().string());
    return names;
}

// The file's lines without their CR LF ends.
Lines linesOf(const std::string& text)
{
    Lines lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start != text.size())
        lines.push_back(text.substr(start));
    return lines;
}

class ConfigWriting : public testing::Test {
protected:
    ConfigWriting()
    {
        sandbox.state.AppTitle = "Lullex";
        sandbox.state.settings.CMain = RoleMaster;
        sandbox.writeConfig(oldFile);
    }

    const std::string oldFile = "# an older configuration\r\n";
    ConfigSandbox sandbox;
};

TEST_F(ConfigWriting, WritesTheDefaultsByteForByte)
{
    EXPECT_TRUE(sandbox.store.WriteConfig(restoredDefaults()));
    EXPECT_EQ(ReadWholeFile(sandbox.configFile()), defaultConfigFile());
    EXPECT_TRUE(sandbox.state.ConfigSaved);
    EXPECT_TRUE(sandbox.prompter.boxes.empty());
    EXPECT_EQ(entriesOf(sandbox.root / "Data"), Lines{"Lullex.ini"});
}

TEST_F(ConfigWriting, LeavesTheSettingsInMemoryAlone)
{
    sandbox.state.settings.CPUDelay = 45;
    sandbox.state.settings.LogPath = "Old/";
    ConfigScreenValues values = restoredDefaults();
    EXPECT_TRUE(sandbox.store.WriteConfig(values));
    EXPECT_EQ(sandbox.state.settings.CPUDelay, 45);
    EXPECT_EQ(sandbox.state.settings.LogPath, "Old/");
}

struct LineCase {
    const char* name;
    void (*change)(ConfigScreenValues&);
    std::size_t lineNumber;  // counted from 1
    std::string line;
};

void PrintTo(const LineCase& line, std::ostream* out)
{
    *out << line.line;
}

class WrittenLine : public testing::TestWithParam<LineCase> {};

TEST_P(WrittenLine, HoldsTheFieldsValue)
{
    ConfigSandbox sandbox;
    sandbox.state.settings.CMain = RoleMaster;
    sandbox.writeConfig("old\r\n");
    ConfigScreenValues values = restoredDefaults();
    GetParam().change(values);
    ASSERT_TRUE(sandbox.store.WriteConfig(values));
    const Lines lines = linesOf(ReadWholeFile(sandbox.configFile()));
    ASSERT_EQ(lines.size(), 23u);
    EXPECT_EQ(lines.at(GetParam().lineNumber - 1), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, WrittenLine,
    testing::Values(
        LineCase{"PortWithoutLeadingZeros", [](ConfigScreenValues& v) { v.port1Text = "0010001"; },
                 9, "Port1=10001"},
        LineCase{"PortAfterABlank", [](ConfigScreenValues& v) { v.port1Text = " 10002"; }, 9,
                 "Port1=10002"},
        LineCase{"PortInHexadecimal", [](ConfigScreenValues& v) { v.port1Text = "&H400"; }, 9,
                 "Port1=1024"},
        LineCase{"DelayWithoutRounding", [](ConfigScreenValues& v) { v.cpuDelayText = "12.5"; }, 12,
                 "CPUDelay=12.5"},
        LineCase{"DelayWithAnExponent", [](ConfigScreenValues& v) { v.cpuDelayText = "1e3"; }, 12,
                 "CPUDelay=1000"},
        LineCase{"ActivationDelayWithText",
                 [](ConfigScreenValues& v) { v.startDelayText = "30 s"; }, 17, "StartDelay=30"},
        LineCase{"CountdownWithLeadingZeros",
                 [](ConfigScreenValues& v) { v.shutTimeText = "0090"; }, 21, "ShutTime=90"},
        LineCase{"DomainNameTicked", [](ConfigScreenValues& v) { v.dNameChecked = 1; }, 7,
                 "DName=2"},
        LineCase{"AddressAsTyped", [](ConfigScreenValues& v) { v.ipAddText = " 10.0.0.1"; }, 8,
                 "IPAdd= 10.0.0.1"},
        LineCase{"LineBreakInAText",
                 [](ConfigScreenValues& v) { v.ipAddText = "a.lan\r\nCMain=2"; }, 8,
                 "IPAdd=a.lan  CMain=2"},
        LineCase{"LogLevel", [](ConfigScreenValues& v) { v.logLevel = 3; }, 13, "LogLevel=3"},
        LineCase{"LogName", [](ConfigScreenValues& v) { v.logNameText = "Idle Log.txt"; }, 14,
                 "LogName=Idle Log.txt"},
        LineCase{"WindowsLogPath", [](ConfigScreenValues& v) { v.logPathText = "C:\\Logs\\"; }, 15,
                 "LogPath=C:\\Logs\\"},
        LineCase{"RunOnTopTicked", [](ConfigScreenValues& v) { v.runOnTopChecked = 1; }, 16,
                 "RunOnTop=2"},
        LineCase{"RunInTrayCleared", [](ConfigScreenValues& v) { v.startMinChecked = 0; }, 18,
                 "StartMin=1"},
        LineCase{"PowerAction", [](ConfigScreenValues& v) { v.shutType = 6; }, 22, "ShutType=6"}),
    [](const testing::TestParamInfo<LineCase>& info) { return info.param.name; });

TEST_F(ConfigWriting, KeepsTheRoleInMemoryWhichTheScreenCannotChange)
{
    sandbox.state.settings.CMain = RoleSlave;
    ASSERT_TRUE(sandbox.store.WriteConfig(restoredDefaults()));
    EXPECT_EQ(linesOf(ReadWholeFile(sandbox.configFile())).at(5), "CMain=2");
}

TEST_F(ConfigWriting, WritesWhatTheNextStartReadsBack)
{
    const ConfigScreenValues values = {
        1, "render.lan", "20002", "1800", "3600", "2", 3, "Idle.log", "/var/log/lullex/", 1, 0, 5};
    ASSERT_TRUE(sandbox.store.WriteConfig(values));
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    const Settings written = {
        1, 2, "render.lan", 20002, 1800, 3, "Idle.log", "/var/log/lullex/", 2, 3600, 1, 2, 5};
    EXPECT_EQ(fieldsOf(sandbox.state.settings), fieldsOf(written));
}

struct MissingCase {
    std::string name;
    std::string appTitle;
    // Takes the file away, or leaves a link to nowhere in its place.
    std::function<void(ConfigSandbox&)> arrange;
};

void PrintTo(const MissingCase& row, std::ostream* out)
{
    *out << row.name;
}

class MissingAtSave : public ConfigWriting, public testing::WithParamInterface<MissingCase> {};

TEST_P(MissingAtSave, EndsTheProgramAfterStoppingTheTimer)
{
    sandbox.state.AppTitle = GetParam().appTitle;
    GetParam().arrange(sandbox);
    EXPECT_EQ(ConfigSandbox::endCodeOf([&] { sandbox.store.WriteConfig(restoredDefaults()); }), 1);
    EXPECT_EQ(sandbox.prompter.boxes,
              std::vector<MessageBox>{missingAtSaveBox(GetParam().appTitle)});
    EXPECT_EQ(sandbox.stopsWhenShown, std::vector<int>{1});
    EXPECT_FALSE(fs::exists(sandbox.configFile()));
    EXPECT_FALSE(fs::exists(sandbox.root / "Elsewhere"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, MissingAtSave,
    testing::Values(MissingCase{"NoFile", "Lullex Slave",
                                [](ConfigSandbox& sandbox) { fs::remove(sandbox.configFile()); }},
                    MissingCase{"ADanglingLink", "Lullex",
                                [](ConfigSandbox& sandbox) {
                                    fs::remove(sandbox.configFile());
                                    fs::create_symlink("../Elsewhere/Lullex.ini",
                                                       sandbox.configFile());
                                }}),
    [](const testing::TestParamInfo<MissingCase>& info) { return info.param.name; });

TEST_F(ConfigWriting, ReplacesTheTargetOfASymbolicLink)
{
    fs::create_directory(sandbox.root / "Real");
    fs::remove(sandbox.configFile());
    sandbox.writeConfig("");
    fs::rename(sandbox.configFile(), sandbox.root / "Real" / "Lullex.ini");
    fs::create_symlink("../Real/Lullex.ini", sandbox.configFile());
    ASSERT_TRUE(sandbox.store.WriteConfig(restoredDefaults()));
    EXPECT_TRUE(fs::is_symlink(sandbox.configFile()));
    EXPECT_EQ(fs::read_symlink(sandbox.configFile()), "../Real/Lullex.ini");
    EXPECT_EQ(ReadWholeFile(sandbox.root / "Real" / "Lullex.ini"), defaultConfigFile());
    EXPECT_EQ(entriesOf(sandbox.root / "Real"), Lines{"Lullex.ini"});
    EXPECT_EQ(entriesOf(sandbox.root / "Data"), Lines{"Lullex.ini"});
}

TEST_F(ConfigWriting, KeepsTheFilesMode)
{
    fs::permissions(sandbox.configFile(), fs::perms(0664));
    ASSERT_TRUE(sandbox.store.WriteConfig(restoredDefaults()));
    EXPECT_EQ(fs::status(sandbox.configFile()).permissions(), fs::perms(0664));
}

// Makes every write of this process beyond `bytes` into a file fail, for root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limited = m_previous;
        limited.rlim_cur = bytes;
        m_set = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool set() const { return m_set; }

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int) = SIG_DFL;
    bool m_set = false;
};

TEST_F(ConfigWriting, AFailedWriteKeepsTheOldFileWhole)
{
    sandbox.writeConfig(defaultConfigFile());
    ConfigScreenValues values = restoredDefaults();
    values.logNameText = "Another.log";
    bool saved = true;
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.set());
        saved = sandbox.store.WriteConfig(values);
    }
    EXPECT_FALSE(saved);
    ASSERT_EQ(sandbox.prompter.boxes.size(), 1u);
    EXPECT_EQ(sandbox.prompter.boxes[0], writeErrorBox("Lullex"));
    EXPECT_FALSE(sandbox.state.ConfigSaved);
    EXPECT_EQ(ReadWholeFile(sandbox.configFile()), defaultConfigFile());
    EXPECT_EQ(entriesOf(sandbox.root / "Data"), Lines{"Lullex.ini"});
}

struct ReadOnlyCase {
    std::string name;
    fs::path relative;  // in the sandbox
    fs::perms mode;
};

void PrintTo(const ReadOnlyCase& row, std::ostream* out)
{
    *out << row.name;
}

class ReadOnlyPlace : public ConfigWriting, public testing::WithParamInterface<ReadOnlyCase> {};

TEST_P(ReadOnlyPlace, GivesTheWriteErrorAndKeepsTheOldFile)
{
    fs::permissions(sandbox.root / GetParam().relative, GetParam().mode);
    test::RunAsOrdinaryUser(sandbox.root, [&] {
        EXPECT_FALSE(sandbox.store.WriteConfig(restoredDefaults()));
        EXPECT_EQ(sandbox.prompter.boxes, std::vector<MessageBox>{writeErrorBox("Lullex")});
    });
    EXPECT_EQ(ReadWholeFile(sandbox.configFile()), oldFile);
}

INSTANTIATE_TEST_SUITE_P(
    Places, ReadOnlyPlace,
    testing::Values(ReadOnlyCase{"TheFile", "Data/Lullex.ini", fs::perms(0444)},
                    ReadOnlyCase{"TheDirectory", "Data", fs::perms(0555)}),
    [](const testing::TestParamInfo<ReadOnlyCase>& info) { return info.param.name; });

}  // namespace
}  // namespace lullex
