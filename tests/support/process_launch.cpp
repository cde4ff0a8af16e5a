#include "process_launch.h"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <map>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace lullex::test::detail {

namespace {

// Everything the child needs, prepared before fork: after fork only async-signal-safe calls
// are allowed, because other threads of the test may have held locks at that moment.
struct LaunchPlan {
    std::string program;
    std::vector<char*> argv;
    std::vector<char*> envp;
    std::string workingDirectory;
    int stdinFd = -1;
    int stdoutFd = -1;
    int stderrFd = -1;
    std::vector<std::pair<int, int>> passFds;
    bool dieWithTest = true;
    pid_t parentPid = 0;
};

enum class FailedStep : int { ChangeDirectory = 1, Descriptors, Exec };

struct LaunchFailure {
    FailedStep step;
    int error;
};

// First descriptor number used to park descriptors while the child arranges its own.
constexpr int ParkingFd = 256;

Environment CurrentEnvironment()
{
    Environment environment;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string text = *entry;
        const auto equals = text.find('=');
        if (equals != std::string::npos) {
            environment[text.substr(0, equals)] = text.substr(equals + 1);
        }
    }
    return environment;
}

Environment ChildEnvironment(const ProcessSpec& spec)
{
    Environment environment = CurrentEnvironment();
    for (const auto& name : spec.unsetEnvironment) {
        environment.erase(name);
    }
    for (const auto& [name, value] : spec.setEnvironment) {
        environment[name] = value;
    }
    return environment;
}

// NUL-terminated pointers into the strings, which must outlive them.
std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::string FindProgram(const std::string& name, const Environment& environment)
{
    if (name.find('/') != std::string::npos) {
        return name;
    }
    const auto pathEntry = environment.find("PATH");
    std::string path = pathEntry != environment.end() ? pathEntry->second : "/usr/bin:/bin";
    std::istringstream directories(path);
    std::string directory;
    while (std::getline(directories, directory, ':')) {
        const std::string candidate = (directory.empty() ? "." : directory) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    throw std::runtime_error("cannot start " + name + ": not found on PATH " + path);
}

[[noreturn]] void FailInChild(int reportFd, FailedStep step)
{
    const LaunchFailure failure{step, errno};
    // Nothing more can be done if the report itself fails: the parent then sees exit code 127.
    [[maybe_unused]] const ssize_t written = write(reportFd, &failure, sizeof failure);
    _exit(127);
}

void ResetSignals()
{
    struct sigaction defaultAction {};
    defaultAction.sa_handler = SIG_DFL;
    for (int signalNumber = 1; signalNumber < NSIG; ++signalNumber) {
        sigaction(signalNumber, &defaultAction, nullptr);
    }
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
}

[[noreturn]] void RunChild(const LaunchPlan& plan, int reportFd)
{
    reportFd = fcntl(reportFd, F_DUPFD_CLOEXEC, ParkingFd);
    ResetSignals();
    if (plan.dieWithTest) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != plan.parentPid) {
            _exit(127);
        }
    }
    if (!plan.workingDirectory.empty() && chdir(plan.workingDirectory.c_str()) != 0) {
        FailInChild(reportFd, FailedStep::ChangeDirectory);
    }
    int parkedFds[MaxPassedFds];
    const size_t passCount = std::min(plan.passFds.size(), MaxPassedFds);
    for (size_t i = 0; i < passCount; ++i) {
        parkedFds[i] = fcntl(plan.passFds[i].first, F_DUPFD_CLOEXEC, ParkingFd);
        if (parkedFds[i] < 0) {
            FailInChild(reportFd, FailedStep::Descriptors);
        }
    }
    if (dup2(plan.stdinFd, 0) < 0 || dup2(plan.stdoutFd, 1) < 0 || dup2(plan.stderrFd, 2) < 0) {
        FailInChild(reportFd, FailedStep::Descriptors);
    }
    for (size_t i = 0; i < passCount; ++i) {
        if (dup2(parkedFds[i], plan.passFds[i].second) < 0) {
            FailInChild(reportFd, FailedStep::Descriptors);
        }
    }
    execve(plan.program.c_str(), plan.argv.data(), plan.envp.data());
    FailInChild(reportFd, FailedStep::Exec);
}

std::string FailureText(const LaunchFailure& failure)
{
    static const std::map<FailedStep, std::string> steps = {
        {FailedStep::ChangeDirectory, "cannot enter the working directory"},
        {FailedStep::Descriptors, "cannot arrange its descriptors"},
        {FailedStep::Exec, "cannot execute it"},
    };
    const auto step = steps.find(failure.step);
    const std::string what = step != steps.end() ? step->second : "unknown failure";
    return what + ": " + std::strerror(failure.error);
}

pid_t Launch(const LaunchPlan& plan, const std::string& command)
{
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
    }
    const OwnedFd reportReader(report[0]);
    const pid_t pid = fork();
    if (pid == 0) {
        RunChild(plan, report[1]);
    }
    const int forkError = errno;
    close(report[1]);
    if (pid < 0) {
        throw std::runtime_error("cannot fork for " + command + ": " + std::strerror(forkError));
    }
    // The pipe closes on a successful exec; otherwise the child reports what failed.
    LaunchFailure failure{};
    ssize_t got;
    do {
        got = ::read(reportReader.get(), &failure, sizeof failure);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof failure)) {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        throw std::runtime_error("cannot start " + command + ": " + FailureText(failure));
    }
    return pid;
}

}  // namespace

pid_t ForkAndExec(const ProcessSpec& spec, StandardFds standard)
{
    const Environment environment = ChildEnvironment(spec);
    std::vector<std::string> envText;
    for (const auto& [name, value] : environment) {
        envText.push_back(name + "=" + value);
    }
    std::vector<std::string> argvText = spec.argv;
    LaunchPlan plan;
    plan.program = FindProgram(spec.argv.front(), environment);
    plan.argv = Pointers(argvText);
    plan.envp = Pointers(envText);
    plan.workingDirectory = spec.workingDirectory.string();
    plan.stdinFd = standard.input;
    plan.stdoutFd = standard.output;
    plan.stderrFd = standard.error;
    plan.passFds = spec.passFds;
    plan.dieWithTest = spec.dieWithTest;
    plan.parentPid = getpid();
    return Launch(plan, JoinArgv(spec.argv));
}

std::string JoinArgv(const std::vector<std::string>& argv)
{
    std::string text;
    for (const auto& argument : argv) {
        text += (text.empty() ? "" : " ") + argument;
    }
    return text;
}

}  // namespace lullex::test::detail
