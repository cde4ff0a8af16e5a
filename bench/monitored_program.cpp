#include "monitored_program.h"

#include <stdexcept>

namespace lullex::bench {
namespace {

constexpr int MaxTicksToRun = 10;
constexpr std::size_t TimestampWidth = 18;
// The line of an idle Run second with its count at 1, after the timestamp "dd-mmm-yy hh:mm:ss".
const std::string IdleRunLine = ",  Run      ,           , Count:   1, Key: False, Mouse: False";

Settings benchSettings(const std::filesystem::path& logDirectory)
{
    Settings settings;
    settings.CMain = RoleMaster;
    settings.DName = 1;
    settings.IPAdd = "127.0.0.1";
    settings.Port1 = 10001;
    settings.CPUDelay = 1800;
    settings.LogLevel = LogLevelFull;
    settings.LogName = "Lullex.log";
    settings.LogPath = logDirectory.string() + "/";
    settings.RunOnTop = 1;
    settings.StartDelay = 1;
    settings.StartMin = 1;
    settings.ShutTime = 60;
    // "Monitor": even a loop that went wrong could only end itself.
    settings.ShutType = 4;
    return settings;
}

}  // namespace

MonitoredProgram::MonitoredProgram()
    : m_machine(MonitorCollaborators{m_state, m_view, m_presenter, m_sampler, m_log, m_prompter,
                                     m_power, m_sender, m_timer, m_terminator})
{
    m_state.settings = benchSettings(m_dir.path());
    m_state.AppTitle = ProductName;
}

void MonitoredProgram::enterRun()
{
    m_log.CreateLog();
    m_machine.ResetState();
    m_machine.StartMonitoring();
    for (int tick = 0; tick < MaxTicksToRun && m_state.State != RunState::Run; ++tick)
        m_machine.onTick();
    if (m_state.State != RunState::Run)
        throw std::runtime_error("the monitoring loop did not reach Run");
    // The first sample after a reset compares the cursor with 0 and counts as activity; the
    // measured seconds should all be idle ones.
    oneSecond();
}

void MonitoredProgram::oneSecond()
{
    // Back to where a key press would put the count, so the loop stays in Run however many
    // seconds the benchmark takes; a store is all this adds.
    m_state.Count = 0;
    m_machine.onTick();
    m_machine.onTick();
}

std::string MonitoredProgram::checkStillInRun() const
{
    if (m_state.State != RunState::Run)
        return "the loop left Run";
    const std::string& line = m_state.StatusLine;
    if (line.size() <= TimestampWidth || line.substr(TimestampWidth) != IdleRunLine)
        return "unexpected last log line: " + line;
    return {};
}

std::filesystem::path MonitoredProgram::logFile() const
{
    return m_dir.file("Lullex.log");
}

}  // namespace lullex::bench
