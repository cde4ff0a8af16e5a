#pragma once

#include "wait_until.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
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
    // What the test's snapshot function returned as the datagram was read (given the arrival).
    std::string snapshot;
};

// A plain IPv4 UDP socket, as a program written without Qt holds one: the one way the tests hold
// a port, listen, and send (broadcasts too). Without address reuse it holds its port against
// every other bind until it goes; a test that needs a port nobody else may take binds port 0
// and keeps the object, rather than picking a number and letting it go.
class UdpEndpoint {
public:
    enum class Sharing { Exclusive, ReuseAddress };

    // Binds address:port; port 0 takes any free one. bound() says whether it worked.
    explicit UdpEndpoint(const std::string& address = "127.0.0.1", uint16_t port = 0,
                         Sharing sharing = Sharing::Exclusive);
    ~UdpEndpoint();
    UdpEndpoint(const UdpEndpoint&) = delete;
    UdpEndpoint& operator=(const UdpEndpoint&) = delete;

    bool bound() const { return m_bound; }
    uint16_t port() const;
    bool sendTo(const std::string& datagram, const std::string& address, uint16_t port) const;
    // The next datagram, or nothing when none came within the timeout (0: only what is there).
    std::optional<ArrivedDatagram> receive(std::chrono::milliseconds timeout) const;
    // Closes the socket, so that its port is free for a program to bind.
    void release();

private:
    int m_fd = -1;
    bool m_bound = false;
};

// A port for the program under test to bind, held by the test until handOver() frees it just
// before the program takes it. It is never one the kernel hands out for port 0 (it lies below
// the ephemeral range), so no test running beside this one can be given it in between.
class ReservedUdpPort {
public:
    ReservedUdpPort();
    uint16_t port() const { return m_port; }
    // Frees the port and returns it; call it right before the program binds.
    uint16_t handOver();

private:
    std::unique_ptr<UdpEndpoint> m_holder;
    uint16_t m_port = 0;
};

// A loopback port held by this test process until it ends: a partner address for a master whose
// datagrams nobody reads, which no test running beside it can receive by chance.
uint16_t HeldLoopbackPort();

// Records every datagram reaching a socket it owns, on a thread of its own, so that arrival
// order and timing hold while the test waits for windows or runs xdotool.
class DatagramRecorder {
public:
    // Called with the datagram's arrival as the thread reads it, which a busy machine may delay.
    using Snapshot = std::function<std::string(std::chrono::system_clock::time_point arrival)>;

    DatagramRecorder(const std::string& address, uint16_t port, Snapshot snapshot = {});
    ~DatagramRecorder();
    DatagramRecorder(const DatagramRecorder&) = delete;
    DatagramRecorder& operator=(const DatagramRecorder&) = delete;

    bool bound() const { return m_socket.bound(); }
    uint16_t port() const { return m_socket.port(); }
    // Sets the function whose result is kept with each datagram; call before any arrives.
    void setSnapshot(Snapshot snapshot);
    std::vector<ArrivedDatagram> datagrams() const;
    // Their bytes alone, in arrival order.
    std::vector<std::string> bytes() const;
    // Waits until at least `count` datagrams have arrived.
    bool waitForCount(std::size_t count, std::chrono::milliseconds timeout = DefaultTimeout) const;

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
