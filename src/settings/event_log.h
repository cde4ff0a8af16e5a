#pragma once

#include "app_state.h"
#include "clock.h"
#include "log_messages.h"
#include "log_writer.h"
#include "program_end.h"
#include "prompter.h"

#include <cstdint>
#include <string>

namespace lullex {

// The append-only log file LogPath + LogName. Every write opens, appends and closes; any
// failure is fatal: the main timer stops, the box shows, the program ends with code 1.
class EventLog : public LogWriter {
public:
    EventLog(AppState& state, Prompter& prompter, MainTimer& timer, Terminator& terminator,
             const Clock& clock);

    void CreateLog() override;
    void WriteLogBlock(int16_t mode) override;
    void WriteStatusLine(const std::string& event, const std::string& detail) override;

private:
    bool loggingEnabled() const;
    std::string timestamp() const;
    std::string header() const;
    std::string logBlock(int16_t mode) const;
    std::string statusLine(const std::string& event, const std::string& detail) const;
    void appendLine(const std::string& text, LogFailure directoryFailure);
    [[noreturn]] void fail(LogFailure failure);

    AppState& m_state;
    Prompter& m_prompter;
    MainTimer& m_timer;
    Terminator& m_terminator;
    const Clock& m_clock;
};

}  // namespace lullex
