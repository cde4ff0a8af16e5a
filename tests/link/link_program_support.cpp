#include "link_program_support.h"

#include "wait_until.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace lullex::test {
namespace {

// Whatever this binary starts without naming a bus of its own must never reach the machine's
// logind.
class NoMachineSystemBus : public testing::Environment {
public:
    void SetUp() override
    {
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/lullex-link-tests-no-bus", 1);
    }
};

const testing::Environment* const noMachineSystemBus =
    testing::AddGlobalTestEnvironment(new NoMachineSystemBus);

constexpr int ShutTypeMonitor = 4;
constexpr int LongestIdleLimit = 1800;
constexpr int ButtonCount = 5;
// From the window's bottom edge to the middle of the button row: the layout's margin and half
// a button.
constexpr int ButtonRowFromBottom = 22;
// A box that has just been mapped may not have the focus yet; one key per round.
constexpr std::chrono::milliseconds KeyRound{3000};

}  // namespace

ConfigValues MasterConfig(uint16_t port, const std::string& partner)
{
    ConfigValues config;
    config.CMain = 1;
    config.IPAdd = partner;
    config.Port1 = port;
    config.CPUDelay = LongestIdleLimit;
    config.StartDelay = 3;
    config.ShutTime = 2;
    config.ShutType = ShutTypeMonitor;
    return config;
}

ConfigValues SlaveConfig(uint16_t port, const std::string& partner)
{
    ConfigValues config;
    config.CMain = 2;
    config.IPAdd = partner;
    config.Port1 = port;
    config.CPUDelay = 5;
    config.StartDelay = 1;
    config.ShutTime = 2;
    config.ShutType = 1;
    config.LogLevel = 3;
    return config;
}

std::string SlaveStatus(const std::string& event, const std::string& detail, int count,
                        const std::string& comms, bool testRun)
{
    char line[128];
    std::snprintf(line, sizeof line, "%c%-9s, %-10s, Count:%4d, Comms: %s", testRun ? '*' : ' ',
                  event.c_str(), detail.c_str(), count, comms.c_str());
    return line;
}

std::string ConnectedLine()
{
    return SlaveStatus("Run", "", 0, "-OK-");
}

std::vector<std::string> LostLinkLines(const std::string& comms)
{
    std::vector<std::string> lines;
    for (int count = 1; count < InhibitedLimit; ++count) {
        lines.push_back(SlaveStatus("Run", "", count, comms));
    }
    // The step that reaches the limit marks the second unheard before the countdown logs it.
    lines.push_back(SlaveStatus("Enter", "Power Off", 0, "Fail"));
    return lines;
}

std::vector<std::string> StatusLines(const LullexProgram& program)
{
    std::vector<std::string> status;
    for (const std::string& line : program.logLines()) {
        const std::string fields = WithoutTimestamp(line);
        if (fields != line) {
            status.push_back(fields);
        }
    }
    return status;
}

std::vector<std::string> Slice(const std::vector<std::string>& lines, std::size_t from,
                               std::size_t count)
{
    from = std::min(from, lines.size());
    count = std::min(count, lines.size() - from);
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(from);
    return std::vector<std::string>(first, first + static_cast<std::ptrdiff_t>(count));
}

bool StartsWith(const std::string& text, const std::string& start)
{
    return text.compare(0, start.size(), start) == 0;
}

std::size_t LastIndexOf(const std::vector<std::string>& lines, const std::string& line)
{
    for (std::size_t i = lines.size(); i > 0; --i) {
        if (lines[i - 1] == line) {
            return i - 1;
        }
    }
    return lines.size();
}

bool HoldsFor(const std::function<bool()>& condition, std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        if (!condition()) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return condition();
}

XWindowId VisibleWindow(const XSession& session, const std::string& title)
{
    const std::optional<XWindowId> window = FindWindowByTitle(session, title, StepTimeout, true);
    if (window) {
        return *window;
    }
    std::ostringstream named;
    std::istringstream ids(Xdotool(session, {"search", "--name", "."}));
    for (XWindowId id; ids >> id;) {
        try {
            named << "\n  " << id << " \"" << WindowTitle(session, id) << "\"";
        } catch (const std::runtime_error&) {
            // Gone since the search.
        }
    }
    throw std::runtime_error("no visible window titled \"" + title + "\" on " + session.display() +
                             "; named windows:" + named.str());
}

void ClickButton(const XSession& session, XWindowId window, MainButton button)
{
    // The buttons share the row equally, so the middle of the n-th fifth is inside the n-th.
    const WindowGeometry geometry = GetWindowGeometry(session, window);
    const int index = static_cast<int>(button);
    const int x = geometry.width * (2 * index + 1) / (2 * ButtonCount);
    const int y = geometry.height - ButtonRowFromBottom;
    Xdotool(session, {"mousemove", "--window", std::to_string(window), std::to_string(x),
                      std::to_string(y), "click", "1"});
}

bool AnswerBox(const XSession& session, const std::string& title, const std::string& key)
{
    const std::optional<XWindowId> box = FindWindowByTitle(session, title, StepTimeout, true);
    if (!box) {
        return false;
    }
    const std::string id = std::to_string(*box);
    return WaitUntil(
        [&] {
            try {
                // Keys go through XTest to the focused window, so press and release both
                // reach the server even when the box closes on the press.
                Xdotool(session, {"windowactivate", "--sync", id});
                Xdotool(session, {"key", key});
            } catch (const std::runtime_error&) {
                // The box went between the search and the key.
            }
            return WaitForNoWindowTitled(session, title, KeyRound);
        },
        StepTimeout);
}

LullexProgram& LinkProgramTest::startProgram(const ConfigValues& config,
                                             const std::vector<std::string>& arguments,
                                             const std::vector<std::string>& launcher)
{
    const bool inhibited = !arguments.empty() && arguments.front() == InhibitShutdown;
    if (!inhibited && config.ShutType != ShutTypeMonitor) {
        throw std::logic_error("a copy without the test mode must have Monitor as its action");
    }
    programs.push_back(std::make_unique<LullexProgram>(session, config));
    LullexProgram& program = *programs.back();
    const Environment noSystemBus = {
        {"DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + scratch.file("no-system-bus").string()}};
    if (launcher.empty()) {
        program.start(arguments, noSystemBus);
    } else {
        program.startThrough(launcher, arguments, noSystemBus);
    }
    return program;
}

void LinkProgramTest::expectAnnouncedPowerOffAndNormalEnd(LullexProgram& slave)
{
    const std::string box = "Lullex Slave Simulate Power Off";
    ASSERT_TRUE(slave.waitForStderr(box + "\nTest Real Power Off\n", StepTimeout)) << describe();
    ASSERT_TRUE(AnswerBox(session, box, "Return")) << describe();
    EXPECT_EQ(slave.waitForExit(StepTimeout), 0) << describe();
    const std::vector<std::string> lines = StatusLines(slave);
    ASSERT_GE(lines.size(), 2u) << describe();
    EXPECT_EQ(
        std::vector<std::string>(lines.end() - 2, lines.end()),
        (std::vector<std::string>{SlaveStatus("Power Off", "Simulate", InhibitedLimit, "Fail"),
                                  SlaveStatus("Close", "Power Off", InhibitedLimit, "Fail")}));
}

std::string LinkProgramTest::describe() const
{
    std::ostringstream text;
    for (const auto& program : programs) {
        text << program->describe() << "\n";
    }
    return text.str();
}

}  // namespace lullex::test
