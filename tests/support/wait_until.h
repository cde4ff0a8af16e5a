#pragma once

#include <chrono>
#include <functional>

namespace lullex::test {

// How long a test waits for something that should happen "soon": generous, because the tests
// must pass on a slow machine that is busy with other builds.
inline constexpr std::chrono::milliseconds DefaultTimeout{30000};

// Polls the condition until it holds or the timeout has passed; true when it held. The
// condition is checked at least once, and once more at the deadline.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = DefaultTimeout,
               std::chrono::milliseconds interval = std::chrono::milliseconds(20));

}  // namespace lullex::test
