#pragma once

#include <cstdint>

namespace lullex {

// Colour values with red in the lowest byte; the two system colours are marked by the top bit.
enum class Colour : uint32_t {
    Orange = 33023,
    Green = 32768,
    DarkGreen = 26112,  // the limit texts of the configuration screen
    White = 16777215,
    ButtonFace = 0x8000000F,
    ButtonText = 0x80000012,
};

}  // namespace lullex
