#include "x11_screen_saver_source.h"

#include "x11_input_queries.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/scrnsaver.h>

#include <chrono>

namespace lullex {
namespace {

// Every kind of input that restarts the server's idle time.
void SelectRawInput(Display* display)
{
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    for (int type : {XI_RawKeyPress, XI_RawKeyRelease, XI_RawButtonPress, XI_RawButtonRelease,
                     XI_RawMotion, XI_RawTouchBegin, XI_RawTouchUpdate, XI_RawTouchEnd})
        XISetMask(bits, type);
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XSync(display, False);
}

X11ScreenSaverState StateOf(int state)
{
    if (state == ScreenSaverOn)
        return X11ScreenSaverState::On;
    if (state == ScreenSaverDisabled)
        return X11ScreenSaverState::Disabled;
    return X11ScreenSaverState::Off;
}

std::chrono::milliseconds SteadyNow()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace

std::unique_ptr<X11ScreenSaverSource> X11ScreenSaverSource::open(const std::string& displayName)
{
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (display == nullptr)
        return nullptr;
    int eventBase = 0;
    int errorBase = 0;
    int inputOpcode = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase) ||
        !HasInput22(display, inputOpcode)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::unique_ptr<X11ScreenSaverSource>(new X11ScreenSaverSource(display, inputOpcode));
}

X11ScreenSaverSource::X11ScreenSaverSource(Display* display, int inputOpcode)
    : m_display(display), m_inputOpcode(inputOpcode)
{
    SelectRawInput(m_display);
    m_lastPointer = RootPointerPosition(m_display);
}

X11ScreenSaverSource::~X11ScreenSaverSource()
{
    XCloseDisplay(m_display);
}

int X11ScreenSaverSource::connectionFd() const
{
    return ConnectionNumber(m_display);
}

void X11ScreenSaverSource::drainEvents()
{
    drainQueued(QueuedAfterReading);
}

void X11ScreenSaverSource::drainQueued(int mode)
{
    while (XEventsQueued(m_display, mode) > 0) {
        XEvent event;
        XNextEvent(m_display, &event);
        if (event.xcookie.type == GenericEvent && event.xcookie.extension == m_inputOpcode)
            m_inputSinceReading = true;
    }
}

std::optional<Inhibition> X11ScreenSaverSource::holder(ShutType)
{
    // An unanswered query holds nothing: its empty idle time would read as a reset.
    const std::optional<X11ScreenSaverReading> reading = read();
    return reading ? m_hold.take(*reading) : std::nullopt;
}

std::optional<X11ScreenSaverReading> X11ScreenSaverSource::read()
{
    int timeout = 0;
    int interval = 0;
    int blanking = 0;
    int exposures = 0;
    XGetScreenSaver(m_display, &timeout, &interval, &blanking, &exposures);
    const std::pair<int, int> before = RootPointerPosition(m_display);
    XScreenSaverInfo info{};
    if (!XScreenSaverQueryInfo(m_display, DefaultRootWindow(m_display), &info))
        return std::nullopt;
    X11ScreenSaverReading reading{SteadyNow(), std::chrono::milliseconds(info.idle),
                                  StateOf(info.state), std::chrono::seconds(timeout), false};
    // The server sends the events it made before an answer ahead of it: what is queued now is
    // the input behind this idle time. Later events belong to the next reading.
    drainQueued(QueuedAlready);
    const std::pair<int, int> after = RootPointerPosition(m_display);
    // A warp or an absolute XTest motion moves the pointer without a raw event. One that came
    // between the two pointer queries may show in this idle time or only in the next.
    reading.inputSeen = m_inputSinceReading || after != m_lastPointer || m_pointerRaced;
    m_pointerRaced = before != after;
    m_lastPointer = after;
    m_inputSinceReading = false;
    return reading;
}

}  // namespace lullex
