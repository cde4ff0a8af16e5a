#include "x11_input_queries.h"

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

std::pair<int, int> RootPointerPosition(Display* display)
{
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int windowX = 0;
    int windowY = 0;
    unsigned int modifiers = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &windowX, &windowY,
                  &modifiers);
    return {x, y};
}

}  // namespace lullex
