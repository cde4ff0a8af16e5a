#include "e2e_test_support.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <sstream>
#include <stdexcept>

namespace lullex::test {
namespace {

constexpr int SecondsPerDay = 24 * 60 * 60;
// "dd-mmm-yy hh:mm:ss": the clock starts after the date and its blank.
constexpr std::size_t ClockOffset = 10;
// The logo stands at the window's left edge, 64 pixels wide inside the layout's margin.
constexpr int LogoRight = 80;
constexpr int MainButtonCount = 5;
// From the window's bottom edge to the middle of the button row: the layout's margin and half
// a button.
constexpr int ButtonRowFromBottom = 22;
// A box that has just been mapped may not have the focus yet: one key per round.
constexpr std::chrono::milliseconds KeyRound{5000};

Environment CutOffEnvironment(const LullexProgram& program, Environment extra)
{
    extra["DBUS_SYSTEM_BUS_ADDRESS"] =
        "unix:path=" + (program.workingDirectory() / "no-system-bus").string();
    return extra;
}

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

bool IsWarningOrange(const Rgb& colour)
{
    return colour.red >= 235 && colour.green >= 100 && colour.green <= 160 && colour.blue <= 50;
}

bool IsDark(const Rgb& colour)
{
    return colour.red < 80 && colour.green < 80 && colour.blue < 80;
}

// One line of ImageMagick's histogram: "   415: (255,128,  0) #FF8000 srgb(255,128,0)".
bool ParseHistogramLine(const std::string& line, long& count, Rgb& colour)
{
    static const std::regex pattern(R"(^\s*(\d+):\s*\(\s*(\d+),\s*(\d+),\s*(\d+))");
    std::smatch match;
    if (!std::regex_search(line, match, pattern))
        return false;
    count = std::stol(match[1]);
    colour = {std::stoi(match[2]), std::stoi(match[3]), std::stoi(match[4])};
    return true;
}

// The second guard beside the missing system bus: a start that could act on the machine, in
// a test written carelessly, is refused before it happens.
void RequireHarmless(const LullexProgram& program, const std::vector<std::string>& arguments)
{
    const bool testMode = !arguments.empty() && arguments.front().starts_with("-InhibitShutdown");
    const std::filesystem::path file = program.workingDirectory() / "Data/Lullex.ini";
    const bool monitorOnly = std::filesystem::exists(file) &&
                             ReadWholeFile(file).find("\r\nShutType=4\r\n") != std::string::npos;
    if (!testMode && !monitorOnly)
        throw std::logic_error("refused to start Lullex outside the test mode with a power action");
}

// The second of the day of a status line's timestamp "dd-mmm-yy hh:mm:ss".
int SecondOfDay(const std::string& line)
{
    if (line.size() < 18 || !IsTimestamp(line.substr(0, 18)))
        throw std::invalid_argument("no timestamp at the start of \"" + line + "\"");
    const auto number = [&](std::size_t at) { return std::stoi(line.substr(ClockOffset + at, 2)); };
    return number(0) * 3600 + number(3) * 60 + number(6);
}

}  // namespace

void StartCutOff(LullexProgram& program, const std::vector<std::string>& arguments,
                 const Environment& extra, const std::vector<std::string>& launcher)
{
    RequireHarmless(program, arguments);
    if (launcher.empty())
        program.start(arguments, CutOffEnvironment(program, extra));
    else
        program.startThrough(launcher, arguments, CutOffEnvironment(program, extra));
}

ChildProcess& StartAnotherCutOff(LullexProgram& program, const std::vector<std::string>& arguments)
{
    RequireHarmless(program, arguments);
    return program.startAnother(arguments, CutOffEnvironment(program, {}));
}

ConfigValues TestModeConfig()
{
    ConfigValues config;
    config.StartDelay = 1;
    config.CPUDelay = 600;
    config.ShutTime = 60;
    config.ShutType = 1;
    return config;
}

ConfigValues MonitorConfig()
{
    ConfigValues config;
    config.IPAdd = "127.0.0.1";
    config.Port1 = HeldLoopbackPort();
    config.StartDelay = 1;
    config.CPUDelay = 60;
    config.ShutTime = 2;
    config.ShutType = 4;
    return config;
}

std::vector<std::string> FieldsFrom(const std::vector<std::string>& lines, std::size_t from)
{
    std::vector<std::string> fields;
    for (std::size_t i = from; i < lines.size(); ++i)
        fields.push_back(WithoutTimestamp(lines[i]));
    return fields;
}

std::vector<std::string> StatusLines(const LullexProgram& program)
{
    std::vector<std::string> status;
    for (const std::string& line : program.logLines()) {
        const std::string fields = WithoutTimestamp(line);
        if (fields != line)
            status.push_back(fields);
    }
    return status;
}

int CountOf(const std::string& fields)
{
    const std::string label = ", Count:";
    const std::size_t at = fields.find(label);
    if (at == std::string::npos || fields.size() < at + label.size() + 4)
        throw std::invalid_argument("no count in \"" + fields + "\"");
    return std::stoi(fields.substr(at + label.size(), 4));
}

bool IsTimestamp(const std::string& text)
{
    static const std::regex form(R"(\d\d-\S{3}-\d\d \d\d:\d\d:\d\d)");
    return std::regex_match(text, form);
}

int SecondsBetween(const std::string& earlier, const std::string& later)
{
    return (SecondOfDay(later) - SecondOfDay(earlier) + SecondsPerDay) % SecondsPerDay;
}

std::optional<XWindowId> WaitForVisibleWindow(const XSession& session, const std::string& title,
                                              std::chrono::milliseconds timeout)
{
    return FindWindowByTitle(session, title, timeout, true);
}

std::string NamedWindows(const XSession& session)
{
    std::ostringstream named;
    named << "named windows on " << session.display() << ":";
    std::istringstream ids(Xdotool(session, {"search", "--name", "."}));
    for (XWindowId id; ids >> id;) {
        try {
            named << "\n  " << id << " \"" << WindowTitle(session, id) << "\"";
        } catch (const std::runtime_error&) {
            // Gone since the search.
        }
    }
    return named.str();
}

bool HasState(const XSession& session, XWindowId window, const std::string& atom)
{
    const std::vector<std::string> states = WindowStates(session, window);
    return std::find(states.begin(), states.end(), atom) != states.end();
}

bool WaitForState(const XSession& session, XWindowId window, const std::string& atom, bool present,
                  std::chrono::milliseconds timeout)
{
    return WaitUntil([&] { return HasState(session, window, atom) == present; }, timeout,
                     std::chrono::milliseconds(100));
}

WindowGeometry ScreenGeometry(const XSession& session, XWindowId window)
{
    const CommandResult result =
        RunCommand(session.processSpec({"xwininfo", "-id", std::to_string(window)}));
    if (result.exitCode != 0)
        throw std::runtime_error("xwininfo failed: " + result.err);
    WindowGeometry geometry;
    const std::pair<const char*, int*> fields[] = {{"Absolute upper-left X:", &geometry.x},
                                                   {"Absolute upper-left Y:", &geometry.y},
                                                   {"Width:", &geometry.width},
                                                   {"Height:", &geometry.height}};
    std::istringstream lines(result.out);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t start = line.find_first_not_of(' ');
        for (const auto& [label, value] : fields) {
            if (start != std::string::npos && line.compare(start, std::strlen(label), label) == 0)
                *value = std::stoi(line.substr(start + std::strlen(label)));
        }
    }
    return geometry;
}

