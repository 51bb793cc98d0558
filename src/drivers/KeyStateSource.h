#pragma once
// Which keys of the operator's keyboard are held down right now, by Windows virtual-key code.
// The hardware device driver reads it to send the live modifier state with each key report.
// The full control window knows which keys it has seen go down and feeds a HeldKeys; the core
// alone has no keyboard, and its default says that nothing is held.
#include <array>
#include <atomic>
#include <cstdint>

namespace zor {

class IKeyStateSource {
 public:
  virtual ~IKeyStateSource() = default;
  virtual bool IsKeyDown(uint32_t virtual_key) const = 0;
};

// The source with nothing held.
const IKeyStateSource& NoKeysHeld();

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

}  // namespace zor
