// On a Wayland session where neither the compositor nor GNOME's idle monitor answers, an X11
// probe would see only Xwayland's clients and take a machine in use for idle: the program warns
// and stays in the set-up state, monitoring nothing. Here the X session stands in for Xwayland.
#include "e2e_test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace lullex::test {
namespace {

const char* const Warning = "Lullex Input Monitoring Unavailable";

struct WaylandMark {
    const char* name;
    Environment variables;
    // The compositor the program looked for (nothing listens there).
    const char* compositor;
};

// Names the case in test listings (ctest shows the parameter).
void PrintTo(const WaylandMark& mark, std::ostream* out)
{
    *out << mark.name;
}

const WaylandMark WaylandMarks[] = {
    {"WaylandDisplay", {{"WAYLAND_DISPLAY", "wayland-test"}}, "wayland-test"},
    {"SessionType", {{"XDG_SESSION_TYPE", "wayland"}}, "wayland-0"},
};

class WaylandSession : public testing::TestWithParam<WaylandMark> {};

TEST_P(WaylandSession, WarnsAndStaysNotConfiguredWithoutAnyStep)
{
    XSession session({.windowManager = true});
    LullexProgram program(session, TestModeConfig());
    StartCutOff(program, {"-InhibitShutdown"}, GetParam().variables);

    ASSERT_TRUE(program.waitForStderr(
        std::string(Warning) + "\n" +
            "Keyboard and mouse activity cannot be seen on this desktop (Wayland).\n" +
            "The Wayland compositor \"" + GetParam().compositor +
            "\" cannot be reached, and no GNOME idle monitor (org.gnome.Mutter.IdleMonitor) "
            "answers on the session bus.\n"
            "Lullex will not monitor this session.\n"
            "Log in to an X11 session to use it.\n",
        LongTimeout))
        << program.describe();
    ASSERT_TRUE(AnswerBox(session, Warning)) << program.describe();
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();

    const std::string notConfigured =
        " UnConfig , ********  , Count:   1, Key: False, Mouse: False";
    const std::optional<std::size_t> marked = program.waitForLine(notConfigured);
    ASSERT_TRUE(marked) << program.describe();
    // No "Start" and no step: the log stays as it is, second after second.
    const std::size_t lines = program.logLines().size();
    EXPECT_EQ(lines, *marked + 1) << program.describe();
    EXPECT_TRUE(StaysTrueFor([&] { return program.logLines().size() == lines; },
                             std::chrono::milliseconds(4000)))
        << program.describe();
    EXPECT_TRUE(program.process().running());
    // The set-up request stands in the title in bold orange.
    EXPECT_TRUE(WaitUntil([&] { return ColoursBesideLogo(session, *window).orange > 50; }))
        << "no orange set-up request in the window";
}

INSTANTIATE_TEST_SUITE_P(Marks, WaylandSession, testing::ValuesIn(WaylandMarks),
                         [](const testing::TestParamInfo<WaylandMark>& info) {
                             return std::string(info.param.name);
                         });

TEST(X11Session, MonitorsWithoutWarningOrSetUpRequest)
{
    XSession session({.windowManager = true});
    ConfigValues config = TestModeConfig();
    config.StartDelay = 3600;
    LullexProgram program(session, config);
    StartCutOff(program, {"-InhibitShutdown"});

    ASSERT_TRUE(program.waitForLine(" Start    , Initialise, Count:3600, Key: False, Mouse: False"))
        << program.describe();
    const std::optional<XWindowId> window = WaitForVisibleWindow(session, "Lullex");
    ASSERT_TRUE(window) << program.describe();
    WindowColours colours;
    ASSERT_TRUE(WaitUntil([&] {
        colours = ColoursBesideLogo(session, *window);
        return colours.dark > 100;
    })) << "the window's texts never showed";
    // The activation delay shows its texts in the normal colour.
    EXPECT_EQ(colours.orange, 0);
    EXPECT_EQ(program.process().stderrText().find(Warning), std::string::npos);
    for (const std::string& fields : FieldsFrom(program.logLines()))
        EXPECT_FALSE(fields.starts_with(" UnConfig")) << fields;
}

}  // namespace
}  // namespace lullex::test
