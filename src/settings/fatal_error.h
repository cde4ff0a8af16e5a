#pragma once

#include "program_end.h"
#include "prompter.h"

namespace lullex {

// A fatal error: the main timer stops, the box shows, then the program ends with exit code 1
// (the terminator removes the tray icon first).
[[noreturn]] void EndWithFatalError(const MessageBox& box, Prompter& prompter, MainTimer& timer,
                                    Terminator& terminator);

}  // namespace lullex
