#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lullex {

// An IPv4 address in dotted form, read the way the address check reads it: four decimal parts
// of 0..255, leading zeros allowed. "010.1.1.1" is 10.1.1.1, where the C library and
// QHostAddress would read an octal 8.1.1.1. The result has the first part in its top byte.
std::optional<uint32_t> ParseDottedQuad(std::string_view text);

// The answer of the last look-up of the partner's domain name, and when to ask again. An address
// is used for a minute, or until a send to it fails; a failed look-up is retried after a few
// seconds rather than at every send, which would put two queries a second on the name server.
class HostNameCache {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr Clock::duration AnswerLifetime = std::chrono::minutes(1);
    static constexpr Clock::duration FailedLookupRetry = std::chrono::seconds(5);

    // The address last found for the name; it stays in use while a newer look-up runs, so the
    // heartbeat does not pause every minute.
    std::optional<uint32_t> address(const std::string& name) const;
    bool lookupDue(const std::string& name, Clock::time_point now) const;
    void lookupStarted(const std::string& name);
    // An answer for a name that is no longer the one asked for is dropped.
    void lookupFinished(const std::string& name, std::optional<uint32_t> address,
                        Clock::time_point now);
    void sendFailed();

private:
    std::string m_name;
    std::optional<uint32_t> m_address;
    std::optional<Clock::time_point> m_answeredAt;
    std::optional<std::string> m_pending;
    bool m_sendFailed = false;
};

}  // namespace lullex
