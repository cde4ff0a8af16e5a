#include "config_sandbox.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

struct RangeCase {
    std::string key;
    std::string value;
    bool accepted;
};

void PrintTo(const RangeCase& range, std::ostream* out)
{
    *out << range.key << "=" << range.value;
}

class ValidRange : public testing::TestWithParam<RangeCase> {};

TEST_P(ValidRange, RefusesAValueOutsideItsRangeAtStartUp)
{
    ConfigSandbox sandbox;
    sandbox.writeConfigLines(withKey(defaultConfigLines(), GetParam().key, GetParam().value));
    if (GetParam().accepted) {
        EXPECT_EQ(sandbox.initSettings(), std::nullopt);
        EXPECT_TRUE(sandbox.prompter.boxes.empty());
    } else {
        EXPECT_EQ(sandbox.initSettings(), 1);
        ASSERT_EQ(sandbox.prompter.boxes.size(), 1u);
        EXPECT_EQ(sandbox.prompter.boxes[0], missingOrCorruptedBox("Lullex"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bounds, ValidRange,
    testing::Values(RangeCase{"CMain", "0", false}, RangeCase{"CMain", "3", false},
                    RangeCase{"DName", "0", false}, RangeCase{"DName", "3", false},
                    RangeCase{"DName", "2", true}, RangeCase{"Port1", "1023", false},
                    RangeCase{"Port1", "1024", true}, RangeCase{"Port1", "65535", true},
                    RangeCase{"Port1", "65536", false}, RangeCase{"Port1", "-10001", false},
                    RangeCase{"CPUDelay", "4", false}, RangeCase{"CPUDelay", "5", true},
                    RangeCase{"CPUDelay", "1800", true}, RangeCase{"CPUDelay", "1801", false},
                    RangeCase{"LogLevel", "0", false}, RangeCase{"LogLevel", "1", true},
                    RangeCase{"LogLevel", "3", true}, RangeCase{"LogLevel", "4", false},
                    RangeCase{"LogName", "Lull.lo", false}, RangeCase{"LogName", "Lull.log", true},
                    RangeCase{"LogName", std::string(16, 'a') + ".log", true},
                    RangeCase{"LogName", std::string(17, 'a') + ".log", false},
                    // Lengths count characters, not the bytes of their UTF-8 form.
                    RangeCase{"LogName",
                              "\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4"
                              "\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4\xc3\xa4"
                              ".log",
                              true},
                    RangeCase{"LogPath", "/", false}, RangeCase{"LogPath", "L/", true},
                    RangeCase{"LogPath", std::string(99, 'a') + "/", true},
                    RangeCase{"LogPath", std::string(100, 'a') + "/", false},
                    RangeCase{"RunOnTop", "0", false}, RangeCase{"RunOnTop", "2", true},
                    RangeCase{"RunOnTop", "3", false}, RangeCase{"StartDelay", "0", false},
                    RangeCase{"StartDelay", "1", true}, RangeCase{"StartDelay", "3600", true},
                    RangeCase{"StartDelay", "3601", false}, RangeCase{"StartMin", "0", false},
                    RangeCase{"StartMin", "1", true}, RangeCase{"StartMin", "3", false},
                    RangeCase{"ShutTime", "1", false}, RangeCase{"ShutTime", "2", true},
                    RangeCase{"ShutTime", "600", true}, RangeCase{"ShutTime", "601", false},
                    RangeCase{"ShutType", "0", false}, RangeCase{"ShutType", "6", true},
                    RangeCase{"ShutType", "7", false}));

struct LinkCase {
    int16_t role;
    int16_t dName;
    std::string address;
    int16_t shutType;
    bool loads;
    bool notConfigured;
};

void PrintTo(const LinkCase& link, std::ostream* out)
{
    *out << "CMain=" << link.role << " DName=" << link.dName << " IPAdd=\"" << link.address
         << "\" ShutType=" << link.shutType;
}

class LinkSettings : public testing::TestWithParam<LinkCase> {};

TEST_P(LinkSettings, DecideWhetherThereIsAnythingToMonitor)
{
    ConfigSandbox sandbox;
    Lines lines = defaultConfigLines();
    lines = withKey(lines, "CMain", std::to_string(GetParam().role));
    lines = withKey(lines, "DName", std::to_string(GetParam().dName));
    lines = withKey(lines, "IPAdd", GetParam().address);
    lines = withKey(lines, "ShutType", std::to_string(GetParam().shutType));
    sandbox.writeConfigLines(lines);
    const std::optional<int> ended = sandbox.initSettings();
    if (!GetParam().loads) {
        EXPECT_EQ(ended, 1);
        ASSERT_EQ(sandbox.prompter.boxes.size(), 1u);
        EXPECT_EQ(sandbox.prompter.boxes[0], missingOrCorruptedBox("Lullex"));
        return;
    }
    ASSERT_EQ(ended, std::nullopt);
    EXPECT_EQ(sandbox.state.NotConfigured, GetParam().notConfigured);
    EXPECT_EQ(sandbox.state.settings.IPAdd, GetParam().address);
}

constexpr int16_t Master = 1;
constexpr int16_t Slave = 2;
constexpr int16_t ByAddress = 1;
constexpr int16_t ByName = 2;
constexpr int16_t PowerOff = 1;
constexpr int16_t Monitor = 4;
const std::string LongName = std::string(96, 'h') + ".lan";  // 100 characters

INSTANTIATE_TEST_SUITE_P(
    Rules, LinkSettings,
    testing::Values(LinkCase{Master, ByAddress, "", PowerOff, true, false},
                    LinkCase{Master, ByAddress, "192.168.1.20", PowerOff, true, false},
                    LinkCase{Master, ByAddress, "10.0.0.1", PowerOff, true, false},
                    LinkCase{Master, ByAddress, "0.1.2.3", PowerOff, false, false},
                    LinkCase{Master, ByAddress, "1.2.3", PowerOff, false, false},
                    LinkCase{Master, ByAddress, "render.lan", PowerOff, false, false},
                    LinkCase{Master, ByName, "render.lan", PowerOff, true, false},
                    LinkCase{Master, ByName, "", PowerOff, true, false},
                    LinkCase{Master, ByName, LongName, PowerOff, true, false},
                    LinkCase{Master, ByName, LongName + "x", PowerOff, false, false},
                    LinkCase{Master, ByName, "10.1.1.1", PowerOff, false, false},
                    // Saved when only the domain-name setting could hold an address with a 0 part.
                    LinkCase{Master, ByName, "10.0.0.1", PowerOff, true, false},
                    LinkCase{Master, ByAddress, "", Monitor, true, true},
                    LinkCase{Master, ByAddress, "10.0.0.1", Monitor, true, false},
                    LinkCase{Master, ByName, "", Monitor, true, true},
                    LinkCase{Master, ByName, "render.lan", Monitor, true, false},
                    LinkCase{Slave, ByAddress, "192.168.0.5", PowerOff, true, false},
                    LinkCase{Slave, ByAddress, "", PowerOff, true, true},
                    LinkCase{Slave, ByName, "render.lan", PowerOff, true, false},
                    LinkCase{Slave, ByName, "", PowerOff, true, true},
                    LinkCase{Slave, ByName, "10.0.0.1", PowerOff, true, false},
                    LinkCase{Slave, ByAddress, "192.168.0.5", Monitor, true, true},
                    LinkCase{Slave, ByName, "render.lan", Monitor, true, true}));

TEST(NotConfiguredFlag, IsClearedByTheNextStartWhenTheLinkIsUsable)
{
    ConfigSandbox sandbox;
    sandbox.writeConfigLines(withKey(defaultConfigLines(), "ShutType", "4"));
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    ASSERT_TRUE(sandbox.state.NotConfigured);
    sandbox.writeConfigLines(defaultConfigLines());
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_FALSE(sandbox.state.NotConfigured);
}

}  // namespace
}  // namespace lullex
