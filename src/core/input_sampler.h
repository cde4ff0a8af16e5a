#pragma once

#include "input_probe.h"

#include <cstdint>
#include <string>

namespace lullex {

struct AppState;

// Decides once per sample whether the keyboard or mouse was used since the previous sample.
// The flags of the last sample are kept in AppState (KeyChanged, MouseMoved), where the log's
// status line reads them.
class InputSampler {
public:
    InputSampler(InputProbe& probe, AppState& state);

    // Takes one sample; true when the key list or the cursor sum changed (or the wheel turned).
    bool InputChanged();
    // Forgets the previous sample.
    void ResetInput();

private:
    InputProbe& m_probe;
    AppState& m_state;
    int64_t m_lastCursorSum = 0;
    std::string m_lastKeys = "0";
};

// "0" followed by the decimal code of every key reported, in ascending order, without
// separators. Different key sets can give the same text (1,2,3 and 1,23); only the text counts.
std::string KeyListText(const std::bitset<256>& keys);

}  // namespace lullex
