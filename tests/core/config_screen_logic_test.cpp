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

// What the checks find after one edit of a valid form on a master or a slave (with the power
// action chosen, and the port error where it is named).
struct CheckCase {
    const char* name;
    std::function<void(ConfigForm&)> edit;
    int16_t cMain;
    int16_t shutType;
    int failures;
    std::set<Remark> highlighted;
    std::string remark = {};  // the address or action remark a rule put in
    bool portError = false;
};

void PrintTo(const CheckCase& c, std::ostream* out)
{
    *out << c.name;
}

using F = ConfigForm;
using R = Remark;
const auto E = [](std::string F::*field, std::string value) {
    return [=](F& form) { form.*field = value; };
};
const auto Path = [](std::string relative) {
    return [=](F& form) { form.logPath = Folders().path().string() + relative; };
};
const auto Domain = [](std::string name) {
    return [=](F& form) { form.dName = true, form.ipAdd = name; };
};
const auto None = [](F&) {};
constexpr int16_t M = RoleMaster;
constexpr int16_t S = RoleSlave;
const std::string Zeros(400, '0');

const CheckCase CheckCases[] = {
    {"AllValid", None, M, 1, 0, {}},
    {"Delay5", E(&F::cpuDelay, "5"), M, 1, 0, {}},
    {"Delay1800", E(&F::cpuDelay, "1800"), M, 1, 0, {}},
    {"Delay4_9", E(&F::cpuDelay, "4.9"), M, 1, 1, {R::CPUDelayM}},
    {"Delay1800_5", E(&F::cpuDelay, "1800.5"), M, 1, 1, {R::CPUDelayM}},
    {"DelayEmpty", E(&F::cpuDelay, ""), M, 1, 1, {R::CPUDelayM}},
    {"DelayHexadecimal", E(&F::cpuDelay, "&H258"), M, 1, 0, {}},
    {"Port1024", E(&F::port1, "1024"), M, 1, 0, {}},
    {"Port65535", E(&F::port1, "65535"), M, 1, 0, {}},
    {"Port1023", E(&F::port1, "1023"), M, 1, 1, {R::Port1M}},
    {"Port65536", E(&F::port1, "65536"), M, 1, 1, {R::Port1M}},
    {"PortHexOverflow", E(&F::port1, "&H10000000000002711"), M, 1, 1, {R::Port1M}},
    {"PortDecimalOverflow", E(&F::port1, "1" + Zeros), M, 1, 1, {R::Port1M}},
    {"Name8", E(&F::logName, "Lull.log"), M, 1, 0, {}},
    {"Name20", E(&F::logName, "Lullex-monitor-1.log"), M, 1, 0, {}},
    {"Name7", E(&F::logName, "Lul.log"), M, 1, 1, {R::LogNameM}},
    {"Name21", E(&F::logName, "Lullex-monitor-12.log"), M, 1, 1, {R::LogNameM}},
    {"NameWithLineBreak", E(&F::logName, "Lullex\n.log"), M, 1, 1, {R::LogNameM}},
    {"Path100", [](F& f) { f.logPath = PathOfLength(100); }, M, 1, 0, {}},
    {"PathWithoutFinalSeparator", Path("/Log"), M, 1, 1, {R::LogPathM}},
    {"PathOfNoFolder", Path("/None/"), M, 1, 1, {R::LogPathM}},
    {"PathEmptyCountsThree", E(&F::logPath, ""), M, 1, 3, {R::LogPathM}},
    {"DomainNameHoldingIP", Domain("10.1.1.1"), M, 1, 1, {R::IPAddM}},
    {"DomainNameEmptyOnMaster", Domain(""), M, 1, 0, {}},
    {"DomainNameWithLineBreak", Domain("host\n.lan"), M, 1, 1, {R::IPAddM}},
    {"MonitorNoAddress", None, M, 4, 2, {R::ShutTypeM, R::IPAddM}, ValidIPAddressRequired},
    {"MonitorNoDomain", Domain(""), M, 4, 2, {R::ShutTypeM, R::IPAddM}, ValidDomainNameRequired},
    {"SlaveWithoutAddressCountsOnce", None, S, 1, 1, {R::IPAddM}},
    {"MonitorOnSlave", E(&F::ipAdd, "10.1.1.1"), S, 4, 1, {R::ShutTypeM}, InvalidInSlaveMode},
    {"PortErrorOnSlave", E(&F::ipAdd, "10.1.1.1"), S, 1, 1, {R::Port1M}, "", true},
};

