#pragma once

#include <QHostAddress>
#include <QUdpSocket>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace lullex::test {

// Generous enough for a loaded two-core machine; conditions are polled, so a pass is quick.
inline constexpr std::chrono::milliseconds WaitLimit{20000};

// Runs the event loop in short slices until the condition holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = WaitLimit);

// A UDP port that nothing on this machine holds right now.
quint16 FreeUdpPort();

// A UDP socket the test owns, recording every datagram it receives.
class TestSocket {
public:
    explicit TestSocket(const QHostAddress& address = QHostAddress::LocalHost, quint16 port = 0,
                        QAbstractSocket::BindMode mode = QAbstractSocket::DefaultForPlatform);

    bool bound() const { return m_socket.state() == QAbstractSocket::BoundState; }
    quint16 port() const { return m_socket.localPort(); }
    bool waitForDatagrams(std::size_t count);
    // Reads what the socket holds now, without waiting for its notification.
    void readPending();
    bool sendTo(const std::string& datagram, const QHostAddress& address, quint16 port);

    std::vector<std::string> received;

private:
    QUdpSocket m_socket;
};

// Holds a port the way a program written without Qt does: a plain socket, no address reuse.
class PlainPortHolder {
public:
    explicit PlainPortHolder(quint16 port);
    ~PlainPortHolder();
    PlainPortHolder(const PlainPortHolder&) = delete;
    PlainPortHolder& operator=(const PlainPortHolder&) = delete;

    bool holding() const { return m_holding; }

private:
    int m_fd = -1;
    bool m_holding = false;
};

}  // namespace lullex::test
