#pragma once

#include "colour.h"

#include <QColor>
#include <QPalette>

namespace lullex {

// The screen colour of a Colour value. The two system colours are taken from the desktop's
// palette, so the window follows the user's theme as the original followed the system colours.
QColor toQColor(Colour colour, const QPalette& system);

}  // namespace lullex
