#include "link_program_support.h"

#include "no_machine_system_bus.h"

#include <algorithm>
#include <sstream>

namespace lullex::test {
namespace {

constexpr int ShutTypeMonitor = 4;
constexpr int LongestIdleLimit = 1800;

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

std::vector<std::string> Slice(const std::vector<std::string>& lines, std::size_t from,
                               std::size_t count)
{
    from = std::min(from, lines.size());
    count = std::min(count, lines.size() - from);
    const auto first = lines.begin() + static_cast<std::ptrdiff_t>(from);
    return std::vector<std::string>(first, first + static_cast<std::ptrdiff_t>(count));
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

LullexProgram& LinkProgramTest::startProgram(const ConfigValues& config,
                                             const std::vector<std::string>& arguments,
                                             const std::vector<std::string>& launcher)
{
    programs.push_back(std::make_unique<LullexProgram>(session, config));
    LullexProgram& program = *programs.back();
    StartCutOff(program, arguments, {}, launcher);
    return program;
}

void LinkProgramTest::expectAnnouncedPowerOffAndNormalEnd(LullexProgram& slave)
{
    const std::string box = "Lullex Slave Simulate Power Off";
    ASSERT_TRUE(slave.waitForStderr(box + "\nTest Real Power Off\n", LongTimeout)) << describe();
    ASSERT_TRUE(AnswerBox(session, box, "Return")) << describe();
    EXPECT_EQ(slave.waitForExit(LongTimeout), 0) << describe();
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
