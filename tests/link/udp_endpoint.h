#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace lullex::test {

// One datagram as it reached a socket: its bytes, when the kernel took it in (so a test that is
// busy elsewhere still measures the sender's timing), and the sender's port.
struct ArrivedDatagram {
    std::string bytes;
    std::chrono::system_clock::time_point arrival;
    uint16_t sourcePort = 0;
    // What the test's snapshot function returned as the datagram was read.
    std::string snapshot;
};

// A plain IPv4 UDP socket, without any address reuse, as a program written without Qt holds
// one; tests use it as a partner of the program, as a port holder and as a sender.
class UdpEndpoint {
public:
    // Binds address:port; port 0 takes any free one. bound() says whether it worked.
    explicit UdpEndpoint(const std::string& address = "127.0.0.1", uint16_t port = 0);
    ~UdpEndpoint();
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    bool bound() const { return m_bound; }
    uint16_t port() const;
    bool sendTo(const std::string& datagram, const std::string& address, uint16_t port) const;
    // The next datagram, or nothing when none came within the timeout.
    std::optional<ArrivedDatagram> receive(std::chrono::milliseconds timeout) const;

private:
    int m_fd = -1;
    bool m_bound = false;
};

// Records every datagram reaching a socket it owns, on a thread of its own, so that arrival
// order and timing hold while the test waits for windows or runs xdotool.
class DatagramRecorder {
public:
    using Snapshot = std::function<std::string()>;

    DatagramRecorder(const std::string& address, uint16_t port, Snapshot snapshot = {});
    ~DatagramRecorder();
    DatagramRecorder(const DatagramRecorder&) = delete;
    DatagramRecorder& operator=(const DatagramRecorder&) = delete;

    bool bound() const { return m_socket.bound(); }
    uint16_t port() const { return m_socket.port(); }
    // Sets the function whose result is kept with each datagram; call before any arrives.
    void setSnapshot(Snapshot snapshot);
    std::vector<ArrivedDatagram> datagrams() const;
    // Waits until at least `count` datagrams have arrived.
    bool waitForCount(std::size_t count, std::chrono::milliseconds timeout) const;

private:
    void run();

    UdpEndpoint m_socket;
    Snapshot m_snapshot;
    mutable std::mutex m_mutex;
    std::vector<ArrivedDatagram> m_datagrams;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

// Imitates a master: every 500 ms it sends the next beat of its cycle (a beat is a list of
// datagrams sent back to back, so they land in the same second of the receiver). An empty
// cycle is silence. Sends go from a socket of its own to address:port.
class PacedSender {
public:
    using Beat = std::vector<std::string>;
    static constexpr std::chrono::milliseconds Period{500};

    explicit PacedSender(uint16_t port, const std::string& address = "127.0.0.1");
    ~PacedSender();
    PacedSender(const PacedSender&) = delete;
    PacedSender& operator=(const PacedSender&) = delete;

    void setCycle(std::vector<Beat> cycle);
    void stop() { setCycle({}); }
    // Sends one datagram now, outside the cycle; false when it did not go out.
    bool sendNow(const std::string& datagram);
    // How many beats have gone out since the cycle was last set.
    std::size_t beatsSent() const;

private:
    void run();

    UdpEndpoint m_socket;
    std::string m_address;
    uint16_t m_port;
    mutable std::mutex m_mutex;
    std::vector<Beat> m_cycle;
    std::size_t m_beats = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

}  // namespace lullex::test
