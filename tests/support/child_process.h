#pragma once

#include "temp_dir.h"
#include "wait_until.h"

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lullex::test {

// Environment variables by name.
using Environment = std::map<std::string, std::string>;

// What to start. Only argv is required.
struct ProcessSpec {
    // argv[0] is the program; without a '/' it is looked up on the child's PATH.
    std::vector<std::string> argv{};
    // Empty: the test's own working directory.
    std::filesystem::path workingDirectory{};
    // Set in the child on top of the test's environment (replacing variables of that name).
    Environment setEnvironment{};
    // Removed from the child's environment.
    std::vector<std::string> unsetEnvironment{};
    // Where standard output and standard error go; empty: private files that the object
    // keeps (read them with stdoutText() / stderrText()).
    std::filesystem::path stdoutPath{};
    std::filesystem::path stderrPath{};
    // Standard input; empty: /dev/null.
    std::filesystem::path stdinPath{};
    // Descriptors handed to the child: {descriptor here, number in the child}, e.g. the write
    // end of a pipe as descriptor 3 for "Xvfb -displayfd 3".
    std::vector<std::pair<int, int>> passFds{};
    // The child gets SIGTERM when the test dies, so a crashed test leaves no X server or
    // daemon behind. The kernel watches the thread that started the child, not the whole
    // process: start children from the test's main thread, or turn this off.
    bool dieWithTest = true;
};

// A process started with fork and exec, stopped by its pid when the object goes (SIGTERM,
// then SIGKILL after a grace period). Starting throws std::runtime_error with the reason
// (program not found, cannot exec, cannot open an output file).
class ChildProcess {
public:
    explicit ChildProcess(ProcessSpec spec);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return m_pid; }
    // True until the process has ended (it is reaped here).
    bool running();
    // The exit code once the process has ended, else nothing after the timeout. A process
    // ended by a signal gives 128 + the signal number, as a shell reports it.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = DefaultTimeout);
    // The exit code when the process has already ended.
    std::optional<int> exitCode() const { return m_exitCode; }
    // Sends SIGTERM (or SIGKILL) and returns at once; does nothing once the process has ended.
    void terminate();
    void kill();
    // SIGTERM, up to `grace` for the process to end, then SIGKILL; returns the exit code.
    int stop(std::chrono::milliseconds grace = std::chrono::milliseconds(5000));

    const std::filesystem::path& stdoutPath() const { return m_stdoutPath; }
    const std::filesystem::path& stderrPath() const { return m_stderrPath; }
    // What the process has written so far.
    std::string stdoutText() const;
    std::string stderrText() const;
    // The command line, pid, state and both outputs: for assertion messages.
    std::string describe() const;

private:
    void sendSignal(int signalNumber);
    bool reap(bool block);

    std::vector<std::string> m_argv;
    std::unique_ptr<TempDir> m_outputDir;
    std::filesystem::path m_stdoutPath;
    std::filesystem::path m_stderrPath;
    pid_t m_pid = -1;
    std::optional<int> m_exitCode;
};

// The outcome of a command run to its end.
struct CommandResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a command to its end and returns its exit code and outputs. Throws std::runtime_error
// when it cannot start or has not ended within the timeout (it is killed then).
CommandResult RunCommand(ProcessSpec spec, std::chrono::milliseconds timeout = DefaultTimeout);

// True while a process with this pid exists (also one of another user, or a zombie).
bool ProcessExists(pid_t pid);

// Ends a process that this test did not start itself, such as one a helper program left
// behind, with SIGKILL by its pid when the object goes, however the test ends.
class ProcessGuard {
public:
    explicit ProcessGuard(pid_t pid = -1) : m_pid(pid) {}
    ~ProcessGuard();
    ProcessGuard(const ProcessGuard&) = delete;
    ProcessGuard& operator=(const ProcessGuard&) = delete;
    void guard(pid_t pid) { m_pid = pid; }

private:
    pid_t m_pid;
};

}  // namespace lullex::test
