#pragma once

#include "datagram_transport.h"
#include "peer_address.h"
#include "settings.h"

#include <QObject>
#include <QUdpSocket>

#include <optional>
#include <string>

class QHostInfo;

namespace lullex {

// The link's UDP socket (IPv4). A master sends from an unbound socket to IPAdd:Port1, read from
// the settings at every send so a new configuration takes effect at once; a domain name is
// looked up in the background and its answer cached. A slave binds 0.0.0.0:Port1, so datagrams
// sent to a broadcast address reach it too, and hands every arriving datagram to the handler.
class UdpLinkTransport : public QObject, public DatagramTransport {
    Q_OBJECT

public:
    explicit UdpLinkTransport(const Settings& settings, QObject* parent = nullptr);

    bool send(std::string_view datagram) override;
    void close() override;
    bool bind(int32_t port) override;
    void setReceiveHandler(ReceiveHandler handler) override;

signals:
    // A look-up of the partner's domain name has answered; found is false when the answer held
    // no IPv4 address.
    void peerLookupFinished(bool found);

private:
    std::optional<uint32_t> peerAddress();
    std::optional<uint32_t> resolvedAddress(const std::string& name);
    void startLookup(const std::string& name);
    void lookupAnswered(const std::string& name, const QHostInfo& info);
    void readPendingDatagrams();
    std::optional<std::string> readDatagram();

    const Settings& m_settings;
    QUdpSocket m_socket;
    HostNameCache m_names;
    ReceiveHandler m_receiveHandler;
};

}  // namespace lullex
