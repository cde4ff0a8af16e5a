#include "input_sampler.h"

#include "app_state.h"

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

InputSampler::InputSampler(InputProbe& probe, AppState& state) : m_probe(probe), m_state(state)
{
}

bool InputSampler::InputChanged()
{
    const InputReading reading = m_probe.read();

    // Widened so that no pair of 32-bit coordinates can overflow the sum.
    const int64_t cursorSum = int64_t{reading.cursorX} + int64_t{reading.cursorY};
    // A reader who only scrolls is still at the machine, so a wheel turn counts as the mouse.
    m_state.MouseMoved = cursorSum != m_lastCursorSum || reading.wheelTurned;
    m_lastCursorSum = cursorSum;

    std::string keys = KeyListText(reading.keys);
    // Letting go of every key is not activity: the next press compares with an empty list.
    if (NoKeyReported(keys))
        m_lastKeys = "0";
    m_state.KeyChanged = keys != m_lastKeys;
    m_lastKeys = std::move(keys);

    return m_state.MouseMoved || m_state.KeyChanged;
}

void InputSampler::ResetInput()
{
    m_state.MouseMoved = false;
    m_state.KeyChanged = false;
    m_lastCursorSum = 0;
    m_lastKeys = "0";
}

}  // namespace lullex
