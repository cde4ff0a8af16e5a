#pragma once

namespace lullex {

// SIGTERM, SIGINT and SIGHUP (the desktop's end of the session, Ctrl+C, a closed terminal),
// caught so that the event loop can end the program as a close of its window does. The handler
// only writes a byte to a pipe; the loop watches readFd(). One object per process; while it
// lives the signals no longer end the process by themselves.
class QuitSignals {
public:
    // Throws std::system_error when the pipe cannot be made.
    QuitSignals();
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    int readFd() const { return m_readFd; }
    // Empties the pipe; true when a signal had come.
    bool takeSignals();

private:
    int m_readFd = -1;
    int m_writeFd = -1;
};

}  // namespace lullex