class CheckFieldsTest : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckFieldsTest, CountsHighlightsAndRemarks)
{
    const CheckCase& c = GetParam();
    ConfigForm form = ValidForm();
    c.edit(form);
    const CheckOutcome outcome =
        CheckFields(form, {LogLevelNormal, c.shutType}, {c.cMain, c.portError});

    EXPECT_EQ(outcome.failures, c.failures);
    std::set<Remark> highlighted;
    for (std::size_t i = 0; i < RemarkCount; ++i) {
        if (outcome.highlighted[i])
            highlighted.insert(static_cast<Remark>(i));
    }
    EXPECT_EQ(highlighted, c.highlighted);
    EXPECT_EQ(outcome.ipAddRemark + outcome.shutTypeRemark, c.remark);
}

INSTANTIATE_TEST_SUITE_P(Rules, CheckFieldsTest, testing::ValuesIn(CheckCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChangeTextTest, EveryEditCountsAndNoTwoFieldSetsCollide)
{
    const auto text = [](std::string shutTime, std::string startDelay, std::string delay) {
        ConfigForm form = ValidForm();
        form.shutTime = shutTime, form.startDelay = startDelay, form.cpuDelay = delay;
        return ChangeText(form, {LogLevelNormal, 1});
    };
    const std::string loaded = text("60", "2", "600");
    EXPECT_EQ(text("60", "2", "600"), loaded);
    EXPECT_NE(ChangeText(ValidForm(), {LogLevelFull, 1}), loaded) << "the log level alone";
    EXPECT_NE(text("60", "2", " 600"), loaded) << "a leading blank";
    // Joined with nothing, "25" "30" and "2" "530" would read the same.
    EXPECT_NE(text("2", "530", "600"), text("25", "30", "600"));
}

TEST(ValuesToWriteTest, NumbersAreWrittenAsTheChecksReadThem)
{
    const std::pair<const char*, const char*> cases[] = {
        {"0600", "600"}, {" 600", "600"}, {"12.5", "12.5"}, {"1e3", "1000"}, {"&H258", "600"}};
    for (const auto& [typed, written] : cases) {
        ConfigForm form = ValidForm();
        form.cpuDelay = typed, form.dName = true, form.runOnTop = true;
        const std::string text = configFileText(S, ValuesToWrite(form, {3, 6}), "date");
        const std::string lines =
            std::string("CMain=2\r\nDName=2\r\nIPAdd=\r\nPort1=10001\r\n\r\n") +
            "[Run]\r\nCPUDelay=" + written + "\r\nLogLevel=3\r\n";
        EXPECT_NE(text.find(lines), std::string::npos) << typed << "\n" << text;
        EXPECT_NE(text.find("RunOnTop=2\r\nStartDelay=2\r\nStartMin=1\r\n"), std::string::npos);
        EXPECT_NE(text.find("ShutType=6\r\n"), std::string::npos);
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
        // A master that has been monitoring for a while re-reads a changed file.
        MonitorHarness core;
        core.start();
        core.seconds(3);
        core.settingsFile.file.LogLevel = c.logLevel;
        core.settingsFile.file.StartDelay = 7;
        core.settingsFile.notConfigured = c.notConfigured;
        core.log.calls.clear();
        MainConfigApplier(core.state, core.initialiser, core.machine, core.presenter, core.log)
            .reinitialise();
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
