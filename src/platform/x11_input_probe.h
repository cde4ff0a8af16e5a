#pragma once

#include "input_probe.h"

#include <bitset>
#include <stdexcept>
#include <string>

// Xlib's own type, declared here so that users of the probe do not get Xlib's macros
// (None, Bool, Status...), which clash with Qt's names.
struct _XDisplay;

namespace lullex {

// No X display could be opened, or it lacks what the probe needs. The message is for the user.
class InputProbeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the keyboard and mouse of an X display: the cursor position (XQueryPointer), the keys
// and buttons down now (XQueryKeymap, XIQueryPointer) and, through XInput 2.2 raw events on
// the root window, the keys and buttons pressed since the previous reading, so that a key
// tapped between two readings is not missed. Raw events reach us whatever window has the
// focus or a grab.
class X11InputProbe : public InputProbe {
public:
    // Opens a connection of its own to displayName (empty: the DISPLAY of the process).
    // Throws InputProbeError when there is no display or no XInput 2.2.
    explicit X11InputProbe(const std::string& displayName = {});
    ~X11InputProbe() override;
    X11InputProbe(const X11InputProbe&) = delete;
    X11InputProbe& operator=(const X11InputProbe&) = delete;

    InputReading read() override;

    // The connection's socket. Watch it (e.g. with a QSocketNotifier) and call drainEvents()
    // when it is readable, so that events do not pile up between two readings.
    int connectionFd() const;
    // Takes the waiting events off the connection and remembers their presses for the next
    // reading.
    void drainEvents();

private:
    void notePress(int eventType, int detail);

    _XDisplay* m_display = nullptr;
    int m_inputOpcode = 0;
    int m_pointerDevice = 0;
    std::bitset<256> m_pressedSinceReading;
    bool m_wheelTurnedSinceReading = false;
};

}  // namespace lullex
