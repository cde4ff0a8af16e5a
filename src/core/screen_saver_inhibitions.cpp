#include "screen_saver_inhibitions.h"

#include <algorithm>

namespace lullex {

uint32_t ScreenSaverInhibitions::inhibit(const std::string& client, const Inhibition& inhibition)
{
    // Cookie 0 is never handed out: several clients treat it as "not inhibited".
    if (++m_lastCookie == 0)
        ++m_lastCookie;
    m_held.push_back({m_lastCookie, client, inhibition});
    return m_lastCookie;
}

bool ScreenSaverInhibitions::unInhibit(const std::string& client, uint32_t cookie)
{
    const auto found = std::find_if(m_held.begin(), m_held.end(), [&](const Held& held) {
        return held.cookie == cookie && held.client == client;
    });
    if (found == m_held.end())
        return false;
    m_held.erase(found);
    return true;
}

void ScreenSaverInhibitions::dropClient(const std::string& client)
{
    std::erase_if(m_held, [&](const Held& held) { return held.client == client; });
}

std::optional<Inhibition> ScreenSaverInhibitions::oldest() const
{
    if (m_held.empty())
        return std::nullopt;
    return m_held.front().inhibition;
}

bool ScreenSaverInhibitions::heldBy(const std::string& client) const
{
    return std::any_of(m_held.begin(), m_held.end(),
                       [&](const Held& held) { return held.client == client; });
}

}  // namespace lullex
