#pragma once

#include "child_process.h"

#include <sys/types.h>
#include <unistd.h>

#include <cstddef>

// The fork and exec behind ChildProcess; not for tests to use directly.
namespace lullex::test::detail {

inline constexpr size_t MaxPassedFds = 64;

// Closes its descriptor when it goes, so a failed start leaks nothing.
class OwnedFd {
public:
    explicit OwnedFd(int fd = -1) : m_fd(fd) {}
    ~OwnedFd()
    {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    OwnedFd(const OwnedFd&) = delete;
    OwnedFd& operator=(const OwnedFd&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// The descriptors the child gets as its standard input, output and error.
struct StandardFds {
    int input;
    int output;
    int error;
};

// Starts spec.argv with the spec's directory, environment and passed descriptors; returns the
// pid once the program runs. Throws std::runtime_error "cannot start <command>: <reason>".
pid_t ForkAndExec(const ProcessSpec& spec, StandardFds standard);

// The command line as one text, for messages.
std::string JoinArgv(const std::vector<std::string>& argv);

}  // namespace lullex::test::detail
