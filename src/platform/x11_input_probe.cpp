#include "x11_input_probe.h"

#include "x11_input_queries.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>
#include <tuple>

namespace lullex {

namespace {

struct ButtonCode {
    int xButton;
    int code;
};

// X buttons 1 left, 2 middle, 3 right, 8 back, 9 forward, as the key-state codes know them.
constexpr std::array<ButtonCode, 5> ButtonCodes = {{{1, 1}, {3, 2}, {2, 4}, {8, 5}, {9, 6}}};
// X reports the wheel (and horizontal scrolling) as buttons 4 to 7.
constexpr int FirstWheelButton = 4;
constexpr int LastWheelButton = 7;
// Key codes below 8 do not exist in X; the codes 1 to 6 are the buttons above.
constexpr int FirstKeyCode = 8;

int CodeOfButton(int xButton)
{
    for (const auto& entry : ButtonCodes) {
        if (entry.xButton == xButton) {
            return entry.code;
        }
    }
    return 0;
}

std::string DisplayError(const std::string& name)
{
    if (name.empty()) {
        return "Cannot watch the keyboard and mouse: no X display is set (DISPLAY is empty).";
    }
    return "Cannot watch the keyboard and mouse: the X display \"" + name + "\" cannot be opened.";
}

std::string InputExtensionError(const std::string& name)
{
    return "Cannot watch the keyboard and mouse: the X display \"" + name +
           "\" has no XInput 2.2 extension.";
}

constexpr int NoDevice = -1;

// The master pointer whose buttons we read (every X server has at least the core pointer).
int MasterPointer(Display* display)
{
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display, XIAllMasterDevices, &count);
    int id = NoDevice;
    for (int i = 0; i < count; ++i) {
        if (devices[i].use == XIMasterPointer) {
            id = devices[i].deviceid;
            break;
        }
    }
    XIFreeDeviceInfo(devices);
    return id;
}

void SelectRawPresses(Display* display)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawButtonPress);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    // From here on no press is missed.
    XSync(display, False);
}

void AddKeysDown(Display* display, std::bitset<256>& keys)
{
    char keymap[32] = {};
    XQueryKeymap(display, keymap);
    for (int code = FirstKeyCode; code < 256; ++code) {
        if ((static_cast<unsigned char>(keymap[code / 8]) >> (code % 8)) & 1) {
            keys.set(code);
        }
    }
}

void AddButtonsDown(Display* display, int pointerDevice, std::bitset<256>& keys)
{
    if (pointerDevice == NoDevice) {
        return;
    }
    Window root = 0;
    Window child = 0;
    double rootX = 0;
    double rootY = 0;
    double windowX = 0;
    double windowY = 0;
    XIButtonState buttons{};
    XIModifierState modifiers{};
    XIGroupState group{};
    // The core pointer state knows buttons 1 to 5 only; back and forward need XI2. The result
    // only says whether the pointer is on our screen; the button state comes either way.
    XIQueryPointer(display, pointerDevice, DefaultRootWindow(display), &root, &child, &rootX,
                   &rootY, &windowX, &windowY, &buttons, &modifiers, &group);
    if (buttons.mask == nullptr) {
        return;
    }
    for (const auto& entry : ButtonCodes) {
        if (entry.xButton < buttons.mask_len * 8 && XIMaskIsSet(buttons.mask, entry.xButton)) {
            keys.set(entry.code);
        }
    }
    XFree(buttons.mask);
}

}  // namespace

X11InputProbe::X11InputProbe(const std::string& displayName)
{
    const std::string name = XDisplayName(displayName.empty() ? nullptr : displayName.c_str());
    m_display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (m_display == nullptr) {
        throw InputProbeError(DisplayError(name));
    }
    if (!HasInput22(m_display, m_inputOpcode)) {
        XCloseDisplay(m_display);
        throw InputProbeError(InputExtensionError(name));
    }
    m_pointerDevice = MasterPointer(m_display);
    SelectRawPresses(m_display);
}

X11InputProbe::~X11InputProbe()
{
    XCloseDisplay(m_display);
}

int X11InputProbe::connectionFd() const
{
    return ConnectionNumber(m_display);
}

void X11InputProbe::notePress(int eventType, int detail)
{
    if (eventType == XI_RawKeyPress) {
        if (detail >= FirstKeyCode && detail < 256) {
            m_pressedSinceReading.set(detail);
        }
    } else if (detail >= FirstWheelButton && detail <= LastWheelButton) {
        m_wheelTurnedSinceReading = true;
    } else if (const int code = CodeOfButton(detail); code != 0) {
        m_pressedSinceReading.set(code);
    }
}

void X11InputProbe::drainEvents()
{
    while (XPending(m_display) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != m_inputOpcode ||
            !XGetEventData(m_display, &cookie)) {
            continue;
        }
        notePress(cookie.evtype, static_cast<const XIRawEvent*>(cookie.data)->detail);
        XFreeEventData(m_display, &cookie);
    }
}

InputReading X11InputProbe::read()
{
    InputReading reading;
    std::tie(reading.cursorX, reading.cursorY) = RootPointerPosition(m_display);
    AddKeysDown(m_display, reading.keys);
    AddButtonsDown(m_display, m_pointerDevice, reading.keys);
    // Drained after the queries: the server sends every event it made before answering a
    // query ahead of the answer, so no press that happened before this reading is left out.
    drainEvents();
    reading.keys |= m_pressedSinceReading;
    reading.wheelTurned = m_wheelTurnedSinceReading;
    m_pressedSinceReading.reset();
    m_wheelTurnedSinceReading = false;
    return reading;
}

}  // namespace lullex
