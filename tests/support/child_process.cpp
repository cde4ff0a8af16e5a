#include "child_process.h"

#include "process_launch.h"

#include <fcntl.h>
#include <sys/wait.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace lullex::test {

namespace {

int OpenOrThrow(const std::filesystem::path& path, int flags, const std::string& what)
{
    const int fd = open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw std::runtime_error("cannot open " + path.string() + " for " + what + ": " +
                                 std::strerror(errno));
    }
    return fd;
}

std::string Tail(const std::string& text)
{
    constexpr size_t Limit = 4000;
    return text.size() <= Limit ? text : "..." + text.substr(text.size() - Limit);
}

std::string ReadIfPresent(const std::filesystem::path& path)
{
    try {
        return ReadWholeFile(path);
    } catch (const std::runtime_error&) {
        return {};  // the file was redirected elsewhere or removed by the test
    }
}

}  // namespace

ChildProcess::ChildProcess(ProcessSpec spec) : m_argv(spec.argv)
{
    if (spec.argv.empty()) {
        throw std::runtime_error("cannot start a process without a program name");
    }
    if (spec.passFds.size() > detail::MaxPassedFds) {
        throw std::runtime_error("cannot pass more than " + std::to_string(detail::MaxPassedFds) +
                                 " descriptors to a child");
    }
    if (spec.stdoutPath.empty() || spec.stderrPath.empty()) {
        m_outputDir = std::make_unique<TempDir>("lullex-child");
    }
    m_stdoutPath = spec.stdoutPath.empty() ? m_outputDir->file("stdout") : spec.stdoutPath;
    m_stderrPath = spec.stderrPath.empty() ? m_outputDir->file("stderr") : spec.stderrPath;

    // Both outputs append, so that one file may take both without either overwriting the other.
    const int outputFlags = O_WRONLY | O_CREAT | O_TRUNC | O_APPEND;
    const std::filesystem::path stdinPath =
        spec.stdinPath.empty() ? std::filesystem::path("/dev/null") : spec.stdinPath;
    const detail::OwnedFd input(OpenOrThrow(stdinPath, O_RDONLY, "standard input"));
    const detail::OwnedFd output(OpenOrThrow(m_stdoutPath, outputFlags, "standard output"));
    const detail::OwnedFd errors(m_stderrPath == m_stdoutPath
                                     ? -1
                                     : OpenOrThrow(m_stderrPath, outputFlags, "standard error"));
    m_pid = detail::ForkAndExec(
        spec, {input.get(), output.get(), errors.get() >= 0 ? errors.get() : output.get()});
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0 && !m_exitCode) {
        stop();
    }
}

bool ChildProcess::reap(bool block)
{
    if (m_exitCode) {
        return true;
    }
    int status = 0;
    pid_t result;
    do {
        result = waitpid(m_pid, &status, block ? 0 : WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == 0) {
        return false;
    }
    if (result < 0) {
        m_exitCode = -1;  // reaped by someone else: it has ended, its code is lost
        return true;
    }
    m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

bool ChildProcess::running()
{
    return m_pid > 0 && !reap(false);
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout)
{
    if (m_pid <= 0) {
        return m_exitCode;
    }
    WaitUntil([this] { return reap(false); }, timeout, std::chrono::milliseconds(5));
    return m_exitCode;
}

void ChildProcess::sendSignal(int signalNumber)
{
    // Only while unreaped: after waitpid the pid may already belong to another process.
    if (m_pid > 0 && !reap(false)) {
        ::kill(m_pid, signalNumber);
    }
}

void ChildProcess::terminate()
{
    sendSignal(SIGTERM);
}

void ChildProcess::kill()
{
    sendSignal(SIGKILL);
}

int ChildProcess::stop(std::chrono::milliseconds grace)
{
    terminate();
    if (!waitForExit(grace)) {
        kill();
        reap(true);
    }
    return m_exitCode.value_or(-1);
}

std::string ChildProcess::stdoutText() const
{
    return ReadIfPresent(m_stdoutPath);
}

std::string ChildProcess::stderrText() const
{
    return ReadIfPresent(m_stderrPath);
}

std::string ChildProcess::describe() const
{
    std::ostringstream text;
    text << "[" << detail::JoinArgv(m_argv) << "] pid " << m_pid << ", ";
    if (m_exitCode) {
        text << "exit code " << *m_exitCode;
    } else {
        text << "not ended";
    }
    text << "\n--- stdout ---\n" << Tail(stdoutText());
    if (m_stderrPath != m_stdoutPath) {
        text << "\n--- stderr ---\n" << Tail(stderrText());
    }
    return text.str();
}

CommandResult RunCommand(ProcessSpec spec, std::chrono::milliseconds timeout)
{
    ChildProcess process(std::move(spec));
    const auto code = process.waitForExit(timeout);
    if (!code) {
        process.stop(std::chrono::milliseconds(1000));
        throw std::runtime_error("command did not end within " + std::to_string(timeout.count()) +
                                 " ms: " + process.describe());
    }
    return {*code, process.stdoutText(), process.stderrText()};
}

bool ProcessExists(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

ProcessGuard::~ProcessGuard()
{
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
    }
}

}  // namespace lullex::test
