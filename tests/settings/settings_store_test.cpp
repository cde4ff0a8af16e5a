#include "config_sandbox.h"

#include <gtest/gtest.h>

namespace lullex {
namespace {

class SettingsInitialisation : public testing::Test {
protected:
    // The leftovers of an earlier run, which a new initialisation must not keep.
    void setEarlierState()
    {
        sandbox.state.AppTitle = "Lullex Slave";
        sandbox.state.DialogOpen = true;
        sandbox.state.NotConfigured = true;
        sandbox.state.PortError = true;
        sandbox.state.ConfigSaved = true;
        sandbox.state.AutoMinimise = false;
        sandbox.state.TickDivider = 1;
    }

    ConfigSandbox sandbox;
};

TEST_F(SettingsInitialisation, AMasterStartsAfresh)
{
    sandbox.writeConfig(defaultConfigFile());
    setEarlierState();
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_EQ(sandbox.state.AppTitle, "Lullex");
    EXPECT_FALSE(sandbox.state.DialogOpen);
    EXPECT_FALSE(sandbox.state.NotConfigured);
    EXPECT_FALSE(sandbox.state.PortError);
    EXPECT_FALSE(sandbox.state.ConfigSaved);
    EXPECT_TRUE(sandbox.state.AutoMinimise);
    EXPECT_EQ(sandbox.state.TickDivider, 2);
    EXPECT_EQ(sandbox.timer.stops, 1);
    EXPECT_EQ(sandbox.timer.starts, 0);
    EXPECT_TRUE(sandbox.receivePort.boundPorts.empty());
    EXPECT_TRUE(sandbox.prompter.boxes.empty());
}

TEST_F(SettingsInitialisation, ASlaveTakesItsTitleAndBindsItsPort)
{
    sandbox.writeConfigLines(
        withKey(withKey(withKey(defaultConfigLines(), "CMain", "2"), "IPAdd", "192.168.0.2"),
                "Port1", "20002"));
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_EQ(sandbox.state.AppTitle, "Lullex Slave");
    EXPECT_EQ(sandbox.receivePort.boundPorts, std::vector<int32_t>{20002});
    EXPECT_FALSE(sandbox.state.PortError);
    EXPECT_TRUE(sandbox.state.AutoMinimise);
}

TEST_F(SettingsInitialisation, ASlaveCarryingOnWithoutItsPortStopsThere)
{
    sandbox.writeConfigLines(
        withKey(withKey(defaultConfigLines(), "CMain", "2"), "IPAdd", "192.168.0.2"));
    setEarlierState();
    sandbox.receivePort.bindSucceeds = false;
    ASSERT_EQ(sandbox.initSettings(), std::nullopt);
    EXPECT_EQ(sandbox.state.AppTitle, "Lullex Slave");
    EXPECT_TRUE(sandbox.state.PortError);
    EXPECT_EQ(sandbox.state.TickDivider, 2);
    EXPECT_TRUE(sandbox.state.ConfigSaved);
    EXPECT_FALSE(sandbox.state.AutoMinimise);
    EXPECT_EQ(sandbox.timer.starts, 0);
}

TEST_F(SettingsInitialisation, ABadFileStopsTheTimerBeforeItsBox)
{
    sandbox.writeConfig("");
    setEarlierState();
    EXPECT_EQ(sandbox.initSettings(), 1);
    // Stopped as the initialisation begins, and again by the fatal error before its box.
    EXPECT_EQ(sandbox.stopsWhenShown, std::vector<int>{2});
    EXPECT_EQ(sandbox.prompter.boxes[0], corruptedBox("Lullex"));
    EXPECT_EQ(sandbox.timer.starts, 0);
    EXPECT_TRUE(sandbox.receivePort.boundPorts.empty());
}

TEST_F(SettingsInitialisation, ASlaveWithAnOutOfRangeValueIsToldSoUnderThePlainTitle)
{
    sandbox.writeConfigLines(withKey(withKey(defaultConfigLines(), "CMain", "2"), "Port1", "80"));
    EXPECT_EQ(sandbox.initSettings(), 1);
    ASSERT_EQ(sandbox.prompter.boxes.size(), 1u);
    EXPECT_EQ(sandbox.prompter.boxes[0], missingOrCorruptedBox("Lullex"));
    EXPECT_TRUE(sandbox.receivePort.boundPorts.empty());
}

TEST(SettingsStoreDirectory, DefaultsToTheWorkingDirectory)
{
    ConfigSandbox sandbox;
    sandbox.writeConfig(defaultConfigFile());
    const test::ScopedCwd inRoot(sandbox.root);
    SettingsStore store(sandbox.state, sandbox.prompter, sandbox.timer, sandbox.terminator,
                        sandbox.receivePort, sandbox.clock);
    EXPECT_EQ(ConfigSandbox::endCodeOf([&] { store.InitSettings(); }), std::nullopt);
    EXPECT_EQ(sandbox.state.settings.Port1, 10001);
}

}  // namespace
}  // namespace lullex
