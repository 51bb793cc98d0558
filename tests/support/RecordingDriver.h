#pragma once
// A device driver for tests that writes down every call it gets, one line each
// ("KeyEvent 256 65 0x1"), so that a test compares what a window sent with a table.
// Calls may come from any thread.
#include <cstdio>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "client/ZorKvmClient.h"

namespace zor::test {

class RecordingDriver : public ZorKvmClient {
 public:
  void StartStream() override { Add("StartStream"); }
  void StopStream() override { Add("StopStream"); }
  bool Connect() override {
    Add("Connect");
    return true;
  }
  void Disconnect() override { Add("Disconnect"); }
  bool ConnectInput() override { return true; }
  void DisconnectInput() override {}

  void MouseMove(int32_t x, int32_t y) override { Add("MouseMove " + std::to_string(x) + " " + std::to_string(y)); }
  void MouseButton(const std::string& button, bool down) override {
    Add("MouseButton " + button + (down ? " down" : " up"));
  }
  void MouseWheel(bool down, int32_t delta) override {
    Add(std::string("MouseWheel ") + (down ? "true " : "false ") + std::to_string(delta));
  }
  void KeyEvent(uint32_t message, int64_t virtual_key, int64_t key_flags) override {
    char flags[24];
    std::snprintf(flags, sizeof flags, "0x%llx", static_cast<unsigned long long>(key_flags));
    Add("KeyEvent " + std::to_string(message) + " " + std::to_string(virtual_key) + " " + flags);
  }
  void KeyCombo(uint8_t modifiers, uint8_t usage) override {
    Add("KeyCombo " + std::to_string(modifiers) + " " + std::to_string(usage));
  }
  void TypeText(const std::u16string& text) override { Add("TypeText " + std::to_string(text.size())); }
  void ToggleHangulMode() override { Add("ToggleHangulMode"); }
  std::string LastError() const override { return {}; }

  std::vector<std::string> Calls() const {
    std::lock_guard lock(mutex_);
    return calls_;
  }
  // The calls so far, forgotten afterwards.
  std::vector<std::string> TakeCalls() {
    std::lock_guard lock(mutex_);
    return std::exchange(calls_, {});
  }

  void Add(std::string call) {
    std::lock_guard lock(mutex_);
    calls_.push_back(std::move(call));
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> calls_;
};

}  // namespace zor::test
