#pragma once

#include "app_state.h"
#include "log_writer.h"

#include <string>

namespace lullex {

// The writer leaves the level to its callers: "Normal" entries are written when LogLevel is
// above None, "Full" entries only at Full.
class LevelledLog {
public:
    LevelledLog(LogWriter& writer, const AppState& state) : m_writer(writer), m_state(state) {}

    void normal(const std::string& event, const std::string& detail)
    {
        if (m_state.settings.LogLevel > LogLevelNone)
            m_writer.WriteStatusLine(event, detail);
    }
    void full(const std::string& event, const std::string& detail)
    {
        if (m_state.settings.LogLevel == LogLevelFull)
            m_writer.WriteStatusLine(event, detail);
    }

private:
    LogWriter& m_writer;
    const AppState& m_state;
};

}  // namespace lullex
