#include "readiness_pipe.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace lullex::test {

ReadinessPipe::ReadinessPipe()
{
    int fds[2];
    // Close-on-exec here: only the child it is passed to gets the write end (as a fresh
    // descriptor), so no other child can keep the pipe open.
    if (pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
    }
    m_readFd = fds[0];
    m_writeFd = fds[1];
}

ReadinessPipe::~ReadinessPipe()
{
    close(m_readFd);
    if (m_writeFd >= 0) {
        close(m_writeFd);
    }
}

std::string ReadinessPipe::readLine(ChildProcess& child, const std::string& what,
                                    std::chrono::milliseconds timeout)
{
    // Our copy of the write end would keep the pipe open after the child ends.
    if (m_writeFd >= 0) {
        close(m_writeFd);
        m_writeFd = -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    while (true) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            throw std::runtime_error(what + " did not become ready within " +
                                     std::to_string(timeout.count()) + " ms: " + child.describe());
        }
        pollfd entry{m_readFd, POLLIN, 0};
        const int ready = poll(&entry, 1, static_cast<int>(left.count()));
        if (ready <= 0) {
            continue;  // interrupted or timed out: the deadline check above decides
        }
        char byte;
        const ssize_t got = ::read(m_readFd, &byte, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            child.waitForExit(std::chrono::milliseconds(2000));
            throw std::runtime_error(what + " ended before it was ready: " + child.describe());
        }
        if (byte == '\n') {
            return line;
        }
        line += byte;
    }
}

}  // namespace lullex::test
