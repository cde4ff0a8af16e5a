// The main window in the system tray (trayer on a private session bus) and, where the desktop
// has no tray, on the task bar.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace lullex::test {
namespace {

const char* const Hidden = "_NET_WM_STATE_HIDDEN";
// trayer's panel is a few pixels wide when empty and one icon wider for each icon.
constexpr int EmptyPanelWidth = 16;

ConfigValues WaitingConfig(int startMin)
{
    ConfigValues config = TestModeConfig();
    config.StartDelay = 3600;
    config.StartMin = startMin;
    return config;
}

bool TrayIconShown(const XSession& session)
{
    const std::optional<WindowGeometry> panel = TrayPanel(session);
    return panel && panel->width > EmptyPanelWidth;
}

// Clicks the middle of the panel, where its only icon stands.
void ClickTrayIcon(const XSession& session, const std::vector<std::string>& click)
{
    const std::optional<WindowGeometry> panel = TrayPanel(session);
    ASSERT_TRUE(panel) << "trayer's panel is gone";
    std::vector<std::string> args = {"mousemove", std::to_string(panel->x + panel->width / 2),
                                     std::to_string(panel->y + panel->height / 2)};
    args.insert(args.end(), click.begin(), click.end());
    Xdotool(session, args);
}

const std::vector<std::string> DoubleClick = {"click", "--repeat", "2", "--delay", "80", "1"};

class TrayTest : public testing::Test {
protected:
    XSession session{{.windowManager = true, .sessionBus = true, .trayHost = true}};

    // The window is back from the tray: shown, centred, and the icon gone; and it stays so.
    void expectRestoredCentred(const LullexProgram& program)
    {
        const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
        ASSERT_TRUE(window) << "the window did not come back\n" << program.describe();
        EXPECT_TRUE(WaitUntil([&] { return !TrayIconShown(session); }, LongTimeout))
            << "the tray icon stayed";
        EXPECT_TRUE(StaysTrueFor([&] { return IsViewable(session, *window); },
                                 std::chrono::milliseconds(2000)))
            << "the window went back to the tray";
        WindowGeometry geometry;
        EXPECT_TRUE(WaitUntilCentred(session, *window, geometry))
            << "not centred: " << geometry.width << "x" << geometry.height << "+" << geometry.x
            << "+" << geometry.y;
    }
};

TEST_F(TrayTest, StartMinimisedShowsOnlyTheTrayIcon)
{
    LullexProgram program(session, WaitingConfig(2));
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(program.waitForLine(LineMatch::StartingWith(" Start    , Initialise")))
        << program.describe();
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(session); }, LongTimeout))
        << "no tray icon\n"
        << program.describe();

    EXPECT_TRUE(FindWindowsByTitle(session, "Lullex", true).empty()) << "the window shows";
    // Not even minimised on a task bar: the window manager does not manage it at all.
    for (XWindowId window : FindWindowsByTitle(session, "Lullex"))
        EXPECT_EQ(ReadWindowProperty(session, window, "WM_STATE"), "WM_STATE:  not found.");
}

TEST_F(TrayTest, DoubleClickOnTheIconRestoresTheStartMinimisedWindow)
{
    LullexProgram program(session, WaitingConfig(2));
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(session); }, LongTimeout))
        << program.describe();

    ClickTrayIcon(session, DoubleClick);
    expectRestoredCentred(program);
}

TEST_F(TrayTest, MinimisedWindowGoesToTheTrayAndOnlyADoubleClickBringsItBack)
{
    LullexProgram program(session, WaitingConfig(1));
    StartCutOff(program, {"-InhibitShutdown"});
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();
    EXPECT_FALSE(TrayIconShown(session)) << "a tray icon while the window shows";

    const std::string id = std::to_string(*window);
    Xdotool(session, {"windowmove", id, "0", "0"});
    Xdotool(session, {"windowminimize", id});
    ASSERT_TRUE(WaitUntil([&] { return TrayIconShown(session); }, LongTimeout))
        << program.describe();
    EXPECT_TRUE(WaitUntil([&] { return !IsViewable(session, *window); }, LongTimeout));

    // A single click and a right click do nothing.
    ClickTrayIcon(session, {"click", "1"});
    ClickTrayIcon(session, {"click", "3"});
    EXPECT_TRUE(StaysTrueFor([&] { return FindWindowsByTitle(session, "Lullex", true).empty(); },
                             std::chrono::milliseconds(2000)))
        << "a single click restored the window";

    ClickTrayIcon(session, DoubleClick);
    expectRestoredCentred(program);
}

TEST(TaskBar, WithoutATrayStartMinimisedKeepsTheWindowMinimisedNotHidden)
{
    XSession session({.windowManager = true, .sessionBus = true});
    LullexProgram program(session, WaitingConfig(2));
    StartCutOff(program, {"-InhibitShutdown"});
    ASSERT_TRUE(program.waitForLine(LineMatch::StartingWith(" Start    , Initialise")))
        << program.describe();
    const std::optional<XWindowId> window = FindWindowByTitle(session, "Lullex", LongTimeout);
    ASSERT_TRUE(window) << program.describe();

    // Managed and iconic: the window manager lists it, so it can be brought back.
    EXPECT_TRUE(WaitForState(session, *window, Hidden, true)) << program.describe();
    EXPECT_NE(ReadWindowProperty(session, *window, "WM_STATE").find("window state: Iconic"),
              std::string::npos);
    EXPECT_FALSE(IsViewable(session, *window));

    Xdotool(session, {"windowactivate", "--sync", std::to_string(*window)});
    EXPECT_TRUE(WaitUntil([&] { return IsViewable(session, *window); }, LongTimeout));
    EXPECT_TRUE(StaysTrueFor(
        [&] { return IsViewable(session, *window) && !HasState(session, *window, Hidden); },
        std::chrono::milliseconds(2000)))
        << "the restored window was minimised or hidden again";
}

TEST(TaskBar, WithoutATrayAMinimisedWindowStaysOnTheTaskBar)
{
    XSession session({.windowManager = true, .sessionBus = true});
    LullexProgram program(session, WaitingConfig(1));
    StartCutOff(program, {"-InhibitShutdown"});
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();

    Xdotool(session, {"windowminimize", std::to_string(*window)});
    ASSERT_TRUE(WaitForState(session, *window, Hidden, true)) << program.describe();
    // Hiding it would withdraw it from the window manager, and nothing could bring it back.
    EXPECT_TRUE(StaysTrueFor(
        [&] {
            return ReadWindowProperty(session, *window, "WM_STATE").find("window state: Iconic") !=
                   std::string::npos;
        },
        std::chrono::milliseconds(2000)))
        << "the minimised window left the task bar";

    Xdotool(session, {"windowactivate", "--sync", std::to_string(*window)});
    EXPECT_TRUE(WaitUntil([&] { return IsViewable(session, *window); }, LongTimeout));
    EXPECT_TRUE(WaitForState(session, *window, Hidden, false));
}

}  // namespace
}  // namespace lullex::test
