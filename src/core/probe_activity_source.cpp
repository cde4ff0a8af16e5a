#include "probe_activity_source.h"

#include <algorithm>
#include <utility>

namespace lullex {
namespace {

// A list with no key reported reads as the number 0.
bool NoKeyReported(const std::string& keys)
{
    return std::all_of(keys.begin(), keys.end(), [](char digit) { return digit == '0'; });
}

}  // namespace

std::string KeyListText(const std::bitset<256>& keys)
{
    std::string text = "0";
    for (std::size_t code = 0; code < keys.size(); ++code) {
        if (keys.test(code))
            text += std::to_string(code);
    }
    return text;
}

ProbeActivitySource::ProbeActivitySource(InputProbe& probe) : m_probe(probe)
{
}

ActivitySample ProbeActivitySource::sample()
{
    const InputReading reading = m_probe.read();
    InputDetail detail;

    // Widened so that no pair of 32-bit coordinates can overflow the sum.
    const int64_t cursorSum = int64_t{reading.cursorX} + int64_t{reading.cursorY};
    // A reader who only scrolls is still at the machine, so a wheel turn counts as the mouse.
    detail.mouseMoved = cursorSum != m_lastCursorSum || reading.wheelTurned;
    m_lastCursorSum = cursorSum;

    std::string keys = KeyListText(reading.keys);
    // Letting go of every key is not activity: the next press compares with an empty list.
    if (NoKeyReported(keys))
        m_lastKeys = "0";
    detail.keyChanged = keys != m_lastKeys;
    m_lastKeys = std::move(keys);

    const bool active = detail.mouseMoved || detail.keyChanged;
    return {active ? Activity::Active : Activity::Idle, detail};
}

void ProbeActivitySource::reset()
{
    m_lastCursorSum = 0;
    m_lastKeys = "0";
}

}  // namespace lullex
