#include "udp_link_transport.h"

#include <QHostAddress>
#include <QHostInfo>

#include <algorithm>

namespace lullex {

namespace {

constexpr int16_t DNameDomain = 2;
// Whatever is left waits for the next notification, so a flood of datagrams cannot keep the
// window from its timer and its buttons.
constexpr int MaxDatagramsPerNotification = 64;

std::optional<quint16> portNumber(int32_t port)
{
    if (port < 1 || port > 65535) {
        return std::nullopt;
    }
    return static_cast<quint16>(port);
}

std::optional<uint32_t> firstIPv4(const QHostInfo& info)
{
    if (info.error() != QHostInfo::NoError) {
        return std::nullopt;
    }
    const QList<QHostAddress> addresses = info.addresses();
    const auto found = std::find_if(addresses.begin(), addresses.end(), [](const QHostAddress& a) {
        return a.protocol() == QAbstractSocket::IPv4Protocol;
    });
    if (found == addresses.end()) {
        return std::nullopt;
    }
    return found->toIPv4Address();
}

}  // namespace

UdpLinkTransport::UdpLinkTransport(const Settings& settings, QObject* parent)
    : QObject(parent), m_settings(settings), m_socket(this)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &UdpLinkTransport::readPendingDatagrams);
}

bool UdpLinkTransport::send(std::string_view datagram)
{
    const std::optional<quint16> port = portNumber(m_settings.Port1);
    const std::optional<uint32_t> address = peerAddress();
    if (!port || !address) {
        return false;
    }
    const auto size = static_cast<qint64>(datagram.size());
    if (m_socket.writeDatagram(datagram.data(), size, QHostAddress(*address), *port) == size) {
        return true;
    }
    // The name may point elsewhere by now.
    if (m_settings.DName == DNameDomain) {
        m_names.sendFailed();
    }
    return false;
}

void UdpLinkTransport::close()
{
    m_socket.abort();
}

bool UdpLinkTransport::bind(int32_t port)
{
    const std::optional<quint16> number = portNumber(port);
    // Said outright rather than left to the platform default: with SO_REUSEADDR two programs
    // could hold the port at once and the link's datagrams would go to either.
    return number &&
           m_socket.bind(QHostAddress::AnyIPv4, *number, QAbstractSocket::DontShareAddress);
}

void UdpLinkTransport::setReceiveHandler(ReceiveHandler handler)
{
    m_receiveHandler = std::move(handler);
}

// A dotted address is never handed to the resolver, even as a domain name: the resolver would
// read leading zeros as octal and ask the name server for a reverse look-up first.
std::optional<uint32_t> UdpLinkTransport::peerAddress()
{
    const std::optional<uint32_t> literal = ParseDottedQuad(m_settings.IPAdd);
    if (literal || m_settings.DName != DNameDomain) {
        return literal;
    }
    return resolvedAddress(m_settings.IPAdd);
}

std::optional<uint32_t> UdpLinkTransport::resolvedAddress(const std::string& name)
{
    if (m_names.lookupDue(name, HostNameCache::Clock::now())) {
        startLookup(name);
    }
    return m_names.address(name);
}

void UdpLinkTransport::startLookup(const std::string& name)
{
    m_names.lookupStarted(name);
    QHostInfo::lookupHost(QString::fromStdString(name), this,
                          [this, name](const QHostInfo& info) { lookupAnswered(name, info); });
}

void UdpLinkTransport::lookupAnswered(const std::string& name, const QHostInfo& info)
{
    const std::optional<uint32_t> address = firstIPv4(info);
    m_names.lookupFinished(name, address, HostNameCache::Clock::now());
    emit peerLookupFinished(address.has_value());
}

void UdpLinkTransport::readPendingDatagrams()
{
    for (int count = 0; count < MaxDatagramsPerNotification && m_socket.hasPendingDatagrams();
         ++count) {
        const std::optional<std::string> datagram = readDatagram();
        if (m_receiveHandler) {
            m_receiveHandler(datagram);
        }
        // What could not be read is announced again by the next notification.
        if (!datagram) {
            return;
        }
    }
}

std::optional<std::string> UdpLinkTransport::readDatagram()
{
    const qint64 size = m_socket.pendingDatagramSize();
    std::string datagram(static_cast<std::size_t>(std::max<qint64>(size, 0)), '\0');
    const qint64 read =
        m_socket.readDatagram(datagram.data(), static_cast<qint64>(datagram.size()));
    if (read < 0) {
        return std::nullopt;
    }
    datagram.resize(static_cast<std::size_t>(read));
    return datagram;
}

}  // namespace lullex
