#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace lullex {

using BusArgument = std::variant<bool, uint32_t, std::string>;

enum class BusStatus {
    Answered,     // logind replied
    Refused,      // logind replied with an error
    Unreachable,  // the bus or logind could not be reached
};

struct BusReply {
    BusStatus status = BusStatus::Answered;
    std::string errorName;     // the D-Bus error's name, when not answered
    std::string errorMessage;  // its message; may be empty
    std::string text;          // the string or object path answered, if any

    bool operator==(const BusReply&) const = default;
};

// How the power routines reach systemd-logind (org.freedesktop.login1).
class LogindBus {
public:
    virtual ~LogindBus() = default;
    // A method of org.freedesktop.login1.Manager on /org/freedesktop/login1.
    virtual BusReply callManager(const std::string& method,
                                 const std::vector<BusArgument>& arguments) = 0;
    // The Id property of the session object at the path.
    virtual BusReply sessionId(const std::string& sessionPath) = 0;
};

// The text that goes between the brackets of a failure's description: the D-Bus error's
// message, empty when there is no error or it has no message.
std::string SystemErrorText(const BusReply& reply);

// Whether a D-Bus error name means that the bus or the service could not be reached, rather
// than that the service answered with a refusal.
bool IsUnreachableError(const std::string& errorName);

}  // namespace lullex
