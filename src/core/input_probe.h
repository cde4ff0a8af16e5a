#pragma once

#include <bitset>
#include <cstdint>

namespace lullex {

// One reading of the keyboard and mouse.
struct InputReading {
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    // Code 1 left, 2 right, 4 middle, 5 back, 6 forward button; 8..255 X key codes. A code is
    // set when the key or button is down now or was pressed since the previous reading.
    std::bitset<256> keys;
    // The wheel was turned since the previous reading.
    bool wheelTurned = false;
};

class InputProbe {
public:
    virtual ~InputProbe() = default;
    virtual InputReading read() = 0;
};

}  // namespace lullex
