#include "x_tools.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace lullex::test {

namespace {

// Runs a tool of the session; throws with its outputs when it fails.
CommandResult RunTool(const XSession& session, std::vector<std::string> argv,
                      const std::vector<int>& acceptedCodes = {0})
{
    const std::string name = argv.front();
    CommandResult result = RunCommand(session.processSpec(std::move(argv)));
    for (int code : acceptedCodes) {
        if (result.exitCode == code) {
            return result;
        }
    }
    throw std::runtime_error(name + " failed with exit code " + std::to_string(result.exitCode) +
                             ": " + result.err + result.out);
}

std::string WithoutLineEnd(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text;
}

// xdotool matches titles by extended regular expression, ignoring case.
std::string ExactPattern(const std::string& title)
{
    std::string pattern = "^";
    for (char c : title) {
        if (std::string(".[]{}()\\*+?^$|").find(c) != std::string::npos) {
            pattern += '\\';
        }
        pattern += c;
    }
    return pattern + "$";
}

std::vector<XWindowId> ParseWindowIds(const std::string& text)
{
    std::vector<XWindowId> ids;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty()) {
            ids.push_back(std::stoul(line));
        }
    }
    return ids;
}

}  // namespace

std::string Xdotool(const XSession& session, const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunTool(session, argv).out;
}

std::string ActiveWindow(const XSession& session)
{
    // xdotool ends with 1 when no window has the focus.
    return WithoutLineEnd(RunTool(session, {"xdotool", "getactivewindow"}, {0, 1}).out);
}

std::string WindowTitle(const XSession& session, XWindowId window)
{
    return WithoutLineEnd(Xdotool(session, {"getwindowname", std::to_string(window)}));
}

std::vector<XWindowId> FindWindowsByTitle(const XSession& session, const std::string& title,
                                          bool onlyVisible)
{
    std::vector<std::string> argv = {"xdotool", "search"};
    if (onlyVisible) {
        argv.push_back("--onlyvisible");
    }
    argv.insert(argv.end(), {"--name", ExactPattern(title)});
    // xdotool ends with 1 when it finds nothing, and also when a window it was looking at went
    // away during the search (Debian 12's xdotool stops at that BadWindow error): search again
    // then, or a window closing elsewhere would hide the ones that are there.
    constexpr int Attempts = 5;
    CommandResult result;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        result = RunTool(session, argv, {0, 1});
        if (result.err.find("BadWindow") == std::string::npos)
            break;
    }
    const auto candidates = ParseWindowIds(result.out);
    std::vector<XWindowId> matches;
    for (XWindowId window : candidates) {
        try {
            if (WindowTitle(session, window) == title) {
                matches.push_back(window);
            }
        } catch (const std::runtime_error&) {
            // The window went away between the search and the look at its title.
        }
    }
    return matches;
}

std::optional<XWindowId> FindWindowByTitle(const XSession& session, const std::string& title,
                                           std::chrono::milliseconds timeout, bool onlyVisible)
{
    std::vector<XWindowId> found;
    WaitUntil(
        [&] {
            found = FindWindowsByTitle(session, title, onlyVisible);
            return !found.empty();
        },
        timeout, std::chrono::milliseconds(100));
    if (found.empty()) {
        return std::nullopt;
    }
    return found.front();
}

bool WaitForNoWindowTitled(const XSession& session, const std::string& title,
                           std::chrono::milliseconds timeout)
{
    return WaitUntil([&] { return FindWindowsByTitle(session, title).empty(); }, timeout,
                     std::chrono::milliseconds(100));
}

std::string ReadWindowProperty(const XSession& session, XWindowId window,
                               const std::string& property)
{
    return WithoutLineEnd(RunTool(session, {"xprop", "-id", std::to_string(window), property}).out);
}

std::vector<std::string> WindowStates(const XSession& session, XWindowId window)
{
    const std::string line = ReadWindowProperty(session, window, "_NET_WM_STATE");
    const std::string separator = " = ";
    const auto start = line.find(separator);
    std::vector<std::string> atoms;
    if (start == std::string::npos) {
        return atoms;  // "not found": the window has no state
    }
    std::istringstream list(line.substr(start + separator.size()));
    std::string atom;
    while (std::getline(list, atom, ',')) {
        const auto first = atom.find_first_not_of(' ');
        if (first != std::string::npos) {
            atoms.push_back(atom.substr(first));
        }
    }
    return atoms;
}

WindowGeometry GetWindowGeometry(const XSession& session, XWindowId window)
{
    const std::string text =
        Xdotool(session, {"getwindowgeometry", "--shell", std::to_string(window)});
    WindowGeometry geometry;
    const std::map<std::string, int*> fields = {{"X", &geometry.x},
                                                {"Y", &geometry.y},
                                                {"WIDTH", &geometry.width},
                                                {"HEIGHT", &geometry.height}};
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto equals = line.find('=');
        const auto field = fields.find(line.substr(0, equals));
        if (equals != std::string::npos && field != fields.end()) {
            *field->second = std::stoi(line.substr(equals + 1));
        }
    }
    return geometry;
}

void TakeScreenshot(const XSession& session, const std::filesystem::path& file)
{
    RunTool(session, {"import", "-window", "root", file.string()});
}

}  // namespace lullex::test
