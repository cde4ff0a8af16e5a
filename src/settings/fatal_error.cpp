#include "fatal_error.h"

namespace lullex {

void EndWithFatalError(const MessageBox& box, Prompter& prompter, MainTimer& timer,
                       Terminator& terminator)
{
    timer.stop();
    prompter.show(box);
    terminator.endProgram(ExitFatalError);
}

}  // namespace lullex
