#include "power_program_fixture.h"

#include "wait_until.h"
#include "x_tools.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace lullex::test {
namespace {

// Whatever this binary starts without naming a bus of its own must never reach the machine's
// logind: a program that did could power the machine off.
class NoMachineSystemBus : public testing::Environment {
public:
    void SetUp() override
    {
        ::setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/lullex-tests-no-bus", 1);
    }
};

const testing::Environment* const noMachineSystemBus =
    testing::AddGlobalTestEnvironment(new NoMachineSystemBus);

// A box that has just been mapped may not have the focus yet; one key per round, until it goes.
constexpr std::chrono::milliseconds KeyRound{3000};

}  // namespace

ConfigValues ShortCycle(int shutType, int logLevel)
{
    ConfigValues config;
    config.StartDelay = 1;
    config.CPUDelay = 5;
    config.ShutTime = 2;
    config.ShutType = shutType;
    config.LogLevel = logLevel;
    return config;
}

void PowerProgramTest::startLogind(const std::string& parametersJson)
{
    logind = std::make_unique<MockLogind>(systemBus, parametersJson);
}

void PowerProgramTest::startProgram(const ConfigValues& config, const std::string& systemBusAddress)
{
    if (systemBusAddress.empty())
        throw std::logic_error("the program must be given a private system bus address");
    program = std::make_unique<LullexProgram>(session, config);
    program->start({}, {{"DBUS_SYSTEM_BUS_ADDRESS", systemBusAddress}});
}

void PowerProgramTest::startProgram(const ConfigValues& config)
{
    startProgram(config, systemBus.address());
}

std::string PowerProgramTest::noBusAddress() const
{
    return "unix:path=" + scratch.file("none").string();
}

LogFields PowerProgramTest::logFrom(const std::string& first, std::size_t from,
                                    std::size_t count) const
{
    const std::vector<std::string> lines = program->logLines();
    LogFields fields;
    for (std::size_t i = from; i < lines.size() && fields.size() < count; ++i) {
        const std::string line = WithoutTimestamp(lines[i]);
        if (fields.empty() && line != first)
            continue;
        fields.push_back(line);
    }
    return fields;
}

std::size_t PowerProgramTest::expectLogLine(const std::string& fields, std::size_t from) const
{
    const std::optional<std::size_t> index = program->waitForLogLine(fields, StepTimeout, from);
    EXPECT_TRUE(index.has_value()) << "no log line \"" << fields << "\"\n" << describe();
    return index.value_or(program->logLines().size());
}

Calls PowerProgramTest::calls() const
{
    return logind ? logind->calls() : Calls{};
}

bool PowerProgramTest::closeBox(const std::string& title) const
{
    const std::optional<XWindowId> box = FindWindowByTitle(session, title, StepTimeout, true);
    if (!box)
        return false;
    const std::string id = std::to_string(*box);
    return WaitUntil(
        [&] {
            try {
                Xdotool(session, {"key", "--window", id, "Escape"});
            } catch (const std::runtime_error&) {
                // The window went between the search and the key.
            }
            return WaitForNoWindowTitled(session, title, KeyRound);
        },
        StepTimeout);
}

std::string PowerProgramTest::describe() const
{
    std::ostringstream text;
    text << (program ? program->describe() : std::string("(program not started)\n"))
         << "logind calls:";
    for (const std::string& call : calls())
        text << " [" << call << "]";
    return text.str();
}

}  // namespace lullex::test
