// The configuration screen's logic without a display: the checks in their order, the change
// detection, the values written, the decision to re-initialise and the re-initialisation.
#include "config_checks.h"
#include "config_display.h"
#include "config_values.h"
#include "main_config_applier.h"
#include "monitor_harness.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

// The folders the log path cases name: <dir>/Log/ and two of 100 and 101 characters.
const TempDir& Folders()
{
    static const TempDir dir("lullex-config");
    std::filesystem::create_directories(dir.file("Log"));
    return dir;
}

std::string PathOfLength(std::size_t length)
{
    const std::string base = Folders().path().string() + "/";
    const std::string path = base + std::string(length - base.size() - 1, 'p') + "/";
    std::filesystem::create_directories(path);
    return path;
}

ConfigForm ValidForm()
{
    return {"600",    false,      "",    "Lullex.log", Folders().path().string() + "/Log/",
            "10001",  false,      false, "60",         "2",
            "Normal", "Power Off"};
}

struct CheckCase {
    const char* name;
    std::function<void(ConfigForm&)> edit;
    int16_t cMain;
    ConfigChoices choices;
    bool portError;
    int failures;
    std::set<Remark> highlighted;
    std::string ipAddRemark = {};
    std::string shutTypeRemark = {};
};

void PrintTo(const CheckCase& c, std::ostream* out)
{
    *out << c.name;
}

const auto Set = [](std::string ConfigForm::*field, std::string value) {
    return [=](ConfigForm& form) { form.*field = value; };
};
const auto Keep = [](ConfigForm&) {};
const auto DomainName = [](std::string address) {
    return [=](ConfigForm& form) {
        form.dName = true;
        form.ipAdd = address;
    };
};
constexpr int16_t Master = RoleMaster;
constexpr int16_t Slave = RoleSlave;
using R = Remark;
constexpr ConfigChoices Normal(int16_t shutType)
{
    return {LogLevelNormal, shutType};
}

