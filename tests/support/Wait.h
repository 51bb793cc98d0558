#pragma once
// Waiting for something that happens on another thread or process. Tests wait with generous
// limits and then check what happened; how long it took is never the assertion.
#include <chrono>
#include <functional>
#include <thread>

namespace zor::test {

// Polls `done` every few milliseconds; true as soon as it holds, false after `timeout_ms`.
inline bool WaitUntil(const std::function<bool()>& done, int timeout_ms = 10000) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

}  // namespace zor::test
