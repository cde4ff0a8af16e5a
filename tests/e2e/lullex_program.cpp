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

namespace {

// Text padded with blanks or cut to the width, as the log's columns are.
std::string Column(std::string text, std::size_t width)
{
    text.resize(width, ' ');
    return text;
}

std::string CountColumn(int count)
{
    const std::string digits = std::to_string(count);
    return digits.size() >= 4 ? digits.substr(digits.size() - 4)
                              : std::string(4 - digits.size(), ' ') + digits;
}

}  // namespace

std::string StatusLine(const std::string& event, const std::string& detail, int count, bool testRun)
{
    return Column((testRun ? "*" : " ") + event, 10) + ", " + Column(detail, 10) +
           ", Count:" + CountColumn(count);
}

std::string MasterStatus(const std::string& event, const std::string& detail, int count, bool key,
                         bool mouse, bool testRun)
{
    const auto word = [](bool flag) { return std::string(flag ? "True" : "False"); };
    return StatusLine(event, detail, count, testRun) + ", Key: " + Column(word(key), 5) +
           ", Mouse: " + word(mouse);
}

std::string SlaveStatus(const std::string& event, const std::string& detail, int count,
                        const std::string& comms, bool testRun)
{
    return StatusLine(event, detail, count, testRun) + ", Comms: " + comms;
}

LineMatch::LineMatch(std::string fields)
    : m_what("the line \"" + fields + "\""),
      m_test([fields](const std::string& line) { return line == fields; })
{
}

LineMatch::LineMatch(std::string what, std::function<bool(const std::string&)> test)
    : m_what(std::move(what)), m_test(std::move(test))
{
}

LineMatch LineMatch::StartingWith(const std::string& prefix)
{
    return {"a line starting with \"" + prefix + "\"",
            [prefix](const std::string& line) { return line.starts_with(prefix); }};
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

std::optional<std::size_t> LullexProgram::waitForLine(const LineMatch& match, std::size_t from,
                                                      std::chrono::milliseconds timeout) const
{
    std::optional<std::size_t> found;
    WaitUntil(
        [&] {
            const std::vector<std::string> lines = logLines();
            for (std::size_t i = from; i < lines.size() && !found; ++i) {
                if (match(WithoutTimestamp(lines[i])))
                    found = i;
            }
            return found.has_value();
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
