#include "event_log.h"

#include "fatal_error.h"
#include "log_file.h"
#include "log_paths.h"
#include "status_line.h"
#include "timestamp.h"

namespace lullex {
namespace {

const std::string LineEnd = "\r\n";

constexpr int16_t StartUpBlock = 0;
constexpr int16_t ConfigurationBlock = 1;

}  // namespace

EventLog::EventLog(AppState& state, Prompter& prompter, MainTimer& timer, Terminator& terminator,
                   const Clock& clock)
    : m_state(state), m_prompter(prompter), m_timer(timer), m_terminator(terminator), m_clock(clock)
{
}

void EventLog::CreateLog()
{
    if (!loggingEnabled())
        return;
    if (!directoryExists(logDirectoryPath(m_state.settings)))
        fail(LogFailure::DirectoryMissingOnCreate);
    const std::string path = logFilePath(m_state.settings);
    if (fileExists(path))
        return;
    if (!appendToFile(path, header() + LineEnd, FileOpening::Create))
        fail(LogFailure::CreateFailed);
}

void EventLog::WriteLogBlock(int16_t mode)
{
    if (!loggingEnabled())
        return;
    // The block replaces LogText: the configuration copy is written once, and the next
    // reading of the configuration builds it afresh.
    m_state.LogText = logBlock(mode);
    appendLine(m_state.LogText, LogFailure::DirectoryMissingOnBlock);
}

void EventLog::WriteStatusLine(const std::string& event, const std::string& detail)
{
    // Two empty texts repeat the last line's end. At start-up, the one caller, StatusLine is
    // still empty, so this writes two empty lines.
    if (event.empty() && detail.empty())
        m_state.StatusLine += LineEnd;
    else
        m_state.StatusLine = statusLine(event, detail);
    appendLine(m_state.StatusLine, LogFailure::DirectoryMissingOnStatusLine);
}

bool EventLog::loggingEnabled() const
{
    return m_state.settings.LogLevel > LogLevelNone;
}

std::string EventLog::timestamp() const
{
    return FormatTimestamp(m_clock.localNow());
}

std::string EventLog::header() const
{
    return m_state.AppTitle + LineEnd + "Version " + ProductVersion + LineEnd + "File Created" +
           LineEnd + timestamp();
}

std::string EventLog::logBlock(int16_t mode) const
{
    const std::string titleLines = m_state.AppTitle + LineEnd + "Version " + ProductVersion;
    const int16_t level = m_state.settings.LogLevel;
    if (mode == StartUpBlock && level == LogLevelNormal)
        return titleLines + LineEnd;
    if (mode == StartUpBlock && level == LogLevelFull)
        return titleLines + LineEnd + m_state.LogText + LineEnd;
    if (mode == ConfigurationBlock)
        return LineEnd + m_state.LogText + LineEnd;
    return m_state.LogText;
}

std::string EventLog::statusLine(const std::string& event, const std::string& detail) const
{
    StatusLineFields fields;
    fields.timestamp = timestamp();
    fields.event = event;
    fields.detail = detail;
    fields.testRun = m_state.TestRun;
    fields.count = m_state.Count;
    fields.logLevel = m_state.settings.LogLevel;
    fields.role = m_state.settings.CMain;
    fields.keyChanged = m_state.KeyChanged;
    fields.mouseMoved = m_state.MouseMoved;
    fields.inputDetailKnown = m_state.InputDetailKnown;
    fields.commsStatus = m_state.CommsStatus;
    return buildStatusLine(fields);
}

// The existence tests come first so that a vanished directory or file gets its own message;
// a file that vanished is never re-created here: the next start creates a new one.
void EventLog::appendLine(const std::string& text, LogFailure directoryFailure)
{
    if (!directoryExists(logDirectoryPath(m_state.settings)))
        fail(directoryFailure);
    const std::string path = logFilePath(m_state.settings);
    if (!fileExists(path))
        fail(LogFailure::FileMissing);
    if (!appendToFile(path, text + LineEnd, FileOpening::ExistingOnly))
        fail(LogFailure::WriteFailed);
}

void EventLog::fail(LogFailure failure)
{
    EndWithFatalError(logFailureBox(failure, m_state.AppTitle, m_state.settings.LogName),
                      m_prompter, m_timer, m_terminator);
}

}  // namespace lullex
