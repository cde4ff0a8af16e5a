// The About screen and the web link in the real program: the About button, and the Logo
// pictures of the main window, the configuration screen and the already-running window.
#include "e2e_test_support.h"
#include "fake_opener.h"

#include <gtest/gtest.h>

#include <string>

namespace lullex::test {
namespace {

const char* const LogoBox = "Lullex Error";

ConfigValues WaitingConfig()
{
    ConfigValues config = TestModeConfig();
    config.StartDelay = 3600;
    return config;
}

TEST(AboutScreen, OpensFromItsButtonOnTopAndClosesItselfInTestMode)
{
    XSession session({.windowManager = true});
    ConfigValues config = WaitingConfig();
    config.RunOnTop = 2;
    LullexProgram program(session, config);
    StartCutOff(program, {"-InhibitShutdown"});
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();

    ClickButton(session, *window, MainButton::About);
    const std::optional<XWindowId> about = WaitForVisibleWindow(session, "About Lullex");
    ASSERT_TRUE(about) << program.describe() << NamedWindows(session);
    EXPECT_TRUE(WaitForState(session, *about, "_NET_WM_STATE_ABOVE", true));

    // Four seconds in the test mode, counted by the screen and acted on by the main tick.
    EXPECT_TRUE(WaitForNoWindowTitled(session, "About Lullex", LongTimeout));
    EXPECT_TRUE(program.process().running()) << program.describe();
}

// The same title from every logo, "Lullex Error" even in slave mode; the window stays.
TEST(WebLink, EveryLogoReportsAFailedBrowserWithTheProductTitle)
{
    XSession session({.windowManager = true});
    ConfigValues config = WaitingConfig();
    config.CMain = 2;
    config.IPAdd = "127.0.0.1";
    ReservedUdpPort reserved;
    config.Port1 = reserved.port();
    LullexProgram program(session, config);
    FakeOpener failing(FakeOpener::Kind::Failing);
    reserved.handOver();
    StartCutOff(program, {"-InhibitShutdown"}, {{"PATH", failing.pathVariable()}});
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex Slave");
    ASSERT_TRUE(window) << program.describe();

    ClickLogo(session, *window, LogoOf::MainWindow);
    EXPECT_TRUE(AnswerBox(session, LogoBox)) << program.describe() << NamedWindows(session);

    ClickButton(session, *window, MainButton::Configure);
    const std::optional<XWindowId> configScreen =
        WaitForVisibleWindow(session, "Lullex Slave Configuration");
    ASSERT_TRUE(configScreen) << program.describe() << NamedWindows(session);
    ClickLogo(session, *configScreen, LogoOf::ConfigScreen);
    EXPECT_TRUE(AnswerBox(session, LogoBox)) << program.describe() << NamedWindows(session);
    EXPECT_TRUE(IsViewable(session, *configScreen)) << "the screen stays open";
    EXPECT_TRUE(TypeInto(session, *configScreen, "Escape"));
    EXPECT_TRUE(WaitForNoWindowTitled(session, "Lullex Slave Configuration"));

    // The already-running window knows nothing of the settings: a missing opener this time.
    ChildProcess& copy =
        program.startAnother({"-InhibitShutdown"},
                             {{"PATH", PathWithoutOpener()},
                              {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/lullex-no-bus"}});
    const std::optional<XWindowId> refusal = WaitForVisibleWindow(session, "Lullex Start Up Error");
    ASSERT_TRUE(refusal) << copy.describe();
    ClickLogo(session, *refusal, LogoOf::AlreadyRunning);
    EXPECT_TRUE(AnswerBox(session, LogoBox)) << copy.describe() << NamedWindows(session);
    EXPECT_NE(copy.stderrText().find("Lullex Error\nUnable to launch Browser.\n"),
              std::string::npos)
        << copy.describe();
    EXPECT_TRUE(copy.running()) << "the refused copy ends only by its OK";
    EXPECT_TRUE(program.process().running()) << program.describe();
}

}  // namespace
}  // namespace lullex::test
