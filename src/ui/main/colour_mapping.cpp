#include "colour_mapping.h"

namespace lullex {

QColor toQColor(Colour colour, const QPalette& system)
{
    switch (colour) {
    case Colour::ButtonFace:
        return system.color(QPalette::Button);
    case Colour::ButtonText:
        return system.color(QPalette::ButtonText);
    case Colour::Orange:
    case Colour::Green:
    case Colour::DarkGreen:
    case Colour::White:
        break;
    }
    // Red sits in the lowest byte, then green, then blue.
    const auto value = static_cast<uint32_t>(colour);
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

}  // namespace lullex