const CheckCase CheckCases[] = {
    {"AllValid", Keep, Master, Normal(1), false, 0, {}},
    {"Delay5", Set(&ConfigForm::cpuDelay, "5"), Master, Normal(1), false, 0, {}},
    {"Delay1800", Set(&ConfigForm::cpuDelay, "1800"), Master, Normal(1), false, 0, {}},
    {"Delay4_9", Set(&ConfigForm::cpuDelay, "4.9"), Master, Normal(1), false, 1, {R::CPUDelayM}},
    {"Delay1800_5",
     Set(&ConfigForm::cpuDelay, "1800.5"),
     Master,
     Normal(1),
     false,
     1,
     {R::CPUDelayM}},
    {"DelayEmpty", Set(&ConfigForm::cpuDelay, ""), Master, Normal(1), false, 1, {R::CPUDelayM}},
    {"DelayHex", Set(&ConfigForm::cpuDelay, "&H258"), Master, Normal(1), false, 0, {}},
    {"DelayOctal", Set(&ConfigForm::cpuDelay, "&O1750"), Master, Normal(1), false, 0, {}},
    {"Port1024", Set(&ConfigForm::port1, "1024"), Master, Normal(1), false, 0, {}},
    {"Port65535", Set(&ConfigForm::port1, "65535"), Master, Normal(1), false, 0, {}},
    {"Port1023", Set(&ConfigForm::port1, "1023"), Master, Normal(1), false, 1, {R::Port1M}},
    {"Port65536", Set(&ConfigForm::port1, "65536"), Master, Normal(1), false, 1, {R::Port1M}},
    {"PortHexOverflowDoesNotWrap",
     Set(&ConfigForm::port1, "&H100000000000000002711"),
     Master,
     Normal(1),
     false,
     1,
     {R::Port1M}},
    {"PortDecimalOverflow",
     Set(&ConfigForm::port1, "1" + std::string(400, '0')),
     Master,
     Normal(1),
     false,
     1,
     {R::Port1M}},
    {"StartDelay3601",
     Set(&ConfigForm::startDelay, "3601"),
     Master,
     Normal(1),
     false,
     1,
     {R::StartDelayM}},
    {"ShutTime1", Set(&ConfigForm::shutTime, "1"), Master, Normal(1), false, 1, {R::ShutTimeM}},
    {"Name8", Set(&ConfigForm::logName, "Lull.log"), Master, Normal(1), false, 0, {}},
    {"Name20",
     Set(&ConfigForm::logName, std::string(16, 'n') + ".log"),
     Master,
     Normal(1),
     false,
     0,
     {}},
    {"Name7", Set(&ConfigForm::logName, "Lul.log"), Master, Normal(1), false, 1, {R::LogNameM}},
    {"Name21",
     Set(&ConfigForm::logName, std::string(17, 'n') + ".log"),
     Master,
     Normal(1),
     false,
     1,
     {R::LogNameM}},
    {"NameWithLineBreak",
     Set(&ConfigForm::logName, "Lullex\n.log"),
     Master,
     Normal(1),
     false,
     1,
     {R::LogNameM}},
    {"NameWithTab",
     Set(&ConfigForm::logName, "Lullex\t.log"),
     Master,
     Normal(1),
     false,
     1,
     {R::LogNameM}},
    {"Path100",
     [](ConfigForm& f) { f.logPath = PathOfLength(100); },
     Master,
     Normal(1),
     false,
     0,
     {}},
    {"Path101",
     [](ConfigForm& f) { f.logPath = PathOfLength(101); },
     Master,
     Normal(1),
     false,
     1,
     {R::LogPathM}},
    {"PathWithoutFinalSeparator",
     [](ConfigForm& f) { f.logPath = Folders().path().string() + "/Log"; },
     Master,
     Normal(1),
     false,
     1,
     {R::LogPathM}},
    {"PathWithWindowsSeparator",
     [](ConfigForm& f) { f.logPath = Folders().path().string() + "/Log\\"; },
     Master,
     Normal(1),
     false,
     0,
     {}},
    {"PathOfNoFolder",
     [](ConfigForm& f) { f.logPath = Folders().path().string() + "/None/"; },
     Master,
     Normal(1),
     false,
     1,
     {R::LogPathM}},
    {"PathEmptyCountsThree",
     Set(&ConfigForm::logPath, ""),
     Master,
     Normal(1),
     false,
     3,
     {R::LogPathM}},
    {"NoLogLevel", Keep, Master, {0, 1}, false, 1, {R::LogLevelM}},
    {"NoShutType", Keep, Master, Normal(0), false, 1, {R::ShutTypeM}},
    {"MasterAddressNotIP",
     Set(&ConfigForm::ipAdd, "10.1.1"),
     Master,
     Normal(1),
     false,
     1,
     {R::IPAddM}},
    {"DomainNameHoldingIP", DomainName("10.1.1.1"), Master, Normal(1), false, 1, {R::IPAddM}},
    {"DomainNameEmptyOnMaster", DomainName(""), Master, Normal(1), false, 0, {}},
    {"DomainNameWithLineBreak", DomainName("host\n.lan"), Master, Normal(1), false, 1, {R::IPAddM}},
    {"DomainName101", DomainName(std::string(101, 'h')), Master, Normal(1), false, 1, {R::IPAddM}},
    {"MonitorOnMasterWithoutAddress",
     Keep,
     Master,
     Normal(4),
     false,
     2,
     {R::ShutTypeM, R::IPAddM},
     ValidIPAddressRequired},
    {"MonitorOnMasterWithoutDomainName",
     DomainName(""),
     Master,
     Normal(4),
     false,
     2,
     {R::ShutTypeM, R::IPAddM},
     ValidDomainNameRequired},
    {"MonitorOnMasterWithAddress",
     Set(&ConfigForm::ipAdd, "10.1.1.1"),
     Master,
     Normal(4),
     false,
     0,
     {}},
    {"SlaveWithoutAddressCountsOnce", Keep, Slave, Normal(1), false, 1, {R::IPAddM}},
    {"SlaveWithoutDomainName", DomainName(""), Slave, Normal(1), false, 1, {R::IPAddM}},
    {"MonitorOnSlave",
     Set(&ConfigForm::ipAdd, "10.1.1.1"),
     Slave,
     Normal(4),
     false,
     1,
     {R::ShutTypeM},
     "",
     InvalidInSlaveMode},
    {"PortErrorOnSlave",
     Set(&ConfigForm::ipAdd, "10.1.1.1"),
     Slave,
     Normal(1),
     true,
     1,
     {R::Port1M}},
    {"PortErrorOnMasterIsNoFailure", Keep, Master, Normal(1), true, 0, {}},
};

class CheckFieldsTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckFieldsTest, CountsHighlightsAndRemarks)
{
    const CheckCase& c = GetParam();
    ConfigForm form = ValidForm();
    c.edit(form);
    const CheckOutcome outcome = CheckFields(form, c.choices, {c.cMain, c.portError});

