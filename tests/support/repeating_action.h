#pragma once
// Runs an action again and again at a steady pace on its own thread until it goes out of scope:
// a user who keeps moving the mouse, a player that keeps resetting the screen saver. The action
// runs once at once, then once per period; the destructor waits for a run in progress. An action
// that throws fails the test and is not run again.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace lullex::test {

class RepeatingAction {
public:
    RepeatingAction(std::chrono::milliseconds period, std::function<void()> action)
        : m_thread([period, action = std::move(action)](std::stop_token stop) {
              std::mutex mutex;
              std::condition_variable_any wakeUp;
              std::unique_lock lock(mutex);
              while (!stop.stop_requested()) {
                  try {
                      action();
                  } catch (const std::exception& error) {
                      ADD_FAILURE() << "a repeated action failed: " << error.what();
                      return;
                  }
                  wakeUp.wait_for(lock, stop, period, [] { return false; });
              }
          })
    {
    }

private:
    std::jthread m_thread;
};

}  // namespace lullex::test
