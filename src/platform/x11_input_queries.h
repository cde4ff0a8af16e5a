#pragma once

#include <X11/Xlib.h>

#include <utility>

namespace lullex {

// Whether the display offers XInput 2.2 (raw events on the root window whatever window has
// the focus or a grab), and asks for that version on this connection; opcode tells its events.
bool HasInput22(Display* display, int& opcode);

// Where the pointer stands on the root window (x, y).
std::pair<int, int> RootPointerPosition(Display* display);

}  // namespace lullex
