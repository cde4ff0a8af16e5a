#include "lullex_program.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

namespace lullex::test {
namespace {

constexpr std::size_t TimestampWidth = 20;

std::string joinedWithCrLf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace

std::string ConfigFileText(const ConfigValues& v)
{
    using std::to_string;
    return joinedWithCrLf({"# Lullex Version 2.5",
                           "# Configuration File",
                           "# 07-Dec-26 08:00:00",
                           "",
                           "[Comms]",
                           "CMain=" + to_string(v.CMain),
                           "DName=" + to_string(v.DName),
                           "IPAdd=" + v.IPAdd,
                           "Port1=" + to_string(v.Port1),
                           "",
                           "[Run]",
                           "CPUDelay=" + to_string(v.CPUDelay),
                           "LogLevel=" + to_string(v.LogLevel),
                           "LogName=" + v.LogName,
                           "LogPath=" + v.LogPath,
                           "RunOnTop=" + to_string(v.RunOnTop),
                           "StartDelay=" + to_string(v.StartDelay),
                           "StartMin=" + to_string(v.StartMin),
                           "",
                           "[Shutdown]",
                           "ShutTime=" + to_string(v.ShutTime),
                           "ShutType=" + to_string(v.ShutType),
                           ""});
}

std::string WithoutTimestamp(const std::string& line)
{
    const bool stamped = line.size() > TimestampWidth && line.compare(18, 2, ", ") == 0;
    return stamped ? line.substr(TimestampWidth) : line;
}

std::filesystem::path LullexBinary()
{
    return LULLEX_BINARY;
}

LullexProgram::LullexProgram(const XSession& session, const ConfigValues& config)
    : m_session(session), m_dir("lullex-program"), m_runtimeDir(m_dir.file("runtime"))
{
    std::filesystem::create_directories(m_dir.file("Data"));
    std::filesystem::create_directories(m_dir.file("Log"));
    std::filesystem::create_directories(m_runtimeDir);
    ::chmod(m_runtimeDir.c_str(), 0700);
    WriteWholeFile(m_dir.file("Data/Lullex.ini"), ConfigFileText(config));
}

LullexProgram::~LullexProgram() = default;

std::filesystem::path LullexProgram::logFile() const
{
    return m_dir.file("Log/Lullex.log");
}

ProcessSpec LullexProgram::spec(const std::vector<std::string>& arguments,
                                const Environment& extra) const
{
    std::vector<std::string> argv{LullexBinary().string()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    ProcessSpec result = m_session.processSpec(argv);
    result.workingDirectory = m_dir.path();
    result.setEnvironment["XDG_RUNTIME_DIR"] = m_runtimeDir.string();
    for (const auto& [name, value] : extra)
        result.setEnvironment[name] = value;
    return result;
}

void LullexProgram::start(const std::vector<std::string>& arguments, const Environment& extra)
{
    m_process = std::make_unique<ChildProcess>(spec(arguments, extra));
}

void LullexProgram::startThrough(const std::vector<std::string>& launcher,
                                 const std::vector<std::string>& arguments,
                                 const Environment& extra)
{
    ProcessSpec launched = spec(arguments, extra);
    launched.argv.insert(launched.argv.begin(), launcher.begin(), launcher.end());
    m_process = std::make_unique<ChildProcess>(launched);
}

ChildProcess& LullexProgram::startAnother(const std::vector<std::string>& arguments,
                                          const Environment& extra)
{
    m_others.push_back(std::make_unique<ChildProcess>(spec(arguments, extra)));
    return *m_others.back();
}

void LullexProgram::shareRuntimeDirWith(const LullexProgram& other)
{
    m_runtimeDir = other.m_runtimeDir;
}

ChildProcess& LullexProgram::process()
{
    if (!m_process)
        throw std::logic_error("the program was not started");
    return *m_process;
}

std::vector<std::string> LullexProgram::logLines() const
{
    std::vector<std::string> lines;
    std::ifstream file(logFile(), std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::optional<std::size_t> LullexProgram::waitForLogLine(const std::string& fields,
                                                         std::chrono::milliseconds timeout,
                                                         std::size_t from) const
{
    std::optional<std::size_t> found;
    WaitUntil(
        [&] {
            const std::vector<std::string> lines = logLines();
            for (std::size_t i = from; i < lines.size(); ++i) {
                if (WithoutTimestamp(lines[i]) == fields) {
                    found = i;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

bool LullexProgram::waitForStderr(const std::string& text, std::chrono::milliseconds timeout) const
{
    return WaitUntil(
        [&] { return m_process && m_process->stderrText().find(text) != std::string::npos; },
        timeout);
}

std::optional<int> LullexProgram::waitForExit(std::chrono::milliseconds timeout)
{
    return process().waitForExit(timeout);
}

std::string LullexProgram::describe() const
{
    std::ostringstream text;
    text << (m_process ? m_process->describe() : std::string("(not started)")) << "\nlog:\n";
    for (const std::string& line : logLines())
        text << "  " << line << "\n";
    return text.str();
}

}  // namespace lullex::test
