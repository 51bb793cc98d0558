#pragma once
// The device driver of tests and benchmarks that need no device: it writes down every call it
// gets as one line ("MouseMove 10 20", "KeyEvent press 65", "TypeText 가a"), with the
// monotonic time of the call, so that a test compares what a window or the runner sent with a
// table and a benchmark reads when the first call came. Calls may come from any thread.
// Header-only: zorkvm-bench uses it too.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "device/DeviceDriver.h"
#include "platform/Clock.h"
#include "platform/CodePage.h"

namespace zor::test {

class RecordingDriver : public DeviceDriver {
 public:
  struct Call {
    std::string line;
    int64_t time_ns = 0;
  };

  void StartStream() override { Note("StartStream"); }
  void StopStream() override { Note("StopStream"); }
  bool Connect() override {
    Note("Connect");
    return true;
  }
  void Disconnect() override { Note("Disconnect"); }
  bool ConnectInput() override { return true; }
  void DisconnectInput() override {}

  void MouseMove(int32_t x, int32_t y) override { Note("MouseMove " + std::to_string(x) + " " + std::to_string(y)); }
  void MouseButton(PointerButton button, bool down) override {
    Note("MouseButton " + std::string(PointerButtonName(button)) + (down ? " down" : " up"));
  }
  void MouseWheel(bool down, int32_t delta) override {
    Note(std::string("MouseWheel ") + (down ? "true " : "false ") + std::to_string(delta));
  }
  // "KeyEvent press 65", "KeyEvent release 39 extended".
  void KeyEvent(KeyStroke stroke) override {
    Note(std::string("KeyEvent ") + (stroke.IsPress() ? "press " : "release ") + std::to_string(stroke.key.code) +
         (stroke.key.extended ? " extended" : ""));
  }
  // The timed sequences are written down as sent at once.
  InputCompletion KeyCombo(uint8_t modifiers, uint8_t usage) override {
    Note("KeyCombo " + std::to_string(modifiers) + " " + std::to_string(usage));
    return {};
  }
  InputCompletion TypeText(const std::u16string& text) override {
    Note("TypeText " + ToUtf8(text));
    return {};
  }
  InputCompletion ToggleHangulMode() override {
    Note("ToggleHangulMode");
    return {};
  }
  bool CanPerform(TimedInput) const override { return true; }
  std::string LastError() const override { return {}; }

  // Adds a line (a call, or a line of the test's own, a wait say) in call order. While the
  // driver is held, the caller then waits for Release().
  void Note(std::string line) {
    const int64_t now_ns = MonotonicNs();
    std::unique_lock lock(mutex_);
    calls_.push_back({std::move(line), now_ns});
    changed_.notify_all();
    changed_.wait(lock, [this] { return !held_; });
  }

  std::vector<std::string> Lines() const {
    std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const Call& call : calls_) lines.push_back(call.line);
    return lines;
  }
  // The calls so far, forgotten afterwards.
  std::vector<Call> TakeCalls() {
    std::lock_guard lock(mutex_);
    return std::exchange(calls_, {});
  }
  std::vector<std::string> TakeLines() {
    std::vector<std::string> lines;
    for (Call& call : TakeCalls()) lines.push_back(std::move(call.line));
    return lines;
  }
  size_t Count() const {
    std::lock_guard lock(mutex_);
    return calls_.size();
  }
  // Waits until at least `count` calls were made; false after `timeout_ms`.
  bool WaitForCalls(size_t count, int timeout_ms = 10000) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeout_ms), [&] { return calls_.size() >= count; });
  }

  // While held, each call is written down and then waits for Release(): a caller stays inside
  // its driver call for as long as the test needs.
  void Hold() {
    std::lock_guard lock(mutex_);
    held_ = true;
  }
  void Release() {
    {
      std::lock_guard lock(mutex_);
      held_ = false;
    }
    changed_.notify_all();
  }

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<Call> calls_;
  bool held_ = false;
};

}  // namespace zor::test
