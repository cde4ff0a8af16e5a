#include "udp_endpoint.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <stdexcept>

namespace lullex::test {

namespace {

std::optional<sockaddr_in> socketAddress(const std::string& address, uint16_t port)
{
    sockaddr_in result{};
    result.sin_family = AF_INET;
    result.sin_port = htons(port);
    if (::inet_pton(AF_INET, address.c_str(), &result.sin_addr) != 1) {
        return std::nullopt;
    }
    return result;
}

std::chrono::system_clock::time_point kernelArrival(msghdr& message)
{
    for (cmsghdr* part = CMSG_FIRSTHDR(&message); part != nullptr;
         part = CMSG_NXTHDR(&message, part)) {
        if (part->cmsg_level == SOL_SOCKET && part->cmsg_type == SCM_TIMESTAMPNS) {
            timespec stamp{};
            std::copy_n(CMSG_DATA(part), sizeof stamp, reinterpret_cast<unsigned char*>(&stamp));
            return std::chrono::system_clock::time_point(
                std::chrono::duration_cast<std::chrono::system_clock::duration>(
                    std::chrono::seconds(stamp.tv_sec) + std::chrono::nanoseconds(stamp.tv_nsec)));
        }
    }
    return std::chrono::system_clock::now();
}

}  // namespace

UdpEndpoint::UdpEndpoint(const std::string& address, uint16_t port, Sharing sharing)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const std::optional<sockaddr_in> local = socketAddress(address, port);
    const int on = 1;
    const bool reuse = sharing == Sharing::ReuseAddress;
    m_bound = m_fd >= 0 && local &&
              ::setsockopt(m_fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on) == 0 &&
              ::setsockopt(m_fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on) == 0 &&
              (!reuse || ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0) &&
              ::bind(m_fd, reinterpret_cast<const sockaddr*>(&*local), sizeof *local) == 0;
}

UdpEndpoint::~UdpEndpoint()
{
    release();
}

void UdpEndpoint::release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    m_bound = false;
}

uint16_t UdpEndpoint::port() const
{
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (::getsockname(m_fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return 0;
    }
    return ntohs(local.sin_port);
}

bool UdpEndpoint::sendTo(const std::string& datagram, const std::string& address,
                         uint16_t port) const
{
    const std::optional<sockaddr_in> target = socketAddress(address, port);
    return target && ::sendto(m_fd, datagram.data(), datagram.size(), 0,
                              reinterpret_cast<const sockaddr*>(&*target),
                              sizeof *target) == static_cast<ssize_t>(datagram.size());
}

std::optional<ArrivedDatagram> UdpEndpoint::receive(std::chrono::milliseconds timeout) const
{
    pollfd waiting{m_fd, POLLIN, 0};
    if (::poll(&waiting, 1, static_cast<int>(timeout.count())) != 1) {
        return std::nullopt;
    }
    char buffer[2048];
    iovec data{buffer, sizeof buffer};
    sockaddr_in source{};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timespec))];
    msghdr message{};
    message.msg_name = &source;
    message.msg_namelen = sizeof source;
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t size = ::recvmsg(m_fd, &message, MSG_DONTWAIT);
    if (size < 0) {
        return std::nullopt;
    }
    return ArrivedDatagram{std::string(buffer, static_cast<std::size_t>(size)),
                           kernelArrival(message),
                           ntohs(source.sin_port),
                           {}};
}

namespace {

// The lowest port the kernel hands out for port 0; binds below it are only ever explicit.
uint16_t FirstEphemeralPort()
{
    std::ifstream range("/proc/sys/net/ipv4/ip_local_port_range");
    int low = 0;
    range >> low;
    return low > 2048 ? static_cast<uint16_t>(low) : 32768;
}

}  // namespace

ReservedUdpPort::ReservedUdpPort()
{
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<int> pick(1024, FirstEphemeralPort() - 1);
    // Some ports of the range belong to services of the machine; another is tried then.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        auto holder = std::make_unique<UdpEndpoint>("0.0.0.0", static_cast<uint16_t>(pick(random)));
        if (holder->bound()) {
            m_port = holder->port();
            m_holder = std::move(holder);
            return;
        }
    }
    throw std::runtime_error("cannot reserve a UDP port below the ephemeral range");
}

uint16_t ReservedUdpPort::handOver()
{
    m_holder.reset();
    return m_port;
}

uint16_t HeldLoopbackPort()
{
    static std::mutex mutex;
    static std::vector<std::unique_ptr<UdpEndpoint>> held;
    std::lock_guard lock(mutex);
    held.push_back(std::make_unique<UdpEndpoint>("127.0.0.1", 0));
    if (!held.back()->bound()) {
        throw std::runtime_error("cannot hold a UDP port on the loopback");
    }
    return held.back()->port();
}

DatagramRecorder::DatagramRecorder(const std::string& address, uint16_t port, Snapshot snapshot)
    : m_socket(address, port), m_snapshot(std::move(snapshot)), m_thread([this] { run(); })
{
}

DatagramRecorder::~DatagramRecorder()
{
    m_stopping = true;
    m_thread.join();
}

void DatagramRecorder::setSnapshot(Snapshot snapshot)
{
    std::lock_guard lock(m_mutex);
    m_snapshot = std::move(snapshot);
}

std::vector<ArrivedDatagram> DatagramRecorder::datagrams() const
{
    std::lock_guard lock(m_mutex);
    return m_datagrams;
}

std::vector<std::string> DatagramRecorder::bytes() const
{
    std::vector<std::string> result;
    for (const ArrivedDatagram& datagram : datagrams()) {
        result.push_back(datagram.bytes);
    }
    return result;
}

bool DatagramRecorder::waitForCount(std::size_t count, std::chrono::milliseconds timeout) const
{
    return WaitUntil([&] { return datagrams().size() >= count; }, timeout);
}

void DatagramRecorder::run()
{
    while (!m_stopping) {
        std::optional<ArrivedDatagram> datagram = m_socket.receive(std::chrono::milliseconds(50));
        if (!datagram) {
            continue;
        }
        std::lock_guard lock(m_mutex);
        if (m_snapshot) {
            datagram->snapshot = m_snapshot(datagram->arrival);
        }
        m_datagrams.push_back(std::move(*datagram));
    }
}

PacedSender::PacedSender(uint16_t port, const std::string& address)
    : m_socket("0.0.0.0", 0), m_address(address), m_port(port), m_thread([this] { run(); })
{
}

PacedSender::~PacedSender()
{
    m_stopping = true;
    m_thread.join();
}

void PacedSender::setCycle(std::vector<Beat> cycle)
{
    std::lock_guard lock(m_mutex);
    m_cycle = std::move(cycle);
    m_beats = 0;
}

bool PacedSender::sendNow(const std::string& datagram)
{
    std::lock_guard lock(m_mutex);
    return m_socket.sendTo(datagram, m_address, m_port);
}

std::size_t PacedSender::beatsSent() const
{
    std::lock_guard lock(m_mutex);
    return m_beats;
}

void PacedSender::run()
{
    auto next = std::chrono::steady_clock::now();
    while (!m_stopping) {
        {
            std::lock_guard lock(m_mutex);
            if (!m_cycle.empty()) {
                for (const std::string& datagram : m_cycle[m_beats % m_cycle.size()]) {
                    m_socket.sendTo(datagram, m_address, m_port);
                }
                ++m_beats;
            }
        }
        // After a stall the beats go on from now rather than in a burst.
        next = std::max(next + Period, std::chrono::steady_clock::now());
        std::this_thread::sleep_until(next);
    }
}

}  // namespace lullex::test
