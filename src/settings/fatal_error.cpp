#include "fatal_error.h"

#include <cstdlib>

namespace lullex {

void EndWithFatalError(const MessageBox& box, Prompter& prompter, MainTimer& timer,
                       Terminator& terminator)
{
    timer.stop();
    prompter.show(box);
    terminator.endProgram(ExitFatalError);
    // A terminator that returned would break every caller relying on this never returning.
    std::abort();
}

}  // namespace lullex
