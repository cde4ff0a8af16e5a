#include "x11_input_extension.h"

#include <X11/extensions/XInput2.h>

namespace lullex {

bool HasInput22(Display* display, int& opcode)
{
    int firstEvent = 0;
    int firstError = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &firstEvent, &firstError)) {
        return false;
    }
    int major = 2;
    int minor = 2;
    return XIQueryVersion(display, &major, &minor) == Success &&
           (major > 2 || (major == 2 && minor >= 2));
}

}  // namespace lullex
