#include "power_program_fixture.h"

#include "no_machine_system_bus.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace lullex::test {

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
    const LogFields fields = FieldsFrom(program->logLines(), from);
    const auto start = std::find(fields.begin(), fields.end(), first);
    const auto available = static_cast<std::size_t>(fields.end() - start);
    return LogFields(start, start + static_cast<std::ptrdiff_t>(std::min(count, available)));
}

std::size_t PowerProgramTest::expectLogLine(const std::string& fields, std::size_t from) const
{
    const std::optional<std::size_t> index = program->waitForLine(fields, from);
    EXPECT_TRUE(index.has_value()) << "no log line \"" << fields << "\"\n" << describe();
    return index.value_or(program->logLines().size());
}

Calls PowerProgramTest::calls() const
{
    return logind ? logind->calls() : Calls{};
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
