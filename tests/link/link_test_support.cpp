#include "link_test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lullex::test {

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    const QDeadlineTimer deadline(timeout);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

quint16 FreeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::AnyIPv4, 0, QAbstractSocket::DontShareAddress);
    return probe.localPort();
}

TestSocket::TestSocket(const QHostAddress& address, quint16 port, QAbstractSocket::BindMode mode)
{
    m_socket.bind(address, port, mode);
    QObject::connect(&m_socket, &QUdpSocket::readyRead, [this] { readPending(); });
}

void TestSocket::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        QByteArray data(static_cast<int>(m_socket.pendingDatagramSize()), Qt::Uninitialized);
        const qint64 read = m_socket.readDatagram(data.data(), data.size());
        received.emplace_back(data.constData(),
                              static_cast<std::size_t>(std::max<qint64>(read, 0)));
    }
}

bool TestSocket::waitForDatagrams(std::size_t count)
{
    return WaitUntil([&] { return received.size() >= count; });
}

bool TestSocket::sendTo(const std::string& datagram, const QHostAddress& address, quint16 port)
{
    const auto size = static_cast<qint64>(datagram.size());
    return m_socket.writeDatagram(datagram.data(), size, address, port) == size;
}

PlainPortHolder::PlainPortHolder(quint16 port)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    m_holding =
        m_fd >= 0 && ::bind(m_fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

PlainPortHolder::~PlainPortHolder()
{
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

}  // namespace lullex::test
