// The real program in Wayland sessions of real headless compositors: it counts idle seconds
// from the compositor's idle notification, a key press holds it off, and where the compositor
// offers nothing it refuses by name. The X session stands in for Xwayland.
#include "e2e_test_support.h"
#include "wayland_compositor.h"

#include <gtest/gtest.h>

#include <string>

namespace lullex::test {
namespace {

const char* const Entering = " Enter    , Power Off , Count:   0, Key: ....., Mouse: .....";
const char* const KeySeen = " Run      ,           , Count:   0, Key: ....., Mouse: .....";

TEST(WaylandDesktop, SwayKeyPressesHoldTheCountdownOffAndQuietSecondsStartIt)
{
    XSession session({.windowManager = true});
    WaylandCompositor sway(CompositorKind::Sway);
    LullexProgram program(session, TestModeConfig());
    StartCutOff(program, {"-InhibitShutdown"}, sway.environment());
    const std::optional<std::size_t> running =
        program.waitForLine(LineMatch::StartingWith(" Enter    , Run       "));
    ASSERT_TRUE(running) << program.describe();

    // Six keys, each once the program has counted two quiet seconds after the one before:
    // twice the idle limit, and no countdown.
    for (int key = 0; key < 6; ++key) {
        const std::size_t tapped = program.logLines().size();
        sway.tapKey();
        const std::optional<std::size_t> seen = program.waitForLine(KeySeen, tapped);
        ASSERT_TRUE(seen) << "key " << key << "\n" << program.describe();
        ASSERT_TRUE(program.waitForLine(
            LineMatch::StartingWith(" Run      ,           , Count:   2"), *seen))
            << program.describe();
    }
    for (const std::string& fields : FieldsFrom(program.logLines(), *running + 1)) {
        EXPECT_NE(fields, Entering);
        EXPECT_LT(CountOf(fields), 4) << fields;
    }

    // Then six quiet seconds start it; the source cannot tell keys from the mouse.
    const std::optional<std::size_t> entered = program.waitForLine(Entering);
    ASSERT_TRUE(entered) << program.describe();
    EXPECT_EQ(FieldsFrom(program.logLines(), *entered - 1).front(),
              " Run      ,           , Count:   5, Key: ....., Mouse: .....");
}

TEST(WaylandDesktop, WestonIsRefusedNamingTheMissingSignals)
{
    XSession session({.windowManager = true});
    WaylandCompositor weston(CompositorKind::Weston);
    LullexProgram program(session, TestModeConfig());
    StartCutOff(program, {"-InhibitShutdown"}, weston.environment());

    ASSERT_TRUE(program.waitForStderr(
        "Lullex Input Monitoring Unavailable\n"
        "Keyboard and mouse activity cannot be seen on this desktop (Wayland).\n"
        "The compositor offers neither ext-idle-notify-v1 nor org_kde_kwin_idle, and no GNOME "
        "idle monitor (org.gnome.Mutter.IdleMonitor) answers on the session bus.\n"
        "Lullex will not monitor this session.\n"
        "Log in to an X11 session to use it.\n",
        LongTimeout))
        << program.describe();
    ASSERT_TRUE(AnswerBox(session, "Lullex Input Monitoring Unavailable")) << program.describe();
    EXPECT_TRUE(program.waitForLine(" UnConfig , ********  , Count:   1, Key: False, Mouse: False"))
        << program.describe();
}

TEST(WaylandDesktop, WithoutXwaylandTheWindowRunsOnWaylandAndSaysTopmostIsIgnored)
{
    XSession session;
    WaylandCompositor sway(CompositorKind::Sway);
    LullexProgram program(session, TestModeConfig());
    Environment environment = sway.environment();
    // No X display: nothing for the window but the compositor itself.
    environment["DISPLAY"] = "";
    StartCutOff(program, {"-InhibitShutdown"}, environment);

    EXPECT_TRUE(program.waitForStderr("\"Run On Top\" cannot be honoured: there is no Xwayland, "
                                      "and Wayland lets no window keep itself above the others.\n"))
        << program.describe();
    EXPECT_TRUE(program.waitForLine(LineMatch::StartingWith(" RunOnTop , Ignored   ")))
        << program.describe();
    EXPECT_TRUE(program.waitForLine(LineMatch::StartingWith(" Run      ,           , Count:   1")))
        << program.describe();
}

}  // namespace
}  // namespace lullex::test
