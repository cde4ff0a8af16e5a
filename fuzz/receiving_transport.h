#pragma once

#include "datagram_transport.h"

namespace lullex::fuzz {

// A slave's socket that never sends or binds: the fuzzers hand datagrams to the receiver.
class ReceivingTransport : public DatagramTransport {
public:
    bool send(std::string_view) override { return false; }
    void close() override {}
    bool bind(int32_t) override { return true; }
    void setReceiveHandler(ReceiveHandler) override {}
};

}  // namespace lullex::fuzz