bool WaitUntilCentred(const XSession& session, XWindowId window, WindowGeometry& last)
{
    // The program centres the frame; the client stands half a title bar lower. The window
    // manager may show it elsewhere for a moment before it moves.
    constexpr int Slack = 40;
    return WaitUntil(
        [&] {
            last = ScreenGeometry(session, window);
            return std::abs(last.x + last.width / 2 - ScreenWidth / 2) <= Slack &&
                   std::abs(last.y + last.height / 2 - ScreenHeight / 2) <= Slack;
        },
        LongTimeout, std::chrono::milliseconds(100));
}

bool IsViewable(const XSession& session, XWindowId window)
{
    const CommandResult result =
        RunCommand(session.processSpec({"xwininfo", "-id", std::to_string(window)}));
    return result.exitCode == 0 && result.out.find("Map State: IsViewable") != std::string::npos;
}

bool TypeInto(const XSession& session, XWindowId window, const std::string& keys)
{
    try {
        Xdotool(session, {"windowactivate", "--sync", std::to_string(window)});
        Xdotool(session, {"key", "--clearmodifiers", keys});
        return true;
    } catch (const std::runtime_error&) {
        return false;  // the window went away, e.g. closed by an earlier key
    }
}

bool AnswerBox(const XSession& session, const std::string& title, const std::string& key)
{
    const std::optional<XWindowId> box = WaitForVisibleWindow(session, title);
    if (!box)
        return false;
    const auto gone = [&] { return FindWindowsByTitle(session, title, true).empty(); };
    // A key typed while the box was still being activated may be lost; type it again then. Keys
    // go through XTest to the focused window, so press and release both reach the server even
    // when the box closes on the press. A stray key reaches at most the main window, whose
    // buttons ignore it.
    return WaitUntil(
        [&] {
            TypeInto(session, *box, key);
            return WaitUntil(gone, KeyRound, std::chrono::milliseconds(100));
        },
        LongTimeout);
}

void ClickButton(const XSession& session, XWindowId window, MainButton button)
{
    const WindowGeometry geometry = ScreenGeometry(session, window);
    const int index = static_cast<int>(button);
    const int x = geometry.x + geometry.width * (2 * index + 1) / (2 * MainButtonCount);
    const int y = geometry.y + geometry.height - ButtonRowFromBottom;
    Xdotool(session, {"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

WindowColours ColoursBesideLogo(const XSession& session, XWindowId window)
{
    const WindowGeometry geometry = ScreenGeometry(session, window);
    TempDir dir("lullex-picture");
    const std::string picture = dir.file("window.png").string();
    const CommandResult shot =
        RunCommand(session.processSpec({"import", "-window", std::to_string(window), picture}));
    if (shot.exitCode != 0)
        throw std::runtime_error("import failed: " + shot.err);
    const std::string area = std::to_string(geometry.width - LogoRight) + "x" +
                             std::to_string(geometry.height) + "+" + std::to_string(LogoRight) +
                             "+0";
    const CommandResult histogram = RunCommand(session.processSpec(
        {"convert", picture, "-crop", area, "+repage", "-format", "%c", "histogram:info:-"}));
    if (histogram.exitCode != 0)
        throw std::runtime_error("convert failed: " + histogram.err);
    WindowColours colours;
    std::istringstream lines(histogram.out);
    std::string line;
    while (std::getline(lines, line)) {
        long count = 0;
        Rgb colour;
        if (!ParseHistogramLine(line, count, colour))
            continue;
        if (IsWarningOrange(colour))
            colours.orange += count;
        else if (IsDark(colour))
            colours.dark += count;
    }
    return colours;
}

std::optional<WindowGeometry> TrayPanel(const XSession& session)
{
    const std::vector<XWindowId> panels = FindWindowsByTitle(session, "panel");
    if (panels.empty())
        return std::nullopt;
    return ScreenGeometry(session, panels.front());
}

}  // namespace lullex::test
