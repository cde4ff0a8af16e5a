#pragma once

#include <cstdint>

namespace lullex {

// Binds a slave's UDP receive port. When the port cannot be bound the implementation asks
// the user whether to end the program (it then ends) or to carry on.
class ReceivePort {
public:
    virtual ~ReceivePort() = default;
    // True when bound; false when binding failed and the user chose to carry on.
    virtual bool BindReceivePort(int32_t port) = 0;
};

}  // namespace lullex
