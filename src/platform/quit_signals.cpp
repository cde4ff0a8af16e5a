#include "quit_signals.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <system_error>
#include <unistd.h>

namespace lullex {
namespace {

constexpr std::array<int, 3> EndingSignals = {SIGTERM, SIGINT, SIGHUP};

// Read by the handler, which may use nothing but async-signal-safe calls.
volatile std::sig_atomic_t signalWriteFd = -1;

void onEndingSignal(int signalNumber)
{
    const int savedErrno = errno;
    const char byte = static_cast<char>(signalNumber);
    // A full pipe already holds a wake-up; the byte is not needed then.
    [[maybe_unused]] const ssize_t written = ::write(signalWriteFd, &byte, 1);
    errno = savedErrno;
}

void setHandler(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : EndingSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

}  // namespace

QuitSignals::QuitSignals()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::system_error(errno, std::generic_category(), "pipe for the ending signals");
    m_readFd = fds[0];
    m_writeFd = fds[1];
    signalWriteFd = m_writeFd;
    setHandler(onEndingSignal);
}

QuitSignals::~QuitSignals()
{
    setHandler(SIG_DFL);
    signalWriteFd = -1;
    ::close(m_readFd);
    ::close(m_writeFd);
}

bool QuitSignals::takeSignals()
{
    bool taken = false;
    std::array<char, 16> bytes{};
    while (::read(m_readFd, bytes.data(), bytes.size()) > 0)
        taken = true;
    return taken;
}

}  // namespace lullex
