#include "input/KeyStateSource.h"

namespace zor {
HeldKeys& OperatorKeyboard() {
  static HeldKeys keyboard;
  return keyboard;
}

void HeldKeys::SetKeyDown(uint32_t virtual_key, bool down) {
  if (virtual_key >= kKeyCount) return;
  const uint64_t bit = uint64_t{1} << (virtual_key % kBitsPerWord);
  auto& word = words_[virtual_key / kBitsPerWord];
  if (down) {
    word.fetch_or(bit, std::memory_order_relaxed);
  } else {
    word.fetch_and(~bit, std::memory_order_relaxed);
  }
}

void HeldKeys::ReleaseAll() {
  for (auto& word : words_) word.store(0, std::memory_order_relaxed);
}

bool HeldKeys::IsKeyDown(uint32_t virtual_key) const {
  if (virtual_key >= kKeyCount) return false;
  const uint64_t bit = uint64_t{1} << (virtual_key % kBitsPerWord);
  return (words_[virtual_key / kBitsPerWord].load(std::memory_order_relaxed) & bit) != 0;
}

}  // namespace zor
