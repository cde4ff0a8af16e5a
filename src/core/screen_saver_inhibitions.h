#pragma once

#include "keep_awake_source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lullex {

// The inhibitions that applications hold through org.freedesktop.ScreenSaver where Lullex
// answers for that name: each Inhibit gets a cookie that its UnInhibit hands back, and a client
// that leaves the bus (a player that crashed) lets go of all of its cookies.
class ScreenSaverInhibitions {
public:
    uint32_t inhibit(const std::string& client, const Inhibition& inhibition);
    // False when no inhibition has the cookie; a client cannot drop another one's cookie.
    bool unInhibit(const std::string& client, uint32_t cookie);
    void dropClient(const std::string& client);
    // The oldest inhibition still held.
    std::optional<Inhibition> oldest() const;
    bool heldBy(const std::string& client) const;

private:
    struct Held {
        uint32_t cookie;
        std::string client;
        Inhibition inhibition;
    };
    std::vector<Held> m_held;
    uint32_t m_lastCookie = 0;
};

}  // namespace lullex
