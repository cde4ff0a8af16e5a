#pragma once

#include "keep_awake_source.h"

#include <chrono>
#include <optional>

namespace lullex {

// What XScreenSaverQueryInfo says of the X server's own screen saver.
enum class X11ScreenSaverState { Off, On, Disabled };

// One look at the X server's screen saver, taken once per monitoring second.
struct X11ScreenSaverReading {
    // When it was taken, on the steady clock (the X server counts on the same monotonic clock).
    std::chrono::milliseconds at{0};
    // The server's time since its last input or screen-saver reset.
    std::chrono::milliseconds idle{0};
    X11ScreenSaverState state = X11ScreenSaverState::Off;
    // The server's saver timeout (XGetScreenSaver); 0 when the saver is switched off.
    std::chrono::seconds timeout{0};
    // Keyboard, mouse or pointer input reached the server since the previous reading, which
    // restarts its idle time as a reset does.
    bool inputSeen = false;
};

// Decides whether an X11 program keeps the computer awake through the X screen saver.
// - A reset (XResetScreenSaver: `xset s reset`, `xdg-screensaver reset`, players that call it
//   every so often) restarts the server's idle time with no input behind it. Players repeat it
//   at a steady rhythm, so it holds from one reset until the rhythm has been missed, at most
//   about a minute: a film shows one "kept awake" span, not one per reset.
// - A suspension (XScreenSaverSuspend) leaves no trace in the server's answers until the
//   saver's own timeout has run out: the saver then stays Off instead of coming On.
class X11ScreenSaverHold {
public:
    std::optional<Inhibition> take(const X11ScreenSaverReading& reading);

private:
    bool resetSince(const X11ScreenSaverReading& reading) const;
    void noteReset(std::chrono::milliseconds at);
    bool resetRhythmHolds(std::chrono::milliseconds at) const;

    std::optional<std::chrono::milliseconds> m_lastActivity;
    std::optional<std::chrono::milliseconds> m_lastReset;
    std::chrono::milliseconds m_rhythm{0};
};

}  // namespace lullex
