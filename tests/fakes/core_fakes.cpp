#include "core_fakes.h"

namespace lullex::test {

InputReading ScriptedProbe::read()
{
    ++reads;
    InputReading result = reading;
    reading.wheelTurned = false;
    return result;
}

void ScriptedProbe::moveTo(int32_t x, int32_t y)
{
    reading.cursorX = x;
    reading.cursorY = y;
}

void PrintTo(const LogEntry& entry, std::ostream* out)
{
    *out << '{' << (entry.testRun ? "*" : " ") << '"' << entry.event << "\", \"" << entry.detail
         << "\", Count " << entry.count << '}';
}

void RecordingLog::WriteLogBlock(int16_t mode)
{
    calls.push_back("WriteLogBlock(" + std::to_string(mode) + ")");
}

void RecordingLog::WriteStatusLine(const std::string& event, const std::string& detail)
{
    calls.push_back("WriteStatusLine(" + event + ", " + detail + ")");
    entries.push_back({event, detail, m_state.TestRun, m_state.Count});
}

void RecordingPower::ShutdownSystem(int32_t flags)
{
    record("ShutdownSystem(" + std::to_string(flags) + ")");
}

void RecordingPower::record(const std::string& call)
{
    calls.push_back(call);
    if (onCall)
        onCall();
    if (failure)
        throw *failure;
}

void RecordingSender::SendTag()
{
    tags.push_back(m_state.NextTag);
    m_state.NextTag = "<LXA100>";
}

void ScriptedInitialiser::InitSettings()
{
    ++calls;
    m_state.AppTitle = "Lullex";
    m_state.DialogOpen = false;
    m_timer.stop();
    m_state.NotConfigured = notConfigured;
    m_state.PortError = false;
    m_state.settings = file;
    m_state.TickDivider = 2;
    if (file.CMain == RoleSlave)
        m_state.AppTitle = "Lullex Slave";
    m_state.ConfigSaved = false;
    m_state.AutoMinimise = true;
}

Settings MasterSettings()
{
    return {RoleMaster, 1, "10.200.0.2", 5000, 300, LogLevelFull, "Lullex.log", "Log/", 1,
            10,         1, 60,           1};
}

}  // namespace lullex::test
