#pragma once

#include "wait_until.h"
#include "x_session.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lullex::test {

using XWindowId = unsigned long;

// Runs xdotool in the session with these arguments, waits for it and returns its standard
// output. Throws std::runtime_error with its error output when it fails. Input goes through
// XTest, as a user's would; note that an absolute "mousemove" warps the pointer and makes no
// raw motion event, while "mousemove_relative" does.
std::string Xdotool(const XSession& session, const std::vector<std::string>& args);

// The windows whose title is exactly `title` (case and all), found now.
std::vector<XWindowId> FindWindowsByTitle(const XSession& session, const std::string& title,
                                          bool onlyVisible = false);
// Polls until a window titled exactly `title` exists; the first one, or nothing at the deadline.
std::optional<XWindowId> FindWindowByTitle(const XSession& session, const std::string& title,
                                           std::chrono::milliseconds timeout = DefaultTimeout,
                                           bool onlyVisible = false);
// Polls until no window titled exactly `title` exists; false at the deadline.
bool WaitForNoWindowTitled(const XSession& session, const std::string& title,
                           std::chrono::milliseconds timeout = DefaultTimeout);

// The id of the window that has the focus, as xdotool prints it, or empty when none has.
std::string ActiveWindow(const XSession& session);

// The window's title now.
std::string WindowTitle(const XSession& session, XWindowId window);

// xprop's line for one property of a window, without the line end, e.g.
// "_NET_WM_STATE(ATOM) = _NET_WM_STATE_ABOVE" or "_NET_WM_STATE:  not found.".
std::string ReadWindowProperty(const XSession& session, XWindowId window,
                               const std::string& property);
// The atoms of the window's _NET_WM_STATE in their order (empty when it has none), e.g.
// {"_NET_WM_STATE_ABOVE"} for a window kept on top by the window manager.
std::vector<std::string> WindowStates(const XSession& session, XWindowId window);

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowGeometry&) const = default;
};
// Position on the screen and size of the window, as xdotool reports them.
WindowGeometry GetWindowGeometry(const XSession& session, XWindowId window);

// Saves a picture of the whole screen (ImageMagick's import), e.g. for a failing test.
void TakeScreenshot(const XSession& session, const std::filesystem::path& file);

}  // namespace lullex::test
