#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace lullex {

// The link's one datagram socket: a master sends through it, a slave binds it and listens.
class DatagramTransport {
public:
    // Called once per arriving datagram with its bytes, or with nullopt when a waiting datagram
    // could not be read.
    using ReceiveHandler = std::function<void(const std::optional<std::string>& datagram)>;

    virtual ~DatagramTransport() = default;
    // Sends one datagram to the partner address of the settings; false when it did not go out.
    // Never waits for the network or a name look-up.
    virtual bool send(std::string_view datagram) = 0;
    // Closing a socket that is not open is no error.
    virtual void close() = 0;
    // Binds the port on every local IPv4 address without sharing it, so a port that another
    // program holds fails here instead of silently splitting its traffic with us.
    virtual bool bind(int32_t port) = 0;
    virtual void setReceiveHandler(ReceiveHandler handler) = 0;
};

}  // namespace lullex
