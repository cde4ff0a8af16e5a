#pragma once

#include <cstdint>
#include <string>

namespace lullex {

// The event log's three writers. Each either returns normally or ends the program with the
// log's own fatal message.
class LogWriter {
public:
    virtual ~LogWriter() = default;
    // Creates the log file with its header when LogLevel is above 1 and the file is missing.
    virtual void CreateLog() = 0;
    // 0 the start-up block, 1 the configuration block, anything else LogText unchanged.
    virtual void WriteLogBlock(int16_t mode) = 0;
    // One status line; both texts empty repeats the last line's end (an empty line).
    virtual void WriteStatusLine(const std::string& event, const std::string& detail) = 0;
};

}  // namespace lullex
