#include "x11_screen_saver_hold.h"

namespace lullex {
namespace {

using std::chrono::milliseconds;

// The program is not named by the X server; the user learns what kind of request it was.
constexpr const char* Who = "an X11 program";
constexpr const char* ResetReason = "screen saver reset";
constexpr const char* SuspendReason = "screen saver suspended";

// Our clock is read just after the server's answer; a later last-activity instant than this
// is a new event, an earlier one the same event read again.
constexpr milliseconds SameInstant{500};
// A player's rhythm may slip by a sample or two before we call it stopped.
constexpr milliseconds RhythmSlack{2000};
// A longer gap is no rhythm: the reset holds only the second it is seen, as input would.
constexpr milliseconds LongestRhythm{60000};
// The server's saver timer fires once the idle time reaches the timeout; give it time to.
constexpr milliseconds TimerMargin{2000};

bool Suspended(const X11ScreenSaverReading& reading)
{
    return reading.state == X11ScreenSaverState::Off && reading.timeout.count() > 0 &&
           reading.idle >= reading.timeout + TimerMargin;
}

}  // namespace

std::optional<Inhibition> X11ScreenSaverHold::take(const X11ScreenSaverReading& reading)
{
    if (resetSince(reading))
        noteReset(reading.at);
    m_lastActivity = reading.at - reading.idle;
    if (Suspended(reading))
        return Inhibition{Who, SuspendReason};
    if (resetRhythmHolds(reading.at))
        return Inhibition{Who, ResetReason};
    return std::nullopt;
}

// The server's last activity moved on although no input reached it: a client reset the saver
// (or a suspension ended, which restarts the saver's timer too).
bool X11ScreenSaverHold::resetSince(const X11ScreenSaverReading& reading) const
{
    return m_lastActivity.has_value() && !reading.inputSeen &&
           reading.at - reading.idle - *m_lastActivity > SameInstant;
}

void X11ScreenSaverHold::noteReset(milliseconds at)
{
    m_rhythm = m_lastReset ? at - *m_lastReset : milliseconds{0};
    if (m_rhythm > LongestRhythm)
        m_rhythm = milliseconds{0};
    m_lastReset = at;
}

bool X11ScreenSaverHold::resetRhythmHolds(milliseconds at) const
{
    if (!m_lastReset)
        return false;
    const milliseconds since = at - *m_lastReset;
    if (m_rhythm.count() == 0)
        return since.count() == 0;
    return since <= m_rhythm + RhythmSlack;
}

}  // namespace lullex
