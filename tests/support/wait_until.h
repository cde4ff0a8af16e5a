#pragma once

#include <chrono>
#include <functional>

namespace lullex::test {

// The test suite's two deadlines. Both are generous, because the tests must pass on a slow
// two-core machine that is busy with other builds; conditions are polled, so a pass is quick.
// Something that should happen "soon": a window, a log line, a datagram, a helper's answer.
inline constexpr std::chrono::milliseconds DefaultTimeout{30000};
// A whole step of the real program: a countdown with its boxes, a start and its end.
inline constexpr std::chrono::milliseconds LongTimeout{60000};

// Polls the condition until it holds or the timeout has passed; true when it held. The
// condition is checked at least once, and once more at the deadline.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = DefaultTimeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20));

// Holds when the condition stays true for the whole period (polled); false at the first miss.
// For "nothing happens": a window that must not come back, a log that must stay as it is.
bool StaysTrueFor(const std::function<bool()>& condition, std::chrono::milliseconds period,
                  std::chrono::milliseconds interval = std::chrono::milliseconds(100));

// How a wait passes the time between two polls: sleeping, unless a test binary with an event
// loop sets its own (see qt_event_wait.h), so that its sockets, timers and windows go on. An
// empty one puts back the sleep, for when the event loop has gone.
using WaitPause = std::function<void(std::chrono::milliseconds)>;
void SetWaitPause(WaitPause pause);

}  // namespace lullex::test
