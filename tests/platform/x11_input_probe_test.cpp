#include "x11_input_probe.h"

#include "scoped_env.h"
#include "wait_until.h"
#include "x_session.h"
#include "x_tools.h"

#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include <initializer_list>
#include <memory>

namespace lullex {
namespace {

using test::Xdotool;
using test::XSessionEnvironment;

const auto* const xEnvironment = ::testing::AddGlobalTestEnvironment(new XSessionEnvironment());

std::bitset<256> Codes(std::initializer_list<int> codes)
{
    std::bitset<256> set;
    for (int code : codes) {
        set.set(static_cast<size_t>(code));
    }
    return set;
}

// Injects input with xdotool and watches the server's own view of the keyboard through a
// connection of the test, so a reading can be taken at a moment known to be after the input.
class X11InputProbeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_display = XOpenDisplay(XSessionEnvironment::session().display().c_str());
        ASSERT_NE(m_display, nullptr);
        m_probe = std::make_unique<X11InputProbe>();
        m_probe->read();  // forget whatever came before the test
    }
    void TearDown() override { XCloseDisplay(m_display); }

    int keyCode(KeySym symbol) const { return XKeysymToKeycode(m_display, symbol); }

    bool keyIsDown(int code)
    {
        char keymap[32] = {};
        XQueryKeymap(m_display, keymap);
        return (keymap[code / 8] >> (code % 8)) & 1;
    }

    void xdotool(const std::vector<std::string>& args)
    {
        Xdotool(XSessionEnvironment::session(), args);
    }

    // Taps the key and returns once the server has handled both its press and its release: a
    // second probe has seen the press and the key is up again.
    void tapKeyAndWaitForRelease(const std::string& name, int code)
    {
        X11InputProbe witness;
        xdotool({"key", name});
        ASSERT_TRUE(test::WaitUntil([&] { return witness.read().keys.test(code); }));
        ASSERT_TRUE(test::WaitUntil([&] { return !keyIsDown(code); }));
    }

    // Reads until a reading shows any key or button, or the wheel; that reading.
    InputReading readUntilSomethingShows()
    {
        InputReading reading;
        EXPECT_TRUE(test::WaitUntil([&] {
            reading = m_probe->read();
            return reading.keys.any() || reading.wheelTurned;
        }));
        return reading;
    }

    Display* m_display = nullptr;
    std::unique_ptr<X11InputProbe> m_probe;
};

TEST_F(X11InputProbeTest, KeyTappedBetweenReadingsCountsOnce)
{
    const int code = keyCode(XK_a);
    tapKeyAndWaitForRelease("a", code);
    EXPECT_EQ(m_probe->read().keys, Codes({code}));
    EXPECT_EQ(m_probe->read().keys, Codes({}));
}

TEST_F(X11InputProbeTest, HeldKeyShowsOnEveryReadingWhileDown)
{
    // A modifier, because it does not repeat while held.
    const int code = keyCode(XK_Shift_L);
    xdotool({"keydown", "Shift_L"});
    ASSERT_TRUE(test::WaitUntil([&] { return keyIsDown(code); }));
    for (int reading = 0; reading < 3; ++reading) {
        EXPECT_EQ(m_probe->read().keys, Codes({code})) << "reading " << reading;
    }
    xdotool({"keyup", "Shift_L"});
    ASSERT_TRUE(test::WaitUntil([&] { return !keyIsDown(code); }));
    EXPECT_EQ(m_probe->read().keys, Codes({})) << "letting go is no press";
}

TEST_F(X11InputProbeTest, PressesDrainedFromTheSocketCountInTheNextReading)
{
    const int code = keyCode(XK_b);
    tapKeyAndWaitForRelease("b", code);
    pollfd entry{m_probe->connectionFd(), POLLIN, 0};
    ASSERT_TRUE(test::WaitUntil([&] { return poll(&entry, 1, 0) == 1; }));
    m_probe->drainEvents();
    EXPECT_EQ(poll(&entry, 1, 0), 0) << "the socket should have been read empty";
    EXPECT_EQ(m_probe->read().keys, Codes({code}));
}

struct ButtonCase {
    int xButton;
    int code;
};

TEST_F(X11InputProbeTest, ButtonsMapToTheirCodes)
{
    const ButtonCase cases[] = {{1, 1}, {3, 2}, {2, 4}, {8, 5}, {9, 6}};
    for (const auto& entry : cases) {
        xdotool({"click", std::to_string(entry.xButton)});
        const InputReading reading = readUntilSomethingShows();
        EXPECT_EQ(reading.keys, Codes({entry.code})) << "X button " << entry.xButton;
        EXPECT_FALSE(reading.wheelTurned) << "X button " << entry.xButton;
        ASSERT_TRUE(test::WaitUntil([&] { return m_probe->read().keys.none(); }))
            << "X button " << entry.xButton << " should be let go";
    }
}

TEST_F(X11InputProbeTest, WheelTurnShowsOnceAndIsNoKey)
{
    for (int xButton : {4, 5, 6, 7}) {
        xdotool({"click", std::to_string(xButton)});
        const InputReading reading = readUntilSomethingShows();
        EXPECT_TRUE(reading.wheelTurned) << "X button " << xButton;
        EXPECT_EQ(reading.keys, Codes({})) << "X button " << xButton;
        EXPECT_FALSE(m_probe->read().wheelTurned) << "X button " << xButton;
    }
}

TEST_F(X11InputProbeTest, CursorPositionIsTheScreenPosition)
{
    const std::pair<int, int> positions[] = {{100, 200}, {640, 400}, {0, 0}, {1279, 799}};
    for (const auto& [x, y] : positions) {
        xdotool({"mousemove", std::to_string(x), std::to_string(y)});
        InputReading reading;
        EXPECT_TRUE(test::WaitUntil([&] {
            reading = m_probe->read();
            return reading.cursorX == x && reading.cursorY == y;
        })) << "expected "
            << x << "," << y << ", read " << reading.cursorX << "," << reading.cursorY;
    }
}

TEST_F(X11InputProbeTest, ReadingsWithoutInputShowNothing)
{
    xdotool({"mousemove", "300", "300"});
    ASSERT_TRUE(test::WaitUntil([&] { return m_probe->read().cursorX == 300; }));
    for (int reading = 0; reading < 3; ++reading) {
        const InputReading quiet = m_probe->read();
        EXPECT_EQ(quiet.keys, Codes({}));
        EXPECT_FALSE(quiet.wheelTurned);
        EXPECT_EQ(quiet.cursorX, 300);
        EXPECT_EQ(quiet.cursorY, 300);
    }
}

TEST(X11InputProbeErrorTest, MissingDisplayIsReportedByName)
{
    try {
        X11InputProbe probe(":4093");
        FAIL() << "a display without a server was opened";
    } catch (const InputProbeError& error) {
        EXPECT_STREQ(error.what(), "Cannot watch the keyboard and mouse: the X display \":4093\" "
                                   "cannot be opened.");
    }
}

TEST(X11InputProbeErrorTest, UnsetDisplayIsReported)
{
    const test::ScopedEnv display("DISPLAY", std::nullopt);
    try {
        X11InputProbe probe;
        FAIL() << "a display was opened without DISPLAY";
    } catch (const InputProbeError& error) {
        EXPECT_STREQ(error.what(), "Cannot watch the keyboard and mouse: no X display is set "
                                   "(DISPLAY is empty).");
    }
}

}  // namespace
}  // namespace lullex
