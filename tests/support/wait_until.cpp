#include "wait_until.h"

#include <algorithm>
#include <thread>

namespace lullex::test {

namespace {

void Sleep(std::chrono::milliseconds period)
{
    std::this_thread::sleep_for(period);
}

WaitPause& Pause()
{
    static WaitPause pause = Sleep;
    return pause;
}

}  // namespace

void SetWaitPause(WaitPause pause)
{
    Pause() = pause ? std::move(pause) : Sleep;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               std::chrono::milliseconds interval)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) {
            return true;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            return false;
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        Pause()(std::min(interval, left));
    }
}

bool StaysTrueFor(const std::function<bool()>& condition, std::chrono::milliseconds period,
                  std::chrono::milliseconds interval)
{
    bool missed = false;
    WaitUntil(
        [&] {
            missed = !condition();
            return missed;
        },
        period, interval);
    return !missed;
}

}  // namespace lullex::test
