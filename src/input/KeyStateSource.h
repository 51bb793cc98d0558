#pragma once
// Which keys of the operator's keyboard are held down right now, by Windows virtual-key code.
// The hardware device driver reads it to send the live modifier state with each key report.
// There is one operator keyboard: the full control window feeds OperatorKeyboard() with the
// key presses and releases it sees; without a GUI nothing feeds it and nothing is held.
#include <array>
#include <atomic>
#include <cstdint>

namespace zor {

class IKeyStateSource {
 public:
  virtual ~IKeyStateSource() = default;
  virtual bool IsKeyDown(uint32_t virtual_key) const = 0;
};

// A key table fed by whoever sees the key messages. Written on the GUI thread, read on any
// thread; each key is one atomic bit, so readers never see a torn table entry.
class HeldKeys final : public IKeyStateSource {
 public:
  static constexpr uint32_t kKeyCount = 256;  // virtual-key codes are one byte

  void SetKeyDown(uint32_t virtual_key, bool down);
  void ReleaseAll();
  bool IsKeyDown(uint32_t virtual_key) const override;

 private:
  static constexpr uint32_t kBitsPerWord = 64;
  std::array<std::atomic<uint64_t>, kKeyCount / kBitsPerWord> words_{};
};

// The process-wide table of the operator's keyboard, read by default by the drivers.
HeldKeys& OperatorKeyboard();

}  // namespace zor