    EXPECT_EQ(outcome.failures, c.failures);
    std::set<Remark> highlighted;
    for (std::size_t i = 0; i < RemarkCount; ++i) {
        if (outcome.highlighted[i])
            highlighted.insert(static_cast<Remark>(i));
    }
    EXPECT_EQ(highlighted, c.highlighted);
    EXPECT_EQ(outcome.ipAddRemark, c.ipAddRemark);
    EXPECT_EQ(outcome.shutTypeRemark, c.shutTypeRemark);
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckFieldsTest, testing::ValuesIn(CheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChangeTextTest, EveryEditCountsAndNoTwoFieldSetsCollide)
{
    const ConfigForm form = ValidForm();
    const std::string loaded = ChangeText(form, {2, 1});
    EXPECT_EQ(ChangeText(ValidForm(), {2, 1}), loaded);
    EXPECT_NE(ChangeText(form, {3, 1}), loaded) << "the log level alone";

    ConfigForm blank = form;
    blank.cpuDelay = " 600";
    EXPECT_NE(ChangeText(blank, {2, 1}), loaded) << "a leading blank";

    // Joined with nothing, "25" "30" and "2" "530" would read the same.
    ConfigForm before = form;
    before.shutTime = "25";
    before.startDelay = "30";
    ConfigForm after = form;
    after.shutTime = "2";
    after.startDelay = "530";
    EXPECT_NE(ChangeText(after, {2, 1}), ChangeText(before, {2, 1}));
}

TEST(ValuesToWriteTest, NumbersAreWrittenAsTheChecksReadThem)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"0600", "CPUDelay=600"}, {" 600", "CPUDelay=600"},  {"12.5", "CPUDelay=12.5"},
        {"1e3", "CPUDelay=1000"}, {"&H258", "CPUDelay=600"}, {"&O1130", "CPUDelay=600"}};
    for (const auto& [typed, line] : cases) {
        ConfigForm form = ValidForm();
        form.cpuDelay = typed;
        form.dName = true;
        form.runOnTop = true;
        const std::string text = configFileText(Slave, ValuesToWrite(form, {3, 6}), "stamp");
        EXPECT_NE(text.find("\r\n" + line + "\r\n"), std::string::npos) << typed << "\n" << text;
        EXPECT_NE(text.find("\r\nCMain=2\r\nDName=2\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("\r\nLogLevel=3\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("\r\nRunOnTop=2\r\nStartDelay=2\r\nStartMin=1\r\n"), std::string::npos)
            << text;
        EXPECT_NE(text.find("\r\nShutType=6\r\n"), std::string::npos) << text;
    }
}

TEST(ReinitialisesOnCloseTest, AfterASaveOrWhileNotConfiguredOrThePortWasOrIsUnbound)
{
    struct Case {
        bool saved, notConfigured, portError, portErrorAtOpen, expected;
    };
    const Case cases[] = {{false, false, false, false, false},
                          {true, false, false, false, true},
                          {false, true, false, false, true},
                          {false, false, true, false, true},
                          {false, false, false, true, true}};
    for (const Case& c : cases) {
        AppState state;
        state.ConfigSaved = c.saved;
        state.NotConfigured = c.notConfigured;
        state.PortError = c.portError;
        EXPECT_EQ(ReinitialisesOnClose(state, c.portErrorAtOpen), c.expected)
            << c.saved << c.notConfigured << c.portError << c.portErrorAtOpen;
    }
}

TEST(MainConfigApplierTest, ReadsTheFileAgainLogsTheUpdateAndRestartsMonitoring)
{
    const std::string created = "CreateLog";
    const std::string updated = "WriteStatusLine(Config, Updated)";
    const std::string started = "WriteStatusLine(Start, Initialise)";
    const struct {
        int16_t logLevel;
        bool notConfigured;
        std::vector<std::string> calls;
    } cases[] = {{LogLevelNormal, false, {created, updated, started}},
                 {LogLevelFull, false, {created, updated, "WriteLogBlock(1)", started}},
                 {LogLevelNone, false, {created}},
                 {LogLevelFull, true, {created}}};
    for (const auto& c : cases) {
        MonitorHarness core;
        core.start();
        core.seconds(3);
        core.settingsFile.file.LogLevel = c.logLevel;
        core.settingsFile.file.StartDelay = 7;
        core.settingsFile.notConfigured = c.notConfigured;
        core.log.calls.clear();
        MainConfigApplier applier(core.state, core.initialiser, core.machine, core.presenter,
                                  core.log);

        applier.reinitialise();

        EXPECT_EQ(core.settingsFile.calls, 2);
        EXPECT_EQ(core.log.calls, c.calls) << c.logLevel << c.notConfigured;
        EXPECT_EQ(core.state.State, RunState::Initialise);
        EXPECT_EQ(core.state.Count, 7);
        EXPECT_TRUE(core.timer.running);
        EXPECT_FALSE(core.state.AutoMinimise);
    }
}

}  // namespace
}  // namespace lullex::test
