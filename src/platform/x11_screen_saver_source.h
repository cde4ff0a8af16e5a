#pragma once

#include "keep_awake_source.h"
#include "x11_screen_saver_hold.h"

#include <memory>
#include <string>
#include <utility>

// Xlib's own types, declared here so that users of the source do not get Xlib's macros.
struct _XDisplay;

namespace lullex {

// The X server's screen saver (MIT-SCREEN-SAVER) as X11 programs hold it off: resets and
// suspensions, read on a connection of its own. Input restarts the server's idle time too, so
// the source watches the keyboard and mouse (XInput 2.2 raw events and the pointer position)
// to tell the two apart.
class X11ScreenSaverSource : public KeepAwakeSource {
public:
    // Null where the display cannot be opened or lacks MIT-SCREEN-SAVER or XInput 2.2: the
    // source is then simply absent.
    static std::unique_ptr<X11ScreenSaverSource> open(const std::string& displayName = {});
    ~X11ScreenSaverSource() override;
    X11ScreenSaverSource(const X11ScreenSaverSource&) = delete;
    X11ScreenSaverSource& operator=(const X11ScreenSaverSource&) = delete;

    std::optional<Inhibition> holder(ShutType action) override;

    // The connection's socket; call drainEvents() when it is readable.
    int connectionFd() const;
    // Takes the waiting events off the connection and remembers whether any was input.
    void drainEvents();

private:
    X11ScreenSaverSource(_XDisplay* display, int inputOpcode);
    std::optional<X11ScreenSaverReading> read();
    void drainQueued(int mode);

    _XDisplay* m_display;
    int m_inputOpcode;
    X11ScreenSaverHold m_hold;
    bool m_inputSinceReading = false;
    bool m_pointerRaced = false;
    std::pair<int, int> m_lastPointer;
};

}  // namespace lullex
