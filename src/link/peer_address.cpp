#include "peer_address.h"

namespace lullex {

namespace {

constexpr int QuadParts = 4;
constexpr uint32_t MaxPart = 255;

// Reads the decimal part that starts at position; moves position past it.
std::optional<uint32_t> readPart(std::string_view text, std::size_t& position)
{
    const std::size_t start = position;
    uint32_t value = 0;
    for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
        value = value * 10 + static_cast<uint32_t>(text[position] - '0');
        if (value > MaxPart) {
            return std::nullopt;
        }
    }
    if (position == start) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<uint32_t> ParseDottedQuad(std::string_view text)
{
    uint32_t address = 0;
    std::size_t position = 0;
    for (int part = 0; part < QuadParts; ++part) {
        if (part > 0) {
            if (position >= text.size() || text[position] != '.') {
                return std::nullopt;
            }
            ++position;
        }
        const std::optional<uint32_t> value = readPart(text, position);
        if (!value) {
            return std::nullopt;
        }
        address = (address << 8) | *value;
    }
    if (position != text.size()) {
        return std::nullopt;
    }
    return address;
}

std::optional<uint32_t> HostNameCache::address(const std::string& name) const
{
    if (!m_answeredAt || name != m_name) {
        return std::nullopt;
    }
    return m_address;
}

bool HostNameCache::lookupDue(const std::string& name, Clock::time_point now) const
{
    if (m_pending == name) {
        return false;
    }
    if (!m_answeredAt || name != m_name) {
        return true;
    }
    const Clock::duration age = now - *m_answeredAt;
    if (!m_address) {
        return age >= FailedLookupRetry;
    }
    return m_sendFailed || age >= AnswerLifetime;
}

void HostNameCache::lookupStarted(const std::string& name)
{
    m_pending = name;
}

void HostNameCache::lookupFinished(const std::string& name, std::optional<uint32_t> address,
                                   Clock::time_point now)
{
    if (m_pending != name) {
        return;
    }
    m_pending.reset();
    m_name = name;
    m_address = address;
    m_answeredAt = now;
    m_sendFailed = false;
}

void HostNameCache::sendFailed()
{
    m_sendFailed = true;
}

}  // namespace lullex
