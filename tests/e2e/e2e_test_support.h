#pragma once

#include "lullex_program.h"
#include "udp_endpoint.h"
#include "x_tools.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the end-to-end tests share: starting the program safely, reading its log, and reaching
// its windows the way a user does (through the window manager, XTest keys and clicks).
namespace lullex::test {

// The program's windows under openbox on the session's 1280x800 screen.
inline constexpr int ScreenWidth = 1280;
inline constexpr int ScreenHeight = 800;

// Starts the program cut off from the system bus (its address names a socket that does not
// exist), so that whatever it does it can never reach logind and act on this machine. The
// tests also only ever start it in the test mode or with the action "Monitor". A launcher
// such as {"ip", "netns", "exec", NAME} starts it through that command.
void StartCutOff(LullexProgram& program, const std::vector<std::string>& arguments,
                 const Environment& extra = {}, const std::vector<std::string>& launcher = {});
ChildProcess& StartAnotherCutOff(LullexProgram& program, const std::vector<std::string>& arguments);

// A configuration with short delays for a run in the test mode ("-InhibitShutdown").
ConfigValues TestModeConfig();
// A master whose action is "Monitor": only Lullex closes, so it may run outside the test mode.
// It needs a partner address; its tags go to a loopback port that this test holds unread.
ConfigValues MonitorConfig();

// The log lines from `from` on, without their timestamps.
std::vector<std::string> FieldsFrom(const std::vector<std::string>& lines, std::size_t from = 0);
// The status lines of the program's log, without their timestamps, in file order (the header
// and other unstamped lines left out).
std::vector<std::string> StatusLines(const LullexProgram& program);
// A status line's count, e.g. 12 from " Run      ,           , Count:  12, Key: ...".
int CountOf(const std::string& fields);
// Whole seconds from one status line's timestamp to a later one's (across midnight too).
int SecondsBetween(const std::string& earlier, const std::string& later);
// True when the text has the log's timestamp form, e.g. "07-Dec-26 08:48:38".
bool IsTimestamp(const std::string& text);

// The window titled exactly `title` once it is mapped (viewable), or nothing at the deadline.
std::optional<XWindowId> WaitForVisibleWindow(const XSession& session, const std::string& title,
                                              std::chrono::milliseconds timeout = LongTimeout);
// For assertion messages: the session's display and its named windows with their ids.
std::string NamedWindows(const XSession& session);
bool HasState(const XSession& session, XWindowId window, const std::string& atom);
// Polls until the window's _NET_WM_STATE holds (or lacks) the atom.
bool WaitForState(const XSession& session, XWindowId window, const std::string& atom, bool present,
                  std::chrono::milliseconds timeout = LongTimeout);
// Where the window's client area stands on the screen, and its size. (xdotool's geometry of a
// window that openbox has framed is off by the frame.)
WindowGeometry ScreenGeometry(const XSession& session, XWindowId window);
// Polls until the window stands in the middle of the screen (give or take its frame); the
// last geometry seen goes to `last`.
bool WaitUntilCentred(const XSession& session, XWindowId window, WindowGeometry& last);
// True when the window is mapped and viewable now.
bool IsViewable(const XSession& session, XWindowId window);

// Activates the window through the window manager and types the keys into it, as a user who
// clicks a window and then presses a key. False when the window went away meanwhile.
bool TypeInto(const XSession& session, XWindowId window, const std::string& keys);
// Answers the message box titled `title` with a key ("Return" for its default button, "y",
// "n", "Escape"), typed into it once it has the focus and again each round until the box has
// gone; false when it never showed or is still there at the deadline.
bool AnswerBox(const XSession& session, const std::string& title,
               const std::string& key = "Return");

// The main window's buttons, left to right.
enum class MainButton { Reset, Test, Configure, About, Exit };
// Clicks a button of the main window with the pointer (XTest), as a user does: the buttons
// share the bottom row equally, so the middle of the n-th fifth is inside the n-th.
void ClickButton(const XSession& session, XWindowId window, MainButton button);

// How many pixels of the window's picture, right of the logo, are in the orange of warnings
// (255, 128, 0, give or take the edges of text drawn in it), and how many are dark like the
// normal text: a window that shows any text has dark pixels.
struct WindowColours {
    long orange = 0;
    long dark = 0;
};
WindowColours ColoursBesideLogo(const XSession& session, XWindowId window);

// trayer's panel, which grows by one icon's width for every icon it holds.
std::optional<WindowGeometry> TrayPanel(const XSession& session);

}  // namespace lullex::test
