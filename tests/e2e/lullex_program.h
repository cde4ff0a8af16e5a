#pragma once

#include "child_process.h"
#include "temp_dir.h"
#include "x_session.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lullex::test {

// The values of a configuration file, as stored (check boxes and roles as 1/2).
struct ConfigValues {
    int CMain = 1;
    int DName = 1;
    std::string IPAdd;
    int Port1 = 10001;
    int CPUDelay = 600;
    int LogLevel = 3;
    std::string LogName = "Lullex.log";
    std::string LogPath = "Log/";
    int RunOnTop = 1;
    int StartDelay = 2;
    int StartMin = 1;
    int ShutTime = 60;
    int ShutType = 1;
};

// The file as the program writes it: 23 lines with CR LF ends.
std::string ConfigFileText(const ConfigValues& values);

// A status line of the log without its timestamp ("dd-mmm-yy hh:mm:ss, " is 20 characters),
// e.g. " Enter    , Run       , Count:   0". Other lines come back unchanged.
std::string WithoutTimestamp(const std::string& line);

// A status line without its timestamp, as a test expects it: the test run's mark, the event (9
// wide after the mark) and the detail (10 wide) in their columns, and the count right-aligned
// in 4, of a longer one its last four digits, as the program writes it. For example
// StatusLine("Enter", "Run", 0) is " Enter    , Run       , Count:   0".
std::string StatusLine(const std::string& event, const std::string& detail, int count,
                       bool testRun = false);
// The same at the Full log level: a master's line ends with the last sample's flags, e.g.
// ", Key: False, Mouse: True"; a slave's with the link's state, e.g. ", Comms: -OK-".
std::string MasterStatus(const std::string& event, const std::string& detail, int count,
                         bool key = false, bool mouse = false, bool testRun = false);
std::string SlaveStatus(const std::string& event, const std::string& detail, int count,
                        const std::string& comms, bool testRun = false);

// What a log line without its timestamp must be, for a wait: a text it equals (a string
// converts to that), a text it starts with, or any test of the line.
class LineMatch {
public:
    LineMatch(std::string fields);
    LineMatch(const char* fields) : LineMatch(std::string(fields)) {}
    LineMatch(std::string what, std::function<bool(const std::string&)> test);
    static LineMatch StartingWith(const std::string& prefix);

    bool operator()(const std::string& fields) const { return m_test(fields); }
    // For messages: "the line \"...\"", "a line starting with \"...\"".
    const std::string& what() const { return m_what; }

private:
    std::string m_what;
    std::function<bool(const std::string&)> m_test;
};

// The built program (build/lullex).
std::filesystem::path LullexBinary();

// One copy of the real program in a working directory of its own, holding Data/Lullex.ini
// and an empty Log/, started in an X session with its own XDG_RUNTIME_DIR (so copies of
// different tests never see each other's single-instance lock). Standard error (where every
// message box is echoed) is kept. The program is stopped by pid when the object goes.
class LullexProgram {
public:
    explicit LullexProgram(const XSession& session, const ConfigValues& config = {});
    ~LullexProgram();

    const std::filesystem::path& workingDirectory() const { return m_dir.path(); }
    std::filesystem::path logFile() const;
    // Starts the program with these arguments; extra variables are set on top of the session's.
    void start(const std::vector<std::string>& arguments = {}, const Environment& extra = {});
    // The same through a launcher that ends by executing the program in its own process, such
    // as {"ip", "netns", "exec", NAME}: the pid stays the program's.
    void startThrough(const std::vector<std::string>& launcher,
                      const std::vector<std::string>& arguments = {},
                      const Environment& extra = {});
    // A second process in the same working directory and runtime directory (the single-instance
    // lock is shared), e.g. a second copy; it is stopped when this object goes. Extra variables
    // are set as for start().
    ChildProcess& startAnother(const std::vector<std::string>& arguments,
                               const Environment& extra = {});
    // Makes this program use the other one's runtime directory, so that copies in two working
    // directories share the single-instance lock. Call it before starting.
    void shareRuntimeDirWith(const LullexProgram& other);
    const std::filesystem::path& runtimeDirectory() const { return m_runtimeDir; }
    ChildProcess& process();

    // The log's lines, CR LF stripped; empty while there is no log file.
    std::vector<std::string> logLines() const;
    // Waits until a log line at or after index `from` matches; its index in logLines(), or
    // nothing at the deadline.
    std::optional<std::size_t> waitForLine(const LineMatch& match, std::size_t from = 0,
                                           std::chrono::milliseconds timeout = LongTimeout) const;
    // Waits until the program has written `text` to standard error.
    bool waitForStderr(const std::string& text,
                       std::chrono::milliseconds timeout = LongTimeout) const;
    // The process's exit code, waiting up to the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = LongTimeout);
    // For assertion messages: the process, its output and the log.
    std::string describe() const;

private:
    const XSession& m_session;
    TempDir m_dir;
    std::filesystem::path m_runtimeDir;
    std::unique_ptr<ChildProcess> m_process;
    std::vector<std::unique_ptr<ChildProcess>> m_others;

    ProcessSpec spec(const std::vector<std::string>& arguments, const Environment& extra) const;
};

}  // namespace lullex::test
